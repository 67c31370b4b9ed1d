#pragma once
// A FormCanvas that records what the layouts draw, in absolute logical
// 0.1 mm (section origin applied), each character a fixed width.

#include "print/FormCanvas.h"

#include <QList>
#include <QRect>
#include <QString>

struct DrawOp
{
    enum Kind { SingleLine, Wrapped, Centered, Line };
    Kind kind;
    QRect rect;             // for Line: from top-left to bottom-right corner points
    QString text;

    // The rectangle as the field tables write it.
    int left() const { return rect.left(); }
    int top() const { return rect.top(); }
    int right() const { return rect.left() + rect.width(); }
    int bottom() const { return rect.top() + rect.height(); }
};

class RecordingCanvas : public FormCanvas
{
public:
    // Every character is charWidth wide (Courier at 10 pt is about 21 tenths of a mm).
    explicit RecordingCanvas(int charWidth = 21) : m_charWidth(charWidth) {}

    void translate(int dx, int dy) override { m_dx += dx; m_dy += dy; }
    void drawSingleLine(const QRect &r, const QString &text) override { add(DrawOp::SingleLine, r, text); }
    void drawWrapped(const QRect &r, const QString &text) override { add(DrawOp::Wrapped, r, text); }
    void drawCentered(const QRect &r, const QString &text, Font) override { add(DrawOp::Centered, r, text); }
    void drawLine(QPoint from, QPoint to) override
    {
        ops.append({DrawOp::Line, QRect(from + QPoint(m_dx, m_dy), to + QPoint(m_dx, m_dy)), QString()});
    }
    void fillRects(const QList<QRectF> &rects) override
    {
        for (const QRectF &r : rects)
            fills.append(r.translated(m_dx, m_dy));
    }
    int textWidth(const QString &text) override { return widthOf(text); }
    int widthOf(const QString &text) const { return int(text.size()) * m_charWidth; }

    // Operations whose rectangle's top is y (a row of the form).
    QList<DrawOp> row(int top) const
    {
        QList<DrawOp> out;
        for (const DrawOp &op : ops)
            if (op.kind != DrawOp::Line && op.top() == top)
                out.append(op);
        return out;
    }
    QList<DrawOp> lines() const
    {
        QList<DrawOp> out;
        for (const DrawOp &op : ops)
            if (op.kind == DrawOp::Line)
                out.append(op);
        return out;
    }
    // The first text drawn with exactly this text, or null.
    const DrawOp *find(const QString &text) const
    {
        for (const DrawOp &op : ops)
            if (op.text == text)
                return &op;
        return nullptr;
    }

    QList<DrawOp> ops;
    QList<QRectF> fills;    // filled rectangles, absolute

private:
    void add(DrawOp::Kind k, const QRect &r, const QString &text)
    {
        ops.append({k, r.translated(m_dx, m_dy), text});
    }

    int m_charWidth;
    int m_dx = 0, m_dy = 0;
};
