#include "model/AccountCheck.h"
#include "model/PaymentAccounts.h"
#include "model/PaymentWarnings.h"
#include "model/TaxForms.h"
#include "model/TaxpayerIds.h"
#include "model/ZusTransfer.h"
#include "SampleOrders.h"

#include <QSet>
#include <QTest>
#include <algorithm>


namespace {

const int IdNip = CPrzelewDane::IdTypeFromLetter(u'N');
const int IdPesel = CPrzelewDane::IdTypeFromLetter(u'P');
const int IdRegon = CPrzelewDane::IdTypeFromLetter(u'R');

// Accounts with right check digits that are none of the special kinds.
constexpr auto OfficeAccount = u"45101010100164902230000000";
constexpr auto MicroOfNip = u"88101000712222123456321800";       // NIP 1234563218
constexpr auto MicroOfPesel = u"34101000712221020708036280";     // PESEL 02070803628

} // namespace

class TestPaymentAccounts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void identifierCheckDigits_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("valid");
        QTest::newRow("NIP") << "NIP" << "1234563218" << true;
        QTest::newRow("NIP ones") << "NIP" << "1111111111" << true;
        QTest::newRow("NIP real") << "NIP" << "5260250995" << true;
        QTest::newRow("NIP with dashes") << "NIP" << "123-456-32-18" << true;
        QTest::newRow("NIP last digit") << "NIP" << "1234563219" << false;
        QTest::newRow("NIP sum leaving 10") << "NIP" << "1000000160" << false;
        QTest::newRow("NIP 9 digits") << "NIP" << "123456321" << false;
        QTest::newRow("NIP with PL") << "NIP" << "PL1234563218" << false;
        QTest::newRow("PESEL") << "PESEL" << "02070803628" << true;
        QTest::newRow("PESEL 2") << "PESEL" << "44051401458" << true;
        QTest::newRow("PESEL last digit") << "PESEL" << "02070803627" << false;
        QTest::newRow("PESEL swapped") << "PESEL" << "20070803628" << false;
        QTest::newRow("PESEL as NIP") << "NIP" << "02070803628" << false;
        QTest::newRow("REGON 9") << "REGON" << "123456785" << true;
        QTest::newRow("REGON 9, 10 counts 0") << "REGON" << "123456740" << true;
        QTest::newRow("REGON 9 wrong") << "REGON" << "123456784" << false;
        QTest::newRow("REGON 14") << "REGON" << "12345678512347" << true;
        QTest::newRow("REGON 14, 10 counts 0") << "REGON" << "12345678512330" << true;
        QTest::newRow("REGON 14 wrong") << "REGON" << "12345678512348" << false;
        QTest::newRow("REGON 10 digits") << "REGON" << "1234567850" << false;
        QTest::newRow("empty") << "NIP" << "" << false;
    }
    void identifierCheckDigits()
    {
        QFETCH(QString, kind);
        QFETCH(QString, id);
        QFETCH(bool, valid);
        const bool result = kind == u"NIP" ? isValidNip(id) : kind == u"PESEL" ? isValidPesel(id) : isValidRegon(id);
        QCOMPARE(result, valid);
        // The tax page's mark says the same of the identifier under its type.
        const int type = kind == u"NIP" ? IdNip : kind == u"PESEL" ? IdPesel : IdRegon;
        QCOMPARE(PaymentWarnings::identifier(type, id).isEmpty(), valid || id.isEmpty());
    }

    void microAccountOfIdentifier_data()
    {
        QTest::addColumn<int>("owner");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("account");
        const int nip = int(MicroAccountOwner::Nip), pesel = int(MicroAccountOwner::Pesel);
        QTest::newRow("NIP") << nip << "1234563218" << "88 1010 0071 2222 1234 5632 1800";
        QTest::newRow("NIP ones") << nip << "1111111111" << "74 1010 0071 2222 1111 1111 1100";
        QTest::newRow("PESEL") << pesel << "02070803628" << "34 1010 0071 2221 0207 0803 6280";
        QTest::newRow("PESEL 2") << pesel << "44051401458" << "69 1010 0071 2221 4405 1401 4580";
        QTest::newRow("NIP with dashes") << nip << "123-456-32-18" << "88 1010 0071 2222 1234 5632 1800";
        QTest::newRow("invalid NIP: none") << nip << "1234563219" << "";
        QTest::newRow("PESEL as NIP: none") << nip << "02070803628" << "";
    }
    void microAccountOfIdentifier()
    {
        QFETCH(int, owner);
        QFETCH(QString, id);
        QFETCH(QString, account);
        const QString digits = accountDigits(account);
        QCOMPARE(taxMicroAccount(MicroAccountOwner(owner), id), digits);
        if (digits.isEmpty())
            return;
        QCOMPARE(checkAccountNumber(digits), AccountCheck::Valid);
        const std::optional<MicroAccount> found = taxMicroAccountOwner(account);
        QVERIFY(found);
        QCOMPARE(int(found->owner), owner);
        QCOMPARE(found->id, taxpayerIdDigits(id));
        QVERIFY(isTaxMicroAccountOf(account, MicroAccountOwner(owner), id));
        QVERIFY(accountDescription(account).contains(found->id));
    }

    // Numbers that look like a micro-account but are none of this payer's.
    void notTheMicroAccount_data()
    {
        QTest::addColumn<QString>("account");
        // A generator seen in the wild left out the type digit and padded with
        // three zeros: the number checks, but it is no NIP's micro-account.
        QTest::newRow("type digit left out") << "93101000712221234563218000";
        QTest::newRow("type digit of a PESEL") << "22101000712221123456321800";
        QTest::newRow("office's own (type 3)") << "96101000712223123456321800";
        QTest::newRow("no zeros after the NIP") << "61101000712222123456321801";
        QTest::newRow("NIP failing its check") << "07101000712222123456321900";
        QTest::newRow("check digits wrong") << "87101000712222123456321800";
        QTest::newRow("office account") << QString::fromUtf16(OfficeAccount);
        QTest::newRow("empty") << "";
    }
    void notTheMicroAccount()
    {
        QFETCH(QString, account);
        QVERIFY(!isTaxMicroAccountOf(account, MicroAccountOwner::Nip, u"1234563218"));
        const std::optional<MicroAccount> found = taxMicroAccountOwner(account);
        QVERIFY(!found || found->owner != MicroAccountOwner::Nip || found->id != u"1234563218");
    }

    // The payer's contribution account (NRS), and what the ZUS transfer
    // page says of a number typed for it.
    void contributionAccount_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("payerNip");
        QTest::addColumn<QString>("ownerNip");    // empty: not a contribution account
        QTest::addColumn<QString>("problem");     // a part of the page's message; empty: the payer's own
        QTest::newRow("NRS") << "33600000020260001234563218" << "1234563218" << "1234563218" << "";
        QTest::newRow("second range, grouped, NIP with dashes")
            << "68 6000 0002 0260 0112 3456 3218" << "123-456-32-18" << "1234563218" << "";
        QTest::newRow("another payer's") << "50600000020260005260250995" << "1234563218" << "5260250995"
                                         << "NIP 5260250995";
        QTest::newRow("NIP failing its check") << "06600000020260001234563219" << "1234563219" << "" << "NIP płatnika";
        QTest::newRow("027 instead of 026") << "16600000020270001234563218" << "1234563218" << "" << "nie jest rachunek";
        QTest::newRow("check digits wrong") << "34600000020260001234563218" << "1234563218" << "" << "cyfry kontrolne";
        QTest::newRow("closed ZUS account") << "83101010230000261395100000" << "1234563218" << "" << "nie jest rachunek";
        QTest::newRow("empty") << "" << "1234563218" << "" << "Podaj numer";
        QTest::newRow("payer without a NIP") << "33600000020260001234563218" << "" << "1234563218" << "NIP płatnika";
    }
    void contributionAccount()
    {
        QFETCH(QString, account);
        QFETCH(QString, payerNip);
        QFETCH(QString, ownerNip);
        QFETCH(QString, problem);
        const std::optional<ZusContributionAccount> found = zusContributionAccount(account);
        QCOMPARE(found ? found->nip : QString(), ownerNip);
        QCOMPARE(isZusContributionAccount(account), !ownerNip.isEmpty());
        QCOMPARE(isZusContributionAccountOf(account, payerNip), problem.isEmpty());
        if (found)
            QCOMPARE(accountDescription(account), QStringLiteral("Rachunek składkowy ZUS płatnika NIP ") + ownerNip);
        const QString message = ZusTransfer::accountProblem(account, payerNip);
        QVERIFY2(problem.isEmpty() ? message.isEmpty() : message.contains(problem), qPrintable(message));
    }

    void closedAccounts_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<bool>("closed");
        QTest::newRow("social") << "83 1010 1023 0000 2613 9510 0000" << true;
        QTest::newRow("health") << "78101010230000261395200000" << true;
        QTest::newRow("FP and FGŚP") << "73-10101023-0000261395300000" << true;
        QTest::newRow("FEP") << "PL68101010230000261395400000" << true;
        QTest::newRow("NRS") << "33600000020260001234563218" << false;
        QTest::newRow("micro-account") << QString::fromUtf16(MicroOfNip) << false;
        QTest::newRow("one digit off") << "83101010230000261395100001" << false;
        QTest::newRow("without check digits") << "10101023-0000261395200000" << true;
    }
    void closedAccounts()
    {
        QFETCH(QString, account);
        QFETCH(bool, closed);
        const std::optional<ClosedAccount> found = closedAccount(account);
        QCOMPARE(found.has_value(), closed);
        QCOMPARE(PaymentWarnings::closed(account).contains(u"zamknięty 1.01.2018"), closed);
        if (found) {
            QCOMPARE(found->closedSince, QDate(2018, 1, 1));
            QCOMPARE(checkAccountNumber(found->account), AccountCheck::Valid);
        }
    }

    // Every symbol has one place, whichever way it is written.
    void everySymbolRoutedOnce()
    {
        QSet<QString> seen;
        for (const TaxFormRow &row : taxFormTable()) {
            const QString symbol = normalizedFormSymbol(row.symbol);
            QVERIFY2(!seen.contains(symbol), qPrintable(symbol));
            seen.insert(symbol);
            QVERIFY2(symbol.size() <= 7, qPrintable(symbol));    // fits the order's field
            QCOMPARE(taxFormPaidTo(row.symbol, QDate(2026, 1, 1)), row.paidTo);
            QCOMPARE(taxFormPaidTo(QString::fromUtf16(row.symbol).toLower(), QDate(2026, 1, 1)), row.paidTo);
            // A row goes where its group goes: a PCC form marked for the
            // micro-account would stand out here.
            const auto groups = taxFormGroups();
            const auto group = std::find_if(groups.begin(), groups.end(), [&](const TaxFormGroup &g) {
                return QStringView(g.code) == QStringView(row.group);
            });
            QVERIFY2(group != groups.end(), qPrintable(symbol));
            QCOMPARE(group->paidTo, row.paidTo);
        }
        QCOMPARE(taxFormFieldSymbols(QDate(2026, 1, 1)).size(), seen.size());
        QVERIFY(taxFormFieldSymbols(QDate(2026, 1, 1)).contains(QStringLiteral("VATKU")));
        QVERIFY(!taxFormFieldSymbols(QDate(2025, 9, 30)).contains(QStringLiteral("VATKU")));
    }

    void symbolRouting_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QDate>("on");
        QTest::addColumn<int>("paidTo");    // -1: unknown
        const int micro = int(TaxPaidTo::MicroAccount), office = int(TaxPaidTo::OfficeAccount);
        const QDate today(2026, 3, 1);
        QTest::newRow("PIT-37") << "PIT-37" << today << micro;
        QTest::newRow("PIT37 as stored") << "PIT37" << today << micro;
        QTest::newRow("jpk_v7k") << "jpk_v7k" << today << micro;
        QTest::newRow("JPKV7M") << "JPKV7M" << today << micro;
        QTest::newRow("PCC-3") << "PCC-3" << today << office;
        QTest::newRow("PCC3 in 2019") << "PCC3" << QDate(2019, 6, 1) << office;
        QTest::newRow("SD3") << "SD3" << today << office;
        QTest::newRow("AKC2A by its group") << "AKC2A" << today << office;
        QTest::newRow("PIT alone") << "PIT" << today << micro;
        QTest::newRow("CIT2 by its group") << "CIT2" << today << micro;
        QTest::newRow("PIT-37 before 2020") << "PIT-37" << QDate(2019, 12, 31) << office;
        QTest::newRow("VAT-KU before October 2025") << "VAT-KU" << QDate(2025, 9, 30) << office;
        QTest::newRow("VAT-KU since") << "VATKU" << QDate(2025, 10, 1) << micro;
        QTest::newRow("P-KOP/MS") << "P-KOP/MS" << today << micro;
        QTest::newRow("INNE") << "INNE" << today << -1;
        QTest::newRow("PITX: no group followed by a number") << "PITX" << today << -1;
        QTest::newRow("empty") << "" << today << -1;
    }
    void symbolRouting()
    {
        QFETCH(QString, symbol);
        QFETCH(QDate, on);
        QFETCH(int, paidTo);
        const std::optional<TaxPaidTo> found = taxFormPaidTo(symbol, on);
        QCOMPARE(found ? int(*found) : -1, paidTo);
    }

    void periodRules_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<bool>("valid");
        for (const char *good : {"0", "26R", "26P01", "26P02", "26K03", "26M04", "26M12", "26D0204", "26D0312",
                                 "26J3102", "26J0101", "26m04"})
            QTest::newRow(good) << good << true;
        for (const char *bad : {"26M13", "26M00", "26D0413", "26D0412", "26D0013", "26P03", "26K05", "26J3202",
                                "26J0113", "26R01", "26M4", "26X01", "2026R", "00", "R", "26M041"})
            QTest::newRow(bad) << bad << false;
    }
    void periodRules()
    {
        QFETCH(QString, period);
        QFETCH(bool, valid);
        QCOMPARE(isValidTaxPeriod(period), valid);
        QCOMPARE(PaymentWarnings::taxPeriod(period).isEmpty(), valid);
    }

    // The tax page's and the batch's mark about symbol and account.
    void symbolAndAccountGoTogether_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<int>("idType");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("account");
        QTest::addColumn<bool>("marked");
        const QString office = QString::fromUtf16(OfficeAccount), nipMicro = QString::fromUtf16(MicroOfNip);
        QTest::newRow("PIT-37, payer's micro") << "PIT37" << IdNip << "1234563218" << nipMicro << false;
        QTest::newRow("PIT-37, office account") << "PIT37" << IdNip << "1234563218" << office << true;
        QTest::newRow("PIT-37, another payer's micro") << "PIT37" << IdNip << "1111111111" << nipMicro << true;
        QTest::newRow("PIT-37, generator bug") << "PIT37" << IdNip << "1234563218" << "93101000712221234563218000"
                                               << true;
        QTest::newRow("PIT-37, PESEL payer") << "PIT37" << IdPesel << "02070803628"
                                             << QString::fromUtf16(MicroOfPesel) << false;
        QTest::newRow("VAT-7K, REGON, a micro") << "VAT7K" << IdRegon << "123456785" << nipMicro << false;
        QTest::newRow("VAT-7K, REGON, office") << "VAT7K" << IdRegon << "123456785" << office << true;
        QTest::newRow("PCC-3 to a micro") << "PCC3" << IdNip << "1234563218" << nipMicro << true;
        QTest::newRow("PCC-3 to the office") << "PCC3" << IdNip << "1234563218" << office << false;
        QTest::newRow("unknown symbol") << "INNE" << IdNip << "1234563218" << office << false;
        QTest::newRow("no account yet") << "PIT37" << IdNip << "1234563218" << "" << false;
    }
    void symbolAndAccountGoTogether()
    {
        QFETCH(QString, symbol);
        QFETCH(int, idType);
        QFETCH(QString, id);
        QFETCH(QString, account);
        QFETCH(bool, marked);
        QCOMPARE(!PaymentWarnings::taxAccount(symbol, idType, id, account, QDate(2026, 3, 1)).isEmpty(), marked);
    }

    void warningsOfAnOrder()
    {
        QCOMPARE(PaymentWarnings::ofOrder(sample::zus()).size(), 1);    // to the closed health fund account

        CPrzelewDane tax = sample::tax();
        tax.idType = IdNip;
        tax.payerId = QStringLiteral("1234563219");
        tax.taxFormSymbol = QStringLiteral("PIT37");
        tax.taxPeriod = QStringLiteral("26M13");
        sample::setAccount(tax, OfficeAccount);
        QCOMPARE(PaymentWarnings::ofOrder(tax).size(), 3);    // identifier, account, period

        CPrzelewDane ordinary = sample::ordinary();
        ordinary.taxFormSymbol = QStringLiteral("PIT37");
        sample::setAccount(ordinary, OfficeAccount);
        QVERIFY(PaymentWarnings::ofOrder(ordinary).isEmpty());
    }

    void checkDigitsOfANumber()
    {
        QCOMPARE(nrbCheckDigits(u"101010230000261395100000"), u"83");
        QCOMPARE(nrbCheckDigits(u"101000712222123456321800"), u"88");
        QCOMPARE(nrbCheckDigits(u"10101023000026139510000"), QString());
        QCOMPARE(nrbCheckDigits(u"10101023000026139510000x"), QString());
    }
};

QTEST_MAIN(TestPaymentAccounts)
#include "test_payment_accounts.moc"
