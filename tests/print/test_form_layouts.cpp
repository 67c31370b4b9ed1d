// The field tables of every form kind, drawn onto a recording canvas.

#include "RecordingCanvas.h"
#include "SampleOrders.h"
#include "model/AccountSplit.h"
#include "print/FormLayouts.h"
#include "print/FormPages.h"

#include <QTest>

namespace {

PrintJobParams boxes(bool on)
{
    PrintJobParams p;
    p.fitInBox = on ? 1 : 0;
    return p;
}

// The single-line texts of a row, one per box, must sit at first + i * pitch.
// Only boxes from firstLeft up to (not including) limit are looked at.
void verifyBoxes(const RecordingCanvas &c, int top, int firstLeft, int width, int pitch, const QString &expected,
                 int limit = 100000)
{
    QList<DrawOp> row;
    for (const DrawOp &op : c.row(top))
        if (op.left() >= firstLeft && op.left() < limit && op.text.size() == 1)
            row.append(op);
    QCOMPARE(row.size(), expected.size());
    for (int i = 0; i < row.size(); ++i) {
        QCOMPARE(row[i].text, QString(expected[i]));
        QCOMPARE(row[i].left(), firstLeft + i * pitch);
        QCOMPARE(row[i].right(), firstLeft + width + i * pitch);
        QCOMPARE(row[i].kind, DrawOp::SingleLine);
    }
}

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

    void ordinaryRecipientInBoxesStopsAt27()
    {
        CPrzelewDane r = sample::ordinary();
        r.recipient1 = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(true), r, true);
        verifyBoxes(c, 33, 75, 50, 50, r.recipient1.left(27));
        verifyBoxes(c, 120, 75, 50, 50, r.recipient2);
    }

    void ordinaryAccountRowAndOverflow_data()
    {
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("overflow");
        QTest::newRow("16-digit rest fits") << "1234567890123456" << "101010231234567890123456" << "";
        // Separators an older file stored (typed as invoices group the
        // number) take no box: the digits stay in their row.
        QTest::newRow("grouped rest from an older file")
            << "1234 5678-9012 3456" << "101010231234567890123456" << "";
        const QString rest34 = QStringLiteral("1234567890123456789012345678901234");
        const QString joined = QStringLiteral("10101023") + rest34;
        QTest::newRow("34-character rest overflows") << rest34 << joined.left(25) << joined.right(17).left(7);
    }
    void ordinaryAccountRowAndOverflow()
    {
        QFETCH(QString, rest);
        QFETCH(QString, row);
        QFETCH(QString, overflow);
        CPrzelewDane r = sample::ordinary();
        r.accountRest = rest;
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(true), r, true);
        QList<DrawOp> check;
        for (const DrawOp &op : c.row(205))
            if (op.left() < 180)
                check.append(op);
        QCOMPARE(check.size(), 2);
        QCOMPARE(check[0].rect, tableRect(75, 205, 125, 260));
        QCOMPARE(check[1].rect, tableRect(125, 205, 175, 260));
        verifyBoxes(c, 205, 180, 50, 50, row);
        if (row.size() == 24)
            QCOMPARE(c.row(205).last().left(), 1330);   // the 25th box stays empty
        QString below;
        for (const DrawOp &op : c.row(290))
            if (op.left() < 600) {
                QCOMPARE(op.left(), 75 + int(below.size()) * 50);
                below += op.text;
            }
        QCOMPARE(below, overflow);
    }

    void ordinaryAmountInBoxesWithFillLine()
    {
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(true), sample::ordinary(), true);
        verifyBoxes(c, 290, 820, 50, 50, QStringLiteral("1234,50"));
        QCOMPARE(c.lines().size(), 1);
        QCOMPARE(c.lines()[0].rect.topLeft(), QPoint(1170, 317));
        QCOMPARE(c.lines()[0].rect.bottomRight(), QPoint(1400, 317));
    }

    void amountOfTwelveOrMoreHasNoFillLine_data()
    {
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("printed");
        QTest::newRow("12 characters") << qint64(123456789) << "123456789,00";
        QTest::newRow("13 characters, the last cut") << qint64(1234567890) << "1234567890,0";
    }
    void amountOfTwelveOrMoreHasNoFillLine()
    {
        QFETCH(qint64, units);
        QFETCH(QString, printed);
        CPrzelewDane r = sample::ordinary();
        r.amount = CWexOleCurrency::fromUnits(units);
        RecordingCanvas c;
        DrawOrdinaryForm(c, boxes(true), r, true);
        verifyBoxes(c, 290, 820, 50, 50, printed);
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
        verifyBoxes(c, 375, 75, 50, 50, QStringLiteral("61"), 180);
        verifyBoxes(c, 375, 180, 50, 50, QStringLiteral("10901014") + QStringLiteral("0000071219812874"));
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
        verifyBoxes(c, 375, 75, 50, 50, r.senderAccount.left(27));
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
        verifyBoxes(withTemplate, 290, 630, 50, 50, QStringLiteral("PLN"), 820);
        verifyBoxes(original, 290, 630, 50, 50, QString(), 820);
        verifyBoxes(original, 290, 820, 50, 50, QStringLiteral("1234,50"));
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

    void zusFieldsInBoxesAtPitch47()
    {
        PrintJobParams p = boxes(true);
        p.printSymbol = 1;
        const CPrzelewDane r = sample::zus();
        RecordingCanvas c;
        DrawZusForm(c, p, r, true);
        verifyBoxes(c, 205, 140, 47, 47, QStringLiteral("78"), 235);
        verifyBoxes(c, 205, 235, 48, 47, QStringLiteral("101010230000261395200000"));
        verifyBoxes(c, 290, 663, 47, 47, QStringLiteral("PLN"), 853);
        verifyBoxes(c, 290, 853, 47, 47, QStringLiteral("1234,50"));
        QCOMPARE(c.lines().size(), 1);
        QCOMPARE(c.lines()[0].rect.topLeft(), QPoint(853 + 7 * 47, 317));
        QCOMPARE(c.lines()[0].rect.bottomRight(), QPoint(1400, 317));
        verifyBoxes(c, 375, 140, 47, 47, QStringLiteral("61"), 235);
        verifyBoxes(c, 375, 235, 48, 47, QStringLiteral("109010140000071219812874"));
        verifyBoxes(c, 460, 140, 47, 47, r.sender1);
        verifyBoxes(c, 545, 140, 47, 47, r.sender2);
        verifyBoxes(c, 630, 140, 47, 47, QStringLiteral("1234567890"), 663);
        verifyBoxes(c, 630, 663, 47, 47, QStringLiteral("R"), 758);
        verifyBoxes(c, 630, 758, 47, 47, r.supplementaryId);
        const QList<DrawOp> row715 = c.row(715);
        QStringList at;
        for (const DrawOp &op : row715)
            at << QStringLiteral("%1@%2").arg(op.text).arg(op.left());
        QCOMPARE(at.join(u' '), QStringLiteral("S@140 0@234 1@281 1@375 1@422 2@469 0@516 2@563 6@610 "
                                               "D@710 E@757 C@804 1@851 2@898 3@945"));
        verifyBoxes(c, 780, 1320, 47, 47, QStringLiteral("00"));
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

    void taxBoxedFieldsReachTo1400()
    {
        const CPrzelewDane r = sample::tax();
        RecordingCanvas c;
        DrawTaxForm(c, boxes(true), r, true);
        verifyBoxes(c, 33, 75, 50, 50, r.recipient1);
        verifyBoxes(c, 205, 180, 50, 50, r.bankNumber + r.accountRest);
        verifyBoxes(c, 630, 75, 50, 50, r.payerId, 820);
        verifyBoxes(c, 630, 820, 580, 50, QStringLiteral("R"), 1025);
        verifyBoxes(c, 715, 75, 50, 50, r.taxFormSymbol, 425);
        verifyBoxes(c, 715, 425, 975, 50, r.obligationId);
        QList<DrawOp> period;
        for (const DrawOp &op : c.row(630))
            if (op.left() >= 1025)
                period.append(op);
        QCOMPARE(period.size(), 7);
        QCOMPARE(period[0].rect, tableRect(1025, 630, 1400, 685));
        QCOMPARE(period[6].rect, tableRect(1025 + 300, 630, 1400 + 300, 685));
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
