// End to end: pages printed to PDF through QPrinter, read back with pdftotext.

#include "PdfText.h"
#include "SampleOrders.h"
#include "print/FormPages.h"
#include "print/FormTemplates.h"

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

struct PdfJob
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("out.pdf"));
    QPrinter printer{QPrinter::HighResolution};

    explicit PdfJob(double marginMm = 0)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
    }

    PdfText print(const AllSettings &s, const QList<CPrzelewDane> &orders)
    {
        CFormPrinter forms(s);
        {
            FormPageJob job(forms, printer);
            for (const CPrzelewDane &r : orders)
                if (!job.printPage(r))
                    return {};
        }
        return PdfText::read(path);
    }
};

// The first page of a PDF in grey at 254 dpi (one pixel is 0.1 mm).
QImage rasterise(const QString &pdf)
{
    QProcess p;
    const QString prefix = pdf + QStringLiteral(".raster");
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("254"),
                                         QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"),
                                         QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QImage(prefix + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
}

bool dark(const QImage &img, int x, int y)
{
    return x >= 0 && y >= 0 && x < img.width() && y < img.height() && qGray(img.pixel(x, y)) < 128;
}

bool templateExists(const char *name)
{
    return QFile::exists(formTemplatePath(QLatin1String(name)));
}

AllSettings textOnlyOrdinary(int formTypeOrig)
{
    AllSettings s;
    s.ordinary.originalForm = 1;
    s.ordinary.formTypeOrig = formTypeOrig;
    s.ordinary.fitInBox = 0;
    return s;
}

constexpr double kTolerance = 0.15;     // mm; pdftotext rounds to 0.01 pt

} // namespace

class TestPrintPdf : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textOnlyPutsFieldsAtTheirMillimetres_data()
    {
        QTest::addColumn<double>("margin");
        QTest::newRow("PDF without margins") << 0.0;
        QTest::newRow("printer with 6.35 mm margins") << 6.35;
    }
    void textOnlyPutsFieldsAtTheirMillimetres()
    {
        QFETCH(double, margin);
        PdfJob job(margin);
        const PdfText pdf = job.print(textOnlyOrdinary(0), {sample::ordinary()});
        QVERIFY(pdf.ok);
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(pdf.pages[0].width() > pdf.pages[0].height());    // 4 sections: landscape
        QList<PdfWord> dates = pdf.find(QStringLiteral("08.12.2026"));
        QCOMPARE(dates.size(), 4);
        // Top row first, left to right, whatever order the PDF holds them in.
        std::sort(dates.begin(), dates.end(), [](const PdfWord &a, const PdfWord &b) {
            return qRound(a.mm.top()) != qRound(b.mm.top()) ? a.mm.top() < b.mm.top() : a.mm.left() < b.mm.left();
        });
        // Date rectangle (100, 820, 450, 870): left edge at 10.0 mm, centred on 84.5 mm.
        QVERIFY2(qAbs(dates[0].mm.left() - 10.0) < kTolerance, qPrintable(QString::number(dates[0].mm.left())));
        QVERIFY(qAbs(dates[0].mm.center().y() - 84.5) < 0.6);
        // Second section: 149.8 mm to the right.
        QVERIFY(qAbs(dates[1].mm.left() - 159.8) < kTolerance);
        // The recipient (75, 33, 1400, 88) and the title row (75, 630, ...).
        const PdfWord recipient = pdf.first(QStringLiteral("ODBIORCA"));
        QVERIFY(qAbs(recipient.mm.left() - 7.5) < kTolerance);
        QVERIFY(qAbs(recipient.mm.center().y() - 6.05) < 0.6);
        const PdfWord title = pdf.first(QStringLiteral("FAKTURA"));
        QVERIFY(qAbs(title.mm.left() - 7.5) < kTolerance);
        QVERIFY(qAbs(title.mm.center().y() - 65.75) < 0.6);
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
        QVERIFY2(templateExists("ZMT_ZUS"), "template ZMT_ZUS compiled in");
        // The whole drawing, template and texts, moves: compare the sheets pixel by pixel (0.1 mm).
        const QImage ia = rasterise(plain.path), ib = rasterise(moved.path);
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
        QList<PdfWord> dates = pdf.find(QStringLiteral("08.12.2026"));
        QCOMPARE(dates.size(), 4);
        // Top row first, left to right, whatever order the PDF holds them in.
        std::sort(dates.begin(), dates.end(), [](const PdfWord &a, const PdfWord &b) {
            return qRound(a.mm.top()) != qRound(b.mm.top()) ? a.mm.top() < b.mm.top() : a.mm.left() < b.mm.left();
        });
        // Date at (100, 820) + content shift (45, 10), sections 1498 apart across, 1063 down.
        QVERIFY2(qAbs(dates[0].mm.left() - (margin + 14.5 * fx)) < kTolerance, qPrintable(QString::number(dates[0].mm.left())));
        QVERIFY(qAbs(dates[1].mm.left() - (margin + 164.3 * fx)) < kTolerance);
        QVERIFY(qAbs(dates[2].mm.center().y() - (margin + (84.5 + 1.0 + 106.3) * fy)) < 0.6);
        for (const PdfWord &w : pdf.words) {
            QVERIFY2(w.mm.left() >= margin - 0.01 && w.mm.right() <= margin + printW + 0.01, qPrintable(w.text));
            QVERIFY2(w.mm.top() >= margin - 0.01 && w.mm.bottom() <= margin + printH + 0.01, qPrintable(w.text));
        }
    }

    void singleCopyFormPrintsOneSection_data()
    {
        QTest::addColumn<int>("formTypeOrig");
        QTest::addColumn<int>("dates");
        QTest::newRow("4 sections") << 0 << 4;
        QTest::newRow("self-copying, 4 layers") << 2 << 1;
        QTest::newRow("stubs") << 1 << 2;
        QTest::newRow("self-copying, 2 layers") << 3 << 1;
    }
    void singleCopyFormPrintsOneSection()
    {
        QFETCH(int, formTypeOrig);
        QFETCH(int, dates);
        PdfJob job;
        const PdfText pdf = job.print(textOnlyOrdinary(formTypeOrig), {sample::ordinary()});
        QVERIFY(pdf.ok);
        QCOMPARE(pdf.find(QStringLiteral("08.12.2026")).size(), dates);
    }

    void stubLayoutIs85mmLower()
    {
        PdfJob job;
        const PdfText pdf = job.print(textOnlyOrdinary(1), {sample::ordinary()});
        QVERIFY(pdf.ok);
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(pdf.pages[0].height() > pdf.pages[0].width());
        const PdfWord date = pdf.first(QStringLiteral("08.12.2026"));
        QVERIFY(qAbs(date.mm.left() - 70.0) < kTolerance);          // stub 600 + 100
        QVERIFY(qAbs(date.mm.center().y() - 84.5 - 85.0) < 0.6);
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

    // Each drawn form shows its printed labels as text a reader finds:
    // a fixed list per kind, read back from the PDF of the empty form.
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
        s.forKind(FormKind(kind)).originalForm = 0;
        s.forKind(FormKind(kind)).formType = formType;
        CFormPrinter forms(s);
        PdfJob job;
        {
            FormPageJob pages(forms, job.printer);
            QVERIFY(pages.printPage(CPrzelewDane(), true, kind));
        }
        const PdfText pdf = PdfText::read(job.path);
        QVERIFY(pdf.ok);
        for (const QString &word : words)
            QVERIFY2(!pdf.find(word).isEmpty(), qPrintable(templateName(FormKind(kind), formType) + u' ' + word));
    }

    void blankFormPrintsTheTemplateOnly()
    {
        QVERIFY2(templateExists("ZMT_TAX_4X_WZORZEC_BW"), "template compiled in");
        AllSettings s;
        s.tax.formType = 0;
        CFormPrinter forms(s);
        PdfJob job;
        {
            FormPageJob pages(forms, job.printer);
            QVERIFY(pages.printPage(sample::tax(), true, KindTax));
        }
        const PdfText pdf = PdfText::read(job.path);
        // The form's own labels, printed as searchable text, and no field text.
        QVERIFY(!pdf.find(QStringLiteral("PODATKI")).isEmpty());
        QVERIFY(pdf.find(QStringLiteral("08.12.2026")).isEmpty());
        QVERIFY(pdf.find(sample::tax().recipient1.section(u' ', 0, 0)).isEmpty());
        const QImage sheet = rasterise(job.path);
        int inked = 0;
        for (int y = 0; y < sheet.height(); y += 4)
            for (int x = 0; x < sheet.width(); x += 4)
                inked += dark(sheet, x, y);
        QVERIFY2(inked > 5000, "the template is drawn");
        QVERIFY(pdf.find(QStringLiteral("08.12.2026")).isEmpty());
    }
};

QTEST_MAIN(TestPrintPdf)
#include "test_print_pdf.moc"
