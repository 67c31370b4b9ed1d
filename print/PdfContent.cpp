#include "print/PdfContent.h"

#include "print/PdfDocument.h"
#include "print/PdfFont.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Hands what a QPainter draws to the content as shapes.
class ShapeEngine : public QPaintEngine
{
public:
    explicit ShapeEngine(PdfContent &out) : QPaintEngine(AllFeatures), m_out(out) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            m_pen = state.pen();
        if (state.state() & DirtyBrush)
            m_brush = state.brush();
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
    }
    void drawPath(const QPainterPath &path) override { m_out.shape(path, m_transform, m_pen, m_brush); }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (count < 2)
            return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode == PolylineMode) {
            m_out.shape(path, m_transform, m_pen, Qt::NoBrush);
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        m_out.shape(path, m_transform, m_pen, m_brush);
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

private:
    PdfContent &m_out;
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
};

class ShapeDevice : public QPaintDevice
{
public:
    ShapeDevice(PdfContent &out, QSizeF size) : m_engine(out), m_size(size) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return int(std::ceil(m_size.width()));
        case PdmHeight: return int(std::ceil(m_size.height()));
        case PdmWidthMM: return int(std::ceil(m_size.width() * 25.4 / 72));
        case PdmHeightMM: return int(std::ceil(m_size.height() * 25.4 / 72));
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 72;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable ShapeEngine m_engine;
    QSizeF m_size;
};

void appendHex4(QByteArray &out, quint32 v)
{
    static const char digits[] = "0123456789ABCDEF";
    const char hex[4] = {digits[(v >> 12) & 15], digits[(v >> 8) & 15], digits[(v >> 4) & 15], digits[v & 15]};
    out.append(hex, 4);
}

} // namespace

PdfContent::PdfContent(PdfDocument &document) : m_document(document)
{
    m_data.reserve(4096);
}

void PdfContent::append(const char *operators)
{
    m_data.append(operators);
}

PdfContent &PdfContent::matrix(const QTransform &m)
{
    // Scale factors need more digits than positions do.
    num(m.m11(), 6).num(m.m12(), 6).num(m.m21(), 6).num(m.m22(), 6).num(m.dx()).num(m.dy()).append("cm\n");
    return *this;
}

PdfContent &PdfContent::num(qreal value, int decimals)
{
    static constexpr qint64 kScale[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    decimals = std::clamp(decimals, 0, 6);
    const qint64 scale = kScale[decimals];
    qint64 v = qint64(std::llround(value * scale));
    char buf[32];
    char *end = buf + sizeof buf;
    char *p = end;
    *--p = ' ';
    const bool negative = v < 0;
    if (negative)
        v = -v;
    qint64 whole = v / scale;
    qint64 frac = v % scale;
    if (frac) {
        int digits = decimals;
        while (frac % 10 == 0) {
            frac /= 10;
            --digits;
        }
        for (int i = 0; i < digits; ++i) {
            *--p = char('0' + frac % 10);
            frac /= 10;
        }
        *--p = '.';
    }
    do {
        *--p = char('0' + whole % 10);
        whole /= 10;
    } while (whole);
    if (negative)
        *--p = '-';
    m_data.append(p, end - p);
    return *this;
}

void PdfContent::endText()
{
    if (m_inText) {
        m_data.append("ET\n");
        m_inText = false;
    }
}

void PdfContent::save()
{
    endText();
    m_data.append("q\n");
    m_savedFill.push_back(m_fill);
}

void PdfContent::restore()
{
    endText();
    m_data.append("Q\n");
    m_font = -1;    // the text state is part of what Q restores
    if (!m_savedFill.empty()) {
        m_fill = m_savedFill.back();
        m_savedFill.pop_back();
    }
}

void PdfContent::setFillColor(QColor color)
{
    if (color.rgb() == m_fill)
        return;
    m_fill = color.rgb();
    num(color.redF()).num(color.greenF()).num(color.blueF()).append("rg\n");
}

void PdfContent::clipTo(const QRectF &rect)
{
    save();
    num(rect.x()).num(rect.y()).num(rect.width()).num(rect.height()).append("re W n\n");
}

void PdfContent::line(QPointF from, QPointF to, qreal width)
{
    endText();
    // Square ends, as a QPen draws them.
    num(width).append("w 2 J ");
    num(from.x()).num(from.y()).append("m ");
    num(to.x()).num(to.y()).append("l S\n");
}

void PdfContent::placeForm(int form, const QTransform &m)
{
    endText();
    m_data.append("q ");
    matrix(m).append("/X");
    m_data.append(QByteArray::number(form));
    m_data.append(" Do Q\n");
}

void PdfContent::glyphs(const QGlyphRun &run, QPointF origin, QStringView text, const QTransform &matrix)
{
    const QList<quint32> ids = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    if (ids.isEmpty() || positions.size() != ids.size())
        return;
    const QRawFont raw = run.rawFont();
    const int index = m_document.fontIndex(raw);
    PdfEmbeddedFont &font = m_document.font(index);
    if (!font.valid()) {
        outlines(run, origin, matrix);
        return;
    }
    font.noteText(raw, text);
    const qreal size = raw.pixelSize();
    if (size <= 0)
        return;
    const bool transformed = !matrix.isIdentity();
    if (transformed) {
        save();
        this->matrix(matrix);
    }
    if (!m_inText) {
        m_data.append("BT\n");
        m_inText = true;
    }
    if (m_font != index) {
        m_data.append("/F");
        m_data.append(QByteArray::number(index));
        m_data.append(" 1 Tf\n");
        m_font = index;
    }
    // One text matrix per baseline; the glyphs after the first are placed by
    // their widths, corrected where the layout puts them elsewhere.
    qsizetype i = 0;
    while (i < ids.size()) {
        const QPointF start = origin + positions[i];
        num(size).append("0 0 ");
        num(-size).num(start.x()).num(start.y()).append("Tm [<");
        qint64 pen = 0;     // thousandths of the size from the start
        for (; i < ids.size(); ++i) {
            const QPointF at = origin + positions[i];
            if (at.y() != start.y())
                break;
            const qint64 wanted = std::llround((at.x() - start.x()) * 1000 / size);
            if (wanted != pen) {
                m_data.append("> ");
                m_data.append(QByteArray::number(pen - wanted));
                m_data.append(" <");
                pen = wanted;
            }
            appendHex4(m_data, ids[i]);
            pen += font.use(ids[i]);
        }
        m_data.append(">] TJ\n");
    }
    if (transformed)
        restore();
}

void PdfContent::outlines(const QGlyphRun &run, QPointF origin, const QTransform &matrix)
{
    const QRawFont raw = run.rawFont();
    const QList<quint32> ids = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (qsizetype i = 0; i < ids.size(); ++i)
        path.addPath(raw.pathForGlyph(ids[i]).translated(origin + positions[i]));
    shape(path, matrix, Qt::NoPen, QColor::fromRgb(m_fill));
}

void PdfContent::pathOperators(const QPainterPath &path)
{
    QPointF subpathStart;
    int subpathElements = 0;
    const auto closeIfBack = [&](QPointF last) {
        if (subpathElements > 2 && last == subpathStart)
            m_data.append("h\n");
    };
    QPointF last;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (i > 0)
                closeIfBack(last);
            num(e.x).num(e.y).append("m\n");
            subpathStart = e;
            subpathElements = 1;
            break;
        case QPainterPath::LineToElement:
            num(e.x).num(e.y).append("l\n");
            ++subpathElements;
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            num(e.x).num(e.y).num(c2.x).num(c2.y).num(end.x).num(end.y).append("c\n");
            i += 2;
            ++subpathElements;
            last = end;
            continue;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
        last = e;
    }
    closeIfBack(last);
}

void PdfContent::shape(const QPainterPath &path, const QTransform &matrix, const QPen &pen, const QBrush &brush)
{
    const bool fill = brush.style() != Qt::NoBrush;
    const bool stroke = pen.style() != Qt::NoPen && pen.brush().style() != Qt::NoBrush;
    if ((!fill && !stroke) || path.isEmpty())
        return;
    save();
    if (!matrix.isIdentity())
        this->matrix(matrix);
    if (fill) {
        const QColor c = brush.color();
        num(c.redF()).num(c.greenF()).num(c.blueF()).append("rg\n");
    }
    if (stroke) {
        const QColor c = pen.color();
        num(c.redF()).num(c.greenF()).num(c.blueF()).append("RG\n");
        const qreal width = pen.widthF();
        num(width).append("w ");
        m_data.append(pen.capStyle() == Qt::RoundCap ? "1 J " : pen.capStyle() == Qt::SquareCap ? "2 J " : "0 J ");
        m_data.append(pen.joinStyle() == Qt::RoundJoin ? "1 j " : pen.joinStyle() == Qt::BevelJoin ? "2 j " : "0 j ");
        num(std::max<qreal>(1, 2 * pen.miterLimit())).append("M\n");
        if (pen.style() != Qt::SolidLine) {
            // Qt counts dashes in pen widths.
            const qreal unit = width > 0 ? width : 1;
            m_data.append("[");
            for (qreal d : pen.dashPattern())
                num(d * unit);
            m_data.append("] ");
            num(pen.dashOffset() * unit).append("d\n");
        }
    }
    pathOperators(path);
    const bool evenOdd = path.fillRule() == Qt::OddEvenFill;
    m_data.append(fill && stroke ? (evenOdd ? "B*\n" : "B\n") : fill ? (evenOdd ? "f*\n" : "f\n") : "S\n");
    restore();
}

void PdfContent::paint(QSizeF size, const std::function<void(QPainter &)> &draw)
{
    endText();
    ShapeDevice device(*this, size);
    QPainter painter;
    if (!painter.begin(&device))
        return;
    draw(painter);
    painter.end();
}
