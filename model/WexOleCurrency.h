#pragma once
// Fixed-point money: a 64-bit count of ten-thousandths of the unit with a status.
// Sums are exact; anything that leaves the 64-bit range becomes invalid.

#include <QString>
#include <cstdint>

class CWexOleCurrency
{
public:
    enum Status { Valid = 0, Invalid = 1, Null = 2 };

    static constexpr int64_t kScale = 10000;    // ten-thousandths per unit
    static constexpr int kMaxIntegerDigits = 15; // digits of INT64_MAX / kScale

    CWexOleCurrency() = default;
    explicit CWexOleCurrency(int64_t tenThousandths, Status status = Valid)
        : m_value(tenThousandths), m_status(status) {}
    virtual ~CWexOleCurrency() = default;

    static CWexOleCurrency fromUnits(int64_t units, int64_t tenThousandths = 0);
    static CWexOleCurrency invalid() { return CWexOleCurrency(0, Invalid); }
    static CWexOleCurrency null() { return CWexOleCurrency(0, Null); }

    int64_t value() const { return m_value; }
    Status status() const { return m_status; }
    bool isValid() const { return m_status == Valid; }
    void setStatus(Status s) { m_status = s; }

    char decimalSeparator() const { return m_decimal; }
    void setDecimalSeparator(char c) { m_decimal = c; }

    // Plain text as the Polish locale writes it: no grouping, "," and only the
    // decimals needed (12.5 -> "12,5", 12 -> "12").
    QString toText() const;
    // Exactly two decimals, rounded half away from zero (1234.5 -> "1234,50").
    // Invalid or null amounts give an empty text.
    QString toTwoDecimalText() const;
    // The same with a blank between thousands, as the amount edit shows it
    // ("-1 234 567,50").
    QString toGroupedText() const;
    // Units before the separator, hundredths after it ("12,5" is 12.05).
    // Fails, leaving the amount unchanged, without a separator, on overflow,
    // or when the text holds anything else ("1 234,50", "12,500", "abc,de").
    bool fromText(QStringView text);
    // Any plain decimal ("-12,3456", "7", "0,5" as 0.50), at most four decimals.
    static bool parseDecimal(QStringView text, CWexOleCurrency &out);

    // Arithmetic: exact sums; products and quotients rounded half away from
    // zero at the fourth decimal. Any invalid operand, overflow or a zero
    // divisor gives an invalid result.
    CWexOleCurrency operator+(const CWexOleCurrency &o) const;
    CWexOleCurrency operator-(const CWexOleCurrency &o) const;
    CWexOleCurrency operator*(const CWexOleCurrency &o) const;
    CWexOleCurrency operator/(const CWexOleCurrency &o) const;
    CWexOleCurrency operator-() const;

    bool operator==(const CWexOleCurrency &o) const { return m_value == o.m_value && m_status == o.m_status; }
    bool operator!=(const CWexOleCurrency &o) const { return !(*this == o); }
    bool operator<(const CWexOleCurrency &o) const { return m_value < o.m_value; }
    bool operator>(const CWexOleCurrency &o) const { return m_value > o.m_value; }

private:
    int64_t m_value = 0;
    Status m_status = Valid;
    char m_decimal = ',';
};

// The value of a text made only of the digits 0-9 (none gives 0); false for
// any other character or a value beyond 64 bits. Every number read from a
// file goes through here.
bool parseDigits(QStringView digits, int64_t &value);

// Reads an unsigned decimal digit run the way atol would, but refuses overflow.
// Leading blanks and one sign are allowed; parsing stops at the first non-digit.
bool parseLeadingInteger(QStringView text, int64_t &value, bool &negative);
