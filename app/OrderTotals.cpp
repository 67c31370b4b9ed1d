#include "app/OrderTotals.h"

#include "base/Messages.h"
#include "model/KantomixDoc.h"

#include <map>

namespace {

const QString kZloty = QStringLiteral("PLN");

// Sums by currency code; zloty first, then the codes in alphabetical order.
class CurrencySums
{
public:
    void add(const CPrzelewDane &order)
    {
        if (!order.amount.isValid())
            return;     // printed without an amount, so counted without one
        // A blank code is the zloty too: the forms are in zloty unless a code says otherwise.
        const QString code = order.currency.trimmed().toUpper();
        auto [at, added] = m_sums.try_emplace(code == kZloty ? QString() : code, order.amount);
        if (!added)
            at->second = at->second + order.amount;
    }

    QString text() const
    {
        QStringList parts;
        for (const auto &[code, sum] : m_sums) {
            // A sum beyond the amount's range has no figure to show.
            const QString figure = sum.isValid() ? sum.toGroupedText() : QStringLiteral("?");
            parts << figure + u' ' + (code.isEmpty() ? QStringLiteral("zł") : code);
        }
        return parts.isEmpty() ? QStringLiteral("0,00 zł") : parts.join(QStringLiteral(" + "));
    }

private:
    std::map<QString, CWexOleCurrency> m_sums;  // "" is the zloty, sorting first
};

QString selectedWord(int count)
{
    static const char *const forms[] = {"zaznaczony", "zaznaczone", "zaznaczonych"};
    return QString::fromUtf8(forms[Msg::pluralForm(count)]);
}

} // namespace

QString orderTotalsText(const CKantomixDoc &doc, const QList<int> &selectedRows)
{
    if (doc.count() == 0)
        return {};
    CurrencySums all;
    for (int row = 0; row < doc.count(); ++row)
        all.add(doc.at(row));
    QString text = QStringLiteral("%1, razem %2").arg(Msg::ordersCount(doc.count()), all.text());
    int selected = 0;
    CurrencySums chosen;
    for (int row : selectedRows) {
        if (row >= 0 && row < doc.count()) {
            chosen.add(doc.at(row));
            ++selected;
        }
    }
    if (selected > 0)
        text += QStringLiteral(" — %1 %2: %3").arg(selectedWord(selected)).arg(selected).arg(chosen.text());
    return text;
}
