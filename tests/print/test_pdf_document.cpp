// The batch's own PDF writer against QPdfWriter: the same jobs on paper,
// the print font embedded, the texts readable, write failures reported.

#include "FailDevice.h"
#include "FileBytes.h"
#include "PdfText.h"
#include "SampleOrders.h"
#include "print/FormPages.h"
#include "print/PdfCanvas.h"
#include "print/PdfDocument.h"
#include "print/TextPlacement.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(AllSettings)

namespace {

// The two writers place glyphs within a thousandth of a point of each other
// (at 1200 dpi the renderings agree), but at 300 dpi the rasteriser rounds
// glyph origins to fractions of a pixel, so a glyph's edge may fall up to a
// pixel apart and close a one-pixel gap. A pixel counts as different when
// its grey lies outside the range of the other rendering's 5×5
// neighbourhood by more than kAntiAliasing levels; a page may have
// kStrayPixels such, 0.006 % of its 8.7 million (a missing label or a form
// moved by a fraction of a millimetre gives thousands; the words are
// compared to 0.05 mm besides).
constexpr int kAntiAliasing = 32;
constexpr int kReach = 2;
constexpr qsizetype kStrayPixels = 500;

struct Page
{
    CPrzelewDane order;
    bool blank = false;
    int blankKind = 0;
};

// An order of each kind; with the extras also a deposit, texts too long for
// their boxes and lines (the clipped and wrapped paths) and an empty form of
// each kind.
QList<Page> mixedJob(bool extras)
{
    QList<Page> pages {{sample::ordinary()}, {sample::zus()}, {sample::tax()}};
    if (!extras)
        return pages;
    CPrzelewDane crowded = sample::ordinary();
    crowded.recipient1 = QStringLiteral("BARDZO DŁUGA NAZWA ODBIORCY, KTÓRA NIE MIEŚCI SIĘ W KRATKACH");
    crowded.title1 = QStringLiteral("tytuł\tz tabulatorem\r\ni końcem wiersza");
    crowded.symbol = QStringLiteral("WWWWWWWW");
    pages << Page {sample::deposit()} << Page {crowded} << Page {CPrzelewDane(), true, KindOrdinary}
          << Page {CPrzelewDane(), true, KindZus} << Page {CPrzelewDane(), true, KindTax};
    return pages;
}

void printJob(const AllSettings &s, bool extras, PageTarget target)
{
    CFormPrinter forms(s);
    FormPageJob job(forms, target);
    for (const Page &p : mixedJob(extras))
        QVERIFY(job.printPage(p.order, p.blank, p.blankKind));
}

QByteArray painterPdf(const AllSettings &s, bool extras)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QPdfWriter writer(&out);
    writer.setResolution(PdfDocument::kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printJob(s, extras, writer);
    return out.data();
}

QByteArray ownPdf(const AllSettings &s, bool extras)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    PdfDocument pdf(&out);
    printJob(s, extras, pdf);
    return pdf.finish() ? out.data() : QByteArray();
}

// Pixels of `a` outside the neighbourhood range of `b`.
qsizetype strayPixels(const QImage &a, const QImage &b)
{
    qsizetype stray = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *pa = a.constScanLine(y), *pb = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x) {
            if (std::abs(pa[x] - pb[x]) <= kAntiAliasing)
                continue;
            int low = 255, high = 0;
            for (int ny = std::max(0, y - kReach); ny <= std::min(b.height() - 1, y + kReach); ++ny)
                for (int nx = std::max(0, x - kReach); nx <= std::min(b.width() - 1, x + kReach); ++nx) {
                    low = std::min<int>(low, b.constScanLine(ny)[nx]);
                    high = std::max<int>(high, b.constScanLine(ny)[nx]);
                }
            if (pa[x] < low - kAntiAliasing || pa[x] > high + kAntiAliasing)
                ++stray;
        }
    }
    return stray;
}

// Takes the word out of `words` when one of the same text stands on the same
// page within a twentieth of a millimetre.
bool takeWord(QList<PdfWord> &words, const PdfWord &w)
{
    for (qsizetype i = 0; i < words.size(); ++i)
        if (words[i].page == w.page && words[i].text == w.text && std::abs(words[i].mm.left() - w.mm.left()) < 0.05
            && std::abs(words[i].mm.top() - w.mm.top()) < 0.05) {
            words.removeAt(i);
            return true;
        }
    return false;
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
        k->paymentQr = 1;
    }
    s.zus.formType = formType % 2;
    return s;
}

} // namespace

class TestPdfDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void samePagesAsThePainter_data()
    {
        QTest::addColumn<AllSettings>("settings");
        QTest::addColumn<bool>("extras");
        // Form types 0-2 are landscape, 3-4 portrait; ZUS takes 0 and 1.
        QTest::newRow("form type 0") << onTemplates(0, 0, 100) << false;
        QTest::newRow("form type 1, offsets and scales") << onTemplates(1, -4, 104) << false;
        QTest::newRow("form type 2") << onTemplates(2, 0, 100) << false;
        QTest::newRow("form type 3, offsets and scales") << onTemplates(3, 7, 95) << false;
        QTest::newRow("form type 4") << onTemplates(4, 0, 100) << false;
        AllSettings mixed = onTemplates(2, 3, 100);
        mixed.ordinary.originalForm = 1;    // text only beside drawn forms
        mixed.ordinary.formTypeOrig = 1;
        mixed.tax.scaleX = 90;
        QTest::newRow("text only beside templates, empty forms") << mixed << true;
        AllSettings text;
        text.ordinary.fitInBox = 0;
        text.general.fontSize = 12;
        QTest::newRow("text only, free text, larger font") << text << true;
    }
    void samePagesAsThePainter()
    {
        QFETCH(AllSettings, settings);
        QFETCH(bool, extras);
        QTemporaryDir dir;
        const QByteArray ownBytes = ownPdf(settings, extras);
        // Each kind's template written once, however many pages show it.
        QCOMPARE(ownBytes.count("/Subtype /Form"), 3);
        const QString painter = dir.filePath(QStringLiteral("painter.pdf")), own = dir.filePath(QStringLiteral("own.pdf"));
        QVERIFY(writeFile(painter, painterPdf(settings, extras)) && writeFile(own, ownBytes));
        const QList<QImage> expected = rasterise(painter, 300), actual = rasterise(own, 300);
        QCOMPARE(actual.size(), mixedJob(extras).size());
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype i = 0; i < actual.size(); ++i) {
            QCOMPARE(actual[i].size(), expected[i].size());
            const qsizetype stray = strayPixels(actual[i], expected[i]) + strayPixels(expected[i], actual[i]);
            QVERIFY2(stray <= kStrayPixels, qPrintable(QStringLiteral("page %1: %2 pixels apart").arg(i + 1).arg(stray)));
        }
        // The same words where they were, so the fonts map back to the text.
        const PdfText expectedText = PdfText::read(painter);
        PdfText actualText = PdfText::read(own);
        QCOMPARE(actualText.words.size(), expectedText.words.size());
        for (const PdfWord &w : expectedText.words)
            QVERIFY2(takeWord(actualText.words, w), qPrintable(w.text));
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
        const QRectF wide(100.5, 200.25, 3000, 400), narrow(10, 10, 700, 230), tall(0, 0, 1150, 2000);
        QTest::newRow("single line") << "ZA GRUDZIEŃ 2026" << single << wide;
        QTest::newRow("single line, too long") << "BARDZO DŁUGA NAZWA ODBIORCY" << single << narrow;
        QTest::newRow("single line, breaks and tab") << "a\r\nb\tc\nd" << single << wide;
        QTest::newRow("trailing blanks") << "X   " << centred << narrow;
        QTest::newRow("centred") << "06" << centred << narrow;
        QTest::newRow("centred, too wide") << "WWWWWWWWWWWW" << centred << narrow;
        QTest::newRow("wrapped") << "JEDEN TYSIĄC DWIEŚCIE TRZYDZIEŚCI CZTERY 50/100" << wrapped << tall;
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
            limit = ownPdf(s, true).size() - 200;
        FailDevice out(limit);
        out.open(QIODevice::WriteOnly);
        PdfDocument pdf(&out);
        CFormPrinter forms(s);
        FormPageJob job(forms, pdf);
        bool printed = true;
        for (const Page &p : mixedJob(true))
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
