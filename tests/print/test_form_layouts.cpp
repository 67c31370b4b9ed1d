// The field tables of every form kind, drawn onto a recording canvas.

#include "RecordingCanvas.h"
#include "SampleOrders.h"
#include "TemplateBoxes.h"
#include "model/AccountSplit.h"
#include "print/FormLayouts.h"
#include "print/FormPages.h"

#include <QTest>

Q_DECLARE_METATYPE(CPrzelewDane)

namespace {

PrintJobParams boxes(bool on)
{
    PrintJobParams p;
    p.fitInBox = on ? 1 : 0;
    return p;
}

// What the canvas printed in the row of boxes of the template `name` that
// begins at `row`: a letter a box, blanks for empty boxes (none at the end).
QString printedInBoxes(const RecordingCanvas &c, const char *name, QPoint row, int slack = 1)
{
    const BoxRow boxes = boxRowAt(templateBoxRows(QString::fromLatin1(name)), row.x(), row.y());
    if (boxes.count() <= 0)
        return QStringLiteral("(no such row of boxes)");
    QString text = textInBoxes(c, boxes, slack);
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

constexpr char kOrdinaryTemplate[] = "ZMT_2X_WZORZEC_BW";

} // namespace

class TestFormLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void accountSplit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("rest");
        QTest::newRow("PL with blanks") << "PL 61 1090 1014 0000 0712 1981 2874" << "61" << "10901014" << "0000071219812874";
        QTest::newRow("lower-case pl") << "pl61109010140000071219812874" << "61" << "10901014" << "0000071219812874";
        QTest::newRow("hyphens") << "61-1090-1014-0000071219812874" << "61" << "10901014" << "0000071219812874";
        QTest::newRow("20 digits") << "10901014000007121981" << "" << "10901014" << "000007121981";
        QTest::newRow("short") << "12345" << "" << "12345" << "";
        QTest::newRow("empty") << "" << "" << "" << "";
    }
    void accountSplit()
    {
        QFETCH(QString, text);
        QFETCH(QString, check);
        QFETCH(QString, bank);
        QFETCH(QString, rest);
        const AccountParts p = AccountSplit(text);
        QCOMPARE(p.checkDigits, check);
        QCOMPARE(p.bankNumber, bank);
        QCOMPARE(p.accountRest, rest);
    }

    void splitOnTextAsReadSkipsOneSeparator()
    {
        // The 26-character form as read: separators after the check digits and the bank halves.
        const AccountParts p = SplitAccount(QStringLiteral("61 1090 1014 0000071219812"));
        QCOMPARE(p.checkDigits, QStringLiteral("61"));
        QCOMPARE(p.bankNumber, QStringLiteral("10901014"));
        QCOMPARE(p.accountRest, QStringLiteral("0000071219812"));
        const AccountParts old = SplitAccount(QStringLiteral("10901014-123456"));
        QCOMPARE(old.bankNumber, QStringLiteral("10901014"));
        QCOMPARE(old.accountRest, QStringLiteral("123456"));
    }

    // ---- Ordinary form ----

    // What the boxes cannot hold is named once, for the caller's note.
    void textsCutInTheirBoxesAreNamed_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("cut");
        QTest::newRow("everything fits") << int(KindOrdinary) << "" << QStringList();
        QTest::newRow("name of 28") << int(KindOrdinary) << "name" << QStringList{"nazwa odbiorcy"};
        QTest::newRow("amount of 13 characters") << int(KindOrdinary) << "amount" << QStringList{"kwota"};
        QTest::newRow("account past its overflow row") << int(KindOrdinary) << "account"
                                                       << QStringList{"nr rachunku odbiorcy"};
        QTest::newRow("tax office name of 28") << int(KindTax) << "name2" << QStringList{"nazwa odbiorcy cd."};
        QTest::newRow("ZUS payer name of 28") << int(KindZus) << "sender" << QStringList{"nazwa zleceniodawcy"};
    }
    void textsCutInTheirBoxesAreNamed()
    {
        QFETCH(int, kind);
        QFETCH(QString, change);
        QFETCH(QStringList, cut);
        CPrzelewDane r = kind == KindTax ? sample::tax() : kind == KindZus ? sample::zus() : sample::ordinary();
        const QString long28(28, u'N');
        if (change == u"name")
            r.recipient1 = long28;
        else if (change == u"amount")
            r.amount = CWexOleCurrency::fromUnits(1234567890);    // "1234567890,00"
        else if (change == u"account")
            r.accountRest = QString(33, u'7');                    // 8 + 33 > 25 + 7 boxes
        else if (change == u"name2")
            r.recipient2 = long28;
        else if (change == u"sender")
            r.sender1 = long28;
        RecordingCanvas c;
        if (kind == KindTax)
            DrawTaxForm(c, boxes(true), r, true);
        else if (kind == KindZus)
            DrawZusForm(c, boxes(true), r, true);
        else
            DrawOrdinaryForm(c, boxes(true), r, true);
        QCOMPARE(c.cutFields(), cut);
        // What the window warns about before printing is the same.
        AllSettings settings;
        settings.forKind(FormKind(kind)).fitInBox = 1;
        QCOMPARE(cutFieldsOf(r, settings), cut);
        // With boxes off the same texts print whole: nothing is cut.
        RecordingCanvas free;
        if (kind == KindOrdinary)
            DrawOrdinaryForm(free, boxes(false), r, true);
        QCOMPARE(free.cutFields(), QStringList());
    }

    // With "fit in boxes" every character lands in a box of the printed
    // template, one to a box, in reading order; a row shows its boxes as
    // printed, a blank for an empty box.
    void boxedTextsLandInTheTemplateBoxes_data()
    {
        QTest::addColumn<CPrzelewDane>("order");
        QTest::addColumn<QPoint>("row");      // where the template's row of boxes begins
        QTest::addColumn<QString>("printed");
        const CPrzelewDane o = sample::ordinary();
        CPrzelewDane longName = o;
        longName.recipient1 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
        CPrzelewDane grouped = o;   // separators an older file stored take no box
        grouped.accountRest = QStringLiteral("1234 5678-9012 3456");
        CPrzelewDane long34 = o;
        long34.accountRest = QStringLiteral("1234567890123456789012345678901234");
        const QString joined = QStringLiteral("10101023") + long34.accountRest;
        CPrzelewDane twelve = o, thirteen = o;
        twelve.amount = CWexOleCurrency::fromUnits(123456789);
        thirteen.amount = CWexOleCurrency::fromUnits(1234567890);
        QTest::newRow("ordinary: recipient") << o << QPoint(75, 33) << o.recipient1;
        QTest::newRow("ordinary: recipient stops at 27") << longName << QPoint(75, 33) << longName.recipient1.left(27);
        QTest::newRow("ordinary: recipient line 2") << o << QPoint(75, 120) << o.recipient2;
        QTest::newRow("ordinary: check digits") << o << QPoint(75, 205) << o.checkDigits;
        QTest::newRow("ordinary: account, the 25th box empty") << o << QPoint(180, 205) << "101010231234567890123456";
        QTest::newRow("ordinary: grouped account from an older file")
            << grouped << QPoint(180, 205) << "101010231234567890123456";
        QTest::newRow("ordinary: 34-character rest fills the row") << long34 << QPoint(180, 205) << joined.left(25);
        QTest::newRow("ordinary: and goes on below") << long34 << QPoint(75, 290) << joined.right(17).left(7);
        QTest::newRow("ordinary: amount") << o << QPoint(820, 290) << "1234,50";
        QTest::newRow("ordinary: amount of 12") << twelve << QPoint(820, 290) << "123456789,00";
        QTest::newRow("ordinary: amount of 13, the last cut") << thirteen << QPoint(820, 290) << "1234567890,0";
        const CPrzelewDane z = sample::zus();
        QTest::newRow("ZUS: check digits") << z << QPoint(140, 205) << "78";
        QTest::newRow("ZUS: account") << z << QPoint(235, 205) << "101010230000261395200000";
        QTest::newRow("ZUS: currency") << z << QPoint(663, 290) << "PLN";
        QTest::newRow("ZUS: amount") << z << QPoint(853, 290) << "1234,50";
        QTest::newRow("ZUS: payer's account") << z << QPoint(140, 375) << "61109010140000071219812874";
        QTest::newRow("ZUS: payer") << z << QPoint(140, 460) << z.sender1;
        QTest::newRow("ZUS: payer line 2") << z << QPoint(140, 545) << z.sender2;
        QTest::newRow("ZUS: NIP") << z << QPoint(140, 630) << z.payerId;
        QTest::newRow("ZUS: identifier type") << z << QPoint(663, 630) << "R";
        QTest::newRow("ZUS: second identifier") << z << QPoint(758, 630) << z.supplementaryId;
        QTest::newRow("ZUS: payment type") << z << QPoint(140, 715) << "S";
        QTest::newRow("ZUS: declaration number") << z << QPoint(234, 715) << "01";
        QTest::newRow("ZUS: declaration") << z << QPoint(375, 715) << "112026";
        QTest::newRow("ZUS: decision") << z << QPoint(710, 715) << "DEC123";
        QTest::newRow("ZUS: symbol") << z << QPoint(1320, 780) << "00";
        const CPrzelewDane t = sample::tax();
        QTest::newRow("tax: office") << t << QPoint(75, 33) << t.recipient1;
        QTest::newRow("tax: account") << t << QPoint(180, 205) << t.bankNumber + t.accountRest;
        QTest::newRow("tax: payer's identifier") << t << QPoint(75, 630) << t.payerId;
        QTest::newRow("tax: identifier type") << t << QPoint(820, 630) << "R";
        QTest::newRow("tax: period") << t << QPoint(1025, 630) << "05M0300";
        QTest::newRow("tax: form symbol") << t << QPoint(75, 715) << t.taxFormSymbol;
        QTest::newRow("tax: obligation") << t << QPoint(425, 715) << t.obligationId;
    }
    void boxedTextsLandInTheTemplateBoxes()
    {
        QFETCH(CPrzelewDane, order);
        QFETCH(QPoint, row);
        QFETCH(QString, printed);
        PrintJobParams p = boxes(true);
        p.printSymbol = 1;
        RecordingCanvas c;
        const char *name = kOrdinaryTemplate;
        if (order.kind == KindZus) {
            DrawZusForm(c, p, order, true);
            name = "ZMT_ZUS";
        } else if (order.kind == KindTax) {
            DrawTaxForm(c, p, order, true);
            name = "ZMT_TAX_2X_WZORZEC_BW";
        } else {
            DrawOrdinaryForm(c, p, order, true);
        }
        QCOMPARE(printedInBoxes(c, name, row), printed);
    }

    void ordinaryAmountInBoxesWithFillLine()
    {
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(true), sample::ordinary(), true);
        QCOMPARE(c.lines().size(), 1);
        QCOMPARE(c.lines()[0].rect.topLeft(), QPoint(1170, 317));
        QCOMPARE(c.lines()[0].rect.bottomRight(), QPoint(1400, 317));
    }

    void amountOfTwelveOrMoreHasNoFillLine_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::newRow("12 characters") << qint64(123456789);
        QTest::newRow("13 characters") << qint64(1234567890);
    }
    void amountOfTwelveOrMoreHasNoFillLine()
    {
        QFETCH(qint64, units);
        CPrzelewDane r = sample::ordinary();
        r.amount = CWexOleCurrency::fromUnits(units);
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(true), r, true);
        QVERIFY(c.lines().isEmpty());
    }

    void ordinaryAmountAsFreeTextWithDelimiters()
    {
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(false), sample::ordinary(), true);
        const DrawOp *op = c.find(QStringLiteral("**1234,50**"));
        QVERIFY(op);
        QCOMPARE(op->rect, tableRect(820, 290, 1400, 345));
        QVERIFY(c.lines().isEmpty());
    }

    void ordinaryFreeTextRectangles_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("rect");
        const CPrzelewDane r = sample::ordinary();
        QTest::newRow("recipient 1") << r.recipient1 << tableRect(75, 33, 1400, 88);
        QTest::newRow("recipient 2") << r.recipient2 << tableRect(75, 120, 1400, 175);
        QTest::newRow("check digits") << r.checkDigits << tableRect(75, 205, 170, 260);
        QTest::newRow("bank number") << r.bankNumber << tableRect(180, 205, 560, 260);
        QTest::newRow("account rest") << r.accountRest << tableRect(575, 205, 1400, 260);
        QTest::newRow("currency") << r.currency << tableRect(630, 290, 770, 345);
        QTest::newRow("sender check digits") << "61" << tableRect(75, 375, 170, 430);
        QTest::newRow("sender bank") << "10901014" << tableRect(180, 375, 560, 430);
        QTest::newRow("sender rest") << "0000071219812874" << tableRect(575, 375, 1400, 430);
        QTest::newRow("sender 1") << r.sender1 << tableRect(75, 460, 1400, 515);
        QTest::newRow("sender 2") << r.sender2 << tableRect(75, 545, 1400, 600);
        QTest::newRow("title 1") << r.title1 << tableRect(75, 630, 1400, 685);
        QTest::newRow("title 2") << r.title2 << tableRect(75, 715, 1400, 770);
        QTest::newRow("date") << "08.12.2026" << tableRect(100, 820, 450, 870);
    }
    void ordinaryFreeTextRectangles()
    {
        QFETCH(QString, text);
        QFETCH(QRect, rect);
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(false), sample::ordinary(), true);
        const DrawOp *op = c.find(text);
        QVERIFY2(op, qPrintable(text));
        QCOMPARE(op->rect, rect);
        QCOMPARE(op->kind, DrawOp::SingleLine);
    }

    void senderAccountWithPlAndBlanksSplits2_8_16()
    {
        CPrzelewDane r = sample::ordinary();
        r.senderAccount = QStringLiteral("PL 61 1090 1014 0000 0712 1981 2874");
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(true), r, true);
        // The drawn sender row runs on at one pitch from the check digits; the
        // number's printed field starts where the recipient's does, half a
        // millimetre into the third box.
        QCOMPARE(printedInBoxes(c, kOrdinaryTemplate, {75, 375}, 5), QStringLiteral("61109010140000071219812874"));
    }

    void senderAccountOf20DigitsHasNoCheckDigits()
    {
        CPrzelewDane r = sample::ordinary();
        r.senderAccount = QStringLiteral("10901014000007121981");
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(false), r, true);
        QCOMPARE(c.rectOf(QStringLiteral("10901014")), tableRect(180, 375, 560, 430));
        QCOMPARE(c.rectOf(QStringLiteral("000007121981")), tableRect(575, 375, 1400, 430));
        for (const DrawOp &op : c.row(375))
            QVERIFY(op.left() != 75 || op.text.isEmpty());
    }

    void cashDepositFillsAccountRowAndMovesMark()
    {
        const CPrzelewDane r = sample::deposit();
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(true), r, true);
        QCOMPARE(printedInBoxes(c, kOrdinaryTemplate, {75, 375}), r.senderAccount.left(27));
        const DrawOp *mark = c.find(QStringLiteral("X"));
        QVERIFY(mark);
        QCOMPARE(mark->rect, tableRect(515, 300, 560, 350));
        QCOMPARE(mark->font, FormCanvas::Font::Mark);
        QCOMPARE(mark->kind, DrawOp::Centered);

        RecordingCanvas free;
        DrawOrdinaryForm(free, boxes(false), r, true);
        QCOMPARE(free.rectOf(r.senderAccount), tableRect(75, 375, 1400, 430));
    }

    void transferMarkIsAlwaysPrinted()
    {
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(false), sample::ordinary(), false);
        QCOMPARE(c.rectOf(QStringLiteral("X")), tableRect(460, 300, 490, 350));
    }

    void currencyOnlyInTemplateMode()
    {
        RecordingCanvas withTemplate, original;
        DrawOrdinaryForm(withTemplate, boxes(true), sample::ordinary(), true);
        DrawOrdinaryForm(original, boxes(true), sample::ordinary(), false);
        QCOMPARE(printedInBoxes(withTemplate, kOrdinaryTemplate, {630, 290}), QStringLiteral("PLN"));
        QCOMPARE(printedInBoxes(original, kOrdinaryTemplate, {630, 290}), QString());
        QCOMPARE(printedInBoxes(original, kOrdinaryTemplate, {820, 290}), QStringLiteral("1234,50"));
    }

    void symbolOnlyWhenItsSettingIsOn()
    {
        PrintJobParams p = boxes(true);
        RecordingCanvas off;
        DrawOrdinaryForm(off, p, sample::ordinary(), true);
        QVERIFY(!off.find(QStringLiteral("06")));
        p.printSymbol = 1;
        RecordingCanvas on;
        DrawOrdinaryForm(on, p, sample::ordinary(), true);
        QCOMPARE(on.rectOf(QStringLiteral("06")), tableRect(1310, 790, 1400, 850));
        QCOMPARE(on.find(QStringLiteral("06"))->kind, DrawOp::Centered);
    }

    void nullDatePrintsNothing()
    {
        CPrzelewDane r = sample::ordinary();
        r.date = COrderDate::null();
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(false), r, true);
        QVERIFY(c.row(820).isEmpty());
        DrawTaxForm(c, boxes(false), r, true);
        QVERIFY(c.row(820).isEmpty());
    }

    // ---- ZUS form ----

    void zusAmountFillLineNoMarkNoDate()
    {
        PrintJobParams p = boxes(true);
        p.printSymbol = 1;
        RecordingCanvas c;
        DrawZusForm(c, p, sample::zus(), true);
        QCOMPARE(c.lines().size(), 1);
        QCOMPARE(c.lines()[0].rect.topLeft(), QPoint(853 + 7 * 47, 317));
        QCOMPARE(c.lines()[0].rect.bottomRight(), QPoint(1400, 317));
        QVERIFY(!c.find(QStringLiteral("X")));
        QVERIFY(c.row(820).isEmpty());
    }

    void zusFreeTextRectangles()
    {
        const CPrzelewDane r = sample::zus();
        RecordingCanvas c;
        DrawZusForm(c, boxes(false), r, false);
        QCOMPARE(c.rectOf(QStringLiteral("78")), tableRect(140, 205, 235, 260));
        QCOMPARE(c.rectOf(QStringLiteral("10101023")), tableRect(235, 205, 615, 260));
        QCOMPARE(c.rectOf(QStringLiteral("0000261395200000")), tableRect(615, 205, 1400, 260));
        QCOMPARE(c.rectOf(QStringLiteral("**1234,50**")), tableRect(853, 290, 1420, 345));
        QCOMPARE(c.rectOf(QStringLiteral("0000071219812874")), tableRect(615, 375, 1420, 430));
        QCOMPARE(c.rectOf(r.sender1), tableRect(140, 460, 1420, 515));
        QCOMPARE(c.rectOf(r.payerId), tableRect(140, 630, 615, 685));
        QCOMPARE(c.rectOf(r.supplementaryId), tableRect(758, 630, 1420, 685));
        QCOMPARE(c.rectOf(r.title2), tableRect(710, 715, 1420, 770));
        QCOMPARE(c.rectOf(QStringLiteral("R")), tableRect(663, 630, 710, 685));   // boxes in both variants
        QVERIFY(!c.find(QStringLiteral("P")));      // currency: template mode only
    }

    void zusThreeBoxPattern_data()
    {
        QTest::addColumn<int>("accountType");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QChar>("box21");
        QTest::newRow("social") << 1 << "83" << QChar(u'1');
        QTest::newRow("health") << 2 << "78" << QChar(u'2');
        QTest::newRow("FP and FGSP") << 3 << "73" << QChar(u'3');
    }
    void zusThreeBoxPattern()
    {
        QFETCH(int, accountType);
        QFETCH(QString, check);
        QFETCH(QChar, box21);
        CPrzelewDane r = sample::zus();
        r.zusAccountType = accountType;
        PrintJobParams p = boxes(true);
        p.threeZusBoxes = 1;
        RecordingCanvas c;
        DrawZusForm(c, p, r, true);
        const QList<DrawOp> row = c.row(205);
        QCOMPARE(row.size(), 26);
        for (int i = 0; i < 26; ++i) {
            const QString expected = i < 2 ? QString(check[i]) : i == 20 ? QString(box21) : QStringLiteral(" ");
            QCOMPARE(row[i].text, expected);
        }
        QCOMPARE(row[20].left(), 235 + 18 * 47);
    }

    void zusAccountRowEmpty_data()
    {
        QTest::addColumn<int>("accountType");
        QTest::addColumn<int>("threeBoxes");
        QTest::addColumn<int>("noAccount");
        QTest::newRow("three boxes, account type 0") << 0 << 1 << 0;
        QTest::newRow("do not print ZUS account") << 2 << 0 << 1;
        QTest::newRow("do not print wins over three boxes") << 2 << 1 << 1;
    }
    void zusAccountRowEmpty()
    {
        QFETCH(int, accountType);
        QFETCH(int, threeBoxes);
        QFETCH(int, noAccount);
        CPrzelewDane r = sample::zus();
        r.zusAccountType = accountType;
        for (int fit : {0, 1}) {
            PrintJobParams p = boxes(fit);
            p.threeZusBoxes = threeBoxes;
            p.noZusAccount = noAccount;
            RecordingCanvas c;
            DrawZusForm(c, p, r, true);
            QVERIFY(c.row(205).isEmpty());
        }
    }

    // ---- Tax form ----

    void taxPeriodSpacedAsFreeText()
    {
        RecordingCanvas c;
        DrawTaxForm(c, boxes(false), sample::tax(), true);
        const DrawOp *op = c.find(QStringLiteral("05  M  03  00"));
        QVERIFY(op);
        QCOMPARE(op->rect, tableRect(1025, 630, 1400, 685));
        QCOMPARE(SpacedTaxPeriod(QStringLiteral("2026R")), QStringLiteral("20  2  6R  "));
    }

    void taxDateInItsBox()
    {
        RecordingCanvas c;
        DrawTaxForm(c, boxes(true), sample::tax(), true);
        QCOMPARE(c.rectOf(QStringLiteral("08.12.2026")), tableRect(100, 820, 450, 870));
    }

    void taxFreeTextRectangles()
    {
        const CPrzelewDane r = sample::tax();
        RecordingCanvas c;
        DrawTaxForm(c, boxes(false), r, true);
        QCOMPARE(c.rectOf(r.recipient1), tableRect(75, 33, 1400, 88));
        QCOMPARE(c.rectOf(r.payerId), tableRect(75, 630, 1400, 685));
        QCOMPARE(c.rectOf(QStringLiteral("R")), tableRect(820, 630, 1400, 685));
        QCOMPARE(c.rectOf(r.taxFormSymbol), tableRect(75, 715, 1400, 770));
        QCOMPARE(c.rectOf(r.obligationId), tableRect(425, 715, 1400, 770));
        QCOMPARE(c.rectOf(QStringLiteral("**1234,50**")), tableRect(820, 290, 1400, 345));
        QVERIFY(!c.find(QStringLiteral("PLN")));    // no currency on the tax form
    }

    void taxMarkFollowsOpTypeSetting()
    {
        PrintJobParams p = boxes(true);
        RecordingCanvas off;
        DrawTaxForm(off, p, sample::tax(), true);
        QVERIFY(!off.find(QStringLiteral("X")));
        QVERIFY(!off.find(QStringLiteral("P")));
        p.opTypeMark = 1;
        RecordingCanvas on;
        DrawTaxForm(on, p, sample::tax(), true);
        QCOMPARE(on.rectOf(QStringLiteral("X")), tableRect(460, 300, 490, 350));
        CPrzelewDane deposit = sample::tax();
        deposit.isTransfer = 0;
        RecordingCanvas dep;
        DrawTaxForm(dep, p, deposit, true);
        QCOMPARE(dep.rectOf(QStringLiteral("X")), tableRect(515, 300, 560, 350));
    }

    // ---- Receipt stub ----

    void stubSplitsAccountWhereItStopsFitting()
    {
        const CPrzelewDane r = sample::ordinary();
        const QString account = r.AccountNumberText();     // 12-10101023-1234567890123456
        RecordingCanvas c(21);                              // 23 characters fit in 50 mm
        DrawStub(c, boxes(true), r);
        QCOMPARE(c.rectOf(account.left(23)), tableRect(60, 20, 560, 98));
        QCOMPARE(c.rectOf(account.mid(23)), tableRect(60, 106, 560, 184));
        RecordingCanvas wide(10);                           // everything fits on line 1
        DrawStub(wide, boxes(true), r);
        QCOMPARE(wide.rectOf(account), tableRect(60, 20, 560, 98));
        QVERIFY(wide.row(106).isEmpty() || wide.row(106)[0].text.isEmpty());
    }

    void stubTextsAndFillLine()
    {
        const CPrzelewDane r = sample::ordinary();
        RecordingCanvas c(21);
        DrawStub(c, boxes(true), r);
        QCOMPARE(c.rectOf(r.recipient1), tableRect(60, 200, 560, 357));
        QCOMPARE(c.find(r.recipient1)->kind, DrawOp::Wrapped);
        QCOMPARE(c.rectOf(QStringLiteral("1234,50")), tableRect(60, 365, 560, 435));
        QCOMPARE(c.lines().size(), 1);
        QCOMPARE(c.lines()[0].rect.topLeft(), QPoint(60 + 7 * 21 + 5, 400));
        QCOMPARE(c.lines()[0].rect.bottomRight(), QPoint(550, 400));
        QCOMPARE(c.rectOf(r.sender1), tableRect(60, 550, 560, 762));
        QCOMPARE(c.find(r.sender1)->kind, DrawOp::Wrapped);
        QVERIFY(!c.find(r.senderAccount));  // a transfer's sender account is not on the stub

        RecordingCanvas wideAmount(70);     // 7 × 70 = 490: no fill line
        DrawStub(wideAmount, boxes(true), r);
        QVERIFY(wideAmount.lines().isEmpty());
    }

    // The currency edit holds four decimals; the form prints two. The words
    // of a deposit must name the same grosze as the digits beside them.
    void depositWordsAndDigitsAgree_data()
    {
        QTest::addColumn<qlonglong>("tenThousandths");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("words");
        QTest::newRow("12,3456") << 123456LL << "12,35" << "jed*dwa* 35/100";
        QTest::newRow("12,3449") << 123449LL << "12,34" << "jed*dwa* 34/100";
        QTest::newRow("99,9951") << 999951LL << "100,00" << "jed*zer*zer*";
        QTest::newRow("0,0050") << 50LL << "0,01" << "zer* 1/100";
    }
    void depositWordsAndDigitsAgree()
    {
        QFETCH(qlonglong, tenThousandths);
        QFETCH(QString, digits);
        QFETCH(QString, words);
        CPrzelewDane r = sample::deposit();
        r.amount = CWexOleCurrency(tenThousandths);
        QVERIFY(r.AmountInDigitWords(r.senderAccount)); // as the details pages and the ZUS import fill it
        QCOMPARE(r.senderAccount, words);
        for (bool inBoxes : {true, false}) {
            RecordingCanvas form;
            DrawOrdinaryForm(form, boxes(inBoxes), r, true);
            QString printed;
            for (const DrawOp &op : form.ops)
                printed += op.text + u'|';
            const QString amount = inBoxes ? QStringList(digits.split(QString())).join(u'|') : QStringLiteral("**") + digits + QStringLiteral("**");
            QVERIFY2(printed.contains(amount), qPrintable(printed));
            if (!inBoxes)
                QVERIFY(form.find(words));
        }
        RecordingCanvas stub;
        DrawStub(stub, boxes(true), r);
        QVERIFY(stub.find(digits));
        QVERIFY(stub.find(words));
    }

    void stubShowsDepositWords()
    {
        const CPrzelewDane r = sample::deposit();
        RecordingCanvas c;
        DrawStub(c, boxes(true), r);
        QCOMPARE(c.rectOf(r.senderAccount), tableRect(60, 440, 560, 530));
    }
};

QTEST_GUILESS_MAIN(TestFormLayouts)
#include "test_form_layouts.moc"
