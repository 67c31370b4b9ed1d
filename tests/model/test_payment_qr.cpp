#include "model/PaymentQr.h"
#include "SampleOrders.h"

#include <QTest>
#include <functional>

namespace {

using Edit = std::function<void(CPrzelewDane &)>;

constexpr char16_t kAccount[] = u"51101010231234567890123456";

// A tax order of NIP 1234563218, typed with dashes, to that NIP's micro-account.
void taxOfNip(CPrzelewDane &r)
{
    r = sample::payableTax();
    r.recipient1 = QStringLiteral("URZĄD SKARBOWY");
    r.payerId = QStringLiteral("123-456-32-18");
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestPaymentQr : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codeText_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("text");
        const QString acc = QString::fromUtf16(kAccount);
        const auto code = [&](const QString &amount, const QString &name, const QString &title) {
            return QStringLiteral("|PL|%1|%2|%3|%4|||").arg(acc, amount, name, title);
        };
        const QString name = QStringLiteral("ODBIORCA SP. Z O.O.");
        const QString title = QStringLiteral("FAKTURA 1/2026 ZA GRUDZIEŃ");

        QTest::newRow("transfer") << Edit([](CPrzelewDane &) {}) << code("123450", name, title);
        QTest::newRow("name cut at 20")
            << Edit([](CPrzelewDane &r) { r.recipient1 = QStringLiteral("PRZEDSIĘBIORSTWO HANDLOWE KOWALSKI"); })
            << code("123450", QStringLiteral("PRZEDSIĘBIORSTWO HAN"), title);
        QTest::newRow("cut before a blank")
            << Edit([](CPrzelewDane &r) { r.recipient1 = QStringLiteral("ABCDEFGHIJKLMNOPQRS TUV"); })
            << code("123450", QStringLiteral("ABCDEFGHIJKLMNOPQRS"), title);
        QTest::newRow("title lines joined, cut at 32")
            << Edit([](CPrzelewDane &r) {
                   r.title1 = QStringLiteral("FAKTURA VAT NR 2026/12/000123");
                   r.title2 = QStringLiteral("ZA USŁUGI");
               })
            << code("123450", name, QStringLiteral("FAKTURA VAT NR 2026/12/000123 ZA"));
        QTest::newRow("one grosz") << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency::fromUnits(0, 100); })
                                   << code("000001", name, title);
        QTest::newRow("half a grosz rounds up")
            << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency(123450); }) << code("001235", name, title);
        QTest::newRow("9 999,99")
            << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency::fromUnits(9999, 9900); })
            << code("999999", name, title);
        QTest::newRow("| in name and title")
            << Edit([](CPrzelewDane &r) {
                   r.recipient1 = QStringLiteral("A|B SPÓŁKA");
                   r.title1 = QStringLiteral("FV||1");
                   r.title2.clear();
               })
            << code("123450", QStringLiteral("A B SPÓŁKA"), QStringLiteral("FV 1"));
        QTest::newRow("Polish letters kept, others plain or blank")
            << Edit([](CPrzelewDane &r) {
                   r.recipient1 = QStringLiteral("Zażółć gęślą jaźń!");
                   r.title1 = QStringLiteral("Café Müller\t№ 5 \"x\" 😀 ok");
                   r.title2 = QStringLiteral("ŻÓŁW ĄĆĘŃŚŹ");
               })
            << code("123450", QStringLiteral("Zażółć gęślą jaźń"), QStringLiteral("Cafe Muller 5 x ok ŻÓŁW ĄĆĘŃŚŹ"));
        QTest::newRow("account typed with PL and blanks, lower-case pln")
            << Edit([](CPrzelewDane &r) {
                   r.bankNumber = QStringLiteral("1010 1023");
                   r.accountRest = QStringLiteral(" 1234 5678 9012 3456");
                   r.currency = QStringLiteral("pln");
               })
            << code("123450", name, title);
        QTest::newRow("tax of a NIP to its micro-account")
            << Edit(taxOfNip)
            << QStringLiteral("1234563218|PL|88101000712222123456321800|123450|URZĄD SKARBOWY|PIT-37 25R DECYZJA 12|||");
        QTest::newRow("tax of a NIP to an office account")
            << Edit([](CPrzelewDane &r) {
                   taxOfNip(r);
                   sample::setAccount(r, kAccount);
               })
            << QStringLiteral("|PL|%1|123450|URZĄD SKARBOWY|PIT-37 25R DECYZJA 12|||").arg(acc);
        QTest::newRow("tax of a PESEL to its micro-account")
            << Edit([](CPrzelewDane &r) {
                   taxOfNip(r);
                   sample::setAccount(r, u"34101000712221020708036280");
                   r.payerId = QStringLiteral("02070803628");
                   r.idType = CPrzelewDane::IdTypeFromLetter(u'P');
               })
            << QStringLiteral("|PL|34101000712221020708036280|123450|URZĄD SKARBOWY|PIT-37 25R DECYZJA 12|||");
        QTest::newRow("tax with a NIP typed as REGON")
            << Edit([](CPrzelewDane &r) {
                   taxOfNip(r);
                   r.idType = CPrzelewDane::IdTypeFromLetter(u'R');
               })
            << QStringLiteral("|PL|88101000712222123456321800|123450|URZĄD SKARBOWY|PIT-37 25R DECYZJA 12|||");
    }
    void codeText()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, text);
        CPrzelewDane order = sample::payable();
        edit(order);
        const PaymentQrText code = paymentQrText(order);
        QCOMPARE(int(code.refusal), int(PaymentQrRefusal::None));
        QCOMPARE(code.text, text);
        QVERIFY(code.reason.isEmpty());
        QVERIFY(code.text.size() <= PaymentQr::kMaxLength);
        QCOMPARE(code.text.split(u'|').size(), 9);
    }

    void noCode_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<int>("refusal");
        QTest::newRow("cash deposit") << Edit([](CPrzelewDane &r) { r.isTransfer = 0; })
                                      << int(PaymentQrRefusal::Deposit);
        QTest::newRow("EUR") << Edit([](CPrzelewDane &r) { r.currency = QStringLiteral("EUR"); })
                             << int(PaymentQrRefusal::Currency);
        QTest::newRow("wrong check digits")
            << Edit([](CPrzelewDane &r) { r.checkDigits = QStringLiteral("52"); }) << int(PaymentQrRefusal::BadAccount);
        QTest::newRow("old bank-and-account form")
            << Edit([](CPrzelewDane &r) { r.checkDigits.clear(); }) << int(PaymentQrRefusal::BadAccount);
        QTest::newRow("no account") << Edit([](CPrzelewDane &r) { sample::setAccount(r, u""); })
                                    << int(PaymentQrRefusal::NoAccount);
        QTest::newRow("10 000,00")
            << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency::fromUnits(10000); })
            << int(PaymentQrRefusal::AmountTooLarge);
        QTest::newRow("9 999,995 rounds to 10 000,00")
            << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency(99999950); }) << int(PaymentQrRefusal::AmountTooLarge);
        QTest::newRow("zero") << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency::fromUnits(0); })
                              << int(PaymentQrRefusal::NoAmount);
        QTest::newRow("negative") << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency::fromUnits(-5); })
                                  << int(PaymentQrRefusal::NoAmount);
        QTest::newRow("no amount") << Edit([](CPrzelewDane &r) { r.amount = CWexOleCurrency::null(); })
                                   << int(PaymentQrRefusal::NoAmount);
        QTest::newRow("to the closed ZUS social insurance account")
            << Edit([](CPrzelewDane &r) { sample::setAccount(r, u"83101010230000261395100000"); })
            << int(PaymentQrRefusal::ClosedAccount);
        QTest::newRow("ZUS form") << Edit([](CPrzelewDane &r) {
            r.SetKind(KindZus);
            r.zusAccountType = 2;
            r.amount = CWexOleCurrency::fromUnits(100);
        }) << int(PaymentQrRefusal::ClosedAccount);
        QTest::newRow("ZUS form without a purpose") << Edit([](CPrzelewDane &r) {
            r.SetKind(KindZus);
            r.zusAccountType = 0;
            r.amount = CWexOleCurrency::fromUnits(100);
        }) << int(PaymentQrRefusal::NoAccount);
        QTest::newRow("unknown kind") << Edit([](CPrzelewDane &r) { r.kind = 7; }) << int(PaymentQrRefusal::UnknownKind);
    }
    void noCode()
    {
        QFETCH(Edit, edit);
        QFETCH(int, refusal);
        CPrzelewDane order = sample::payable();
        edit(order);
        const PaymentQrText code = paymentQrText(order);
        QCOMPARE(int(code.refusal), refusal);
        QVERIFY(code.text.isEmpty());
        QVERIFY(!code.reason.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPaymentQr)
#include "test_payment_qr.moc"
