#pragma once
// The calculator edit's expression evaluator: a stack of number
// and operator tokens with "*" and "/" binding before "+" and "-". It holds
// at most a left operand, a pending "+" or "-", and the number combined with
// them (plus a pending "*" or "/" and its left operand).

#include "model/WexOleCurrency.h"

#include <QString>
#include <QStringView>
#include <vector>

struct CToken
{
    enum Kind { Number = 0, Operator = 1 };

    Kind kind = Number;
    char op = 0;             // "+", "-", "*", "/", "%" or "=" for an operator
    CWexOleCurrency value;   // for a number

    static CToken number(const CWexOleCurrency &v) { return {Number, 0, v}; }
    static CToken oper(char c) { return {Operator, c, CWexOleCurrency()}; }
    bool isNumber() const { return kind == Number; }
    bool isOperator() const { return kind == Operator; }
};

class CCalcAutomat
{
public:
    // The text is read as a plain Polish decimal; an unreadable one (such as
    // "E") becomes an invalid number.
    void pushNumber(QStringView text);
    void pushNumber(const CWexOleCurrency &value);
    void pushOperator(char op);
    // Folds the stack into one number, rounded half away from zero to the
    // given decimals (below 4), and returns its plain text, or "E" when the
    // result is invalid. The result stays on the stack as its only token.
    QString evaluate(int decimals);
    void clear() { m_stack.clear(); }

    bool isEmpty() const { return m_stack.empty(); }
    // Bottom first; the head is the last token.
    const std::vector<CToken> &tokens() const { return m_stack; }

    // The automaton's arithmetic: left op right for "+", "-", "*", "/".
    static CWexOleCurrency apply(const CWexOleCurrency &left, char op, const CWexOleCurrency &right);
    static CWexOleCurrency roundToDecimals(const CWexOleCurrency &value, int decimals);
    static constexpr QStringView kErrorText = u"E";

private:
    // Works out the pending sums and differences with `right` as the last operand.
    CWexOleCurrency foldPending(CWexOleCurrency right);
    bool popToken(CToken &token);

    std::vector<CToken> m_stack;
};
