#pragma once
// The picture of a form kind's page on the options sheet: a sample order put
// through the same page set-up and field layouts as printing, onto a small
// image. For a pre-printed form the paper form is drawn faintly under the
// text, where its boxes stand, so a shift or scale can be judged.

#include "base/Settings.h"
#include "print/FormPages.h"

#include <QBuffer>
#include <QImage>
#include <map>
#include <memory>

class CPrzelewDane;
class CTemplatePicture;
class QPainter;
class QPdfWriter;

class CFormPreview
{
public:
    explicit CFormPreview(FormKind kind);
    ~CFormPreview();
    CFormPreview(const CFormPreview &) = delete;
    CFormPreview &operator=(const CFormPreview &) = delete;

    // The whole sheet at `dpi` image pixels per inch.
    QImage render(const PrintSettings &settings, const GeneralSettings &general, int dpi);

    // The order shown on the preview of a kind.
    static CPrzelewDane sampleOrder(FormKind kind);

private:
    void drawPaperForm(QPainter &painter, const PrintSettings &settings, int dpi);

    FormKind m_kind;
    AllSettings m_settings;                 // what m_printer reads
    CFormPrinter m_printer {m_settings};
    QBuffer m_nowhere;                      // the geometry device never prints
    std::unique_ptr<QPdfWriter> m_geometry; // page size, orientation and resolution
    std::map<int, std::unique_ptr<CTemplatePicture>> m_paperForms;
};
