#include "print/PdfDocument.h"

#include "print/PdfContent.h"
#include "print/PdfFont.h"

#include <QIODevice>
#include <QtEndian>
#include <QPageSize>
#include <QRawFont>

namespace {

// Fast enough for content of thousands of pages, small enough: a page of
// text compresses to a fifth at level 1 as well as at 6.
constexpr int kPageCompression = 1;

QByteArray deflated(const QByteArray &data, int level)
{
    // qCompress puts the uncompressed length before the zlib stream.
    return qCompress(data, level).mid(4);
}

// A text string in UTF-16 with its byte order mark, as hex.
QByteArray textString(const QString &text)
{
    QByteArray out("<FEFF");
    for (QChar c : text)
        out += QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    return out + '>';
}

QByteArray ref(int object)
{
    return QByteArray::number(object) + " 0 R";
}

} // namespace

PdfDocument::PdfDocument(QIODevice *out)
    : m_out(out), m_layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF())
{
    m_catalog = reserveObject();
    m_pages = reserveObject();
    m_pageResources = reserveObject();
    m_formResources = reserveObject();
    m_fontDict = reserveObject();
    m_info = reserveObject();
}

PdfDocument::~PdfDocument() = default;

void PdfDocument::setPageOrientation(QPageLayout::Orientation orientation)
{
    m_layout.setOrientation(orientation);
}

void PdfDocument::writeHeader()
{
    if (m_written == 0)
        write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

void PdfDocument::write(const QByteArray &bytes)
{
    if (m_failed)
        return;
    if (m_out->write(bytes) != bytes.size())
        m_failed = true;
    m_written += bytes.size();
}

void PdfDocument::beginObject(QByteArray &out, int number)
{
    m_offsets[size_t(number)] = m_written + out.size();
    out += QByteArray::number(number) + " 0 obj\n";
}

void PdfDocument::appendStream(QByteArray &out, const QByteArray &dictionary, const QByteArray &data)
{
    out += "<<" + dictionary + " /Length " + QByteArray::number(data.size()) + ">>\nstream\n";
    out += data;
    out += "\nendstream\nendobj\n";
}

bool PdfDocument::newPage()
{
    endPage();
    // Nothing is written before the first page: a job without pages leaves
    // its output untouched.
    writeHeader();
    if (m_failed)
        return false;
    m_mediaBox = m_layout.fullRectPoints();
    m_page = std::make_unique<PdfContent>(*this);
    // Device pixels of the sheet, y down, onto PDF points.
    const double scale = 72.0 / kDpi;
    m_page->num(scale).append("0 0 ");
    m_page->num(-scale).append("0 ");
    m_page->num(m_mediaBox.height()).append("cm\n");
    return true;
}

void PdfDocument::endPage()
{
    if (!m_page)
        return;
    const std::unique_ptr<PdfContent> page = std::move(m_page);
    page->close();
    const int contents = reserveObject();
    const int object = reserveObject();
    QByteArray out;
    beginObject(out, contents);
    appendStream(out, "/Filter /FlateDecode", deflated(page->data(), kPageCompression));
    beginObject(out, object);
    out += "<</Type /Page /Parent " + ref(m_pages) + " /MediaBox [0 0 " + QByteArray::number(m_mediaBox.width())
        + ' ' + QByteArray::number(m_mediaBox.height()) + "] /Resources " + ref(m_pageResources) + " /Contents "
        + ref(contents) + ">>\nendobj\n";
    write(out);
    m_pageObjects.push_back(object);
}

int PdfDocument::addForm(const void *key, const QRectF &box, const PdfContent &content)
{
    PdfContent closed = content;
    closed.close();
    const int object = reserveObject();
    // The painter does not clip a template to its frame; a stroke on the
    // edge keeps its outer half here too.
    const QRectF bounds = box.adjusted(-box.width(), -box.height(), box.width(), box.height());
    QByteArray out;
    beginObject(out, object);
    appendStream(out,
                 "/Type /XObject /Subtype /Form /BBox [" + QByteArray::number(bounds.left()) + ' '
                     + QByteArray::number(bounds.top()) + ' ' + QByteArray::number(bounds.right()) + ' '
                     + QByteArray::number(bounds.bottom()) + "] /Resources " + ref(m_formResources)
                     + " /Filter /FlateDecode",
                 deflated(closed.data(), 6));
    write(out);
    const int number = int(m_formObjects.size());
    m_formObjects.push_back(object);
    m_forms.insert(key, number);
    return number;
}

int PdfDocument::fontIndex(const QRawFont &font)
{
    // The fonts of a job are few, each drawn over and over.
    for (const auto &[raw, index] : m_recentFonts)
        if (raw == font)
            return index;
    const int index = faceIndex(font);
    if (m_recentFonts.size() < 64)
        m_recentFonts.emplace_back(font, index);
    return index;
}

int PdfDocument::faceIndex(const QRawFont &font)
{
    // One embedded font per face, whatever sizes it is drawn in.
    const QByteArray head = font.fontTable("head");
    const QString face = font.familyName() + u'\n' + font.styleName() + u'\n'
        + QString::number(head.size() >= 12 ? qFromBigEndian<quint32>(head.constData() + 8) : 0);
    const auto found = m_fontByFace.constFind(face);
    if (found != m_fontByFace.cend())
        return found.value();
    const int index = int(m_fonts.size());
    m_fonts.push_back(std::make_unique<PdfEmbeddedFont>(font));
    m_fontByFace.insert(face, index);
    return index;
}

int PdfDocument::writeFont(size_t index)
{
    const PdfEmbeddedFont &font = *m_fonts[index];
    // A subset's name carries six capitals of its own.
    QByteArray tag = "KXAAAA";
    for (int k = 5, n = int(index); k >= 2 && n > 0; --k, n /= 26)
        tag[k] = char('A' + n % 26);
    const QByteArray name = tag + '+' + font.postScriptName().toLatin1();
    const int type0 = reserveObject(), cid = reserveObject(), descriptor = reserveObject(),
              program = reserveObject(), cmap = reserveObject();
    QByteArray out;
    beginObject(out, type0);
    out += "<</Type /Font /Subtype /Type0 /BaseFont /" + name + " /Encoding /Identity-H /DescendantFonts ["
        + ref(cid) + "] /ToUnicode " + ref(cmap) + ">>\nendobj\n";
    beginObject(out, cid);
    out += "<</Type /Font /Subtype /CIDFontType2 /BaseFont /" + name
        + " /CIDSystemInfo <</Registry (Adobe) /Ordering (Identity) /Supplement 0>> /FontDescriptor "
        + ref(descriptor) + " /DW 1000 /W " + font.widthArray() + " /CIDToGIDMap /Identity>>\nendobj\n";
    beginObject(out, descriptor);
    out += "<</Type /FontDescriptor /FontName /" + name + " /Flags " + (font.fixedPitch() ? "5 " : "4 ")
        + font.descriptorMetrics() + " /FontFile2 " + ref(program) + ">>\nendobj\n";
    const QByteArray fontProgram = font.fontProgram();
    beginObject(out, program);
    appendStream(out, "/Length1 " + QByteArray::number(fontProgram.size()) + " /Filter /FlateDecode",
                 deflated(fontProgram, 6));
    beginObject(out, cmap);
    appendStream(out, "/Filter /FlateDecode", deflated(font.toUnicodeCMap(), 6));
    write(out);
    return type0;
}

void PdfDocument::appendDocumentObjects(QByteArray &out, const QByteArray &fontDict)
{
    beginObject(out, m_fontDict);
    out += fontDict + ">>\nendobj\n";
    beginObject(out, m_formResources);
    out += "<</Font " + ref(m_fontDict) + ">>\nendobj\n";
    beginObject(out, m_pageResources);
    out += "<</Font " + ref(m_fontDict) + " /XObject <<";
    for (size_t i = 0; i < m_formObjects.size(); ++i)
        out += "/X" + QByteArray::number(qulonglong(i)) + ' ' + ref(m_formObjects[i]) + ' ';
    out += ">>>>\nendobj\n";
    beginObject(out, m_pages);
    out += "<</Type /Pages /Count " + QByteArray::number(qulonglong(m_pageObjects.size())) + " /Kids [";
    for (size_t i = 0; i < m_pageObjects.size(); ++i)
        out += ref(m_pageObjects[i]) + (i % 8 == 7 ? '\n' : ' ');
    out += "]>>\nendobj\n";
    beginObject(out, m_catalog);
    out += "<</Type /Catalog /Pages " + ref(m_pages) + ">>\nendobj\n";
    beginObject(out, m_info);
    out += "<</Title " + textString(m_title) + " /Creator " + textString(m_creator) + " /Producer "
        + textString(m_creator) + ">>\nendobj\n";
}

bool PdfDocument::finish()
{
    if (m_finished)
        return !m_failed;
    endPage();
    writeHeader();
    m_finished = true;

    QByteArray fontDict("<<");
    for (size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i]->valid())
            fontDict += "/F" + QByteArray::number(qulonglong(i)) + ' ' + ref(writeFont(i)) + ' ';
    QByteArray out;
    appendDocumentObjects(out, fontDict);

    const qint64 xref = m_written + out.size();
    out += "xref\n0 " + QByteArray::number(qulonglong(m_offsets.size())) + "\n0000000000 65535 f \n";
    for (size_t i = 1; i < m_offsets.size(); ++i)
        out += QByteArray::number(m_offsets[i]).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<</Size " + QByteArray::number(qulonglong(m_offsets.size())) + " /Root " + ref(m_catalog)
        + " /Info " + ref(m_info) + ">>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    write(out);
    return !m_failed;
}
