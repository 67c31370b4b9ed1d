// Where the fields of every form kind land: boxed letters against the boxes
// of the printed templates, free texts read back from printed pages.

#include "PrintedPdf.h"
#include "RecordingCanvas.h"
#include "SampleOrders.h"
#include "TemplateBoxes.h"
#include "model/AccountSplit.h"
#include "print/FormLayouts.h"
#include "print/FormPages.h"

#include <QHash>
#include <QTest>

Q_DECLARE_METATYPE(CPrzelewDane)

namespace {

PrintJobParams boxes(bool on)
{
    PrintJobParams p;
    p.fitInBox = on ? 1 : 0;
    return p;
}

// A page of the printed-fields table: an order on pre-printed paper of one
// copy (the form's corner at the sheet's), free text, unless its name says
// "drawn" (on the template), "boxes", "symbol", "mark", "deposit", "undated",
// "20-digit sender", "8 pt"; "stub" pages show the stub at the corner.
struct Page
{
    AllSettings settings;
    CPrzelewDane order;
};

Page pageNamed(const QString &name)
{
    const auto has = [&](const char *word) { return name.contains(QLatin1String(word)); };
    Page p {AllSettings(), has("ZUS") ? sample::zus() : has("tax") ? sample::tax() : sample::ordinary()};
    PrintSettings &s = p.settings.forKind(FormKind(p.order.kind));
    s.originalForm = !has("drawn");
    s.formTypeOrig = has("stub") ? 3 : p.order.kind == KindOrdinary ? 2 : 1;
    s.fitInBox = has("boxes");
    s.printSymbol = has("symbol");
    s.opType = has("mark");
    if (has("deposit")) {
        p.order.isTransfer = 0;
        p.order.senderAccount = sample::deposit().senderAccount;
    }
    if (has("undated"))
        p.order.date = COrderDate::null();
    if (has("20-digit sender"))
        p.order.senderAccount = QStringLiteral("10901014000007121981");
    if (has("8 pt"))
        p.settings.general.fontSize = 8;
    return p;
}

// How a text stands in its field.
enum Place { Left, Top, Centred, Mark, Nothing };

QRectF field(int left, int top, int right, int bottom)
{
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QString mm(const QRectF &r)
{
    return QStringLiteral("%1,%2 - %3,%4 mm").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

constexpr double kTenth = 0.1;      // mm

} // namespace

class TestFormLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // AccountSplit takes an account as typed; SplitAccount the 26 characters
    // an older file stores, separators after the check digits and the bank halves.
    void accountSplit_data()
    {
        QTest::addColumn<bool>("asStored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("bank");
        QTest::addColumn<QString>("rest");
        QTest::newRow("PL with blanks") << false << "PL 61 1090 1014 0000 0712 1981 2874" << "61" << "10901014" << "0000071219812874";
        QTest::newRow("lower-case pl") << false << "pl61109010140000071219812874" << "61" << "10901014" << "0000071219812874";
        QTest::newRow("hyphens") << false << "61-1090-1014-0000071219812874" << "61" << "10901014" << "0000071219812874";
        QTest::newRow("20 digits") << false << "10901014000007121981" << "" << "10901014" << "000007121981";
        QTest::newRow("short") << false << "12345" << "" << "12345" << "";
        QTest::newRow("empty") << false << "" << "" << "" << "";
        QTest::newRow("stored, one separator skipped") << true << "61 1090 1014 0000071219812" << "61" << "10901014" << "0000071219812";
        QTest::newRow("stored, bank number and dash") << true << "10901014-123456" << "" << "10901014" << "123456";
    }
    void accountSplit()
    {
        QFETCH(bool, asStored);
        QFETCH(QString, text);
        QFETCH(QString, check);
        QFETCH(QString, bank);
        QFETCH(QString, rest);
        const AccountParts p = asStored ? SplitAccount(text) : AccountSplit(text);
        QCOMPARE(p.checkDigits, check);
        QCOMPARE(p.bankNumber, bank);
        QCOMPARE(p.accountRest, rest);
    }

    // What the boxes cannot hold is named once, for the caller's note.
    void textsCutInTheirBoxesAreNamed_data()
    {
        QTest::addColumn<CPrzelewDane>("order");
        QTest::addColumn<QStringList>("cut");
        const QString long28(28, u'N');
        CPrzelewDane name = sample::ordinary(), amount = name, account = name, office = sample::tax(), payer = sample::zus();
        name.recipient1 = long28;
        amount.amount = CWexOleCurrency::fromUnits(1234567890);     // "1234567890,00"
        account.accountRest = QString(33, u'7');                    // 8 + 33 > 25 + 7 boxes
        office.recipient2 = long28;
        payer.sender1 = long28;
        QTest::newRow("everything fits") << sample::ordinary() << QStringList();
        QTest::newRow("name of 28") << name << QStringList{"nazwa odbiorcy"};
        QTest::newRow("amount of 13 characters") << amount << QStringList{"kwota"};
        QTest::newRow("account past its overflow row") << account << QStringList{"nr rachunku odbiorcy"};
        QTest::newRow("tax office name of 28") << office << QStringList{"nazwa odbiorcy cd."};
        QTest::newRow("ZUS payer name of 28") << payer << QStringList{"nazwa zleceniodawcy"};
    }
    void textsCutInTheirBoxesAreNamed()
    {
        QFETCH(CPrzelewDane, order);
        QFETCH(QStringList, cut);
        RecordingCanvas c;
        DrawFormOfKind(c, boxes(true), order, true);
        QCOMPARE(c.cutFields(), cut);
        // What the window warns about before printing is the same.
        AllSettings settings;
        settings.forKind(FormKind(order.kind)).fitInBox = 1;
        QCOMPARE(cutFieldsOf(order, settings), cut);
        // With boxes off the same texts print whole: nothing is cut.
        RecordingCanvas free;
        DrawFormOfKind(free, boxes(false), order, true);
        QCOMPARE(free.cutFields(), QStringList());
    }

    // With "fit in boxes" every character lands in a box of the printed
    // template, one to a box, in reading order, and ends inside it; a row
    // shows its boxes as printed, a blank for an empty box.
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
        const CPrzelewDane deposit = sample::deposit();
        QTest::newRow("ordinary: recipient") << o << QPoint(75, 33) << o.recipient1;
        QTest::newRow("ordinary: recipient stops at 27") << longName << QPoint(75, 33) << longName.recipient1.left(27);
        QTest::newRow("ordinary: recipient line 2") << o << QPoint(75, 120) << o.recipient2;
        QTest::newRow("ordinary: check digits") << o << QPoint(75, 205) << o.checkDigits;
        QTest::newRow("ordinary: account, the 25th box empty") << o << QPoint(180, 205) << "101010231234567890123456";
        QTest::newRow("ordinary: grouped account from an older file")
            << grouped << QPoint(180, 205) << "101010231234567890123456";
        QTest::newRow("ordinary: 34-character rest fills the row") << long34 << QPoint(180, 205) << joined.left(25);
        QTest::newRow("ordinary: and goes on below") << long34 << QPoint(75, 290) << joined.right(17).left(7);
        QTest::newRow("ordinary: currency") << o << QPoint(630, 290) << "PLN";
        QTest::newRow("ordinary: amount") << o << QPoint(820, 290) << "1234,50";
        QTest::newRow("ordinary: amount of 12") << twelve << QPoint(820, 290) << "123456789,00";
        QTest::newRow("ordinary: amount of 13, the last cut") << thirteen << QPoint(820, 290) << "1234567890,0";
        CPrzelewDane typedSender = o;    // split 2 + 8 + 16 as the sender typed it
        typedSender.senderAccount = QStringLiteral("PL 61 1090 1014 0000 0712 1981 2874");
        QTest::newRow("sender's account as typed") << typedSender << QPoint(75, 375) << "61109010140000071219812874";
        QTest::newRow("deposit: words in the sender's row") << deposit << QPoint(75, 375) << deposit.senderAccount.left(27);
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
        DrawFormOfKind(c, p, order, true);
        const QString name = order.kind == KindZus ? QStringLiteral("ZMT_ZUS")
            : order.kind == KindTax                ? QStringLiteral("ZMT_TAX_2X_WZORZEC_BW")
                                                   : QStringLiteral("ZMT_2X_WZORZEC_BW");
        // The ordinary form's drawn sender row runs on at one pitch from the
        // check digits; a transfer's number starts where the recipient's does,
        // half a millimetre into the third box.
        const bool senderNumber = order.kind == KindOrdinary && order.isTransfer && row == QPoint(75, 375);
        QCOMPARE(printedInBoxes(c, name, row, senderNumber ? 5 : 1), printed);
    }

    // A pre-printed original has its own currency; the amount beside it is printed.
    void currencyOnlyInTemplateMode()
    {
        RecordingCanvas original;
        DrawOrdinaryForm(original, boxes(true), sample::ordinary(), false);
        QCOMPARE(printedInBoxes(original, QStringLiteral("ZMT_2X_WZORZEC_BW"), {630, 290}), QString());
        QCOMPARE(printedInBoxes(original, QStringLiteral("ZMT_2X_WZORZEC_BW"), {820, 290}), QStringLiteral("1234,50"));
    }

    // Free texts read back from printed pages: each lies in its field of the
    // form (0.1 mm, as the form's layout gives them) and starts at the field's
    // left edge, or its top left corner, or is centred in it, to 0.1 mm.
    void printedFieldsStandInTheirRectangles_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<int>("place");
        const CPrzelewDane o = sample::ordinary(), z = sample::zus(), t = sample::tax();
        const QRectF form = field(0, 0, 1500, 1058), date = field(100, 820, 450, 870);
        QTest::newRow("recipient 1") << "ordinary" << o.recipient1 << field(75, 33, 1400, 88) << int(Left);
        QTest::newRow("recipient 2") << "ordinary" << o.recipient2 << field(75, 120, 1400, 175) << int(Left);
        QTest::newRow("check digits") << "ordinary" << o.checkDigits << field(75, 205, 170, 260) << int(Left);
        QTest::newRow("bank number") << "ordinary" << o.bankNumber << field(180, 205, 560, 260) << int(Left);
        QTest::newRow("account rest") << "ordinary" << o.accountRest << field(575, 205, 1400, 260) << int(Left);
        QTest::newRow("currency") << "ordinary drawn" << o.currency << field(630, 290, 770, 345) << int(Left);
        QTest::newRow("amount") << "ordinary" << "**1234,50**" << field(820, 290, 1400, 345) << int(Left);
        QTest::newRow("sender check digits") << "ordinary" << "61" << field(75, 375, 170, 430) << int(Left);
        QTest::newRow("sender bank") << "ordinary" << "10901014" << field(180, 375, 560, 430) << int(Left);
        QTest::newRow("sender rest") << "ordinary" << "0000071219812874" << field(575, 375, 1400, 430) << int(Left);
        QTest::newRow("sender 1") << "ordinary" << o.sender1 << field(75, 460, 1400, 515) << int(Left);
        QTest::newRow("sender 2") << "ordinary" << o.sender2 << field(75, 545, 1400, 600) << int(Left);
        QTest::newRow("title 1") << "ordinary" << o.title1 << field(75, 630, 1400, 685) << int(Left);
        QTest::newRow("title 2") << "ordinary" << o.title2 << field(75, 715, 1400, 770) << int(Left);
        QTest::newRow("date") << "ordinary" << "08.12.2026" << date << int(Left);
        QTest::newRow("transfer mark") << "ordinary" << "X" << field(460, 300, 490, 350) << int(Mark);
        QTest::newRow("no symbol unless asked") << "ordinary" << o.symbol << form << int(Nothing);
        QTest::newRow("symbol") << "ordinary symbol" << o.symbol << field(1310, 790, 1400, 850) << int(Centred);
        QTest::newRow("deposit mark") << "ordinary deposit" << "X" << field(515, 300, 560, 350) << int(Mark);
        QTest::newRow("deposit words") << "ordinary deposit" << sample::deposit().senderAccount
                                       << field(75, 375, 1400, 430) << int(Left);
        QTest::newRow("20-digit sender: no check digits")
            << "ordinary 20-digit sender" << "" << field(75, 375, 170, 430) << int(Nothing);
        QTest::newRow("20-digit sender: bank")
            << "ordinary 20-digit sender" << "10901014" << field(180, 375, 560, 430) << int(Left);
        QTest::newRow("20-digit sender: rest")
            << "ordinary 20-digit sender" << "000007121981" << field(575, 375, 1400, 430) << int(Left);
        QTest::newRow("no date") << "ordinary undated" << "" << date << int(Nothing);

        QTest::newRow("ZUS: check digits") << "ZUS" << z.checkDigits << field(140, 205, 235, 260) << int(Left);
        QTest::newRow("ZUS: bank number") << "ZUS" << z.bankNumber << field(235, 205, 615, 260) << int(Left);
        QTest::newRow("ZUS: account rest") << "ZUS" << z.accountRest << field(615, 205, 1400, 260) << int(Left);
        QTest::newRow("ZUS: no currency on the original") << "ZUS" << "" << field(663, 290, 804, 345) << int(Nothing);
        QTest::newRow("ZUS: amount") << "ZUS" << "**1234,50**" << field(853, 290, 1420, 345) << int(Left);
        QTest::newRow("ZUS: payer's account") << "ZUS" << "0000071219812874" << field(615, 375, 1420, 430) << int(Left);
        QTest::newRow("ZUS: payer") << "ZUS" << z.sender1 << field(140, 460, 1420, 515) << int(Left);
        QTest::newRow("ZUS: NIP") << "ZUS" << z.payerId << field(140, 630, 615, 685) << int(Left);
        QTest::newRow("ZUS: identifier type, boxed") << "ZUS" << "R" << field(663, 630, 710, 685) << int(Left);
        QTest::newRow("ZUS: second identifier") << "ZUS" << z.supplementaryId << field(758, 630, 1420, 685) << int(Left);
        QTest::newRow("ZUS: decision") << "ZUS" << z.title2 << field(710, 715, 1420, 770) << int(Left);
        QTest::newRow("ZUS: no mark") << "ZUS" << "X" << form << int(Nothing);
        QTest::newRow("ZUS: no date") << "ZUS" << "08.12.2026" << form << int(Nothing);

        QTest::newRow("tax: office") << "tax" << t.recipient1 << field(75, 33, 1400, 88) << int(Left);
        QTest::newRow("tax: amount") << "tax" << "**1234,50**" << field(820, 290, 1400, 345) << int(Left);
        QTest::newRow("tax: no currency") << "tax" << t.currency << form << int(Nothing);
        QTest::newRow("tax: payer's identifier") << "tax" << t.payerId << field(75, 630, 1400, 685) << int(Left);
        QTest::newRow("tax: identifier type") << "tax" << "R" << field(820, 630, 1400, 685) << int(Left);
        QTest::newRow("tax: period, spaced") << "tax" << "05  M  03  00" << field(1025, 630, 1400, 685) << int(Left);
        QTest::newRow("tax: form symbol") << "tax" << t.taxFormSymbol << field(75, 715, 1400, 770) << int(Left);
        QTest::newRow("tax: obligation") << "tax" << t.obligationId << field(425, 715, 1400, 770) << int(Left);
        QTest::newRow("tax: date with boxes") << "tax boxes" << "08.12.2026" << date << int(Left);
        QTest::newRow("tax: no date") << "tax undated" << "" << date << int(Nothing);
        QTest::newRow("tax: no mark unless asked") << "tax" << "X" << form << int(Nothing);
        QTest::newRow("tax: transfer mark") << "tax mark" << "X" << field(460, 300, 490, 350) << int(Mark);
        QTest::newRow("tax: deposit mark") << "tax mark deposit" << "X" << field(515, 300, 560, 350) << int(Mark);

        // 23 characters of the account fit in the stub's 50 mm at 10 pt, all at 8 pt.
        const QString account = o.AccountNumberText();     // 12-10101023-1234567890123456
        QTest::newRow("stub: account") << "stub" << account.left(23) << field(60, 20, 560, 98) << int(Left);
        QTest::newRow("stub: account goes on") << "stub" << account.mid(23) << field(60, 106, 560, 184) << int(Left);
        QTest::newRow("stub: account at 8 pt") << "stub 8 pt" << account << field(60, 20, 560, 98) << int(Left);
        QTest::newRow("stub: nothing goes on") << "stub 8 pt" << "" << field(60, 106, 560, 184) << int(Nothing);
        QTest::newRow("stub: recipient") << "stub" << o.recipient1 << field(60, 200, 560, 357) << int(Top);
        QTest::newRow("stub: amount") << "stub" << "1234,50" << field(60, 365, 560, 435) << int(Left);
        QTest::newRow("stub: no sender account") << "stub" << "" << field(60, 440, 560, 530) << int(Nothing);
        QTest::newRow("stub: deposit words") << "stub deposit" << "JEDEN TYSIĄC" << field(60, 440, 560, 530) << int(Left);
        QTest::newRow("stub: sender") << "stub" << o.sender1 << field(60, 550, 560, 762) << int(Top);
    }
    void printedFieldsStandInTheirRectangles()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        QFETCH(QRectF, rect);
        QFETCH(int, place);
        const Page p = pageNamed(page);
        static QHash<QString, PdfText> pages;
        if (!pages.contains(page))
            pages.insert(page, PdfJob(0, QPageSize::A3).print(p.settings, {p.order}));   // no drawn form squeezed
        const PdfText &pdf = pages[page];
        QVERIFY(pdf.ok);
        // The form's corner on the sheet: the paper's on an original, where
        // the template has its first form on a drawn one.
        const std::optional<PagePlan> plan = planPage(p.settings, p.order);
        QVERIFY(plan);
        const QPointF corner = plan->textOnly() ? QPointF() : QPointF(CPrintEngine::contentShift(p.order.kind, plan->sectionLayout));
        const QRectF box(rect.translated(corner).topLeft() / 10, rect.size() / 10);
        if (place == Nothing) {
            for (const PdfWord &w : pdf.words)
                QVERIFY2(!w.mm.intersects(box) || (!text.isEmpty() && w.text != text), qPrintable(w.text + u' ' + mm(w.mm)));
            return;
        }
        // The copy of a text nearest to its field.
        const auto nearest = [&](const QString &words) {
            const QList<PdfWord> found = pdf.find(words);
            const auto distance = [&](const PdfWord &w) { return (w.mm.center() - box.center()).manhattanLength(); };
            return found.isEmpty() ? QRectF() : std::min_element(found.begin(), found.end(), [&](const PdfWord &a, const PdfWord &b) {
                return distance(a) < distance(b);
            })->mm;
        };
        const QRectF at = nearest(text);
        QVERIFY2(!at.isNull(), "not printed");
        const QByteArray where = (mm(at) + QStringLiteral(" in ") + mm(box)).toUtf8();
        const auto near = [](double a, double b) { return qAbs(a - b) <= kTenth; };
        // As wide as its characters, blanks too, in the monospaced print font.
        const QString firstWord = text.section(u' ', 0, 0, QString::SectionSkipEmpty);
        QVERIFY2(near(at.width(), nearest(firstWord).width() / firstWord.size() * text.size()), where);
        const bool centred = near(at.center().x(), box.center().x()) && near(at.center().y(), box.center().y());
        constexpr double kMarkMm = 16 * 25.4 / 72;
        switch (place) {
        case Mark:      // the heavy 16 pt mark may reach past its small field
            QVERIFY2(centred && at.height() > 0.9 * kMarkMm && at.height() < 1.4 * kMarkMm, where);
            return;
        case Centred:
            QVERIFY2(centred, where);
            break;
        case Top:
            QVERIFY2(near(at.left(), box.left()) && near(at.top(), box.top()), where);
            break;
        default:
            QVERIFY2(near(at.left(), box.left()) && near(at.center().y(), box.center().y()), where);
        }
        QVERIFY2(box.adjusted(-0.01, -0.01, 0.01, 0.01).contains(at), where);
    }

    // A tax period as printed without boxes: its parts two blanks apart.
    void spacedTaxPeriod()
    {
        QCOMPARE(SpacedTaxPeriod(QStringLiteral("05M0300")), QStringLiteral("05  M  03  00"));
        QCOMPARE(SpacedTaxPeriod(QStringLiteral("2026R")), QStringLiteral("20  2  6R  "));
    }

    // The amount's fill line runs from after the last character to the
    // form's (or the stub's) right; none where the boxes are full or the
    // amount is free text.
    void amountFillLine_data()
    {
        QTest::addColumn<CPrzelewDane>("order");
        QTest::addColumn<bool>("inBoxes");
        QTest::addColumn<int>("stubCharWidth");    // the stub's, characters that wide; 0: the form
        QTest::addColumn<QLine>("line");           // none when null
        const CPrzelewDane o = sample::ordinary();
        CPrzelewDane twelve = o, thirteen = o;
        twelve.amount = CWexOleCurrency::fromUnits(123456789);
        thirteen.amount = CWexOleCurrency::fromUnits(1234567890);
        QTest::newRow("ordinary") << o << true << 0 << QLine(1170, 317, 1400, 317);
        QTest::newRow("12 characters fill the boxes") << twelve << true << 0 << QLine();
        QTest::newRow("13 characters") << thirteen << true << 0 << QLine();
        QTest::newRow("free text") << o << false << 0 << QLine();
        QTest::newRow("ZUS") << sample::zus() << true << 0 << QLine(853 + 7 * 47, 317, 1400, 317);
        QTest::newRow("stub") << o << true << 21 << QLine(60 + 7 * 21 + 5, 400, 550, 400);
        QTest::newRow("stub, amount 490 wide") << o << true << 70 << QLine();
    }
    void amountFillLine()
    {
        QFETCH(CPrzelewDane, order);
        QFETCH(bool, inBoxes);
        QFETCH(int, stubCharWidth);
        QFETCH(QLine, line);
        RecordingCanvas c(stubCharWidth ? stubCharWidth : 21);
        if (stubCharWidth)
            DrawStub(c, boxes(inBoxes), order);
        else
            DrawFormOfKind(c, boxes(inBoxes), order, true);
        const QList<DrawOp> lines = c.lines();
        QCOMPARE(lines.size(), line.isNull() ? 0 : 1);
        if (!line.isNull())
            QCOMPARE(QLine(lines[0].rect.topLeft(), lines[0].rect.bottomRight()), line);
    }

    // The ZUS account row with "three boxes": the pattern of the account type
    // (a box for each character, blanks too); or nothing at all.
    void zusAccountRow_data()
    {
        QTest::addColumn<int>("accountType");
        QTest::addColumn<int>("threeBoxes");
        QTest::addColumn<int>("noAccount");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("account");   // in the template's boxes
        const QString blanks(18, u' ');
        QTest::newRow("three boxes: social") << 1 << 1 << 0 << "83" << blanks + u'1';
        QTest::newRow("three boxes: health") << 2 << 1 << 0 << "78" << blanks + u'2';
        QTest::newRow("three boxes: FP and FGSP") << 3 << 1 << 0 << "73" << blanks + u'3';
        QTest::newRow("three boxes, account type 0") << 0 << 1 << 0 << "" << "";
        QTest::newRow("do not print ZUS account") << 2 << 0 << 1 << "" << "";
        QTest::newRow("do not print wins over three boxes") << 2 << 1 << 1 << "" << "";
    }
    void zusAccountRow()
    {
        QFETCH(int, accountType);
        QFETCH(int, threeBoxes);
        QFETCH(int, noAccount);
        QFETCH(QString, check);
        QFETCH(QString, account);
        CPrzelewDane r = sample::zus();
        r.zusAccountType = accountType;
        for (int fit : {0, 1}) {
            PrintJobParams p = boxes(fit);
            p.threeZusBoxes = threeBoxes;
            p.noZusAccount = noAccount;
            RecordingCanvas c;
            DrawZusForm(c, p, r, true);
            if (check.isEmpty()) {
                QVERIFY(c.row(205).isEmpty());
            } else if (fit) {
                QStringList drawn;      // each box's character, in order
                for (const DrawOp &op : c.row(205))
                    drawn << op.text;
                QCOMPARE(drawn, (check + account.leftJustified(24)).split(QString(), Qt::SkipEmptyParts));
                // Exactly at the template's boxes, no slack.
                QCOMPARE(printedInBoxes(c, QStringLiteral("ZMT_ZUS"), {140, 205}, 0), check);
                QCOMPARE(printedInBoxes(c, QStringLiteral("ZMT_ZUS"), {235, 205}, 0), account);
            }
        }
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
};

QTEST_MAIN(TestFormLayouts)
#include "test_form_layouts.moc"
