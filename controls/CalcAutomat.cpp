#include "controls/CalcAutomat.h"

#include <limits>

bool CCalcAutomat::popToken(CToken &token)
{
    if (m_stack.empty())
        return false;
    token = m_stack.back();
    m_stack.pop_back();
    return true;
}

CWexOleCurrency CCalcAutomat::apply(const CWexOleCurrency &left, char op, const CWexOleCurrency &right)
{
    switch (op) {
    case '+': return left + right;
    case '-': return left - right;
    case '*': return left * right;
    case '/': return left / right;
    default: return right;
    }
}

CWexOleCurrency CCalcAutomat::roundToDecimals(const CWexOleCurrency &value, int decimals)
{
    if (!value.isValid() || decimals >= 4)
        return value;
    int64_t step = 1;
    for (int i = decimals; i < 4; ++i)
        step *= 10;
    const __int128 v = value.value();
    const __int128 mag = v < 0 ? -v : v;
    __int128 rounded = (mag + step / 2) / step * step;
    if (v < 0)
        rounded = -rounded;
    if (rounded > std::numeric_limits<int64_t>::max() || rounded < std::numeric_limits<int64_t>::min())
        return CWexOleCurrency::invalid();
    return CWexOleCurrency(static_cast<int64_t>(rounded));
}

void CCalcAutomat::pushNumber(QStringView text)
{
    CWexOleCurrency value;
    if (!CWexOleCurrency::parseDecimal(text, value))
        value = CWexOleCurrency::invalid();
    pushNumber(value);
}

void CCalcAutomat::pushNumber(const CWexOleCurrency &value)
{
    CToken head;
    if (!popToken(head) || head.isNumber()) {
        m_stack.push_back(CToken::number(value)); // a number at the head is replaced
        return;
    }
    if (head.op == '*' || head.op == '/') {
        CToken left;
        if (popToken(left))
            m_stack.push_back(CToken::number(apply(left.value, head.op, value)));
        return;
    }
    if (head.op == '+' || head.op == '-') {
        m_stack.push_back(head);
        m_stack.push_back(CToken::number(value));
    }
}

void CCalcAutomat::pushOperator(char op)
{
    CToken head;
    if (!popToken(head))
        return;
    if (head.isOperator()) {
        m_stack.push_back(CToken::oper(op)); // the last operator typed wins
        return;
    }
    switch (op) {
    case '%':
        m_stack.push_back(CToken::number(head.value / CWexOleCurrency::fromUnits(100)));
        return;
    case '*':
    case '/':
        m_stack.push_back(head);
        m_stack.push_back(CToken::oper(op));
        return;
    default: // "+", "-", "=": the pending sum or difference is done now
        break;
    }
    m_stack.push_back(CToken::number(foldPending(head.value)));
    if (op != '=')
        m_stack.push_back(CToken::oper(op));
}

CWexOleCurrency CCalcAutomat::foldPending(CWexOleCurrency right)
{
    while (m_stack.size() >= 2 && m_stack.back().isOperator()) {
        const char pending = m_stack.back().op;
        m_stack.pop_back();
        const CWexOleCurrency left = m_stack.back().value;
        m_stack.pop_back();
        right = apply(left, pending, right);
    }
    return right;
}

QString CCalcAutomat::evaluate(int decimals)
{
    CToken head;
    bool found = false;
    while (popToken(head)) {
        if (head.isNumber()) {
            found = true;
            break;
        }
    }
    CWexOleCurrency result = foldPending(found ? head.value : CWexOleCurrency(0));
    m_stack.clear();
    if (result.isValid())
        result = roundToDecimals(result, decimals);
    m_stack.push_back(CToken::number(result));
    return result.isValid() ? result.toText() : kErrorText.toString();
}
