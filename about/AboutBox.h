#pragma once
// The about box "Kantomix 2 - informacje" (version of this build and the
// maker's contact data) and the maker-information box "Informacje o firmie".

#include <QDialog>

// A file version as the about box shows it: commas become full stops and
// blanks are removed ("1, 21, 0, 0" gives "1.21.0.0").
QString aboutVersionText(const QString &fileVersion);

class QLineEdit;

class CAboutBox : public QDialog
{
    Q_OBJECT
public:
    // `fileVersion` is the version compiled into the program.
    explicit CAboutBox(QWidget *parent = nullptr, const QString &fileVersion = QStringLiteral(KANTOMIX_VERSION));
    QString versionText() const;

private:
    QLineEdit *m_version;
};

class CAboutFirm : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutFirm(QWidget *parent = nullptr);
};
