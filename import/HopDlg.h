#pragma once
// CHopDlg: "Import danych o kontrahentach" asks for the source program and
// its folder, checks the folder, and on OK runs CHop into the register and
// shows the counts. A register that cannot be opened is named and the
// dialog stays as filled in.

#include "register/RegisterLocation.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

class CHopDlg : public QDialog
{
    Q_OBJECT

public:
    CHopDlg(const RegisterLocation &where, QWidget *parent = nullptr);

    int source() const;
    void setSource(int source);
    QString path() const;
    void setPath(const QString &path);

public Q_SLOTS:
    void onBrowse();
    void accept() override;

private:
    void showMessage(const QString &text, bool error);

    RegisterLocation m_where;
    QRadioButton *m_sources[4];
    QLineEdit *m_path;
    QPushButton *m_browse;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_help;
};
