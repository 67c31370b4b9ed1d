#pragma once
// The print preview of the list's print commands. Every page is shown on a
// sheet of its own orientation (a landscape form on a landscape sheet beside
// portrait ones), drawn by the same page sequence as the printout, and only
// the pages in sight are drawn.

#include "app/OrderPrinting.h"
#include "print/PagePlan.h"

#include <QAbstractScrollArea>
#include <QCache>
#include <QDialog>
#include <QImage>
#include <QPageLayout>
#include <functional>
#include <optional>
#include <vector>

class CFormPrinter;
class CKantomixDoc;
class CPrzelewDane;
class QLabel;
class QPrinter;

// The pages of one request as the printer would print them.
class COrderPreviewPages
{
public:
    COrderPreviewPages(CFormPrinter &forms, QPrinter &printer, const CKantomixDoc &doc,
                       const OrderPrintRequest &request);

    int count() const { return int(m_plans.size()); }
    QPageLayout::Orientation orientation(int page) const;
    // The sheet of the page in millimetres, turned as the page is.
    QSizeF sheetMm(int page) const;
    // Draws the page on a white sheet, `pixelsPerMm` image pixels a millimetre.
    QImage render(int page, double pixelsPerMm) const;

private:
    const CPrzelewDane &orderOf(int page) const;

    CFormPrinter &m_forms;
    QPrinter &m_printer;
    const CKantomixDoc &m_doc;
    OrderPrintRequest m_request;
    std::vector<std::optional<PagePlan>> m_plans;      // none: an order of no known kind
    QPageLayout::Orientation m_fallback;                // such a page's turn: the printer's
};

// The scrolling sheets: one under another, or two side by side.
class CPreviewSheets : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit CPreviewSheets(const COrderPreviewPages &pages, QWidget *parent = nullptr);

    void setFacing(bool facing);
    bool facing() const { return m_facing; }
    void zoomBy(double factor);
    void fitWidth();
    void fitPage();
    double pixelsPerMm() const { return m_pixelsPerMm; }
    // The page whose sheet is nearest the top of the view (from 0).
    int currentPage() const;
    void showPage(int page);
    // Where the page's sheet lies, in content coordinates.
    QRect sheetRect(int page) const { return m_rects[size_t(page)]; }

Q_SIGNALS:
    void currentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class Fit { None, Width, Page };
    void layoutSheets();
    void applyFit();

    const COrderPreviewPages &m_pages;
    std::vector<QRect> m_rects;
    QSize m_contentSize;
    double m_pixelsPerMm = 2.0;
    bool m_facing = false;
    Fit m_fit = Fit::Page;
    mutable QCache<int, QImage> m_images;
};

class COrderPreviewDlg : public QDialog
{
    Q_OBJECT
public:
    // `print` runs the print command of the same request; true when it printed.
    COrderPreviewDlg(CFormPrinter &forms, QPrinter &printer, const CKantomixDoc &doc,
                     const OrderPrintRequest &request, std::function<bool()> print, QWidget *parent = nullptr);

    const COrderPreviewPages &pages() const { return m_pages; }
    CPreviewSheets *sheets() const { return m_sheets; }

private:
    void updatePageLabel();

    COrderPreviewPages m_pages;
    CPreviewSheets *m_sheets;
    QLabel *m_pageLabel;
    std::function<bool()> m_print;
};
