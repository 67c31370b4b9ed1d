#pragma once
// The currency edit's amount as plain logic: the raw text
// ("-1234.5000": sign, integer digits, ".", four decimals) in which every
// typing rule works, the display text with Polish grouping ("-1 234,50"),
// and the mapping of caret positions between the two. No widgets here.

#include "model/WexOleCurrency.h"

#include <QString>
#include <QStringView>

class CurrencyEditModel
{
public:
    // Raw-text positions; start <= end, a caret when equal.
    struct Selection
    {
        int start = 0;
        int end = 0;
        static Selection caret(int pos) { return {pos, pos}; }
        bool isEmpty() const { return start == end; }
        bool operator==(const Selection &) const = default;
    };

    enum class Outcome {
        Unchanged, // the amount is as it was (the caret may have moved)
        Changed,   // the amount or its sign changed
        Refused,   // nothing changed; the edit beeps
    };

    static constexpr int kRawDecimals = 4;
    static constexpr int kMaxIntegerDigits = 12; // 17 raw characters without "-"
    static constexpr QChar kDecimalChar = u',';
    static constexpr QChar kGroupSeparator = u' ';
    static constexpr QChar kNegativeSign = u'-';

    int decimals() const { return m_decimals; }
    void setDecimals(int decimals); // clamped to 0..4
    const QString &suffix() const { return m_suffix; }
    void setSuffix(const QString &suffix) { m_suffix = suffix; }
    bool negativeZero() const { return m_negativeZero; }
    const CWexOleCurrency &amount() const { return m_amount; }

    // Refuses (false, nothing changes) an amount that is not valid or has
    // more than twelve integer digits: the raw text could not hold it.
    bool setAmount(const CWexOleCurrency &amount);
    // "Set text": "" is zero, "-" zero with the negative-zero flag, anything
    // else a plain Polish decimal (grouping spaces allowed). False: refused.
    bool setText(QStringView text);
    // "Get text": no grouping, no suffix, only the decimals needed ("1234,5").
    QString text() const { return m_amount.toText(); }

    QString rawText() const;
    // Reads a raw text back: longer than 17 characters (18 with "-") leaves
    // the amount unchanged and returns false.
    bool readRawText(QStringView raw);
    int rawLength() const;
    int rawDecimalPointPos() const { return rawLength() - 1 - kRawDecimals; }

    QString displayText() const;      // with the suffix
    int displayNumberLength() const;  // without the suffix
    // Decimals the display shows: the set number, more when hidden places
    // are not zero.
    int shownDecimals() const;
    // Position mapping. A raw position the display does not show maps to the
    // end of the number; display positions on a separator or in the suffix map
    // to the raw position of the nearest shown character before them.
    // A position between a digit and a group separator is before the
    // separator when selectionEnd is set (a selection ends at its last digit),
    // else after it (the caret sits at the digit it acts on).
    int rawToDisplay(int rawPos, bool selectionEnd = false) const;
    int displayToRaw(int displayPos) const;
    int lastReachableRawPos() const { return displayToRaw(displayNumberLength()); }

    // Typing, in raw coordinates. The selection is updated to the new caret.
    Outcome typeChar(QChar c, Selection &sel);
    Outcome typeMinus(Selection &sel);
    Outcome typeDecimalChar(Selection &sel);
    Outcome typeDigit(int digit, Selection &sel);
    Outcome backspace(Selection &sel);
    Outcome deleteForward(Selection &sel);
    Selection moveLeft(Selection sel) const;
    Selection moveRight(Selection sel) const;

private:
    struct Raw; // the raw text split into its parts, edited in place
    Raw split() const;
    Outcome commit(const Raw &raw, int caret, Selection &sel);
    static int deleteSelection(Raw &raw, Selection sel);

    int m_decimals = 2;
    QString m_suffix;
    bool m_negativeZero = false;
    CWexOleCurrency m_amount;
};
