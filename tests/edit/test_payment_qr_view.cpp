// The details dialog's payment QR code: it follows what is typed on each
// page, gives its reason in its place when the order cannot have one, moves
// no field, and a screenshot of it reads back as the code's text.

#include "DetailsDialog.h"
#include "SampleOrders.h"

#include "controls/WexCalcEdit.h"
#include "edit/PaymentQrView.h"
#include "model/PaymentQr.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>

namespace {

CPrzelewDane payableOrder(int kind)
{
    if (kind == KindTax)
        return sample::payableTax();
    CPrzelewDane r;
    r.SetKind(kind, COrderDate::fromParts(2026, 12, 8));
    r.amount = CWexOleCurrency::fromUnits(1234, 5600);
    if (kind == KindZus) {
        r.zusAccountType = 1;
        return r;
    }
    r.recipient1 = QStringLiteral("Wodociągi Źródlane");
    r.title1 = QStringLiteral("Faktura 12/2026");
    r.checkDigits = QStringLiteral("51");
    r.bankNumber = QStringLiteral("10101023");
    r.accountRest = QStringLiteral("1234567890123456");
    return r;
}

// Replaces the field's text as a paste would (key clicks know no Polish letters).
void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    edit->insert(text);
}

using Typing = std::function<void(CContainerDlg &)>;
using Edit = std::function<void(CPrzelewDane &)>;

} // namespace

Q_DECLARE_METATYPE(Typing)
Q_DECLARE_METATYPE(Edit)

class TestPaymentQrView : public QObject
{
    Q_OBJECT

    // With boxes: the settings the program starts with.
    struct Dialog : DetailsDialog
    {
        explicit Dialog(int kind) : DetailsDialog(payableOrder(kind), 1) {}
        CPaymentQrView *view() const { return dlg->paymentQrView(); }
    };

    RegisterTestEnv m_env;

private Q_SLOTS:
    void codeFollowsTheTyping_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Typing>("typing");
        QTest::addColumn<Edit>("expected");
        QTest::addColumn<int>("refusal");
        const int none = int(PaymentQrRefusal::None);
        QTest::newRow("as loaded") << int(KindOrdinary) << Typing([](CContainerDlg &) {})
                                   << Edit([](CPrzelewDane &) {}) << none;
        QTest::newRow("amount typed")
            << int(KindOrdinary)
            << Typing([](CContainerDlg &d) {
                   d.ordinaryPage()->amount()->setFocus();
                   d.ordinaryPage()->amount()->selectAll();
                   QTest::keyClicks(d.ordinaryPage()->amount(), QStringLiteral("250,5"));   // 250,50
               })
            << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency::fromUnits(250, 5000); }) << none;
        QTest::newRow("name and title typed")
            << int(KindOrdinary)
            << Typing([](CContainerDlg &d) {
                   retype(d.ordinaryPage()->recipient1(), QStringLiteral("Jan Żółć | Syn"));
                   retype(d.ordinaryPage()->title2(), QStringLiteral("i odsetki"));
               })
            << Edit([](CPrzelewDane &r) {
                   r.recipient1 = QStringLiteral("Jan Żółć | Syn");
                   r.title2 = QStringLiteral("i odsetki");
               })
            << none;
        QTest::newRow("deposit chosen") << int(KindOrdinary)
                                        << Typing([](CContainerDlg &d) { d.ordinaryPage()->depositButton()->click(); })
                                        << Edit([](CPrzelewDane &) {}) << int(PaymentQrRefusal::Deposit);
        QTest::newRow("EUR typed") << int(KindOrdinary)
                                   << Typing([](CContainerDlg &d) { retype(d.ordinaryPage()->currency(), "EUR"); })
                                   << Edit([](CPrzelewDane &) {}) << int(PaymentQrRefusal::Currency);
        QTest::newRow("account mistyped")
            << int(KindOrdinary)
            << Typing([](CContainerDlg &d) { retype(d.ordinaryPage()->accountRest(), "1234567890123457"); })
            << Edit([](CPrzelewDane &) {}) << int(PaymentQrRefusal::BadAccount);
        QTest::newRow("tax page, NIP's micro-account") << int(KindTax) << Typing([](CContainerDlg &) {})
                                                       << Edit([](CPrzelewDane &) {}) << none;
        QTest::newRow("ZUS page") << int(KindZus) << Typing([](CContainerDlg &) {}) << Edit([](CPrzelewDane &) {})
                                  << int(PaymentQrRefusal::ClosedAccount);
    }
    void codeFollowsTheTyping()
    {
        QFETCH(int, kind);
        QFETCH(Typing, typing);
        QFETCH(Edit, expected);
        QFETCH(int, refusal);
        m_env.reset();
        Dialog d(kind);
        typing(*d.dlg);
        CPrzelewDane order = payableOrder(kind);
        expected(order);
        const PaymentQrText code = paymentQrText(order);
        if (refusal == int(PaymentQrRefusal::None)) {
            QTRY_COMPARE(d.view()->codeText(), code.text);
            QVERIFY(d.view()->symbolWidget()->isVisible());
            QVERIFY(d.view()->captionLabel()->isVisible());
            QCOMPARE(d.view()->captionLabel()->text(), QStringLiteral("Zeskanuj w aplikacji banku"));
        } else {
            QTRY_VERIFY(d.view()->codeText().isEmpty());
            QVERIFY(!d.view()->symbolWidget()->isVisible());
            QVERIFY(d.view()->reasonLabel()->isVisible());
            QVERIFY2(d.view()->reasonLabel()->text().contains(d.view()->reasonText()),
                     qPrintable(d.view()->reasonLabel()->text()));
        }
        QCOMPARE(d.rec.amount, payableOrder(kind).amount);     // the record is left alone until saved
    }

    void codeMovesNoField()
    {
        m_env.reset();
        Dialog d(KindOrdinary);
        QTRY_VERIFY(!d.view()->codeText().isEmpty());
        const auto places = [&d] {
            QList<QRect> out;
            for (QWidget *w : d.dlg->ordinaryPage()->findChildren<QWidget *>())
                out.append(QRect(w->mapTo(d.dlg.get(), QPoint()), w->size()));
            return out;
        };
        const QList<QRect> withCode = places();
        const QSize size = d.dlg->size();
        d.dlg->ordinaryPage()->depositButton()->click();
        QTRY_VERIFY(d.view()->codeText().isEmpty());
        QCOMPARE(places(), withCode);
        QCOMPARE(d.dlg->size(), size);
    }

    void screenshotReadsBack()
    {
        m_env.reset();
        Dialog d(KindOrdinary);
        retype(d.dlg->ordinaryPage()->title1(), QStringLiteral("Zapłata za świąteczną łódź"));
        CPrzelewDane order = payableOrder(KindOrdinary);
        order.title1 = QStringLiteral("Zapłata za świąteczną łódź");
        const QByteArray text = paymentQrText(order).text.toUtf8();
        QTRY_COMPARE(d.view()->codeText().toUtf8(), text);
        QTemporaryDir dir;
        const QString shot = dir.filePath(QStringLiteral("code.png"));
        QVERIFY(d.view()->grab().save(shot));
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty(),
                 "zbarimg (zbar-tools) is installed by scripts/deps.sh");
        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("--raw"), QStringLiteral("-Sbinary"), QStringLiteral("-q"), shot});
        QVERIFY(zbar.waitForFinished(60000));
        QByteArray read = zbar.readAllStandardOutput();
        if (read.endsWith('\n'))
            read.chop(1);
        QCOMPARE(read, text);
    }
};

QTEST_MAIN(TestPaymentQrView)
#include "test_payment_qr_view.moc"
