#pragma once
// One payment order of any kind: ordinary transfer or cash deposit, ZUS, tax.
// The kind decides which fields are used and what a reset puts into them.

#include "model/WexOleCurrency.h"

#include <QDate>
#include <QString>

// A date with a status, as orders carry it: valid, invalid, or no date at all.
class COrderDate
{
public:
    enum Status { Valid = 0, Invalid = 1, Null = 2 };

    COrderDate() = default;
    static COrderDate now();
    static COrderDate null() { return COrderDate(); }
    static COrderDate fromDate(QDate d);
    // Year, month and day as numbers; a non-existent date gives no date.
    static COrderDate fromParts(int year, int month, int day);

    Status status() const { return m_status; }
    bool isValid() const { return m_status == Valid; }
    QDate date() const { return m_date; }
    // Milliseconds since midnight, local time; 0 for dates read from files.
    int msecsOfDay() const { return m_msecs; }

    // "dd.MM.yyyy" for a valid date, else empty.
    QString toShortText() const;
    // "yyyy-MM-dd" for a valid date, else empty.
    QString toIsoText() const;

    int compare(const COrderDate &o) const;
    bool operator==(const COrderDate &o) const
    {
        return m_status == o.m_status && m_date == o.m_date && m_msecs == o.m_msecs;
    }

private:
    // Wall-clock date and time without a time zone: local time is all an
    // order date ever meant, and zone lookups per order would be slow.
    QDate m_date;
    int m_msecs = 0;
    Status m_status = Null;
};

enum OrderKind { KindOrdinary = 0, KindZus = 1, KindTax = 2 };

enum SortKey {
    SortRecipient = 0,
    SortTitle = 1,
    SortAccount = 2,
    SortDate = 3,
    SortAmount = 4,
    SortCurrency = 5,
    SortKindName = 6,
};

class CPrzelewDane
{
public:
    CPrzelewDane();
    virtual ~CPrzelewDane() = default;
    CPrzelewDane(const CPrzelewDane &) = default;
    CPrzelewDane &operator=(const CPrzelewDane &) = default;
    CPrzelewDane(CPrzelewDane &&) noexcept = default;
    CPrzelewDane &operator=(CPrzelewDane &&) noexcept = default;

    // Stores the kind and resets the record for it; other kinds are stored as they are.
    void SetKind(int kind);
    // The same reset with a given date: readers that set the date themselves
    // skip asking the clock for every line.
    void SetKind(int kind, const COrderDate &date);
    void SetZUSTitle(int accountType);
    QString AccountNumberText() const;
    bool AmountInDigitWords(QString &out) const;

    bool operator<(const CPrzelewDane &o) const { return compare(o) < 0; }
    bool operator>(const CPrzelewDane &o) const { return compare(o) > 0; }
    bool operator==(const CPrzelewDane &o) const { return compare(o) == 0; }
    bool operator!=(const CPrzelewDane &o) const { return compare(o) != 0; }
    // By this record's sort key: negative, zero or positive; texts in the
    // Polish order.
    int compare(const CPrzelewDane &o) const;

    // The fixed ZUS account of an account type (1..3), else empty.
    static QString ZusAccount(int accountType);
    static QString ZusTitle(int accountType);

    // One-letter codes of the identifier and ZUS payment types in files.
    static QChar IdTypeLetter(int idType);
    static int IdTypeFromLetter(QChar c);
    static QChar PaymentTypeLetter(int paymentType);
    static int PaymentTypeFromLetter(QChar c);

    static QString KindName(int kind);

    // Fields in the order of the record; their widths in files and on the
    // pages are in the catalogue (model/OrderFields.h).
    QString recipient1;
    QString recipient2;
    QString checkDigits;
    QString bankNumber;
    QString accountRest;
    QString currency;
    QString senderAccount;    // for a cash deposit the amount in digit words
    QString sender1;
    QString sender2;
    QString title1;
    QString title2;           // ZUS: the decision number
    COrderDate date;
    CWexOleCurrency amount;
    int isTransfer = 1;       // 1 transfer ("Przelew"), 0 cash deposit ("Wpłata")
    int kind = KindOrdinary;
    int sortKey = SortRecipient;
    QString kindName;
    QString reference;        // carried through files unchanged
    QString payerId;          // ZUS: the NIP
    int idType = 0;
    QString supplementaryId;
    int paymentType = 0;
    QString declaration;      // MMYYYY
    QString declarationNo;
    QString symbol;
    QString taxPeriod;
    QString taxFormSymbol;
    QString obligationId;
    int zusAccountType = 0;
};

// The account text of an order or a party: check digits and "-" when
// present, bank number, "-", account rest.
QString composeAccountText(const QString &check, const QString &bank, const QString &account);
