#pragma once
// Input helpers that keep what the user types as typed.
//
// keepTypedText: an editable combo box offers its matching entries in a
// popup but never completes the text inline ("1" stays "1", not "10"), and
// Enter picks an entry only when the letter case matches too.
//
// CAccountInput: the recipient's account in its three edits (check digits,
// bank number, rest) takes digits only. Blanks and dashes typed or pasted are
// dropped; a whole account number pasted into any of the three ("PL27 1010
// …" or 26 digits, grouped as invoices print it) fills all three. A text
// already stored with other characters stays as it is until it is edited.

#include <QObject>
#include <QString>
#include <array>
#include <optional>

class QComboBox;
class QLineEdit;

void keepTypedText(QComboBox *combo);

class CAccountInput : public QObject
{
    Q_OBJECT
public:
    // Limits of the check digits, the bank number and the rest.
    static constexpr std::array<int, 3> kLimits {2, 8, 34};

    CAccountInput(QLineEdit *check, QLineEdit *bank, QLineEdit *rest, QObject *parent);

    // A whole account number cut into its three parts; nothing when `text`
    // (separators and a leading "PL" aside) is not 26 digits.
    static std::optional<std::array<QString, 3>> splitWhole(const QString &text);
    // The text without blanks and dashes.
    static QString withoutSeparators(const QString &text);

private:
    void onEdited(int part);

    std::array<QLineEdit *, 3> m_edits;
};
