#pragma once
// A PDF written page by page onto a device the caller owns (the batch's
// guarded output). Drawings shared by many pages (form templates) are
// written once as form objects and placed on each page by reference; the
// fonts are embedded once per document, cut down to the glyphs used.
// Page contents are in the device pixels of a 1200 dpi sheet, y down, as
// the print engine maps them on a QPdfWriter.

#include <QByteArray>
#include <QHash>
#include <QPageLayout>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <memory>
#include <vector>

class QIODevice;
class PdfContent;
class PdfEmbeddedFont;

class PdfDocument
{
public:
    static constexpr int kDpi = 1200;

    explicit PdfDocument(QIODevice *out);
    ~PdfDocument();
    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    void setTitle(const QString &title) { m_title = title; }
    void setCreator(const QString &creator) { m_creator = creator; }

    // The sheet of the next page started: A4, no margins.
    QPageLayout pageLayout() const { return m_layout; }
    void setPageOrientation(QPageLayout::Orientation orientation);

    // Ends the open page, if any, and starts one. False once a write failed.
    bool newPage();
    bool pageOpen() const { return m_page != nullptr; }
    // The open page's content; only while a page is open.
    PdfContent &page() { return *m_page; }

    // Shared drawings: the number of the form recorded under `key`, or -1.
    int form(const void *key) const { return m_forms.value(key, -1); }
    // Writes a drawing made in its own units, `box` being its extent; the
    // number to place it with.
    int addForm(const void *key, const QRectF &box, const PdfContent &content);

    // The resource name of a font for text drawn in it.
    int fontIndex(const QRawFont &font);
    PdfEmbeddedFont &font(int index) { return *m_fonts[size_t(index)]; }

    // Ends the last page and writes the fonts and the document's tables.
    // False when a byte did not reach the device.
    bool finish();
    bool failed() const { return m_failed; }

private:
    int reserveObject() { m_offsets.push_back(-1); return int(m_offsets.size()) - 1; }
    void beginObject(QByteArray &out, int number);
    void appendStream(QByteArray &out, const QByteArray &dictionary, const QByteArray &data);
    void write(const QByteArray &bytes);
    void writeHeader();
    void endPage();
    // Writes the objects of a used font; the number of its Type0 font.
    int writeFont(size_t index);
    // The font dictionary, the resources, the page tree, the catalog and the information.
    void appendDocumentObjects(QByteArray &out, const QByteArray &fontDict);
    int faceIndex(const QRawFont &font);

    QIODevice *m_out;
    qint64 m_written = 0;
    bool m_failed = false;
    bool m_finished = false;
    std::vector<qint64> m_offsets {0};  // object 0 is the free list's head
    int m_catalog, m_pages, m_pageResources, m_formResources, m_fontDict, m_info;
    std::vector<int> m_pageObjects;
    QPageLayout m_layout;
    QRectF m_mediaBox;
    std::unique_ptr<PdfContent> m_page;
    QHash<const void *, int> m_forms;
    std::vector<int> m_formObjects;
    QHash<QString, int> m_fontByFace;
    std::vector<std::pair<QRawFont, int>> m_recentFonts;
    std::vector<std::unique_ptr<PdfEmbeddedFont>> m_fonts;
    QString m_title, m_creator;
};
