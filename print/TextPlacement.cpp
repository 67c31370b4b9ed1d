#include "print/TextPlacement.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <cmath>
#include <limits>

std::optional<PlacedLine> placeFitting(const QFont &font, const QPaintDevice *device, const QRectF &box,
                                       const QString &text, qreal pitch)
{
    // One shaping for the whole text; the glyphs are placed as the rectangle
    // form of drawText would place them, without a clip per text (which
    // costs time and bytes in a PDF) where nothing needs clipping. Control
    // characters and line separators are left to drawText, which turns them
    // into spaces on a single line.
    for (QChar c : text)
        if (c.unicode() < 0x20 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return std::nullopt;
    QTextLayout layout(text, font, const_cast<QPaintDevice *>(device));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return std::nullopt;
    }
    line.setLineWidth(std::numeric_limits<int>::max() / 4);
    layout.endLayout();
    const qreal height = line.ascent() + line.descent();
    if (height > box.height())
        return std::nullopt;
    // Glyph positions are on the baseline of a line placed at (0, 0).
    PlacedLine placed {QPointF(box.left(), box.top() + (box.height() - height) / 2), line.glyphRuns()};
    if (pitch <= 0) {
        if (line.naturalTextWidth() > box.width())
            return std::nullopt;
        return placed;
    }
    // Boxes: the i-th glyph at i pitches, each narrower than its box.
    if (placed.runs.size() != 1 || placed.runs[0].glyphIndexes().size() != text.size())
        return std::nullopt;   // a fallback font or composed characters: one box at a time
    QGlyphRun &run = placed.runs[0];
    const QList<QPointF> positions = run.positions();
    QList<QPointF> boxed(positions.size());
    for (qsizetype i = 0; i < positions.size(); ++i) {
        const qreal next = i + 1 < positions.size() ? positions[i + 1].x() : line.naturalTextWidth();
        if (next - positions[i].x() > box.width())
            return std::nullopt;
        boxed[i] = QPointF(i * pitch, positions[i].y());
    }
    run.setPositions(boxed);
    return placed;
}

PlacedText placeText(const QFont &font, const QPaintDevice *device, const QRectF &r, int flags, const QString &str)
{
    PlacedText out;
    const bool singleLine = flags & Qt::TextSingleLine;
    const bool wordWrap = flags & Qt::TextWordWrap;
    // drawText's own clean-up: line breaks, carriage returns and tabs.
    QString text = str;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || (singleLine && c == u'\n') || c == u'\t')
            text[i] = u' ';
        else if (c == u'\n')
            text[i] = QChar::LineSeparator;
        else if (c == QChar(0x9c)) {    // the first of several length variants
            text.truncate(i);
            break;
        }
    }
    if (text.isEmpty())
        return out;

    const QFont deviceFont = device ? QFont(font, device) : font;
    QTextLayout layout(text, deviceFont);
    QTextOption option;
    option.setAlignment(Qt::AlignLeft);
    option.setTextDirection(Qt::LeftToRight);
    if (!wordWrap)
        option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const qreal lineWidth = wordWrap ? std::max<qreal>(0, r.width()) : qreal(0x01000000);
    const qreal leading = QFontMetricsF(deviceFont).leading();
    qreal height = -leading, width = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(lineWidth);
        height += leading;
        height = std::ceil(height);     // lines on whole pixels
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent();
        width = std::max(width, line.naturalTextWidth());
        if (height >= r.height())
            break;
    }
    layout.endLayout();

    qreal yoff = 0, xoff = 0;
    if (flags & Qt::AlignBottom)
        yoff = r.height() - height;
    else if (flags & Qt::AlignVCenter)
        yoff = (r.height() - height) / 2;
    if (flags & Qt::AlignHCenter)
        xoff = (r.width() - width) / 2;
    const QRectF bounds(r.x() + xoff, r.y() + yoff, width, height);
    out.clip = !r.contains(bounds);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const qreal x = (flags & Qt::AlignHCenter) ? (r.width() - line.horizontalAdvance()) / 2 : 0;
        out.lines.push_back({QPointF(r.x() + x, r.y() + yoff), line.glyphRuns()});
    }
    out.bounds = bounds;
    return out;
}
