#pragma once
// Where the glyphs of a text in a rectangle go, worked out once for every
// surface: the painter draws them, the PDF canvas writes them, and both put
// them where QPainter::drawText would (device pixels of `device`).

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPaintDevice;

struct PlacedLine
{
    QPointF origin;             // added to the runs' positions
    QList<QGlyphRun> runs;
};

struct PlacedText
{
    std::vector<PlacedLine> lines;
    QRectF bounds;              // as drawText reports them
    bool clip = false;          // the text reaches past its rectangle
};

// Body text on one line at the left of `box`, vertically centred, when it
// fits the box whole (no clipping needed); none otherwise. With a pitch the
// i-th glyph stands i pitches from the first, each narrower than the box.
std::optional<PlacedLine> placeFitting(const QFont &font, const QPaintDevice *device, const QRectF &box,
                                       const QString &text, qreal pitch = 0);

// The text as drawText(rect, flags, text) lays it out, for left or centred,
// top or vertically centred, single-line or word-wrapped text.
PlacedText placeText(const QFont &font, const QPaintDevice *device, const QRectF &rect, int flags,
                     const QString &text);
