// The payment QR code on printed pages: where each layout puts it, that it
// stays clear of every field and every box of the form, and that what the
// paper carries decodes back to the code's text byte for byte.

#include "PrintedPdf.h"
#include "RecordingCanvas.h"
#include "SampleOrders.h"
#include "model/PaymentQr.h"
#include "print/FormPages.h"
#include "print/FormTemplates.h"
#include "print/TemplatePicture.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double kMinSideMm = 18.0;
constexpr int kQuietUnits = 5;         // the clear margin every spot keeps, 0.5 mm

// Orders whose code holds Polish letters; the tax one a NIP as well.
CPrzelewDane payable(int kind)
{
    if (kind == KindTax)
        return sample::payableTax();
    CPrzelewDane r = sample::payable();
    r.recipient1 = QStringLiteral("ŻÓŁTA ŁÓDŹ SPÓŁKA Z O.O.");
    r.title1 = QStringLiteral("FAKTURA 7/2026 ZA GRUDZIEŃ, ŚWIĘTA");
    return r;
}

AllSettings withCode(int kind, int original, int formType)
{
    AllSettings s;
    PrintSettings &ps = s.forKind(FormKind(kind));
    ps.originalForm = original;
    (original ? ps.formTypeOrig : ps.formType) = formType;
    ps.paymentQr = 1;
    return s;
}

// Every layout a kind with a code prints in: drawn and pre-printed, landscape
// and portrait, four sections, forms with stubs, one copy. The template
// named is the one drawn, or for a pre-printed form the paper it stands for.
void addLayoutRows()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("original");
    QTest::addColumn<int>("formType");
    QTest::addColumn<QString>("paper");
    const int ordinary = KindOrdinary, tax = KindTax;
    QTest::newRow("ordinary drawn, 4 sections") << ordinary << 0 << 0 << "ZMT_4X_WZORZEC_BW";
    QTest::newRow("ordinary drawn, A4 with stubs") << ordinary << 0 << 4 << "ZMT_2X_WZORZEC_KOLOR";
    QTest::newRow("ordinary pre-printed, 4 sections") << ordinary << 1 << 0 << "ZMT_4X_WZORZEC_KOLOR";
    QTest::newRow("ordinary pre-printed, A4 with stubs") << ordinary << 1 << 1 << "ZMT_2X_WZORZEC_KOLOR";
    QTest::newRow("ordinary self-copying, 4 layers") << ordinary << 1 << 2 << "ZMT_4X_WZORZEC_BW";
    QTest::newRow("ordinary self-copying, 2 layers") << ordinary << 1 << 3 << "ZMT_2X_WZORZEC_BW";
    QTest::newRow("tax drawn, 4 sections") << tax << 0 << 1 << "ZMT_TAX_4X_WZORZEC_KOLOR_BW";
    QTest::newRow("tax drawn, A4 with stubs") << tax << 0 << 3 << "ZMT_TAX_2X_WZORZEC_BW";
    QTest::newRow("tax pre-printed, 4 sections") << tax << 1 << 0 << "ZMT_TAX_4X_WZORZEC_KOLOR";
    QTest::newRow("tax self-copying, 4 layers") << tax << 1 << 1 << "ZMT_TAX_4X_WZORZEC_BW";
    QTest::newRow("tax pre-printed, A4") << tax << 1 << 2 << "ZMT_TAX_2X_WZORZEC_KOLOR";
}

QRectF boundsOf(const QList<QRectF> &rects)
{
    QRectF out;
    for (const QRectF &r : rects)
        out = out.united(r);
    return out;
}

// The template at one pixel per 0.1 mm.
QImage templateImage(const QString &name)
{
    const FormTemplate *form = findFormTemplate(name);
    CTemplatePicture picture;
    if (!form || !picture.load(formTemplatePath(name)))
        return {};
    QImage image(form->frameWidth / 10, form->frameHeight / 10, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter p(&image);
    picture.render(&p, QRectF(image.rect()));
    return image;
}

// True when `r` shows bare paper: one light tone (white, or the tint of a
// coloured form), no line, letter or box edge.
bool barePaper(const QImage &image, const QRect &r)
{
    int least = 255, most = 0;
    const QRect inside = r.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            least = std::min(least, qGray(image.pixel(x, y)));
            most = std::max(most, qGray(image.pixel(x, y)));
        }
    return least > 200 && most - least <= 2;
}

constexpr int kRasterDpi = 300;

// The bytes zbarimg reads from an image as the symbol holds them: without
// -Sbinary it guesses a character set and may turn UTF-8 into Shift JIS.
QByteArray decode(const QString &image)
{
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-Sbinary"), QStringLiteral("-q"), image});
    if (!zbar.waitForFinished(120000))
        return {};
    QByteArray out = zbar.readAllStandardOutput();
    if (out.endsWith('\n'))
        out.chop(1);
    return out;
}

// The box around the dark pixels of `r`.
QRect inkBounds(const QImage &image, const QRect &r)
{
    QRect out;
    const QRect inside = r.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                out = out.united(QRect(x, y, 1, 1));
    return out;
}

} // namespace

class TestPaymentQrPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codeStandsClearOfFieldsAndBoxes_data() { addLayoutRows(); }
    void codeStandsClearOfFieldsAndBoxes()
    {
        QFETCH(int, kind);
        QFETCH(int, original);
        QFETCH(int, formType);
        QFETCH(QString, paper);
        const AllSettings s = withCode(kind, original, formType);
        const CPrzelewDane order = payable(kind);
        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath(QStringLiteral("geometry.pdf")));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF());
        pdf.setResolution(1200);
        const PagePlan plan = *planPage(s, order);
        PageTarget(pdf).turn(plan.orientation);
        const PageMapping mapping = PageMapping::of(plan, DeviceGeometry::of(pdf));

        RecordingCanvas canvas;
        QVERIFY(CPrintEngine::DrawForm(canvas, plan, order, mapping).qrProblem.isEmpty());
        QVERIFY(!canvas.fills.isEmpty());
        const QRectF code = boundsOf(canvas.fills);
        // Its side on paper, whatever the scale or squeeze of the page.
        QVERIFY2(code.width() * mapping.paperScaleX >= 10 * kMinSideMm - 0.01, qPrintable(QString::number(code.width())));
        QVERIFY(code.height() * mapping.paperScaleY >= 10 * kMinSideMm - 0.01);

        // No text, box row or line of the page comes near it.
        const QRectF clear = code.adjusted(-kQuietUnits, -kQuietUnits, kQuietUnits, kQuietUnits);
        for (const DrawOp &op : canvas.ops)
            QVERIFY2(!clear.intersects(QRectF(op.rect).normalized()), qPrintable(op.text));

        // Nor any box or label of the form. The template stands at the
        // logical origin; the paper of a pre-printed form stands where the
        // template would, the content shift before the fields' origin.
        const QImage form = templateImage(paper);
        QVERIFY(!form.isNull());
        const QPoint shift = original ? CPrintEngine::contentShift(kind, plan.sectionLayout) : QPoint();
        const QRect onForm = clear.toAlignedRect().translated(shift);
        QVERIFY(barePaper(form, onForm));

        // And it is on the sheet.
        const QRectF sheet = mapping.toDevice.mapRect(code.translated(-plan.origin));
        QVERIFY(QRectF(QPointF(0, 0), QSizeF(pdf.pageLayout().fullRectPixels(1200).size())).contains(sheet));

        // Turned off, the page is drawn as before.
        AllSettings off = s;
        off.forKind(FormKind(kind)).paymentQr = 0;
        RecordingCanvas plain;
        CPrintEngine::DrawForm(plain, *planPage(off, order), order, mapping);
        QVERIFY(plain.fills.isEmpty());
        QCOMPARE(plain.ops.size(), canvas.ops.size());
    }

    void printedCodeReadsBack_data() { addLayoutRows(); }
    void printedCodeReadsBack()
    {
        QFETCH(int, kind);
        QFETCH(int, original);
        QFETCH(int, formType);
        const AllSettings s = withCode(kind, original, formType);
        const CPrzelewDane order = payable(kind);
        PdfJob pdf(5);
        QPrinter &printer = pdf.printer;
        const QString &path = pdf.path;
        CFormPrinter forms(s);
        {
            FormPageJob job(forms, printer);
            const std::optional<PrintedPage> page = job.printPage(order);
            QVERIFY(page);
            QCOMPARE(page->qrProblem, QString());
        }
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty(),
                 "zbarimg (zbar-tools) is installed by scripts/deps.sh");
        const QImage sheet = rasterise(path, kRasterDpi, 1).value(0);
        QVERIFY(sheet.save(path + QStringLiteral(".png")));
        QCOMPARE(decode(path + QStringLiteral(".png")), paymentQrText(order).text.toUtf8());

        // The symbol's ink where the engine put it, measured on the sheet.
        const PagePlan plan = *planPage(s, order);
        PageTarget(printer).turn(plan.orientation);
        const DeviceGeometry g = DeviceGeometry::of(printer);
        const PageMapping mapping = PageMapping::of(plan, g);
        QRectF area = CPrintEngine::paymentQrArea(kind, plan.sectionLayout, plan.fields.singleCopy, mapping);
        if (!plan.textOnly())
            area.translate(CPrintEngine::contentShift(kind, plan.sectionLayout));
        const QRectF device = mapping.toDevice.mapRect(area.translated(-plan.origin));
        const double toRaster = kRasterDpi / g.dpiX;
        const QRect expected = device.translated(g.offsetX, g.offsetY).adjusted(-14, -14, 14, 14).toAlignedRect();   // 0.3 mm
        const QRect ink = inkBounds(sheet, QRect(expected.topLeft() * toRaster, expected.size() * toRaster));
        const double mmPerPixel = 25.4 / kRasterDpi;
        QVERIFY2(ink.width() * mmPerPixel >= kMinSideMm - 0.1 && ink.height() * mmPerPixel >= kMinSideMm - 0.1,
                 qPrintable(QStringLiteral("%1 x %2 px").arg(ink.width()).arg(ink.height())));
    }

    void pageSaysWhyItHasNoCode_data()
    {
        QTest::addColumn<int>("scaleX");
        QTest::addColumn<bool>("deposit");
        QTest::addColumn<QString>("problem");
        QTest::newRow("deposit") << 100 << true << QStringLiteral("Wpłata gotówkowa");
        QTest::newRow("no room at 60 %") << 60 << false << QStringLiteral("Przy tej skali");
    }
    void pageSaysWhyItHasNoCode()
    {
        QFETCH(int, scaleX);
        QFETCH(bool, deposit);
        QFETCH(QString, problem);
        AllSettings s = withCode(KindOrdinary, 0, 0);
        s.ordinary.scaleX = scaleX;
        CPrzelewDane order = payable(KindOrdinary);
        order.isTransfer = deposit ? 0 : 1;
        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath(QStringLiteral("none.pdf")));
        CFormPrinter forms(s);
        FormPageJob job(forms, pdf);
        const std::optional<PrintedPage> page = job.printPage(order);
        QVERIFY(page);
        QVERIFY2(page->qrProblem.startsWith(problem), qPrintable(page->qrProblem));
        const std::optional<PrintedPage> tax = job.printPage(payable(KindTax));
        QVERIFY(tax);
        QCOMPARE(tax->qrProblem, QString());      // a tax page has no code asked for
    }
};

QTEST_MAIN(TestPaymentQrPrint)
#include "test_payment_qr_print.moc"
