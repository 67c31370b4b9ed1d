#include "model/TaxpayerIds.h"

#include <span>

namespace {

int digitAt(const QString &digits, int i)
{
    return digits[i].unicode() - u'0';
}

int weightedSum(const QString &digits, std::span<const int> weights)
{
    int sum = 0;
    for (size_t i = 0; i < weights.size(); ++i)
        sum += weights[i] * digitAt(digits, int(i));
    return sum;
}

// REGON's rule for both lengths: the weighted sum mod 11, where 10 counts as 0.
bool regonChecks(const QString &digits, std::span<const int> weights)
{
    return weightedSum(digits, weights) % 11 % 10 == digitAt(digits, int(weights.size()));
}

} // namespace

QString taxpayerIdDigits(QStringView text)
{
    QString digits;
    for (QChar c : text) {
        if (c == u' ' || c == u'-')
            continue;
        if (c < u'0' || c > u'9')
            return {};
        digits += c;
    }
    return digits;
}

bool isValidNip(QStringView text)
{
    static constexpr int Weights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    const QString digits = taxpayerIdDigits(text);
    // A sum leaving 10 is never issued as a NIP.
    return digits.size() == 10 && weightedSum(digits, Weights) % 11 == digitAt(digits, 9);
}

bool isValidPesel(QStringView text)
{
    static constexpr int Weights[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    const QString digits = taxpayerIdDigits(text);
    return digits.size() == 11 && (10 - weightedSum(digits, Weights) % 10) % 10 == digitAt(digits, 10);
}

bool isValidRegon(QStringView text)
{
    static constexpr int Weights9[] = {8, 9, 2, 3, 4, 5, 6, 7};
    static constexpr int Weights14[] = {2, 4, 8, 5, 0, 9, 7, 3, 6, 1, 2, 4, 8};
    const QString digits = taxpayerIdDigits(text);
    if (digits.size() == 9)
        return regonChecks(digits, Weights9);
    return digits.size() == 14 && regonChecks(digits, Weights14);
}
