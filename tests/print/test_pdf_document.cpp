// The batch's own PDF writer against QPdfWriter: the same jobs on paper,
// the print font embedded, the texts readable, write failures reported.

#include "FailDevice.h"
#include "PdfText.h"
#include "SampleOrders.h"
#include "print/FormPages.h"
#include "print/PdfCanvas.h"
#include "print/PdfDocument.h"
#include "print/TextPlacement.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(AllSettings)

namespace {

// Grey levels two renderings of one page may differ by at an edge, and how
// many pixels may differ by more.
constexpr int kAntiAliasing = 0;
constexpr qsizetype kStrayPixels = 0;

struct Page
{
    CPrzelewDane order;
    bool blank = false;
    int blankKind = 0;
};

QList<Page> mixedJob()
{
    CPrzelewDane crowded = sample::ordinary();
    // Longer than its boxes and lines: the clipped and wrapped paths.
    crowded.recipient1 = QStringLiteral("BARDZO DŁUGA NAZWA ODBIORCY, KTÓRA NIE MIEŚCI SIĘ W KRATKACH");
    crowded.title1 = QStringLiteral("tytuł\tz tabulatorem\r\ni końcem wiersza");
    crowded.symbol = QStringLiteral("WWWWWWWW");
    return {{sample::ordinary()}, {sample::deposit()}, {crowded}, {sample::zus()}, {sample::tax()},
            {CPrzelewDane(), true, KindOrdinary}, {CPrzelewDane(), true, KindZus}, {CPrzelewDane(), true, KindTax}};
}

void printJob(const AllSettings &s, PageTarget target)
{
    CFormPrinter forms(s);
    FormPageJob job(forms, target);
    for (const Page &p : mixedJob())
        QVERIFY(job.printPage(p.order, p.blank, p.blankKind));
}

QByteArray painterPdf(const AllSettings &s)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setResolution(PdfDocument::kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printJob(s, writer);
    return out.data();
}

QByteArray ownPdf(const AllSettings &s)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    PdfDocument pdf(&out);
    printJob(s, pdf);
    return pdf.finish() ? out.data() : QByteArray();
}

QString save(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return f.fileName();
}

// Every page at 300 dpi in grey.
QList<QImage> rasterise(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("300"), pdf,
                                         pdf + QStringLiteral(".page")});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return {};
    QList<QImage> pages;
    QDir dir = QFileInfo(pdf).dir();
    const QStringList files = dir.entryList({QFileInfo(pdf).fileName() + QStringLiteral(".page-*.pgm")},
                                            QDir::Files, QDir::Name);
    for (const QString &f : files)
        pages.append(QImage(dir.filePath(f)).convertToFormat(QImage::Format_Grayscale8));
    return pages;
}

struct Difference
{
    qsizetype strong = 0;   // pixels apart by more than anti-aliasing makes
    int largest = 0;
};

Difference compare(const QImage &a, const QImage &b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *pa = a.constScanLine(y), *pb = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x) {
            const int diff = std::abs(pa[x] - pb[x]);
            d.largest = std::max(d.largest, diff);
            if (diff > kAntiAliasing)
                ++d.strong;
        }
    }
    return d;
}

QString pdffonts(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {pdf});
    return p.waitForFinished(30000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

AllSettings onTemplates(int formType, int offset, int scale)
{
    AllSettings s;
    for (PrintSettings *k : {&s.ordinary, &s.zus, &s.tax}) {
        k->originalForm = 0;
        k->formType = formType;
        k->offsetX = offset;
        k->offsetY = -offset;
        k->scaleX = scale;
        k->scaleY = 200 - scale;
    }
    s.zus.formType = formType % 2;
    return s;
}

} // namespace

class TestPdfDocument : public QObject
{
    Q_OBJECT

private slots:
    void samePagesAsThePainter_data()
    {
        QTest::addColumn<AllSettings>("settings");
        for (int type = 0; type <= 4; ++type)
            QTest::addRow("templates of form type %d", type) << onTemplates(type, 0, 100);
        QTest::newRow("offsets and scales") << onTemplates(3, 7, 95);
        QTest::newRow("landscape offsets and scales") << onTemplates(1, -4, 104);
        AllSettings mixed = onTemplates(2, 3, 100);
        mixed.ordinary.originalForm = 1;    // text only beside drawn forms
        mixed.ordinary.formTypeOrig = 1;
        mixed.tax.scaleX = 90;
        QTest::newRow("text only and templates") << mixed;
        AllSettings text;
        text.ordinary.fitInBox = 0;
        text.general.fontSize = 12;
        QTest::newRow("text only, free text, larger font") << text;
    }
    void samePagesAsThePainter()
    {
        QFETCH(AllSettings, settings);
        QTemporaryDir dir;
        const QString painter = save(dir, QStringLiteral("painter.pdf"), painterPdf(settings));
        const QString own = save(dir, QStringLiteral("own.pdf"), ownPdf(settings));
        QVERIFY(!painter.isEmpty() && !own.isEmpty());
        const QList<QImage> expected = rasterise(painter), actual = rasterise(own);
        QCOMPARE(actual.size(), mixedJob().size());
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < actual.size(); ++i) {
            QCOMPARE(actual[i].size(), expected[i].size());
            const Difference d = compare(actual[i], expected[i]);
            QVERIFY2(d.strong <= kStrayPixels,
                     qPrintable(QStringLiteral("page %1: %2 pixels apart (largest %3)").arg(i + 1).arg(d.strong).arg(d.largest)));
        }
        // The same words where they were, so the fonts map back to the text.
        const PdfText expectedText = PdfText::read(painter), actualText = PdfText::read(own);
        QCOMPARE(actualText.words.size(), expectedText.words.size());
        for (qsizetype i = 0; i < actualText.words.size(); ++i) {
            QCOMPARE(actualText.words[i].text, expectedText.words[i].text);
            QVERIFY(std::abs(actualText.words[i].mm.left() - expectedText.words[i].mm.left()) < 0.05);
        }
        const QString fonts = pdffonts(own);
        QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral(R"(\+LiberationMono-Regular\s+CID TrueType\s+Identity-H\s+yes\s+yes\s+yes)"))),
                 qPrintable(fonts));
    }

    void textPlacedAsDrawTextPlacesIt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QRectF>("rect");
        const int single = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        const int wrapped = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        const int centred = Qt::AlignCenter | Qt::TextSingleLine;
        const QRectF wide(100.5, 200.25, 3000, 400), narrow(10, 10, 700, 230);
        QTest::newRow("single line") << "ZA GRUDZIEŃ 2026" << single << wide;
        QTest::newRow("single line, too long") << "BARDZO DŁUGA NAZWA ODBIORCY" << single << narrow;
        QTest::newRow("single line, breaks and tab") << "a\r\nb\tc\nd" << single << wide;
        QTest::newRow("trailing blanks") << "X   " << centred << narrow;
        QTest::newRow("centred") << "06" << centred << narrow;
        QTest::newRow("centred, too wide") << "WWWWWWWWWWWW" << centred << narrow;
        QTest::newRow("wrapped") << "JEDEN TYSIĄC DWIEŚCIE TRZYDZIEŚCI CZTERY 50/100" << wrapped << narrow;
        QTest::newRow("wrapped, line break") << "pierwszy\ndrugi wiersz" << wrapped << wide;
        QTest::newRow("wrapped, one long word") << "BEZODSTĘPÓWBEZODSTĘPÓWBEZODSTĘPÓW" << wrapped << narrow;
    }
    void textPlacedAsDrawTextPlacesIt()
    {
        QFETCH(QString, text);
        QFETCH(int, flags);
        QFETCH(QRectF, rect);
        QFont font(QStringLiteral("Courier New"));
        font.setPointSizeF(10);
        const PlacedText placed = placeText(font, PdfCanvas::layoutDevice(), rect, flags, text);
        const QRectF drawn = QFontMetricsF(font, PdfCanvas::layoutDevice()).boundingRect(rect, flags, text);
        QCOMPARE(placed.bounds, drawn);
        QCOMPARE(placed.clip, !rect.contains(drawn));
    }

    void writeFailureStopsTheJob_data()
    {
        QTest::addColumn<qint64>("limit");
        QTest::newRow("first page") << qint64(10);
        QTest::newRow("the fonts at the end") << qint64(-1);
    }
    void writeFailureStopsTheJob()
    {
        QFETCH(qint64, limit);
        const AllSettings s = onTemplates(0, 0, 100);
        if (limit < 0)
            limit = ownPdf(s).size() - 200;
        FailDevice out(limit);
        out.open(QIODevice::WriteOnly);
        PdfDocument pdf(&out);
        CFormPrinter forms(s);
        FormPageJob job(forms, pdf);
        bool printed = true;
        for (const Page &p : mixedJob())
            printed = printed && job.printPage(p.order, p.blank, p.blankKind);
        QVERIFY(!(printed && pdf.finish()));
        QVERIFY(pdf.failed());
    }

    void jobWithoutPagesWritesNothing()
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        {
            PdfDocument pdf(&out);
            const AllSettings settings;
            CFormPrinter forms(settings);
            FormPageJob job(forms, pdf);
        }
        QCOMPARE(out.size(), 0);
    }
};

QTEST_MAIN(TestPdfDocument)
#include "test_pdf_document.moc"
