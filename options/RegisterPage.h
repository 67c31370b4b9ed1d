#pragma once
// CRegisterPage: the page "Rejestr" of the options sheet: where the
// counterparty register lives (the file on this computer or an office's
// PostgreSQL server), with a connection check and the one-time copy of the
// file's register to the server. The page knows no register: the two
// actions are handed in by the application and answer with a text the page
// shows under its buttons.

#include "base/Settings.h"
#include "options/PageError.h"

#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class CRegisterPage : public QWidget
{
    Q_OBJECT

public:
    using Action = std::function<QString(const RegisterSettings &)>;

    explicit CRegisterPage(QWidget *parent = nullptr);

    void load(const RegisterSettings &settings, const QString &filePath);
    // A server without a database name is refused.
    std::optional<PageError> save(RegisterSettings &settings) const;
    void setActions(Action check, Action copyToServer);

    QRadioButton *fileButton() const { return m_file; }
    QRadioButton *serverButton() const { return m_server; }
    QLineEdit *hostEdit() const { return m_host; }
    QSpinBox *portBox() const { return m_port; }
    QLineEdit *databaseEdit() const { return m_database; }
    QLineEdit *userEdit() const { return m_user; }
    QPushButton *checkButton() const { return m_check; }
    QPushButton *copyButton() const { return m_copy; }
    QLabel *statusLabel() const { return m_status; }

private:
    void updateEnabled();
    void run(const Action &action);

    QRadioButton *m_file;
    QLabel *m_filePath;
    QRadioButton *m_server;
    QLineEdit *m_host;
    QSpinBox *m_port;
    QLineEdit *m_database;
    QLineEdit *m_user;
    QPushButton *m_check;
    QPushButton *m_copy;
    QLabel *m_status;
    Action m_checkAction;
    Action m_copyAction;
};
