#include "options/OptionsDlg.h"

#include "controls/TypedInput.h"
#include "options/OptionsRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QComboBox *makeCombo(QWidget *parent, const char *objectName, bool editable)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(objectName));
    combo->setEditable(editable);
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        keepTypedText(combo);
    }
    return combo;
}

// A drop-down list shows the first entry beginning with the text, or no
// selection, with the stored text in its place; false when no entry fits.
bool showInList(QComboBox *combo, const QString &text)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    // An empty text would begin every entry; it selects none.
    const int index = text.isEmpty() ? -1 : findEntryBeginning(items, text);
    combo->setPlaceholderText(index < 0 ? text : QString());
    combo->setCurrentIndex(index);
    return index >= 0 || text.isEmpty();
}

QLabel *makeNote(QWidget *parent, const char *objectName)
{
    auto *note = new QLabel(parent);
    note->setObjectName(QLatin1String(objectName));
    note->setWordWrap(true);
    note->hide();
    return note;
}

void showNote(QLabel *note, const QString &text)
{
    note->setText(text);
    note->setVisible(!text.isEmpty());
}

// An editable box shows exactly the text: selected when it is an entry,
// typed into the edit part otherwise.
void showInEditable(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    combo->setEditText(text);
}

} // namespace

COptionsDlg::COptionsDlg(QWidget *parent)
    : QWidget(parent),
      m_printer(makeCombo(this, "printer", false)),
      m_font(makeCombo(this, "font", false)),
      m_size(makeCombo(this, "fontSize", true)),
      m_delimiter(makeCombo(this, "delimiter", true)),
      m_autoOpen(new QCheckBox(QStringLiteral("&Automatyczne otwarcie ostatniego pliku"), this)),
      m_printerNote(makeNote(this, "printerNote")),
      m_fontNote(makeNote(this, "fontNote"))
{
    setObjectName(QStringLiteral("COptionsDlg"));
    m_autoOpen->setObjectName(QStringLiteral("autoOpen"));
    m_font->setMaxVisibleItems(16);
    m_printer->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_printer->setMinimumContentsLength(28);
    m_font->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_font->setMinimumContentsLength(28);
    m_size->setMinimumContentsLength(4);
    m_size->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_delimiter->setMinimumContentsLength(4);
    m_delimiter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->addRow(QStringLiteral("&Drukarka domyślna:"), m_printer);
    form->addRow(QString(), m_printerNote);
    form->addRow(QStringLiteral("&Czcionka:"), m_font);
    form->addRow(QString(), m_fontNote);
    // Another choice leaves nothing to explain.
    connect(m_printer, &QComboBox::currentIndexChanged, m_printerNote, [this](int i) {
        if (i >= 0)
            showNote(m_printerNote, {});
    });
    connect(m_font, &QComboBox::currentIndexChanged, m_fontNote, [this](int i) {
        if (i >= 0)
            showNote(m_fontNote, {});
    });
    form->addRow(QStringLiteral("&Rozmiar czcionki:"), m_size);
    form->addRow(QStringLiteral("Ogranicznik kwoty:"), m_delimiter);

    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addSpacing(6);
    top->addWidget(m_autoOpen);
    top->addStretch();
}

QStringList COptionsDlg::printerEntries()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    if (!names.contains(pdfPrinterName()))
        names << pdfPrinterName();
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

void COptionsDlg::load(const GeneralSettings &settings, const QStringList &printers, const QStringList &fonts)
{
    m_printer->clear();
    m_printer->addItems(printers);
    m_font->clear();
    m_font->addItems(fonts);
    m_size->clear();
    m_size->addItems(fontSizeEntries());
    m_delimiter->clear();
    m_delimiter->addItems(delimiterEntries());

    m_autoOpen->setChecked(settings.autoOpen != 0);
    const bool printerFound = showInList(m_printer, settings.device);
    showNote(m_printerNote, printerFound ? QString()
                                         : missingPrinterNote(settings.device, QPrinterInfo::defaultPrinterName()));
    const bool fontFound = showInList(m_font, fontEntryText(settings.fontName, settings.fontCharset));
    // fontconfig says which face stands in for a missing family.
    showNote(m_fontNote, fontFound ? QString()
                                   : missingFontNote(settings.fontName, QFontInfo(QFont(settings.fontName)).family()));
    showInEditable(m_size, QString::number(settings.fontSize));
    showInEditable(m_delimiter, settings.valueDelimiter);
}

std::optional<PageError> COptionsDlg::save(GeneralSettings &settings) const
{
    settings.autoOpen = m_autoOpen->isChecked() ? 1 : 0;
    // A list showing no entry keeps what was stored: the stored printer or
    // font may be missing on this machine only for now.
    if (m_printer->currentIndex() >= 0)
        settings.device = m_printer->currentText();
    if (m_font->currentIndex() >= 0)
        splitFontEntry(m_font->currentText(), settings.fontName, settings.fontCharset);
    const NumberCheck size = fontSizeFromText(m_size->currentText(), settings.fontSize);
    if (!size.ok())
        return PageError {size.error, m_size};
    const QString delimiter = m_delimiter->currentText();
    if (delimiter.size() > kMaxDelimiterLength)
        return PageError {OptionsText::maxChars(kMaxDelimiterLength), m_delimiter};
    settings.valueDelimiter = delimiter;
    settings.fontSize = size.value;
    return std::nullopt;
}
