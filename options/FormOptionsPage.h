#pragma once
// The pages of the three form kinds ("Przelew", "Przelew ZUS", "Przelew US"):
// which form is printed, whether only the text goes onto a pre-printed form,
// the kind's printing marks, the text's shift and scale, and a preview that
// follows every change before the sheet is confirmed.

#include "base/Settings.h"
#include "options/FormPreview.h"
#include "options/PageError.h"

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <optional>

class CSpinEdit;
class QCheckBox;
class QComboBox;
class QLabel;

class CFormOptionsPage : public QWidget
{
    Q_OBJECT

public:
    CFormOptionsPage(FormKind kind, QWidget *parent = nullptr);

    FormKind kind() const { return m_kind; }
    // Towards the controls, in the order: marks, numbers, form list.
    void load(const PrintSettings &settings);
    // Towards the settings: marks, the four numbers (checked), the list position
    // into the setting of the list's state; the other state's position stays.
    std::optional<PageError> save(PrintSettings &settings);

    // The print font and delimiter the preview uses.
    void setPreviewGeneral(const GeneralSettings &general);
    // The preview as the controls now stand; drawn again only after a change.
    const QImage &previewImage();
    // The preview's smallest size in pixels of the screen (a sheet of A4 fits in it).
    static int previewBox();

    QComboBox *formList() const { return m_formList; }
    QCheckBox *originalBox() const { return m_original; }
    QCheckBox *symbolBox() const { return m_symbol; }
    QCheckBox *fitInBoxBox() const { return m_fitInBox; }
    QCheckBox *noZusAccountBox() const { return m_noZusAccount; }   // ZUS page only
    QCheckBox *threeBoxesBox() const { return m_threeBoxes; }       // ZUS page only
    QCheckBox *opTypeBox() const { return m_opType; }               // tax page only
    QCheckBox *paymentQrBox() const { return m_paymentQr; }         // not on the ZUS page
    CSpinEdit *shiftX() const { return m_shiftX; }
    CSpinEdit *shiftY() const { return m_shiftY; }
    CSpinEdit *scaleX() const { return m_scaleX; }
    CSpinEdit *scaleY() const { return m_scaleY; }
    QLabel *preview() const { return m_preview; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillFormList(bool original);
    void onOriginalToggled(bool original);
    void applyZusAccountRule();
    void previewChanged();
    void updatePreview();
    // The side of the square an A4 sheet is drawn into: the shown box's shorter side.
    int previewSide() const;
    // The settings as the controls stand; a number that does not pass keeps the one shown.
    PrintSettings shownSettings() const;

    FormKind m_kind;
    PrintSettings m_settings;       // the page's copy
    PrintSettings m_shown;          // what the preview shows
    GeneralSettings m_general;
    bool m_listOriginal = false;    // which list the form list holds
    CFormPreview m_renderer;
    QImage m_image;
    bool m_stale = true;
    QTimer m_previewTimer;

    QComboBox *m_formList;
    QLabel *m_preview;
    QCheckBox *m_original;
    QCheckBox *m_symbol;
    QCheckBox *m_fitInBox;
    QCheckBox *m_noZusAccount = nullptr;
    QCheckBox *m_threeBoxes = nullptr;
    QCheckBox *m_opType = nullptr;
    QCheckBox *m_paymentQr = nullptr;
    CSpinEdit *m_shiftX;
    CSpinEdit *m_shiftY;
    CSpinEdit *m_scaleX;
    CSpinEdit *m_scaleY;
};

class CStdOptionsPage : public CFormOptionsPage
{
    Q_OBJECT
public:
    explicit CStdOptionsPage(QWidget *parent = nullptr) : CFormOptionsPage(FormKind::Ordinary, parent) {}
};

class CZUSOptionsPage : public CFormOptionsPage
{
    Q_OBJECT
public:
    explicit CZUSOptionsPage(QWidget *parent = nullptr) : CFormOptionsPage(FormKind::Zus, parent) {}
};

class CTaxOptionsPage : public CFormOptionsPage
{
    Q_OBJECT
public:
    explicit CTaxOptionsPage(QWidget *parent = nullptr) : CFormOptionsPage(FormKind::Tax, parent) {}
};
