#include "print/FormLayouts.h"

#include "model/AccountSplit.h"
#include "model/OrderFields.h"
#include "model/PrzelewDane.h"

#include <QRegularExpression>
#include <span>

namespace {

constexpr int kAll = -1;       // as many boxes as the text has characters
constexpr int kFillLineEnd = 1400;

// How a field is drawn with boxes off.
enum class OffStyle { SingleLine, SameBoxes, SpacedPeriod };

struct TextField
{
    OrderField field;       // the order's field it shows
    LRect boxesOn;          // first box
    int count;              // characters at most, or kAll
    OffStyle offStyle;
    LRect boxesOff;         // single-line rectangle (SingleLine, SpacedPeriod)
    bool templateOnly;      // skipped on pre-printed originals
};

// An account row split into check digits, bank number and rest.
struct AccountRow
{
    LRect checkOn;          // first box of the check digits (2 boxes)
    LRect restOn;           // first box of bank number + rest
    int restCount;          // boxes for bank number + rest, or kAll
    LRect overflowOn;       // characters after restCount, if overflowCount > 0
    int overflowCount;
    LRect checkOff, bankOff, restOff;
};

struct AmountField
{
    LRect firstBox;         // 12 boxes, fill line to x = 1400
    LRect freeText;
};

enum class MarkRule { Never, Always, OpTypeSetting };
enum class SymbolStyle { Centered, Boxes };

struct FormLayout
{
    int pitch;
    std::span<const TextField> fields;
    const AccountRow *recipientAccount;     // null: not on this form
    bool zusAccountRules;                   // "DoNotPrintZUSBankNo" and "Print3Kratki"
    AccountRow senderAccount;               // transfer flag 1
    TextField senderWhole;                  // transfer flag 0 (deposit: amount in words)
    AmountField amount;
    MarkRule mark;
    LRect markTransfer, markDeposit;
    SymbolStyle symbolStyle;
    LRect symbol;
    int symbolCount;
    bool printDate;
    LRect date;
};

// ---- Ordinary transfer / cash deposit (box pitch 50) ----

constexpr TextField kOrdinaryFields[] = {
    {OrderField::Recipient1, {75, 33, 125, 88}, 27, OffStyle::SingleLine, {75, 33, 1400, 88}, false},
    {OrderField::Recipient2, {75, 120, 125, 175}, 27, OffStyle::SingleLine, {75, 120, 1400, 175}, false},
    {OrderField::Currency, {630, 290, 680, 345}, 3, OffStyle::SingleLine, {630, 290, 770, 345}, true},
    {OrderField::Sender1, {75, 460, 125, 515}, 27, OffStyle::SingleLine, {75, 460, 1400, 515}, false},
    {OrderField::Sender2, {75, 545, 125, 600}, 27, OffStyle::SingleLine, {75, 545, 1400, 600}, false},
    {OrderField::Title1, {75, 630, 125, 685}, 27, OffStyle::SingleLine, {75, 630, 1400, 685}, false},
    {OrderField::Title2, {75, 715, 125, 770}, 27, OffStyle::SingleLine, {75, 715, 1400, 770}, false},
};

// Shared by the ordinary and the tax form.
constexpr AccountRow kRecipientAccount50 = {
    {75, 205, 125, 260}, {180, 205, 230, 260}, 25, {75, 290, 125, 345}, 7,
    {75, 205, 170, 260}, {180, 205, 560, 260}, {575, 205, 1400, 260},
};
constexpr AccountRow kSenderAccount50 = {
    {75, 375, 125, 430}, {180, 375, 230, 430}, 25, {}, 0,
    {75, 375, 170, 430}, {180, 375, 560, 430}, {575, 375, 1400, 430},
};
constexpr TextField kSenderWhole50 =
    {OrderField::SenderAccount, {75, 375, 125, 430}, 27, OffStyle::SingleLine, {75, 375, 1400, 430}, false};
constexpr AmountField kAmount50 = {{820, 290, 870, 345}, {820, 290, 1400, 345}};

constexpr FormLayout kOrdinaryLayout = {
    50, kOrdinaryFields, &kRecipientAccount50, false, kSenderAccount50, kSenderWhole50, kAmount50,
    MarkRule::Always, {460, 300, 490, 350}, {515, 300, 560, 350},
    SymbolStyle::Centered, {1310, 790, 1400, 850}, 0,
    true, {100, 820, 450, 870},
};

// ---- ZUS transfer (box pitch 47); name, title, mark and date are pre-printed ----

constexpr TextField kZusFields[] = {
    {OrderField::Currency, {663, 290, 710, 345}, 3, OffStyle::SameBoxes, {}, true},
    {OrderField::Sender1, {140, 460, 187, 515}, 27, OffStyle::SingleLine, {140, 460, 1420, 515}, false},
    {OrderField::Sender2, {140, 545, 187, 600}, 27, OffStyle::SingleLine, {140, 545, 1420, 600}, false},
    {OrderField::PayerId, {140, 630, 187, 685}, 10, OffStyle::SingleLine, {140, 630, 615, 685}, false},
    {OrderField::IdType, {663, 630, 710, 685}, 1, OffStyle::SameBoxes, {}, false},
    {OrderField::SupplementaryId, {758, 630, 805, 685}, 14, OffStyle::SingleLine, {758, 630, 1420, 685}, false},
    {OrderField::PaymentType, {140, 715, 187, 770}, 1, OffStyle::SameBoxes, {}, false},
    {OrderField::DeclarationNo, {234, 715, 281, 770}, 2, OffStyle::SameBoxes, {}, false},
    {OrderField::Declaration, {375, 715, 422, 770}, 6, OffStyle::SameBoxes, {}, false},
    {OrderField::Title2, {710, 715, 757, 770}, kAll, OffStyle::SingleLine, {710, 715, 1420, 770}, false},
};

constexpr AccountRow kZusRecipientAccount = {
    {140, 205, 187, 260}, {235, 205, 283, 260}, kAll, {}, 0,
    {140, 205, 235, 260}, {235, 205, 615, 260}, {615, 205, 1400, 260},
};

constexpr FormLayout kZusLayout = {
    47, kZusFields, &kZusRecipientAccount, true,
    {{140, 375, 187, 430}, {235, 375, 283, 430}, 25, {}, 0,
     {140, 375, 235, 430}, {235, 375, 615, 430}, {615, 375, 1420, 430}},
    {OrderField::SenderAccount, {140, 375, 187, 430}, 27, OffStyle::SingleLine, {140, 375, 1420, 430}, false},
    {{853, 290, 900, 345}, {853, 290, 1420, 345}},
    MarkRule::Never, {}, {},
    SymbolStyle::Boxes, {1320, 780, 1367, 840}, 2,
    false, {},
};

// ---- Tax-office transfer (box pitch 50); no currency code ----

constexpr TextField kTaxFields[] = {
    {OrderField::Recipient1, {75, 33, 125, 88}, 27, OffStyle::SingleLine, {75, 33, 1400, 88}, false},
    {OrderField::Recipient2, {75, 120, 125, 175}, 27, OffStyle::SingleLine, {75, 120, 1400, 175}, false},
    {OrderField::Sender1, {75, 460, 125, 515}, 27, OffStyle::SingleLine, {75, 460, 1400, 515}, false},
    {OrderField::Sender2, {75, 545, 125, 600}, 27, OffStyle::SingleLine, {75, 545, 1400, 600}, false},
    {OrderField::PayerId, {75, 630, 125, 685}, 27, OffStyle::SingleLine, {75, 630, 1400, 685}, false},
    // The boxed variants of these three reach to x = 1400; the characters still land at the pitch.
    {OrderField::IdType, {820, 630, 1400, 685}, 27, OffStyle::SingleLine, {820, 630, 1400, 685}, false},
    {OrderField::TaxPeriod, {1025, 630, 1400, 685}, 27, OffStyle::SpacedPeriod, {1025, 630, 1400, 685}, false},
    {OrderField::TaxFormSymbol, {75, 715, 125, 770}, 27, OffStyle::SingleLine, {75, 715, 1400, 770}, false},
    {OrderField::ObligationId, {425, 715, 1400, 770}, 27, OffStyle::SingleLine, {425, 715, 1400, 770}, false},
};

constexpr FormLayout kTaxLayout = {
    50, kTaxFields, &kRecipientAccount50, false, kSenderAccount50, kSenderWhole50, kAmount50,
    MarkRule::OpTypeSetting, {460, 300, 490, 350}, {515, 300, 560, 350},
    SymbolStyle::Centered, {1310, 790, 1400, 850}, 0,
    true, {100, 820, 450, 870},
};

// ---- Receipt stub ----

constexpr LRect kStubAccountLine1 = {60, 20, 560, 98};
constexpr LRect kStubAccountLine2 = {60, 106, 560, 184};
constexpr int kStubAccountWidth = 500;
constexpr LRect kStubRecipient = {60, 200, 560, 357};
constexpr LRect kStubAmount = {60, 365, 560, 435};
constexpr int kStubFillBelow = 490;     // a fill line only when the amount is narrower
constexpr int kStubFillY = 400;
constexpr int kStubFillGap = 5;
constexpr int kStubFillEnd = 550;
constexpr LRect kStubSenderAccount = {60, 440, 560, 530};
constexpr LRect kStubSender = {60, 550, 560, 762};

// ---- ZUS account of "Print3Kratki" ----

struct ZusPatternRow
{
    int accountType;
    const char16_t *pattern;
};
constexpr ZusPatternRow kZusPatterns[] = {
    {1, u"83                  1     "},
    {2, u"78                  2     "},
    {3, u"73                  3     "},
};

// Boxes, noting the field when its text is longer than they are.
void drawBoxesOf(FormCanvas &canvas, const LRect &first, const QString &text, int count, int pitch,
                 const QString &field)
{
    if (!DrawBoxes(canvas, first, text, count, pitch))
        canvas.noteCut(field);
}

// Free text on one line, noting the field when the line was cut at its edge.
void drawLineOf(FormCanvas &canvas, const LRect &where, const QString &text, const QString &field)
{
    canvas.drawSingleLine(where.toRect(), text);
    if (canvas.takeLineCut())
        canvas.noteCut(field);
}

int countOf(int count, const QString &text)
{
    return count == kAll ? int(text.size()) : count;
}

// `name`: what the note of a cut calls the field.
void drawTextField(FormCanvas &canvas, const TextField &f, int pitch, const PrintJobParams &params,
                   const CPrzelewDane &rec, bool templateMode, const QString &name)
{
    if (f.templateOnly && !templateMode)
        return;
    const QString text = OrderFields::printedText(rec, f.field);
    if (params.fitInBox || f.offStyle == OffStyle::SameBoxes)
        drawBoxesOf(canvas, f.boxesOn, text, countOf(f.count, text), pitch, name);
    else if (f.offStyle == OffStyle::SpacedPeriod)
        drawLineOf(canvas, f.boxesOff, SpacedTaxPeriod(text), name);
    else
        drawLineOf(canvas, f.boxesOff, text, name);
}

void drawAccountRow(FormCanvas &canvas, const AccountRow &row, int pitch, bool boxes, const AccountParts &parts,
                    const QString &field)
{
    if (boxes) {
        drawBoxesOf(canvas, row.checkOn, parts.checkDigits, 2, pitch, field);
        const QString joined = parts.bankNumber + parts.accountRest;
        const int count = countOf(row.restCount, joined);
        if (row.overflowCount > 0 && joined.size() > count) {
            DrawBoxes(canvas, row.restOn, joined, count, pitch);
            drawBoxesOf(canvas, row.overflowOn, joined.mid(count), row.overflowCount, pitch, field);
        } else {
            drawBoxesOf(canvas, row.restOn, joined, count, pitch, field);
        }
        return;
    }
    drawLineOf(canvas, row.checkOff, parts.checkDigits, field);
    drawLineOf(canvas, row.bankOff, parts.bankNumber, field);
    drawLineOf(canvas, row.restOff, parts.accountRest, field);
}

void drawRecipientAccount(FormCanvas &canvas, const FormLayout &layout, const PrintJobParams &params,
                          const CPrzelewDane &rec)
{
    if (!layout.recipientAccount)
        return;
    AccountParts parts{rec.checkDigits, rec.bankNumber, rec.accountRest};
    if (params.fitInBox) {
        // Blanks and dashes stored in older files (typed the way invoices
        // group the number) take no box: each box holds one digit.
        for (QString *part : {&parts.checkDigits, &parts.bankNumber, &parts.accountRest})
            part->remove(QRegularExpression(QStringLiteral("[ -]")));
    }
    if (layout.zusAccountRules) {
        if (params.noZusAccount)
            return;
        if (params.threeZusBoxes) {
            const QString pattern = ZusThreeBoxPattern(rec.zusAccountType);
            if (pattern.isEmpty())
                return;
            parts = {pattern.mid(0, 2), pattern.mid(2, 8), pattern.mid(10, 16)};
        }
    }
    drawAccountRow(canvas, *layout.recipientAccount, layout.pitch, params.fitInBox, parts,
                   OrderFields::printedName(OrderField::AccountRest));
}

void drawAmount(FormCanvas &canvas, const FormLayout &layout, const PrintJobParams &params, const CPrzelewDane &rec)
{
    const QString amount = rec.amount.toTwoDecimalText();
    if (!params.fitInBox) {
        canvas.drawSingleLine(layout.amount.freeText.toRect(), params.valueDelimiter + amount + params.valueDelimiter);
        return;
    }
    constexpr int kAmountBoxes = 12;
    const LRect &first = layout.amount.firstBox;
    drawBoxesOf(canvas, first, amount, kAmountBoxes, layout.pitch, OrderFields::printedName(OrderField::Amount));
    if (amount.size() < kAmountBoxes) {
        const int y = (first.top + first.bottom) / 2;
        const int x = first.left + int(amount.size()) * layout.pitch;
        canvas.drawLine(QPoint(x, y), QPoint(kFillLineEnd, y));
    }
}

void drawLayout(FormCanvas &canvas, const FormLayout &layout, const PrintJobParams &params,
                const CPrzelewDane &rec, bool templateMode)
{
    for (const TextField &f : layout.fields)
        drawTextField(canvas, f, layout.pitch, params, rec, templateMode, OrderFields::printedName(f.field));
    drawRecipientAccount(canvas, layout, params, rec);
    drawAmount(canvas, layout, params, rec);

    if (rec.isTransfer == 1)
        drawAccountRow(canvas, layout.senderAccount, layout.pitch, params.fitInBox, AccountSplit(rec.senderAccount),
                       OrderFields::printedName(OrderField::SenderAccount));
    else
        drawTextField(canvas, layout.senderWhole, layout.pitch, params, rec, templateMode,
                      OrderFields::depositWordsName());

    const bool mark = layout.mark == MarkRule::Always || (layout.mark == MarkRule::OpTypeSetting && params.opTypeMark);
    if (mark)
        canvas.drawCentered((rec.isTransfer == 1 ? layout.markTransfer : layout.markDeposit).toRect(),
                            QStringLiteral("X"), FormCanvas::Font::Mark);

    if (params.printSymbol) {
        if (layout.symbolStyle == SymbolStyle::Boxes)
            drawBoxesOf(canvas, layout.symbol, rec.symbol, layout.symbolCount, layout.pitch,
                        OrderFields::printedName(OrderField::Symbol));
        else
            canvas.drawCentered(layout.symbol.toRect(), rec.symbol, FormCanvas::Font::Body);
    }

    if (layout.printDate && rec.date.isValid())
        canvas.drawSingleLine(layout.date.toRect(), rec.date.toShortText());
}

} // namespace

bool DrawBoxes(FormCanvas &canvas, const LRect &first, const QString &text, int count, int pitch)
{
    const int n = std::min<int>(std::max(count, 0), int(text.size()));
    if (n > 0)
        canvas.drawBoxRow(first.toRect(), n == text.size() ? text : text.left(n), pitch);
    return n == text.size();
}

QString ZusThreeBoxPattern(int zusAccountType)
{
    for (const ZusPatternRow &row : kZusPatterns)
        if (row.accountType == zusAccountType)
            return QString::fromUtf16(row.pattern);
    return {};
}

QString SpacedTaxPeriod(const QString &period)
{
    return QStringLiteral("%1  %2  %3  %4")
        .arg(period.mid(0, 2), period.mid(2, 1), period.mid(3, 2), period.mid(5, 2));
}

void DrawOrdinaryForm(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec, bool templateMode)
{
    drawLayout(canvas, kOrdinaryLayout, params, rec, templateMode);
}

void DrawZusForm(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec, bool templateMode)
{
    drawLayout(canvas, kZusLayout, params, rec, templateMode);
}

void DrawTaxForm(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec, bool templateMode)
{
    drawLayout(canvas, kTaxLayout, params, rec, templateMode);
}

void DrawFormOfKind(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec, bool templateMode)
{
    if (rec.kind == KindZus)
        DrawZusForm(canvas, params, rec, templateMode);
    else if (rec.kind == KindTax)
        DrawTaxForm(canvas, params, rec, templateMode);
    else
        DrawOrdinaryForm(canvas, params, rec, templateMode);
}

void DrawStub(FormCanvas &canvas, const PrintJobParams &, const CPrzelewDane &rec)
{
    // The account number goes on two lines, split where the first stops fitting.
    const QString account = rec.AccountNumberText();
    int fit = 0;
    while (fit < account.size() && canvas.textWidth(account.left(fit + 1)) <= kStubAccountWidth)
        ++fit;
    canvas.drawSingleLine(kStubAccountLine1.toRect(), account.left(fit));
    canvas.drawSingleLine(kStubAccountLine2.toRect(), account.mid(fit));

    canvas.drawWrapped(kStubRecipient.toRect(), rec.recipient1);

    const QString amount = rec.amount.toTwoDecimalText();
    canvas.drawSingleLine(kStubAmount.toRect(), amount);
    const int w = canvas.textWidth(amount);
    if (w < kStubFillBelow)
        canvas.drawLine(QPoint(kStubAmount.left + w + kStubFillGap, kStubFillY), QPoint(kStubFillEnd, kStubFillY));

    if (rec.isTransfer == 0)
        canvas.drawSingleLine(kStubSenderAccount.toRect(), rec.senderAccount);
    canvas.drawWrapped(kStubSender.toRect(), rec.sender1);
}
