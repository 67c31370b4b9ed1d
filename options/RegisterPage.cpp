#include "options/RegisterPage.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <typename W>
W *named(W *widget, const char *objectName)
{
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

QLineEdit *edit(QWidget *parent, const char *objectName)
{
    auto *e = named(new QLineEdit(parent), objectName);
    e->setMinimumWidth(e->fontMetrics().averageCharWidth() * 30);
    return e;
}

} // namespace

CRegisterPage::CRegisterPage(QWidget *parent)
    : QWidget(parent),
      m_file(named(new QRadioButton(QStringLiteral("&Plik na tym komputerze"), this), "registerFile")),
      m_filePath(named(new QLabel(this), "registerFilePath")),
      m_server(named(new QRadioButton(QStringLiteral("Serwer Post&greSQL, wspólny dla biura"), this), "registerServer")),
      m_host(edit(this, "registerHost")),
      m_port(named(new QSpinBox(this), "registerPort")),
      m_database(edit(this, "registerDatabase")),
      m_user(edit(this, "registerUser")),
      m_check(named(new QPushButton(QStringLiteral("Sprawdź połą&czenie"), this), "checkConnection")),
      m_copy(named(new QPushButton(QStringLiteral("&Kopiuj rejestr na serwer"), this), "copyToServer")),
      m_status(named(new QLabel(this), "registerStatus"))
{
    m_port->setRange(1, 65535);
    m_filePath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_filePath->setIndent(20);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_host->setPlaceholderText(QStringLiteral("ten komputer"));
    m_user->setPlaceholderText(QStringLiteral("nazwa logowania"));

    auto *form = new QFormLayout;
    form->setContentsMargins(20, 0, 0, 0);
    const auto row = [&](const char *label, QWidget *field) {
        auto *l = new QLabel(QString::fromUtf8(label), this);
        l->setBuddy(field);
        form->addRow(l, field);
    };
    row("&Adres serwera:", m_host);
    row("P&ort:", m_port);
    row("&Baza danych:", m_database);
    row("&Użytkownik:", m_user);
    auto *password = new QLabel(QStringLiteral("Hasło nie jest zapisywane w ustawieniach: program bierze je z pliku "
                                               "~/.pgpass lub ze zmiennej PGPASSWORD, a gdy go tam nie ma, pyta o nie "
                                               "raz na uruchomienie."),
                                this);
    password->setWordWrap(true);
    form->addRow(password);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_check);
    buttons->addWidget(m_copy);
    buttons->addStretch();

    auto *top = new QVBoxLayout(this);
    top->addWidget(m_file);
    top->addWidget(m_filePath);
    top->addWidget(m_server);
    top->addLayout(form);
    top->addLayout(buttons);
    top->addWidget(m_status);
    top->addStretch();

    connect(m_file, &QRadioButton::toggled, this, &CRegisterPage::updateEnabled);
    connect(m_check, &QPushButton::clicked, this, [this] { run(m_checkAction); });
    connect(m_copy, &QPushButton::clicked, this, [this] { run(m_copyAction); });
}

void CRegisterPage::load(const RegisterSettings &settings, const QString &filePath)
{
    (settings.onServer ? m_server : m_file)->setChecked(true);
    m_filePath->setText(filePath);
    m_host->setText(settings.host);
    m_port->setValue(settings.port);
    m_database->setText(settings.database);
    m_user->setText(settings.user);
    updateEnabled();
}

std::optional<PageError> CRegisterPage::save(RegisterSettings &settings) const
{
    if (m_server->isChecked() && m_database->text().trimmed().isEmpty())
        return PageError {QStringLiteral("Proszę podać nazwę bazy danych na serwerze."), m_database};
    settings.onServer = m_server->isChecked() ? 1 : 0;
    settings.host = m_host->text().trimmed();
    settings.port = m_port->value();
    settings.database = m_database->text().trimmed();
    settings.user = m_user->text().trimmed();
    return std::nullopt;
}

void CRegisterPage::setActions(Action check, Action copyToServer)
{
    m_checkAction = std::move(check);
    m_copyAction = std::move(copyToServer);
    updateEnabled();
}

void CRegisterPage::updateEnabled()
{
    const bool server = m_server->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(m_host), static_cast<QWidget *>(m_port),
                       static_cast<QWidget *>(m_database), static_cast<QWidget *>(m_user)})
        w->setEnabled(server);
    m_check->setEnabled(bool(m_checkAction));
    m_copy->setEnabled(server && m_copyAction);
}

void CRegisterPage::run(const Action &action)
{
    RegisterSettings edited;
    if (const std::optional<PageError> error = save(edited)) {
        m_status->setText(error->message);
        error->field->setFocus(Qt::OtherFocusReason);
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString answer = action(edited);
    QGuiApplication::restoreOverrideCursor();
    m_status->setText(answer);
}
