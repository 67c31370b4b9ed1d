#pragma once
// COptionsDlg: the page "Ogólne" of the options sheet: default printer, print
// font and size, the amount delimiter and opening the last file at start.

#include "base/Settings.h"
#include "options/PageError.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;

class COptionsDlg : public QWidget
{
    Q_OBJECT

public:
    explicit COptionsDlg(QWidget *parent = nullptr);

    // Towards the controls, with the printer and font lists to offer.
    void load(const GeneralSettings &settings, const QStringList &printers, const QStringList &fonts);
    // Towards the settings; the delimiter is refused when too long.
    std::optional<PageError> save(GeneralSettings &settings) const;

    // Installed printers sorted without regard to case, with the PDF writer.
    static QStringList printerEntries();

    QComboBox *printerList() const { return m_printer; }
    QComboBox *fontList() const { return m_font; }
    QComboBox *sizeBox() const { return m_size; }
    QComboBox *delimiterBox() const { return m_delimiter; }
    QCheckBox *autoOpenBox() const { return m_autoOpen; }
    // Under a list whose stored entry this machine lacks: what happens instead.
    QLabel *printerNote() const { return m_printerNote; }
    QLabel *fontNote() const { return m_fontNote; }

private:
    QComboBox *m_printer;
    QComboBox *m_font;
    QComboBox *m_size;
    QComboBox *m_delimiter;
    QCheckBox *m_autoOpen;
    QLabel *m_printerNote;
    QLabel *m_fontNote;
};
