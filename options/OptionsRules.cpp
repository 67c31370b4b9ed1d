#include "options/OptionsRules.h"

#include <QPrinterInfo>
#include <algorithm>

namespace OptionsText {
QString wholeNumber() { return QStringLiteral("Proszę wprowadzić liczbę całkowitą."); }
QString range(int low, int high)
{
    return QStringLiteral("Proszę wprowadzić liczbę całkowitą z przedziału %1 i %2.").arg(low).arg(high);
}
QString maxChars(int count) { return QStringLiteral("Proszę wprowadzić najwyżej %1 znaków.").arg(count); }
} // namespace OptionsText

QString pdfPrinterName()
{
    return QStringLiteral("PDF");
}

int findEntryBeginning(const QStringList &entries, const QString &text)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

namespace {
const QString kCeSuffix = QStringLiteral(" CE");
}

QString fontEntryText(const QString &name, int charset)
{
    return charset == kCentralEuropeanCharset ? name + kCeSuffix : name;
}

void splitFontEntry(const QString &entry, QString &name, int &charset)
{
    if (entry.endsWith(kCeSuffix)) {
        name = entry.chopped(kCeSuffix.size());
        charset = kCentralEuropeanCharset;
    } else {
        name = entry;
        charset = kDefaultCharset;
    }
}

NumberCheck fontSizeFromText(const QString &text, int stored)
{
    if (text.trimmed() == QString::number(stored))
        return NumberCheck {stored, QString()};
    return checkWholeNumber(text, 1, kMaxFontSize);
}

QStringList fontSizeEntries()
{
    return {QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"),
            QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
            QStringLiteral("22"), QStringLiteral("24")};
}

QStringList delimiterEntries()
{
    return {QStringLiteral("**"), QStringLiteral("--"), QStringLiteral("~~")};
}

NumberCheck checkWholeNumber(const QString &text, int low, int high)
{
    NumberCheck check;
    const QString t = text.trimmed();
    const qsizetype digitsFrom = (t.startsWith(u'-') || t.startsWith(u'+')) ? 1 : 0;
    const bool digits = t.size() > digitsFrom
        && std::all_of(t.begin() + digitsFrom, t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits) {
        check.error = OptionsText::wholeNumber();
        return check;
    }
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (!ok || n < low || n > high) {   // a number too long to read is out of range too
        check.error = OptionsText::range(low, high);
        return check;
    }
    check.value = int(n);
    return check;
}

namespace {

// Template indices: see kFormTemplates. The pre-printed entries show the
// drawn form whose boxes the paper form has.
constexpr FormListEntry kOrdinaryDrawn[] = {
    {"Jednowarstwowy czarno-bialy", 0},
    {"Jednowarstwowy czarno-czerwony", 1},
    {"Jednowarstwowy czerwony", 2},
    {"Jednowarstwowy A4 czarno-bialy", 3},
    {"Jednowarstwowy A4 czerwony", 4},
};
constexpr FormListEntry kOrdinaryOriginal[] = {
    {"Jednowarstwowy ", 2},
    {"Jednowarstwowy A4", 4},
    {"Samokopiujący - 4 warstwy", 2},
    {"Samokopiujący - 2 warstwy", 4},
};
constexpr FormListEntry kZusDrawn[] = {
    {"Standardowy A4", 5},
    {"Standardowy A4 czarno-biały", 6},
};
constexpr FormListEntry kZusOriginal[] = {
    {"Standardowy A4", 5},
    {"Samokopiujący - 2 warstwy", 5},
};
constexpr FormListEntry kTaxDrawn[] = {
    {"Jednowarstwowy czarno-bialy", 7},
    {"Jednowarstwowy czarno-czerwony", 8},
    {"Jednowarstwowy czerwony", 9},
    {"Jednowarstwowy A4 czarno-bialy", 10},
    {"Jednowarstwowy A4 czerwony", 11},
};
constexpr FormListEntry kTaxOriginal[] = {
    {"Jednowarstwowy ", 9},
    {"Samokopiujący - 4 warstwy", 9},
    {"Standardowy A4", 11},
};

} // namespace

std::span<const FormListEntry> formList(FormKind kind, bool original)
{
    switch (kind) {
    case FormKind::Zus: return original ? std::span<const FormListEntry>(kZusOriginal) : kZusDrawn;
    case FormKind::Tax: return original ? std::span<const FormListEntry>(kTaxOriginal) : kTaxDrawn;
    default: return original ? std::span<const FormListEntry>(kOrdinaryOriginal) : kOrdinaryDrawn;
    }
}

QStringList formListTexts(FormKind kind, bool original)
{
    QStringList texts;
    for (const FormListEntry &e : formList(kind, original))
        texts << QString::fromUtf8(e.text);
    return texts;
}

int formListPosition(FormKind kind, bool original, int stored)
{
    return (stored >= 0 && stored < int(formList(kind, original).size())) ? stored : 0;
}

std::optional<PrinterDetails> lookUpPrinter(const QString &name)
{
    if (name == pdfPrinterName())
        return PrinterDetails {};
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return std::nullopt;
    return PrinterDetails {info.makeAndModel(), QString()};
}

bool takeBackOptions(AllSettings &target, const AllSettings &edited, const PrinterLookup &lookup)
{
    GeneralSettings &g = target.general;
    bool reselect = false;
    if (edited.general.device != g.device) {
        if (const std::optional<PrinterDetails> found = lookup ? lookup(edited.general.device) : std::nullopt) {
            g.driver = found->driver;
            g.port = found->port;
            reselect = true;
        }
    }
    // The name is taken also when the printer was not found: it may come back.
    g.device = edited.general.device;
    g.autoOpen = edited.general.autoOpen;
    g.fontName = edited.general.fontName;
    g.fontCharset = edited.general.fontCharset;
    g.fontSize = edited.general.fontSize;
    g.valueDelimiter = edited.general.valueDelimiter;
    target.ordinary = edited.ordinary;
    target.zus = edited.zus;
    target.tax = edited.tax;
    return reselect;
}

QString missingFontNote(const QString &font, const QString &printedWith)
{
    return QStringLiteral("%1 — brak w systemie, drukowana będzie czcionka %2").arg(font, printedWith);
}

QString missingPrinterNote(const QString &printer, const QString &defaultPrinter)
{
    return defaultPrinter.isEmpty()
        ? QStringLiteral("%1 — brak w systemie; nie ma też drukarki domyślnej, można drukować do PDF").arg(printer)
        : QStringLiteral("%1 — brak w systemie, drukowanie na drukarce domyślnej %2").arg(printer, defaultPrinter);
}
