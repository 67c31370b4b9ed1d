#include "controls/TypedInput.h"

#include "model/AccountCheck.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QValidator>

void keepTypedText(QComboBox *combo)
{
    QCompleter *completer = combo->completer();
    if (!completer)
        return;
    completer->setCompletionMode(QCompleter::PopupCompletion);
    // The combo box matches Enter against its entries with the completer's
    // case: "pit" must not turn into "PIT".
    completer->setCaseSensitivity(Qt::CaseSensitive);
}

namespace {

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'-' || c == QChar(0x00A0) || c == u'\t';
}

int countOthers(const QString &text)
{
    int others = 0;
    for (QChar c : text)
        if (!c.isDigit() && !isSeparator(c))
            ++others;
    return others;
}

// Lets through digits up to the limit, separators (dropped right after the
// edit) and a whole account number (spread over the three edits). A
// character that is neither is refused, unless it stood there already (a
// text read from a file stays editable).
class AccountPartValidator : public QValidator
{
public:
    AccountPartValidator(QLineEdit *edit, int limit) : QValidator(edit), m_limit(limit)
    {
        // The edit holds the new text while it is validated: the text it
        // had before is remembered here.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { m_before = text; });
    }

    // The whole number the last paste brought, to be spread over the three
    // edits; empty when the last change was no such paste.
    QString pastedWhole() const { return m_whole; }

    State validate(QString &input, int &) const override
    {
        m_whole.clear();
        if (CAccountInput::splitWhole(input)) {
            // Typed digit by digit, 26 digits stay where they are typed.
            if (input.size() > m_before.size() + 1)
                m_whole = input;
            return Intermediate;
        }
        if (countOthers(input) > countOthers(m_before))
            return Invalid;
        return CAccountInput::withoutSeparators(input).size() <= m_limit ? Acceptable : Invalid;
    }

private:
    int m_limit;
    QString m_before;
    mutable QString m_whole;
};

} // namespace

CAccountInput::CAccountInput(QLineEdit *check, QLineEdit *bank, QLineEdit *rest, QObject *parent)
    : QObject(parent), m_edits {check, bank, rest}
{
    for (int part = 0; part < 3; ++part) {
        QLineEdit *edit = m_edits[size_t(part)];
        // The validator holds the limit: a whole number pasted must reach it uncut.
        edit->setMaxLength(64);
        edit->setValidator(new AccountPartValidator(edit, kLimits[size_t(part)]));
        connect(edit, &QLineEdit::textEdited, this, [this, part] { onEdited(part); });
    }
}

QString CAccountInput::withoutSeparators(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (QChar c : text)
        if (!isSeparator(c))
            plain += c;
    return plain;
}

std::optional<std::array<QString, 3>> CAccountInput::splitWhole(const QString &text)
{
    // Copied numbers also bring tabs and no-break blanks, which the model's
    // reading of a number does not drop.
    const QString digits = accountDigits(withoutSeparators(text));
    if (digits.size() != 26)
        return std::nullopt;
    return std::array<QString, 3> {digits.left(2), digits.mid(2, 8), digits.mid(10)};
}

void CAccountInput::onEdited(int part)
{
    QLineEdit *edit = m_edits[size_t(part)];
    const auto *validator = static_cast<const AccountPartValidator *>(edit->validator());
    const auto whole = splitWhole(edit->text());
    if (whole && validator->pastedWhole() == edit->text()) {
        for (size_t i = 0; i < 3; ++i)
            m_edits[i]->setText((*whole)[i]);
        m_edits[2]->setFocus(Qt::OtherFocusReason);
        m_edits[2]->end(false);
        return;
    }
    const QString text = edit->text();
    const QString plain = withoutSeparators(text);
    if (plain == text)
        return;
    // Keep the cursor after the same digit it followed.
    const int cursor = int(withoutSeparators(text.left(edit->cursorPosition())).size());
    edit->setText(plain);
    edit->setCursorPosition(cursor);
}
