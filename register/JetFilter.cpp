#include "register/JetFilter.h"

#include "register/RegisterDatabase.h"

namespace {

enum class Tok { End, Name, Number, String, LParen, RParen, Comma, Op };

struct Token
{
    Tok kind = Tok::End;
    QString text;
};

class Lexer
{
public:
    explicit Lexer(const QString &s) : m_s(s) {}

    Token next()
    {
        while (m_i < m_s.size() && m_s[m_i].isSpace())
            ++m_i;
        if (m_i >= m_s.size())
            return {};
        const QChar c = m_s[m_i];
        if (c == u'(' || c == u')' || c == u',') {
            ++m_i;
            return {c == u'(' ? Tok::LParen : c == u')' ? Tok::RParen : Tok::Comma, QString(c)};
        }
        if (c == u'[') {
            const qsizetype close = m_s.indexOf(u']', m_i);
            if (close < 0)
                fail();
            Token t {Tok::Name, m_s.mid(m_i + 1, close - m_i - 1)};
            m_i = close + 1;
            return t;
        }
        if (c == u'"' || c == u'\'') {
            // A doubled quote inside stands for one quote.
            QString text;
            ++m_i;
            for (;;) {
                if (m_i >= m_s.size())
                    fail();
                if (m_s[m_i] == c) {
                    if (m_i + 1 < m_s.size() && m_s[m_i + 1] == c) {
                        text += c;
                        m_i += 2;
                        continue;
                    }
                    ++m_i;
                    return {Tok::String, text};
                }
                text += m_s[m_i++];
            }
        }
        if (c.isDigit() || (c == u'-' && m_i + 1 < m_s.size() && m_s[m_i + 1].isDigit())) {
            const qsizetype start = m_i++;
            while (m_i < m_s.size() && m_s[m_i].isDigit())
                ++m_i;
            return {Tok::Number, m_s.mid(start, m_i - start)};
        }
        if (c == u'=' || c == u'<' || c == u'>') {
            const qsizetype start = m_i++;
            if (m_i < m_s.size() && (m_s[m_i] == u'=' || m_s[m_i] == u'>'))
                ++m_i;
            return {Tok::Op, m_s.mid(start, m_i - start)};
        }
        if (c.isLetter() || c == u'_') {
            const qsizetype start = m_i;
            while (m_i < m_s.size() && (m_s[m_i].isLetterOrNumber() || m_s[m_i] == u'_' || m_s[m_i] == u'.'))
                ++m_i;
            return {Tok::Name, m_s.mid(start, m_i - start)};
        }
        fail();
    }

    [[noreturn]] void fail() const
    {
        throw CRegisterError(QStringLiteral("Błąd składni w wyrażeniu \"%1\".").arg(m_s));
    }

private:
    const QString &m_s;
    qsizetype m_i = 0;
};

bool isWord(const Token &t, const char *word)
{
    return t.kind == Tok::Name && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

// Recursive descent over: or-expr := and-expr {OR and-expr};
// and-expr := not-expr {AND not-expr}; not-expr := [NOT] primary;
// primary := "(" or-expr ")" | operand (op operand | LIKE operand).
class Parser
{
public:
    explicit Parser(const QString &s) : m_lex(s) { advance(); }

    SqlFragment parse()
    {
        orExpr();
        if (m_tok.kind != Tok::End)
            m_lex.fail();
        return std::move(m_out);
    }

private:
    void advance() { m_tok = m_lex.next(); }

    void orExpr()
    {
        andExpr();
        while (isWord(m_tok, "OR")) {
            advance();
            m_out.sql += QStringLiteral(" OR ");
            andExpr();
        }
    }
    void andExpr()
    {
        notExpr();
        while (isWord(m_tok, "AND")) {
            advance();
            m_out.sql += QStringLiteral(" AND ");
            notExpr();
        }
    }
    void notExpr()
    {
        if (isWord(m_tok, "NOT")) {
            advance();
            m_out.sql += QStringLiteral("NOT ");
        }
        primary();
    }
    void primary()
    {
        if (m_tok.kind == Tok::LParen) {
            advance();
            m_out.sql += u'(';
            orExpr();
            if (m_tok.kind != Tok::RParen)
                m_lex.fail();
            advance();
            m_out.sql += u')';
            return;
        }
        const QString left = operand();
        if (isWord(m_tok, "LIKE")) {
            advance();
            const QString right = operand();
            m_out.sql += QStringLiteral("kh_like(%1, %2)").arg(left, right);
            return;
        }
        if (m_tok.kind != Tok::Op)
            m_lex.fail();
        const QString op = m_tok.text;
        advance();
        const QString right = operand();
        m_out.sql += left + u' ' + op + u' ' + right;
    }
    QString operand()
    {
        const Token t = m_tok;
        advance();
        switch (t.kind) {
        case Tok::Number:
            m_out.values.push_back(QVariant(t.text.toLongLong()));
            return QStringLiteral("?");
        case Tok::String:
            m_out.values.push_back(QVariant(t.text));
            return QStringLiteral("?");
        case Tok::Name: {
            if (isWord(t, "TRUE") || isWord(t, "YES") || isWord(t, "FALSE") || isWord(t, "NO")) {
                m_out.values.push_back(QVariant(qint64(isWord(t, "TRUE") || isWord(t, "YES") ? 1 : 0)));
                return QStringLiteral("?");
            }
            QStringView name = t.text;
            if (name.startsWith(u"Kontrahent.", Qt::CaseInsensitive))
                name = name.mid(11);
            const int col = JetFilter::columnIndex(name);
            if (col < 0)
                throw CRegisterError(QStringLiteral("Nieznana kolumna \"%1\".").arg(t.text));
            return QString::fromLatin1(JetFilter::Columns[col]);
        }
        default:
            m_lex.fail();
        }
    }

    Lexer m_lex;
    Token m_tok;
    SqlFragment m_out;
};

} // namespace

namespace JetFilter {

int columnIndex(QStringView name)
{
    for (int i = 0; i < ColumnCount; ++i)
        if (name.compare(QLatin1String(Columns[i]), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

SqlFragment translateFilter(const QString &filter)
{
    if (filter.trimmed().isEmpty())
        return {QStringLiteral("1"), {}};
    return Parser(filter).parse();
}

QString translateSort(const QString &sort)
{
    QString out;
    for (const QString &part : sort.split(u',', Qt::SkipEmptyParts)) {
        QString item = part.trimmed();
        QString dir = QStringLiteral(" ASC");
        if (item.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
            dir = QStringLiteral(" DESC");
            item.chop(5);
        } else if (item.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive)) {
            item.chop(4);
        }
        item = item.trimmed();
        if (item.startsWith(u'[') && item.endsWith(u']'))
            item = item.mid(1, item.size() - 2);
        const int col = columnIndex(item);
        if (col < 0)
            throw CRegisterError(QStringLiteral("Nieznana kolumna \"%1\".").arg(item));
        out += QString::fromLatin1(Columns[col]) + dir + QStringLiteral(", ");
    }
    // Sorted by name alone, ties follow the rest of the name index, so the
    // index gives the whole order and nothing is sorted.
    if (out == QLatin1String("Kh_Nazwa1 ASC, "))
        out += QStringLiteral("Kh_Typ ASC, Kh_Domyslny ASC, ");
    // Identity last, so rows that compare equal keep their natural order.
    return out + QStringLiteral("Kh_IdKontrahenta");
}

bool sortUsesNameIndex(const QString &sort)
{
    return translateSort(sort).startsWith(QLatin1String("Kh_Nazwa1 ASC"));
}

} // namespace JetFilter
