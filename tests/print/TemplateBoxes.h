#pragma once
// The character boxes of a printed form template, read from its picture: a
// row of boxes is the stroked outline of the row and the dividers across it.
// Tests check what the engine draws against these boxes, the ones the user
// sees on paper, instead of against a copy of the engine's own table.

#include "RecordingCanvas.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>

struct BoxRow
{
    int top = 0;
    int bottom = 0;    // exclusive
    QList<int> edges;  // box i spans edges[i] .. edges[i + 1]
    int left() const { return edges.first(); }
    int right() const { return edges.last(); }
    int count() const { return int(edges.size()) - 1; }
};

// The box rows of one part ("form" or "stub") of the template `name`.
inline QList<BoxRow> templateBoxRows(const QString &name, const QString &part = QStringLiteral("form"))
{
    QFile file(QStringLiteral(":/forms/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QList<BoxRow> rows;
    QList<QPointF> dividers;   // top end of each divider
    bool inPart = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"g")
            inPart = false;
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"g")
            inPart = a.value(QLatin1String("id")) == part;
        if (!inPart)
            continue;
        // A row's outline: stroked like the boxes, not filled (a letter box is filled).
        if (xml.name() == u"rect" && a.value(QLatin1String("fill")) == u"none"
            && a.value(QLatin1String("stroke-width")) == u"2.2") {
            const int x = a.value(QLatin1String("x")).toInt(), y = a.value(QLatin1String("y")).toInt();
            rows.append({y, y + a.value(QLatin1String("height")).toInt(), {x, x + a.value(QLatin1String("width")).toInt()}});
        } else if (xml.name() == u"path") {
            // Dividers are "M<x> <y>v<height>" one after the other.
            const QString d = a.value(QLatin1String("d")).toString();
            for (const QString &part : d.split(u'M', Qt::SkipEmptyParts)) {
                const qsizetype v = part.indexOf(u'v');
                const QStringList xy = part.left(v).split(u' ');
                if (v > 0 && xy.size() == 2)
                    dividers.append(QPointF(xy[0].toDouble(), xy[1].toDouble()));
            }
        }
    }
    for (BoxRow &row : rows) {
        const int left = row.left(), right = row.right();
        for (const QPointF &d : std::as_const(dividers))
            if (int(d.y()) == row.top && d.x() > left && d.x() < right)
                row.edges.append(qRound(d.x()));
        std::sort(row.edges.begin(), row.edges.end());
    }
    return rows;
}

// What the canvas drew in the row's boxes, a letter a box and a blank for an
// empty box; "!" and the letter where one does not stand in a box of the row
// of its own.
inline QString textInBoxes(const RecordingCanvas &c, const BoxRow &row, int slack = 1)
{
    QString out(row.count(), u' ');
    for (const DrawOp &op : c.ops) {
        if (op.kind == DrawOp::Line || op.text.size() != 1 || op.top() >= row.bottom || op.bottom() <= row.top
            || op.left() >= row.right() || op.left() < row.left())
            continue;
        const auto box = std::upper_bound(row.edges.begin(), row.edges.end(), op.left()) - row.edges.begin() - 1;
        // A letter is drawn on one line in a cell starting at its box's top
        // left corner, within `slack` tenths of a millimetre (the drawing's
        // edges are rounded), and ends inside its box; the cell may reach
        // further right, never so short that it cuts the letter.
        const int letterRight = op.left() + c.widthOf(op.text);
        const bool inside = box >= 0 && box < row.count() && op.top() == row.top && op.bottom() <= row.bottom
            && out[box] == u' ' && op.kind == DrawOp::SingleLine && qAbs(op.left() - row.edges[box]) <= slack
            && letterRight <= op.right() && letterRight <= row.edges[box + 1];
        if (!inside)
            return QStringLiteral("!") + op.text;
        out[box] = op.text[0];
    }
    return out;
}

// What the canvas printed in the row of boxes of the template `name` that
// begins at `row`: a letter a box, blanks for empty boxes (none at the end).
inline QString printedInBoxes(const RecordingCanvas &c, const QString &name, QPoint row, int slack = 1)
{
    for (const BoxRow &boxes : templateBoxRows(name)) {
        if (boxes.left() != row.x() || boxes.top != row.y())
            continue;
        QString text = textInBoxes(c, boxes, slack);
        while (text.endsWith(u' '))
            text.chop(1);
        return text;
    }
    return QStringLiteral("(no such row of boxes)");
}
