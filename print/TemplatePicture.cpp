#include "print/TemplatePicture.h"

#include "print/PdfContent.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>
#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

// Fonts are made 16 times larger and drawn 16 times smaller, so that
// fractional label sizes survive the whole-pixel font size.
constexpr qreal kFine = 16;

// Our templates use translate, rotate and scale, in SVG order (the last one
// applies to the point first).
QTransform parseTransform(QStringView text)
{
    static const QRegularExpression item(QStringLiteral(R"((\w+)\s*\(([^)]*)\))"));
    QTransform result;
    auto it = item.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        const QStringList args = m.captured(2).split(QRegularExpression(QStringLiteral(R"([\s,]+)")), Qt::SkipEmptyParts);
        auto arg = [&](int i, double fallback) { return i < args.size() ? args[i].toDouble() : fallback; };
        QTransform t;
        const QString name = m.captured(1);
        if (name == u"translate")
            t.translate(arg(0, 0), arg(1, 0));
        else if (name == u"rotate")
            t.rotate(arg(0, 0));
        else if (name == u"scale")
            t.scale(arg(0, 1), arg(1, arg(0, 1)));
        result = t * result;
    }
    return result;
}

struct Inherited
{
    QTransform transform;   // to the document's viewBox
    QTransform relative;    // to the nearest element with an id
    QString family = QStringLiteral("Liberation Sans");
    qreal size = 16;
    bool bold = false;
    QColor color = Qt::black;
    int anchor = 0;
};

Inherited inherit(const Inherited &parent, const QXmlStreamAttributes &a)
{
    Inherited s = parent;
    const QTransform own = a.hasAttribute(QLatin1String("transform")) ? parseTransform(a.value(QLatin1String("transform"))) : QTransform();
    s.transform = own * parent.transform;
    s.relative = a.hasAttribute(QLatin1String("id")) ? own : own * parent.relative;
    if (a.hasAttribute(QLatin1String("font-family")))
        s.family = a.value(QLatin1String("font-family")).toString().remove(u'\'');
    if (a.hasAttribute(QLatin1String("font-size")))
        s.size = a.value(QLatin1String("font-size")).toDouble();
    if (a.hasAttribute(QLatin1String("font-weight")))
        s.bold = a.value(QLatin1String("font-weight")) == u"bold";
    if (a.hasAttribute(QLatin1String("fill")))
        s.color = QColor(a.value(QLatin1String("fill")).toString());
    if (a.hasAttribute(QLatin1String("text-anchor")))
        s.anchor = a.value(QLatin1String("text-anchor")) == u"middle" ? 1 : a.value(QLatin1String("text-anchor")) == u"end" ? 2 : 0;
    return s;
}

// Collects the labels of the document; texts inside an element with an id
// are also kept under that id, relative to it, for the <use> that repeat it.
void collect(const QByteArray &svg, const QHash<QString, std::vector<CTemplatePicture::Label>> &defined,
             QHash<QString, std::vector<CTemplatePicture::Label>> *byId,
             std::vector<CTemplatePicture::Label> *drawn)
{
    QXmlStreamReader xml(svg);
    struct Level { Inherited state; QString id; bool inDefs; };
    // The document's own viewBox is the unit of every transform here.
    std::vector<Level> stack {{Inherited(), QString(), false}};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const Level &parent = stack.back();
            Level level {inherit(parent.state, xml.attributes()), parent.id, parent.inDefs || xml.name() == u"defs"};
            if (xml.attributes().hasAttribute(QLatin1String("id")))
                level.id = xml.attributes().value(QLatin1String("id")).toString();
            if (xml.name() == u"text") {
                CTemplatePicture::Label label;
                const auto a = xml.attributes();
                const QTransform at = QTransform::fromTranslate(a.value(QLatin1String("x")).toDouble(), a.value(QLatin1String("y")).toDouble());
                label.family = level.state.family;
                label.size = level.state.size;
                label.bold = level.state.bold;
                label.color = level.state.color;
                label.anchor = level.state.anchor;
                label.text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (byId && !level.id.isEmpty()) {
                    label.transform = at * level.state.relative;
                    (*byId)[level.id].push_back(label);
                }
                if (drawn && !level.inDefs) {
                    label.transform = at * level.state.transform;
                    drawn->push_back(label);
                }
                continue; // readElementText consumed the end element
            }
            if (xml.name() == u"use" && drawn && !level.inDefs) {
                QString ref = xml.attributes().value(QLatin1String("xlink:href")).toString();
                if (ref.isEmpty())
                    ref = xml.attributes().value(QLatin1String("href")).toString();
                const QTransform at = QTransform::fromTranslate(xml.attributes().value(QLatin1String("x")).toDouble(),
                                                                xml.attributes().value(QLatin1String("y")).toDouble())
                    * level.state.transform;
                for (CTemplatePicture::Label label : defined.value(ref.mid(1))) {
                    label.transform = label.transform * at;
                    drawn->push_back(label);
                }
            }
            stack.push_back(level);
        } else if (xml.isEndElement() && stack.size() > 1) {
            stack.pop_back();
        }
    }
}

} // namespace

bool CTemplatePicture::load(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && loadData(file.readAll());
}

bool CTemplatePicture::loadData(const QByteArray &svg)
{
    QHash<QString, std::vector<Label>> byId;
    collect(svg, {}, &byId, nullptr);
    m_labels.clear();
    collect(svg, byId, nullptr, &m_labels);

    static const QRegularExpression texts(QStringLiteral(R"(<text\b[^>]*>.*?</text>)"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QByteArray shapes = QString::fromUtf8(svg).remove(texts).toUtf8();
    m_shapes = std::make_unique<QSvgRenderer>(shapes);
    if (!m_shapes->isValid()) {
        m_shapes.reset();
        m_labels.clear();
        return false;
    }
    m_viewBox = m_shapes->viewBoxF();
    m_prepared.clear();
    for (const Label &label : m_labels) {
        PreparedLabel p;
        p.font = QFont(label.family);
        p.font.setPixelSize(qMax(1, qRound(label.size * kFine)));
        p.font.setBold(label.bold);
        // Shaped once; every page draws the same glyphs.
        QTextLayout layout(label.text, p.font);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        if (line.isValid()) {
            p.glyphs = line.glyphRuns();
            p.baseline = line.ascent();
        }
        if (label.anchor != 0) {
            const qreal width = QFontMetricsF(p.font).horizontalAdvance(label.text);
            p.x = label.anchor == 1 ? -width / 2 : -width;
        }
        m_prepared.push_back(p);
    }
    return true;
}

void CTemplatePicture::render(QPainter *painter, const QRectF &target) const
{
    if (!m_shapes || m_viewBox.isEmpty())
        return;
    const QTransform toTarget = QTransform::fromTranslate(-m_viewBox.x(), -m_viewBox.y())
        * QTransform::fromScale(target.width() / m_viewBox.width(), target.height() / m_viewBox.height())
        * QTransform::fromTranslate(target.x(), target.y());
    m_shapes->render(painter, target);
    const QTransform base = painter->worldTransform();
    painter->save();
    for (size_t i = 0; i < m_labels.size(); ++i) {
        const Label &label = m_labels[i];
        painter->setPen(label.color);
        painter->setWorldTransform(QTransform::fromScale(1 / kFine, 1 / kFine) * label.transform * toTarget * base);
        for (const QGlyphRun &run : m_prepared[i].glyphs)
            painter->drawGlyphRun(QPointF(m_prepared[i].x, -m_prepared[i].baseline), run);
    }
    painter->restore();
}

void CTemplatePicture::writePdf(PdfContent &out) const
{
    if (!m_shapes || m_viewBox.isEmpty())
        return;
    out.paint(m_viewBox.size() + QSizeF(m_viewBox.x(), m_viewBox.y()),
              [&](QPainter &painter) { m_shapes->render(&painter, m_viewBox); });
    for (size_t i = 0; i < m_labels.size(); ++i) {
        const Label &label = m_labels[i];
        out.setFillColor(label.color);
        const QTransform toViewBox = QTransform::fromScale(1 / kFine, 1 / kFine) * label.transform;
        for (const QGlyphRun &run : m_prepared[i].glyphs)
            out.glyphs(run, QPointF(m_prepared[i].x, -m_prepared[i].baseline), label.text, toViewBox);
    }
}
