#include "about/AboutBox.h"

#include "base/AppIdentity.h"

#include "about/MakerData.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {

QString u8(const char *text) { return QString::fromUtf8(text); }

// A picture of the resources drawn at its own size.
QLabel *picture(const QString &resource, QWidget *parent)
{
    QSvgRenderer renderer(resource);
    const qreal ratio = parent->devicePixelRatioF();
    QPixmap pm(renderer.defaultSize() * ratio);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    renderer.render(&p);
    p.end();
    pm.setDevicePixelRatio(ratio);
    auto *label = new QLabel(parent);
    label->setPixmap(pm);
    label->setFixedSize(renderer.defaultSize());
    return label;
}

// The banner across the top, as wide as the box, cut rather than distorted.
class CBanner : public QWidget
{
public:
    explicit CBanner(QWidget *parent) : QWidget(parent), m_svg(QStringLiteral(":/about/banner.svg"))
    {
        m_svg.setAspectRatioMode(Qt::KeepAspectRatioByExpanding);
        setFixedHeight(m_svg.defaultSize().height());
        setMinimumWidth(m_svg.defaultSize().width());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        m_svg.render(&p, rect());
    }

private:
    QSvgRenderer m_svg;
};

QFrame *rule(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLineEdit *readOnlyEdit(const QString &text, const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("(00) 000 00 00  ")));
    return edit;
}

// The rows of one column of contacts: a label and its datum.
struct ContactRow
{
    const char *label;
    const char *value;
    const char *objectName;     // nullptr: shown as a static text
};

} // namespace

QString aboutVersionText(const QString &fileVersion)
{
    QString text = fileVersion;
    text.replace(u',', u'.');
    text.remove(u' ');
    return text;
}

CAboutBox::CAboutBox(QWidget *parent, const QString &fileVersion) : QDialog(parent)
{
    setObjectName(QStringLiteral("CAboutBox"));
    setWindowTitle(programTitle() + QStringLiteral(" - informacje"));

    auto *banner = new CBanner(this);

    m_version = readOnlyEdit(aboutVersionText(fileVersion), "version", this);
    auto *versionRow = new QHBoxLayout;
    versionRow->addWidget(new QLabel(QStringLiteral("Wersja:"), this));
    versionRow->addWidget(m_version);
    versionRow->addStretch();

    static constexpr ContactRow kPhones[] = {
        {"• sekretariat:", Maker::PhoneSecretariat, "phoneSecretariat"},
        {"• dział handlowy:", Maker::PhoneSales, "phoneSales"},
        {"• pomoc techniczna:", Maker::PhoneSupport, "phoneSupport"},
        {"Faks:", Maker::Fax, "fax"},
    };
    static constexpr ContactRow kMail[] = {
        {"• sekretariat:", Maker::MailSecretariat, nullptr},
        {"• dział handlowy:", Maker::MailSales, nullptr},
        {"WWW:", Maker::Web, nullptr},
    };
    auto column = [this](const char *title, const auto &rows) {
        auto *grid = new QGridLayout;
        auto *heading = new QLabel(u8(title), this);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, 0, 0, 1, 2);
        int r = 1;
        for (const ContactRow &row : rows) {
            grid->addWidget(new QLabel(u8(row.label), this), r, 0);
            if (row.objectName) {
                grid->addWidget(readOnlyEdit(u8(row.value), row.objectName, this), r, 1);
            } else {
                auto *value = new QLabel(u8(row.value), this);
                value->setTextInteractionFlags(Qt::TextSelectableByMouse);
                grid->addWidget(value, r, 1);
            }
            ++r;
        }
        grid->setRowStretch(r, 1);
        return grid;
    };
    auto *contacts = new QHBoxLayout;
    contacts->addLayout(column("Telefony", kPhones));
    contacts->addSpacing(24);
    contacts->addLayout(column("E-mail", kMail));

    auto *address = new QLabel(u8(Maker::AddressLine), this);
    address->setObjectName(QStringLiteral("makerAddress"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(12, 8, 12, 12);
    body->addLayout(versionRow);
    body->addWidget(rule(this));
    body->addWidget(address);
    body->addLayout(contacts);
    body->addWidget(rule(this));
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(u8(Maker::BottomLine), this));
    bottom->addStretch();
    bottom->addWidget(buttons);
    body->addLayout(bottom);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(banner);
    layout->addLayout(body);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutBox::versionText() const { return m_version->text(); }

CAboutFirm::CAboutFirm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("CAboutFirm"));
    setWindowTitle(QStringLiteral("Informacje o firmie"));

    QLabel *logo = picture(QStringLiteral(":/about/logo.svg"), this);
    auto *firm = new QLabel(u8(Maker::Name) + u'\n' + u8(Maker::Street) + u'\n' + u8(Maker::City) + u'\n'
                                + u8(Maker::TaxId),
                            this);
    auto *close = new QPushButton(QStringLiteral("Zamknij"), this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addWidget(firm, 1, Qt::AlignTop);
    top->addWidget(close, 0, Qt::AlignTop);

    static constexpr ContactRow kRows[] = {
        {"Telefony:", nullptr, nullptr},
        {"sekretariat:", Maker::PhoneSecretariat, nullptr},
        {"dział handlowy:", Maker::PhoneSales, nullptr},
        {"pomoc techniczna:", Maker::PhoneSupport, nullptr},
        {"Faks:", Maker::Fax, nullptr},
        {"E-mail:", nullptr, nullptr},
        {"sekretariat:", Maker::MailSecretariat, nullptr},
        {"dział handlowy:", Maker::MailSales, nullptr},
        {"WWW:", Maker::Web, nullptr},
    };
    auto *grid = new QGridLayout;
    int r = 0;
    for (const ContactRow &row : kRows) {
        if (!row.value) {
            auto *heading = new QLabel(u8(row.label), this);
            QFont bold = heading->font();
            bold.setBold(true);
            heading->setFont(bold);
            grid->addWidget(heading, r++, 0, 1, 2);
            continue;
        }
        grid->addWidget(new QLabel(u8(row.label), this), r, 0);
        grid->addWidget(new QLabel(u8(row.value), this), r++, 1);
    }
    grid->setColumnMinimumWidth(0, 24);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
