#include "SampleOrders.h"
#include "model/ElixirWriter.h"

#include <QStringEncoder>
#include <QTest>
#include <functional>

Q_DECLARE_METATYPE(CPrzelewDane)
Q_DECLARE_METATYPE(ElixirCodePage)

namespace {

const QString kSender = QStringLiteral("60 1020 1026 0000 1234 5678 9012");

// The Polish letters' bytes, read off each code page's chart.
struct HandLetter
{
    char16_t letter;
    const char *cp1250, *cp852, *iso;
};
constexpr HandLetter kHandLetters[] = {
    {u'ą', "\xB9", "\xA5", "\xB1"}, {u'ć', "\xE6", "\x86", "\xE6"}, {u'ę', "\xEA", "\xA9", "\xEA"},
    {u'ł', "\xB3", "\x88", "\xB3"}, {u'ń', "\xF1", "\xE4", "\xF1"}, {u'ó', "\xF3", "\xA2", "\xF3"},
    {u'ś', "\x9C", "\x98", "\xB6"}, {u'ź', "\x9F", "\xAB", "\xBC"}, {u'ż', "\xBF", "\xBE", "\xBF"},
    {u'Ą', "\xA5", "\xA4", "\xA1"}, {u'Ć', "\xC6", "\x8F", "\xC6"}, {u'Ę', "\xCA", "\xA8", "\xCA"},
    {u'Ł', "\xA3", "\x9D", "\xA3"}, {u'Ń', "\xD1", "\xE3", "\xD1"}, {u'Ó', "\xD3", "\xE0", "\xD3"},
    {u'Ś', "\x8C", "\x97", "\xA6"}, {u'Ź', "\x8F", "\x8D", "\xAC"}, {u'Ż', "\xAF", "\xBD", "\xAF"},
};

QByteArray handEncoded(const QString &line, ElixirCodePage page)
{
    if (page == ElixirCodePage::Utf8)
        return line.toUtf8();
    QByteArray out;
    for (QChar c : line) {
        if (c.unicode() < 0x80) {
            out += char(c.unicode());
            continue;
        }
        for (const HandLetter &h : kHandLetters)
            if (h.letter == c.unicode())
                out += page == ElixirCodePage::Windows1250 ? h.cp1250 : page == ElixirCodePage::Cp852 ? h.cp852 : h.iso;
    }
    return out;
}

// The orders and their lines as a bank reads them (before the code page):
// the golden orders, the largest amount, a part of a grosz rounded, and
// texts wrapped at 35 characters, their quotes turned into apostrophes.
struct Golden
{
    const char *name;
    CPrzelewDane order;
    QString line;
    int64_t grosze;
};

QList<Golden> goldenOrders()
{
    const auto transfer = [](QStringView grosze, const QString &recipient, const QString &title) {
        return QStringLiteral("110,20250314,%1,10201026,0,\"60102010260000123456789012\",\"97105014611000002312345678\","
                              "\"Przedsiębiorstwo Usługowe Źródło|sp. z o.o.|ul. Żółkiewskiego 5, 90-001 Łódź|\",\"%2\","
                              "0,10501461,\"%3\",\"\",\"\",\"51\",\"\"\r\n")
            .arg(grosze, recipient, title);
    };
    const QString recipient = QStringLiteral("Jan Kowalski|ul. Długa 2, 00-002 Warszawa||");
    const QString title = QStringLiteral("Faktura FV/1/03/2025|||");
    const QString a36 = QStringLiteral("Ą").repeated(36), a20 = QString(20, u'a'), b33 = QString(33, u'b');
    const QString quoted = QStringLiteral("Zapłata za \"Tytuł\" (umowa 5/2025), część 1/2 + odsetki");
    return {
        {"ordinary", sample::bankTransfer(), transfer(u"123456", recipient, title), 123456},
        {"tax", sample::bankTax(),
         QStringLiteral("110,20250320,10050,10201026,0,\"60102010260000123456789012\",\"88101000712222123456321800\","
                        "\"Przedsiębiorstwo Usługowe Źródło|||\",\"Urząd Skarbowy Łódź-Bałuty|||\",0,10100071,"
                        "\"/TI/N1234563218/OKR/25M02/SFP/VAT-7|/TXT/Zaliczka za luty||\",\"\",\"\",\"71\",\"FK/0042\"\r\n"),
         10050},
        {"ZUS contribution account", sample::bankZus(),
         QStringLiteral("110,20250317,1,10201026,0,\"60102010260000123456789012\",\"33600000020260001234563218\","
                        "\"Przedsiębiorstwo Usługowe Źródło|||\",\"Zakład Ubezpieczeń Społecznych|||\",0,60000002,"
                        "\"Składki za 02/2025|||\",\"\",\"\",\"51\",\"\"\r\n"),
         1},
        {"largest amount",
         sample::changed(sample::bankTransfer(),
                         [](CPrzelewDane &o) { CWexOleCurrency::parseDecimal(u"99999999,99", o.amount); }),
         transfer(u"9999999999", recipient, title), 9999999999},
        {"123,4505 as 123,45", sample::changed(sample::bankTransfer(), [](CPrzelewDane &o) { o.amount = CWexOleCurrency(1234505); }),
         transfer(u"12345", recipient, title), 12345},
        {"texts wrapped",
         sample::changed(sample::bankTransfer(),
                         [&](CPrzelewDane &o) {
                             o.recipient1 = a36;
                             o.recipient2 = a20 + u' ' + b33;
                             o.title1 = quoted;
                             o.title2 = QString(54, u'x');
                         }),
         transfer(u"123456", a36.left(35) + QStringLiteral("|Ą|") + a20 + u'|' + b33,
                  QStringLiteral("Zapłata za 'Tytuł' (umowa 5/2025),|część 1/2 + odsetki|") + QString(35, u'x') + u'|'
                      + QString(19, u'x')),
         123456},
    };
}

} // namespace

class TestElixirWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each line exact in each code page; quotes may go as apostrophes.
    void goldenLines_data()
    {
        QTest::addColumn<CPrzelewDane>("order");
        QTest::addColumn<ElixirCodePage>("page");
        QTest::addColumn<QString>("golden");
        for (const Golden &row : goldenOrders())
            for (const ElixirCodePageName &page : elixirCodePages())
                QTest::addRow("%s, %s", row.name, page.name) << row.order << page.page << row.line;
    }
    void goldenLines()
    {
        QFETCH(CPrzelewDane, order);
        QFETCH(ElixirCodePage, page);
        QFETCH(QString, golden);
        ElixirOptions options;
        options.codePage = page;
        options.quotesAsApostrophes = true;
        QByteArray out;
        ElixirRefusal why;
        QVERIFY2(appendElixirLine(order, options, out, &why), qPrintable(elixirRefusalText(why)));
        QCOMPARE(out, handEncoded(golden, page));
    }

    // The file is its lines one after another, counted and summed to the grosz.
    void fileHoldsItsLines_data()
    {
        QTest::addColumn<ElixirCodePage>("page");
        for (const ElixirCodePageName &page : elixirCodePages())
            QTest::newRow(page.name) << page.page;
    }
    void fileHoldsItsLines()
    {
        QFETCH(ElixirCodePage, page);
        ElixirOptions options;
        options.codePage = page;
        options.quotesAsApostrophes = true;
        CElixirFile file(options);
        QString lines;
        int64_t total = 0;
        for (const Golden &row : goldenOrders()) {
            ElixirRefusal why;
            QVERIFY2(file.add(row.order, &why), qPrintable(elixirRefusalText(why)));
            lines += row.line;
            total += row.grosze;
        }
        QCOMPARE(file.count(), 6);
        QCOMPARE(file.totalGrosze(), total);
        QCOMPARE(file.bytes(), handEncoded(lines, page));
    }

    // Every reason for leaving an order out, and hostile texts.
    void ordersLeftOut_data()
    {
        QTest::addColumn<CPrzelewDane>("order");
        QTest::addColumn<bool>("ownDate");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("field");
        using R = ElixirRefusal;
        const CPrzelewDane base = sample::bankTransfer();
        const auto row = [&](const char *name, const std::function<void(CPrzelewDane &)> &change, R::Reason reason,
                             const char *field = "", bool ownDate = false) {
            QTest::newRow(name) << sample::changed(base, change) << ownDate << int(reason) << QString::fromUtf8(field);
        };
        row("cash deposit", [](CPrzelewDane &o) { o.isTransfer = 0; }, R::CashDeposit);
        row("euro", [](CPrzelewDane &o) { o.currency = QStringLiteral("EUR"); }, R::NotInZloty);
        for (int type = 1; type <= 3; ++type)
            QTest::addRow("ZUS fund account %d", type)
                << sample::changed(base, [type](CPrzelewDane &o) { o.SetKind(KindZus); o.senderAccount = kSender;
                                                           o.zusAccountType = type; })
                << false << int(R::ClosedAccount) << QString();
        row("ZUS order without account", [](CPrzelewDane &o) { o.SetKind(KindZus); o.senderAccount = kSender;
                                                                o.zusAccountType = 0; },
            R::ZusNotToContributionAccount);
        row("ordinary order to a closed ZUS account",
            [](CPrzelewDane &o) { sample::setAccount(o, u"78101010230000261395200000"); },
            R::ClosedAccount);
        row("recipient check digits", [](CPrzelewDane &o) { o.checkDigits = QStringLiteral("98"); },
            R::BadRecipientAccount);
        row("recipient 25 digits", [](CPrzelewDane &o) { o.accountRest.chop(1); }, R::BadRecipientAccount);
        row("recipient letters", [](CPrzelewDane &o) { o.accountRest[3] = u'O'; }, R::BadRecipientAccount);
        row("no recipient account", [](CPrzelewDane &o) { o.checkDigits.clear(); o.bankNumber.clear();
                                                          o.accountRest.clear(); },
            R::BadRecipientAccount);
        row("no sender account", [](CPrzelewDane &o) { o.senderAccount = QStringLiteral("  "); }, R::NoSenderAccount);
        row("sender foreign IBAN", [](CPrzelewDane &o) { o.senderAccount = QStringLiteral("DE89370400440532013000"); },
            R::BadSenderAccount);
        row("zero amount", [](CPrzelewDane &o) { o.amount = CWexOleCurrency(0); }, R::BadAmount);
        row("negative amount", [](CPrzelewDane &o) { o.amount = CWexOleCurrency(-1250000); }, R::BadAmount);
        row("invalid amount", [](CPrzelewDane &o) { o.amount = CWexOleCurrency::invalid(); }, R::BadAmount);
        row("no date of its own", [](CPrzelewDane &o) { o.date = COrderDate::null(); }, R::NoDate, "", true);
        row("no recipient name", [](CPrzelewDane &o) { o.recipient1 = QStringLiteral(" "); o.recipient2.clear(); },
            R::MissingText, "nazwa odbiorcy");
        row("no sender name", [](CPrzelewDane &o) { o.sender1.clear(); o.sender2.clear(); }, R::MissingText,
            "nazwa nadawcy");
        row("no title", [](CPrzelewDane &o) { o.title1.clear(); }, R::MissingText, "tytuł");
        row("tax without period", [](CPrzelewDane &o) { o = sample::bankTax(); o.taxPeriod.clear(); }, R::MissingTaxPart,
            "okres");
        row("tax without identifier", [](CPrzelewDane &o) { o = sample::bankTax(); o.payerId = QStringLiteral(" - "); },
            R::MissingTaxPart, "identyfikator płatnika");
        row("tax without symbol", [](CPrzelewDane &o) { o = sample::bankTax(); o.taxFormSymbol.clear(); },
            R::MissingTaxPart, "symbol formularza");
        row("quote in title", [](CPrzelewDane &o) { o.title2 = QStringLiteral("\"Tytuł\""); }, R::Quote, "tytuł");
        row("quote in reference", [](CPrzelewDane &o) { o.reference = QStringLiteral("A\"B"); }, R::Quote,
            "numer referencyjny");
        row("bar in name", [](CPrzelewDane &o) { o.recipient2 = QStringLiteral("A|B"); }, R::LineSeparator,
            "nazwa odbiorcy");
        row("colon", [](CPrzelewDane &o) { o.title1 = QStringLiteral("Faktura: 12"); }, R::ForbiddenCharacter,
            "tytuł");
        for (const char16_t *text : {u";", u"&", u"@", u"$", u"\t", u"\u20AC", u"\u00A0", u"\u201E", u"\u0416",
                                     u"\u00B5", u"\U0001F600"})
            QTest::addRow("character U+%04X", unsigned(QString::fromUtf16(text).toUcs4().first()))
                << sample::changed(base, [text](CPrzelewDane &o) { o.sender2.insert(3, QString::fromUtf16(text)); }) << false
                << int(R::ForbiddenCharacter) << QStringLiteral("nazwa nadawcy");
        row("tax obligation with a quote", [](CPrzelewDane &o) { o = sample::bankTax(); o.obligationId = "\"x\""; },
            R::Quote, "identyfikacja zobowiązania");
        row("title beyond four lines", [](CPrzelewDane &o) { o.title1 = QString(100, u'x'); o.title2 = QString(60, u'y'); },
            R::TextTooLong, "tytuł");
    }
    void ordersLeftOut()
    {
        QFETCH(CPrzelewDane, order);
        QFETCH(bool, ownDate);
        QFETCH(int, reason);
        QFETCH(QString, field);
        ElixirOptions options;
        if (!ownDate)
            options.executionDate = QDate(2025, 4, 1);
        QByteArray out("kept");
        ElixirRefusal why;
        QVERIFY(!appendElixirLine(order, options, out, &why));
        QCOMPARE(out, "kept");
        QCOMPARE(int(why.reason), reason);
        QCOMPARE(why.field, field);
        const QString text = elixirRefusalText(why);
        QVERIFY(!text.isEmpty());
        // A reason goes to standard error: never a raw control character.
        QVERIFY(std::none_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }));
    }

    // The letter table agrees with the system's converters, and holds every
    // letter that all three single-byte pages have.
    void lettersAgreeWithTheCodePages()
    {
        const char *names[] = {"windows-1250", "IBM852", "ISO-8859-2"};
        const ElixirCodePage pages[] = {ElixirCodePage::Windows1250, ElixirCodePage::Cp852, ElixirCodePage::Iso8859_2};
        for (const char *name : names)
            if (!QStringEncoder(name).isValid())
                QSKIP("the system's converters lack a code page");
        for (char16_t u = 0x80; u < 0x3000; ++u) {
            const QString c(QChar{u});
            bool inAll = c[0].isLetter();
            QByteArray expected[3];
            for (int p = 0; p < 3; ++p) {
                QStringEncoder encoder(names[p]);
                expected[p] = encoder.encode(c);
                inAll = inAll && !encoder.hasError() && expected[p].size() == 1;
            }
            QCOMPARE(isElixirTextCharacter(c[0]), inAll && u != 0x02C7);   // a caron alone is no letter of a name
            for (int p = 0; p < 3 && isElixirTextCharacter(c[0]); ++p) {
                QByteArray ours;
                QVERIFY(appendElixirText(c, pages[p], ours));
                QCOMPARE(ours, expected[p]);
            }
        }
    }

    void codePageNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        QTest::newRow("cp1250") << "cp1250" << int(ElixirCodePage::Windows1250);
        QTest::newRow("CP852") << "CP852" << int(ElixirCodePage::Cp852);
        QTest::newRow("iso-8859-2") << "iso-8859-2" << int(ElixirCodePage::Iso8859_2);
        QTest::newRow("UTF-8") << "UTF-8" << int(ElixirCodePage::Utf8);
        QTest::newRow("utf8") << "utf8" << -1;
        QTest::newRow("latin1") << "latin1" << -1;
    }
    void codePageNames()
    {
        QFETCH(QString, name);
        QFETCH(int, page);
        const std::optional<ElixirCodePage> found = elixirCodePageByName(name);
        QCOMPARE(found ? int(*found) : -1, page);
        if (found)
            QCOMPARE(elixirCodePageByName(elixirCodePageName(*found)), found);
    }

    void sumsForTheUser_data()
    {
        QTest::addColumn<qint64>("grosze");
        QTest::addColumn<QString>("text");
        QTest::newRow("grosz") << qint64(1) << "0,01 zł";
        QTest::newRow("thousands") << qint64(123456789) << "1 234 567,89 zł";
        QTest::newRow("round") << qint64(100000) << "1 000,00 zł";
    }
    void sumsForTheUser()
    {
        QFETCH(qint64, grosze);
        QFETCH(QString, text);
        QCOMPARE(groszeText(grosze), text);
    }
};

QTEST_GUILESS_MAIN(TestElixirWriter)
#include "test_elixir_writer.moc"
