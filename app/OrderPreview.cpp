#include "app/OrderPreview.h"

#include "base/Settings.h"
#include "model/KantomixDoc.h"
#include "print/FormPages.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kGap = 16;                      // pixels around and between sheets
constexpr double kMinPixelsPerMm = 0.2;
constexpr double kMaxPixelsPerMm = 12.0;
constexpr int kImageCacheKiB = 96 * 1024;     // drawn sheets kept while scrolling

const QString kPreviewPagesKey = QStringLiteral("Settings/PreviewPages");

} // namespace

COrderPreviewPages::COrderPreviewPages(CFormPrinter &forms, QPrinter &printer, const CKantomixDoc &doc,
                                       const OrderPrintRequest &request)
    : m_forms(forms), m_printer(printer), m_doc(doc), m_request(request),
      m_fallback(printer.pageLayout().orientation())
{
    if (!request.blank)
        m_request.rows.removeIf([&doc](int row) { return row < 0 || row >= doc.count(); });
    const int pages = m_request.pageCount();
    m_plans.reserve(size_t(std::max(0, pages)));
    for (int page = 0; page < pages; ++page)
        m_plans.push_back(m_forms.plan(orderOf(page), m_request.blank, m_request.blankKind));
}

QPageLayout::Orientation COrderPreviewPages::orientation(int page) const
{
    const std::optional<PagePlan> &plan = m_plans[size_t(page)];
    return plan ? plan->orientation : m_fallback;
}

const CPrzelewDane &COrderPreviewPages::orderOf(int page) const
{
    static const CPrzelewDane blank;
    return m_request.blank ? blank : m_doc.at(m_request.rows[page]);
}

QSizeF COrderPreviewPages::sheetMm(int page) const
{
    QPageLayout layout = m_printer.pageLayout();
    layout.setOrientation(orientation(page));
    return layout.fullRect(QPageLayout::Millimeter).size();
}

QImage COrderPreviewPages::render(int page, double pixelsPerMm) const
{
    const QSizeF mm = sheetMm(page);
    QImage image(std::max(1, qRound(mm.width() * pixelsPerMm)), std::max(1, qRound(mm.height() * pixelsPerMm)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    // Fonts are sized in points for the printer's resolution, as on paper.
    const int dpi = m_printer.resolution();
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));

    // The printer is the model of the sheet: the page set-up turns it as it
    // turns it for printing, and its printable area places the drawing.
    m_printer.setPageOrientation(orientation(page));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const double scale = pixelsPerMm * 25.4 / dpi;
    painter.scale(scale, scale);
    const QRect paint = m_printer.pageLayout().paintRectPixels(dpi);
    const QRect full = m_printer.pageLayout().fullRectPixels(dpi);
    painter.translate(paint.left() - full.left(), paint.top() - full.top());

    if (const std::optional<PagePlan> &plan = m_plans[size_t(page)]) {
        m_forms.engine().Print(*plan, PageTarget(m_printer, &painter), orderOf(page));
    }
    return image;
}

CPreviewSheets::CPreviewSheets(const COrderPreviewPages &pages, QWidget *parent)
    : QAbstractScrollArea(parent), m_pages(pages), m_images(kImageCacheKiB)
{
    setObjectName(QStringLiteral("previewSheets"));
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    layoutSheets();
}

void CPreviewSheets::setFacing(bool facing)
{
    if (m_facing == facing)
        return;
    m_facing = facing;
    applyFit();
}

void CPreviewSheets::zoomBy(double factor)
{
    const int page = currentPage();
    m_fit = Fit::None;
    m_pixelsPerMm = std::clamp(m_pixelsPerMm * factor, kMinPixelsPerMm, kMaxPixelsPerMm);
    layoutSheets();
    showPage(page);
}

void CPreviewSheets::fitWidth()
{
    m_fit = Fit::Width;
    applyFit();
}

void CPreviewSheets::fitPage()
{
    m_fit = Fit::Page;
    applyFit();
}

void CPreviewSheets::applyFit()
{
    const int page = currentPage();
    if (m_fit != Fit::None && m_pages.count() > 0) {
        // The largest sheet of the request decides.
        double widest = 0, tallest = 0;
        for (QPageLayout::Orientation o : {QPageLayout::Portrait, QPageLayout::Landscape}) {
            for (int p = 0; p < m_pages.count(); ++p) {
                if (m_pages.orientation(p) != o)
                    continue;
                const QSizeF mm = m_pages.sheetMm(p);
                widest = std::max(widest, mm.width());
                tallest = std::max(tallest, mm.height());
                break;
            }
        }
        const int columns = m_facing ? 2 : 1;
        const double room = viewport()->width() - kGap * (columns + 1);
        double ppm = room / (widest * columns);
        if (m_fit == Fit::Page)
            ppm = std::min(ppm, (viewport()->height() - 2.0 * kGap) / tallest);
        m_pixelsPerMm = std::clamp(ppm, kMinPixelsPerMm, kMaxPixelsPerMm);
    }
    layoutSheets();
    showPage(page);
}

void CPreviewSheets::layoutSheets()
{
    m_images.clear();
    m_rects.assign(size_t(m_pages.count()), QRect());
    const int columns = m_facing ? 2 : 1;
    int y = kGap;
    int widestRow = 0;
    for (int first = 0; first < m_pages.count(); first += columns) {
        const int last = std::min(first + columns, m_pages.count());
        int x = kGap, rowHeight = 0;
        for (int p = first; p < last; ++p) {
            const QSizeF mm = m_pages.sheetMm(p);
            const QSize size(qRound(mm.width() * m_pixelsPerMm), qRound(mm.height() * m_pixelsPerMm));
            m_rects[size_t(p)] = QRect(QPoint(x, y), size);
            x += size.width() + kGap;
            rowHeight = std::max(rowHeight, size.height());
        }
        widestRow = std::max(widestRow, x);
        y += rowHeight + kGap;
    }
    m_contentSize = QSize(widestRow, y);
    // Rows narrower than the widest are centred.
    for (int first = 0; first < m_pages.count(); first += columns) {
        const int last = std::min(first + columns, m_pages.count());
        const int rowWidth = m_rects[size_t(last - 1)].right() + 1 + kGap;
        for (int p = first; p < last; ++p)
            m_rects[size_t(p)].translate((widestRow - rowWidth) / 2, 0);
    }
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_contentSize.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, m_contentSize.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
    viewport()->update();
}

int CPreviewSheets::currentPage() const
{
    const int top = verticalScrollBar()->value() + viewport()->height() / 3;
    for (int p = 0; p < int(m_rects.size()); ++p)
        if (m_rects[size_t(p)].bottom() + kGap >= top)
            return p;
    return std::max(0, int(m_rects.size()) - 1);
}

void CPreviewSheets::showPage(int page)
{
    if (page < 0 || page >= int(m_rects.size()))
        return;
    verticalScrollBar()->setValue(m_rects[size_t(page)].top() - kGap);
    viewport()->update();
    Q_EMIT currentPageChanged(currentPage());
}

void CPreviewSheets::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    // Centred when the view is wider than the sheets.
    const int shiftX = std::max(0, (viewport()->width() - m_contentSize.width()) / 2);
    const QRect seen = event->rect().translated(offset - QPoint(shiftX, 0));
    // Sheets lie in rows from top to bottom: the first one in sight is found by halving.
    auto first = std::lower_bound(m_rects.begin(), m_rects.end(), seen.top(),
                                  [](const QRect &r, int y) { return r.bottom() < y - kGap * 2; });
    // Side by side, a shorter sheet may precede a taller one of the same row.
    if (first != m_rects.begin())
        --first;
    for (auto it = first; it != m_rects.end() && it->top() <= seen.bottom(); ++it) {
        if (!it->intersects(seen))
            continue;
        const int page = int(it - m_rects.begin());
        const QRect at = it->translated(QPoint(shiftX, 0) - offset);
        painter.fillRect(at.translated(3, 3), QColor(0, 0, 0, 90));
        QImage *image = m_images.object(page);
        if (!image) {
            image = new QImage(m_pages.render(page, m_pixelsPerMm));
            m_images.insert(page, image, std::max<qsizetype>(1, image->sizeInBytes() / 1024));
            image = m_images.object(page);
        }
        if (image)
            painter.drawImage(at.topLeft(), *image);
        else
            painter.drawImage(at.topLeft(), m_pages.render(page, m_pixelsPerMm));
    }
}

void CPreviewSheets::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    applyFit();
}

void CPreviewSheets::scrollContentsBy(int, int)
{
    viewport()->update();
    Q_EMIT currentPageChanged(currentPage());
}

COrderPreviewDlg::COrderPreviewDlg(CFormPrinter &forms, QPrinter &printer, const CKantomixDoc &doc,
                                   const OrderPrintRequest &request, std::function<bool()> print, QWidget *parent)
    : QDialog(parent),
      m_pages(forms, printer, doc, request),
      m_sheets(new CPreviewSheets(m_pages, this)),
      m_pageLabel(new QLabel(this)),
      m_print(std::move(print))
{
    setObjectName(QStringLiteral("COrderPreviewDlg"));
    setWindowTitle(QStringLiteral("Podgląd wydruku"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    auto *bar = new QToolBar(this);
    // Icons where the theme has them, texts where it has not; the texts are tool tips too.
    bar->setToolButtonStyle(Qt::ToolButtonFollowStyle);
    auto icon = [](const char *name) { return QIcon::fromTheme(QLatin1String(name)); };
    QAction *printAction = bar->addAction(icon("document-print"), QStringLiteral("&Drukuj..."));
    printAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    bar->addSeparator();
    QAction *previous = bar->addAction(icon("go-previous"), QStringLiteral("&Poprzednia"));
    previous->setShortcut(QKeySequence(Qt::Key_PageUp));
    bar->addWidget(m_pageLabel);
    QAction *next = bar->addAction(icon("go-next"), QStringLiteral("&Następna"));
    next->setShortcut(QKeySequence(Qt::Key_PageDown));
    bar->addSeparator();
    QAction *zoomIn = bar->addAction(icon("zoom-in"), QStringLiteral("Po&większ"));
    zoomIn->setShortcuts({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    QAction *zoomOut = bar->addAction(icon("zoom-out"), QStringLiteral("Po&mniejsz"));
    zoomOut->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
    QAction *fitWidth = bar->addAction(icon("zoom-fit-width"), QStringLiteral("Do &szerokości"));
    QAction *fitPage = bar->addAction(icon("zoom-fit-best"), QStringLiteral("&Cała strona"));
    bar->addSeparator();
    auto *pagesShown = new QActionGroup(this);
    QAction *single = bar->addAction(QStringLiteral("&Jedna strona"));
    QAction *facing = bar->addAction(QStringLiteral("Dw&ie strony"));
    for (QAction *a : {single, facing}) {
        a->setCheckable(true);
        pagesShown->addAction(a);
    }
    bar->addSeparator();
    QAction *close = bar->addAction(icon("window-close"), QStringLiteral("&Zamknij"));

    connect(printAction, &QAction::triggered, this, [this] {
        if (m_print && m_print())
            accept();
    });
    connect(previous, &QAction::triggered, this, [this] { m_sheets->showPage(m_sheets->currentPage() - 1); });
    connect(next, &QAction::triggered, this, [this] { m_sheets->showPage(m_sheets->currentPage() + 1); });
    connect(zoomIn, &QAction::triggered, this, [this] { m_sheets->zoomBy(1.25); });
    connect(zoomOut, &QAction::triggered, this, [this] { m_sheets->zoomBy(1 / 1.25); });
    connect(fitWidth, &QAction::triggered, m_sheets, &CPreviewSheets::fitWidth);
    connect(fitPage, &QAction::triggered, m_sheets, &CPreviewSheets::fitPage);
    connect(facing, &QAction::toggled, m_sheets, &CPreviewSheets::setFacing);
    connect(close, &QAction::triggered, this, &QDialog::reject);
    connect(m_sheets, &CPreviewSheets::currentPageChanged, this, &COrderPreviewDlg::updatePageLabel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_sheets, 1);

    // One page or two side by side, as the preview showed last time.
    const bool facingStored = openSettingsStore()->value(kPreviewPagesKey, 1).toInt() == 2;
    (facingStored ? facing : single)->setChecked(true);
    m_sheets->setFacing(facingStored);
    connect(this, &QDialog::finished, this, [this] {
        openSettingsStore()->setValue(kPreviewPagesKey, m_sheets->facing() ? 2 : 1);
    });
    updatePageLabel();
    resize(900, 700);
    m_sheets->setFocus();
}

void COrderPreviewDlg::updatePageLabel()
{
    m_pageLabel->setText(QStringLiteral(" Strona %1 z %2 ")
                             .arg(m_pages.count() ? m_sheets->currentPage() + 1 : 0)
                             .arg(m_pages.count()));
}
