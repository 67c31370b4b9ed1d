// End to end: pages printed to PDF through QPrinter, read back with pdftotext.

#include "PrintedPdf.h"
#include "SampleOrders.h"
#include "print/FormTemplates.h"

#include <QImage>
#include <QTest>
#include <algorithm>

namespace {

bool dark(const QImage &img, int x, int y)
{
    return x >= 0 && y >= 0 && x < img.width() && y < img.height() && qGray(img.pixel(x, y)) < 128;
}

AllSettings textOnlyOrdinary(int formTypeOrig)
{
    AllSettings s;
    s.ordinary.originalForm = 1;
    s.ordinary.formTypeOrig = formTypeOrig;
    s.ordinary.fitInBox = 0;
    return s;
}

// The order's dates, top row first, left to right, whatever order the PDF
// holds them in.
QList<PdfWord> datesOf(const PdfText &pdf)
{
    QList<PdfWord> dates = pdf.find(QStringLiteral("08.12.2026"));
    std::sort(dates.begin(), dates.end(), [](const PdfWord &a, const PdfWord &b) {
        return qRound(a.mm.top()) != qRound(b.mm.top()) ? a.mm.top() < b.mm.top() : a.mm.left() < b.mm.left();
    });
    return dates;
}

constexpr double kTolerance = 0.15;     // mm; pdftotext rounds to 0.01 pt

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Text only, onto pre-printed paper: logical 0.1 mm from the sheet's
    // corner whatever the printer's margins, and the copies each type has.
    void textOnlySheets_data()
    {
        QTest::addColumn<int>("formTypeOrig");
        QTest::addColumn<double>("margin");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QList<QPointF>>("dates");   // left edge and middle height, mm
        // The date field (100, 820, 450, 870): left edge 10.0 mm, middle 84.5 mm.
        const QList<QPointF> four {{10.0, 84.5}, {159.8, 84.5}, {10.0, 84.5 + 106.3}, {159.8, 84.5 + 106.3}};
        QTest::newRow("4 sections, PDF without margins") << 0 << 0.0 << true << four;
        QTest::newRow("4 sections, printer with 6.35 mm margins") << 0 << 6.35 << true << four;
        QTest::newRow("stubs, 85 mm lower") << 1 << 0.0 << false << QList<QPointF>{{70.0, 169.5}, {70.0, 169.5 + 105.8}};
        QTest::newRow("self-copying, 4 layers") << 2 << 0.0 << false << QList<QPointF>{{10.0, 84.5}};
        QTest::newRow("self-copying, 2 layers") << 3 << 0.0 << false << QList<QPointF>{{70.0, 84.5}};
    }
    void textOnlySheets()
    {
        QFETCH(int, formTypeOrig);
        QFETCH(double, margin);
        QFETCH(bool, landscape);
        QFETCH(QList<QPointF>, dates);
        PdfJob job(margin);
        const PdfText pdf = job.print(textOnlyOrdinary(formTypeOrig), {sample::ordinary()});
        QVERIFY(pdf.ok);
        QCOMPARE(pdf.pages.size(), 1);
        QCOMPARE(pdf.pages[0].width() > pdf.pages[0].height(), landscape);
        const QList<PdfWord> found = datesOf(pdf);
        QCOMPARE(found.size(), dates.size());
        for (qsizetype i = 0; i < dates.size(); ++i) {
            const QString at = QStringLiteral("%1, %2").arg(found[i].mm.left()).arg(found[i].mm.center().y());
            QVERIFY2(qAbs(found[i].mm.left() - dates[i].x()) < kTolerance, qPrintable(at));
            QVERIFY2(qAbs(found[i].mm.center().y() - dates[i].y()) < 0.6, qPrintable(at));
        }
    }

    void offsetsMoveTemplateAndTextTogether()
    {
        AllSettings s;
        s.zus.originalForm = 0;
        s.zus.fitInBox = 0;
        PdfJob plain;
        const PdfText a = plain.print(s, {sample::zus()});
        s.zus.offsetX = 5;
        s.zus.offsetY = -3;
        PdfJob moved;
        const PdfText b = moved.print(s, {sample::zus()});
        QVERIFY(a.ok && b.ok);
        const PdfWord payerA = a.first(QStringLiteral("PŁATNIK"));
        const PdfWord payerB = b.first(QStringLiteral("PŁATNIK"));
        QVERIFY(qAbs(payerA.mm.left() - 16.0) < kTolerance);    // 140 + content shift 20
        QVERIFY(qAbs(payerB.mm.left() - payerA.mm.left() - 5.0) < 0.05);
        QVERIFY(qAbs(payerB.mm.top() - payerA.mm.top() + 3.0) < 0.05);
        QVERIFY2(QFile::exists(formTemplatePath(QStringLiteral("ZMT_ZUS"))), "template ZMT_ZUS compiled in");
        // The whole drawing, template and texts, moves: compare the sheets pixel by pixel (0.1 mm).
        const QImage ia = rasterise(plain.path, 254, 1).value(0), ib = rasterise(moved.path, 254, 1).value(0);
        QVERIFY(!ia.isNull() && ia.size() == ib.size());
        int inked = 0, differing = 0;
        for (int y = 0; y < ia.height() - 30; y += 2)
            for (int x = 0; x < ia.width() - 50; x += 2) {
                const bool a = dark(ia, x, y + 30), b = dark(ib, x + 50, y);
                inked += a;
                differing += a != b;
            }
        QVERIFY2(inked > 10000, "the template is drawn");
        QVERIFY2(differing < inked / 50, qPrintable(QStringLiteral("%1 of %2").arg(differing).arg(inked)));
    }

    void fourSectionTemplateIsSqueezedIntoThePrintableArea()
    {
        AllSettings s;
        s.ordinary.originalForm = 0;
        s.ordinary.formType = 0;
        s.ordinary.fitInBox = 0;
        const double margin = 5;
        PdfJob job(margin);
        const PdfText pdf = job.print(s, {sample::ordinary()});
        QVERIFY(pdf.ok);
        QCOMPARE(pdf.pages.size(), 1);
        const double printW = pdf.pages[0].width() - 2 * margin;
        const double printH = pdf.pages[0].height() - 2 * margin;
        const double fx = printW / 306.1, fy = printH / 213.5;
        const QList<PdfWord> dates = datesOf(pdf);
        QCOMPARE(dates.size(), 4);
        // Date at (100, 820) + content shift (45, 10), sections 1498 apart across, 1063 down.
        QVERIFY2(qAbs(dates[0].mm.left() - (margin + 14.5 * fx)) < kTolerance, qPrintable(QString::number(dates[0].mm.left())));
        QVERIFY(qAbs(dates[1].mm.left() - (margin + 164.3 * fx)) < kTolerance);
        QVERIFY(qAbs(dates[2].mm.center().y() - (margin + (84.5 + 1.0 + 106.3) * fy)) < 0.6);
        for (const PdfWord &w : pdf.words) {
            QVERIFY2(w.mm.left() >= margin - 0.01 && w.mm.right() <= margin + printW + 0.01, qPrintable(w.text));
            QVERIFY2(w.mm.top() >= margin - 0.01 && w.mm.bottom() <= margin + printH + 0.01, qPrintable(w.text));
        }
    }

    void everyPageGetsItsKindsOrientation()
    {
        AllSettings s;
        s.ordinary.originalForm = 0;
        s.zus.originalForm = 0;
        s.tax.originalForm = 0;
        s.tax.formType = 3;
        PdfJob job;
        const PdfText pdf = job.print(s, {sample::ordinary(), sample::zus(), sample::tax(), sample::deposit()});
        QVERIFY(pdf.ok);
        QCOMPARE(pdf.pages.size(), 4);
        QVERIFY(pdf.pages[0].width() > pdf.pages[0].height());
        QVERIFY(pdf.pages[1].width() < pdf.pages[1].height());
        QVERIFY(pdf.pages[2].width() < pdf.pages[2].height());
        QVERIFY(pdf.pages[3].width() > pdf.pages[3].height());
    }

    // The size on paper, measured in the PDF: the body text follows the
    // font size setting, the mark keeps its own 16 pt whatever that is.
    void printedFontSizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("8 pt") << 8;
        QTest::newRow("10 pt") << 10;
        QTest::newRow("20 pt") << 20;
    }
    void printedFontSizes()
    {
        QFETCH(int, size);
        constexpr double kPointMm = 25.4 / 72.0;
        // Text height over the nominal size: the font's ascent and descent.
        const auto ratio = [](const QList<PdfWord> &words, double points) {
            return words.isEmpty() ? 0.0 : words.first().mm.height() / (points * kPointMm);
        };
        AllSettings s = textOnlyOrdinary(0);
        s.general.fontSize = size;
        PdfJob job;
        const PdfText pdf = job.print(s, {sample::ordinary()});
        QVERIFY(pdf.ok);
        const double body = ratio(pdf.find(QStringLiteral("ZLECENIODAWCA")), size);
        QVERIFY2(body > 0.9 && body < 1.4, qPrintable(QString::number(body)));
        const double mark = ratio(pdf.find(QStringLiteral("X")), 16);
        QVERIFY2(mark > 0.9 && mark < 1.4, qPrintable(QString::number(mark)));
    }

    // Each drawn form shows its printed labels as text a reader finds: a
    // fixed list per kind, read back from the PDF of the blank form, which
    // prints no field of the order it was asked with, also on the
    // original-form setting (type 0 rows).
    void everyTemplateShowsItsLabels_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("formType");
        QTest::addColumn<QStringList>("words");
        const QStringList ordinary {"Polecenie", "przelewu", "odbiorcy", "zleceniodawcy", "tytułem", "waluta",
                                    "kwota", "wpłata"};
        const QStringList tax {"PODATKI", "zobowiązanego", "identyfikatora", "okres", "formularza", "kwota",
                               "przelew", "wpłata"};
        const QStringList zus {"Zakład", "Ubezpieczeń", "Społecznych", "płatnika", "Deklaracja", "decyzji",
                               "Kwota"};
        for (int type = 0; type < 5; ++type) {
            QTest::addRow("ordinary %d", type) << int(KindOrdinary) << type << ordinary;
            QTest::addRow("tax %d", type) << int(KindTax) << type << tax;
        }
        for (int type = 0; type < 2; ++type)
            QTest::addRow("ZUS %d", type) << int(KindZus) << type << zus;
    }
    void everyTemplateShowsItsLabels()
    {
        QFETCH(int, kind);
        QFETCH(int, formType);
        QFETCH(QStringList, words);
        AllSettings s;
        s.forKind(FormKind(kind)).originalForm = formType == 0;
        s.forKind(FormKind(kind)).formType = formType;
        const CPrzelewDane order = kind == KindZus ? sample::zus() : kind == KindTax ? sample::tax() : sample::ordinary();
        PdfJob job;
        const PdfText pdf = job.print(s, {order}, true);
        QVERIFY(pdf.ok);
        for (const QString &word : words)
            QVERIFY2(!pdf.find(word).isEmpty(), qPrintable(templateName(FormKind(kind), formType) + u' ' + word));
        QVERIFY(pdf.find(QStringLiteral("08.12.2026")).isEmpty());
        QVERIFY(pdf.find(order.sender1.section(u' ', 0, 0)).isEmpty());
    }
};

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
