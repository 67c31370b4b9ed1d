#pragma once
// Reads a printed PDF back: its words with their positions, through
// pdftotext -bbox (positions in mm from the sheet's corner), and its pages as
// grey images, through pdftoppm (poppler-utils).

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

struct PdfWord
{
    int page;           // 0-based
    QString text;
    QRectF mm;
};

struct PdfText
{
    QList<QSizeF> pages;    // mm
    QList<PdfWord> words;
    bool ok = false;

    static PdfText read(const QString &pdfPath)
    {
        PdfText out;
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            return out;
        const QString html = QString::fromUtf8(p.readAllStandardOutput());
        constexpr double kMm = 25.4 / 72.0;
        static const QRegularExpression tag(QStringLiteral(
            R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        auto it = tag.globalMatch(html);
        while (it.hasNext()) {
            const auto m = it.next();
            if (!m.captured(1).isEmpty()) {
                out.pages.append(QSizeF(m.captured(1).toDouble() * kMm, m.captured(2).toDouble() * kMm));
                continue;
            }
            const double left = m.captured(3).toDouble() * kMm, top = m.captured(4).toDouble() * kMm;
            const double right = m.captured(5).toDouble() * kMm, bottom = m.captured(6).toDouble() * kMm;
            QString text = m.captured(7);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
            out.words.append({int(out.pages.size()) - 1, text, QRectF(QPointF(left, top), QPointF(right, bottom))});
        }
        out.ok = true;
        return out;
    }

    // Where the text stands; a text of several words where they follow one
    // another on one line, found as one word spanning them.
    QList<PdfWord> find(const QString &text, int page = -1) const
    {
        const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
        QList<PdfWord> found;
        for (qsizetype i = 0; !parts.isEmpty() && i + parts.size() <= words.size(); ++i) {
            PdfWord w = words[i];
            qsizetype k = 0;
            while (k < parts.size() && words[i + k].text == parts[k] && words[i + k].page == w.page
                   && qAbs(words[i + k].mm.top() - w.mm.top()) < 0.05 && (k == 0 || words[i + k].mm.left() > w.mm.right()))
                w.mm |= words[i + k++].mm;
            if (k == parts.size() && (page < 0 || w.page == page))
                found.append({w.page, text, w.mm});
        }
        return found;
    }
    // The first such word; one far off the page when there is none, so a
    // position check fails instead of reading past the list.
    PdfWord first(const QString &text) const
    {
        const QList<PdfWord> found = find(text);
        return found.isEmpty() ? PdfWord {-1, QString(), QRectF(-1000, -1000, 0, 0)} : found.first();
    }
};

// The pages of a PDF (the first `pages`, or all) in grey at `dpi`.
inline QList<QImage> rasterise(const QString &pdf, int dpi, int pages = 0)
{
    const QString prefix = pdf + u'.' + QString::number(dpi);
    QStringList args {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi)};
    if (pages > 0)
        args << QStringLiteral("-l") << QString::number(pages);
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), args << pdf << prefix);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return {};
    const QDir dir = QFileInfo(pdf).dir();
    QList<QImage> images;
    for (const QString &f : dir.entryList({QFileInfo(prefix).fileName() + QStringLiteral("-*.pgm")}, QDir::Files, QDir::Name))
        images.append(QImage(dir.filePath(f)).convertToFormat(QImage::Format_Grayscale8));
    return images;
}
