#include "register/PartyStore.h"

#include "model/PrzelewDane.h"
#include "register/PgPartyStore.h"
#include "register/SqlitePartyStore.h"

#include <QHash>
#include <QStandardPaths>
#include <algorithm>

QString Party::accountText() const
{
    return composeAccountText(check, bank, account);
}

QString PartyFilter::literalStart() const
{
    qsizetype end = 0;
    while (end < namePrefix.size() && namePrefix[end] != u'*' && namePrefix[end] != u'?' && namePrefix[end] != u'#')
        ++end;
    return namePrefix.left(end);
}

CRegisterConflict::CRegisterConflict(Reason reason)
    : CRegisterError(reason == Changed
                         ? QStringLiteral("Dane tego kontrahenta zmienił w tym czasie inny użytkownik.")
                         : QStringLiteral("Ten kontrahent został w tym czasie usunięty przez innego użytkownika.")),
      m_reason(reason)
{
}

QString RegisterDb::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/kantomix.db");
}

namespace {

PartyStore::PasswordPrompt &passwordPrompt()
{
    static PartyStore::PasswordPrompt prompt;
    return prompt;
}

// Passwords given this run, by register; never written anywhere.
QHash<QString, QString> &givenPasswords()
{
    static QHash<QString, QString> passwords;
    return passwords;
}

} // namespace

void PartyStore::setPasswordPrompt(PasswordPrompt prompt)
{
    passwordPrompt() = std::move(prompt);
}

std::unique_ptr<PartyStore> PartyStore::open(const RegisterLocation &where)
{
    if (!where.onServer)
        return std::make_unique<SqlitePartyStore>(where);
    const QString name = where.server.user + u'@' + PgPartyStore::describe(where.server);
    RegisterLocation with = where;
    if (with.password.isEmpty())
        with.password = givenPasswords().value(name);
    try {
        return std::make_unique<PgPartyStore>(with);
    } catch (const CRegisterPasswordNeeded &) {
        const QString typed = passwordPrompt() ? passwordPrompt()(name) : QString();
        if (typed.isEmpty())
            throw;
        with.password = typed;
    } catch (const CRegisterError &) {
        givenPasswords().remove(name);   // a password that no longer works is asked again
        throw;
    }
    auto store = std::make_unique<PgPartyStore>(with);
    givenPasswords().insert(name, with.password);
    return store;
}

PartyStore::Transaction::Transaction(PartyStore &store) : m_store(store.m_inTransaction ? nullptr : &store)
{
    if (!m_store)
        return;
    m_store->beginTransaction();
    m_store->m_inTransaction = true;
}

PartyStore::Transaction::~Transaction()
{
    if (m_store && m_store->m_inTransaction) {
        m_store->m_inTransaction = false;
        m_store->rollbackTransaction();
    }
}

void PartyStore::Transaction::commit()
{
    if (!m_store)
        return;
    // A commit that failed ends the transaction all the same: the guard
    // rolls back whatever the engine kept.
    m_store->commitTransaction();
    m_store->m_inTransaction = false;
}

std::vector<Party> PartyStore::list(const PartyFilter &filter, PartySort sort)
{
    if ((filter.kinds & 0x0F) == 0)
        return {};
    return select(filter, sort);
}

std::vector<qint64> PartyStore::listIds(const PartyFilter &filter, PartySort sort)
{
    if ((filter.kinds & 0x0F) == 0)
        return {};
    return selectIds(filter, sort);
}

std::vector<Party> PartyStore::fetch(std::span<const qint64> ids)
{
    std::vector<Party> found = selectByIds(ids);
    QHash<qint64, qsizetype> position;
    position.reserve(qsizetype(ids.size()));
    for (size_t i = 0; i < ids.size(); ++i)
        position.insert(ids[i], qsizetype(i));
    std::sort(found.begin(), found.end(),
              [&](const Party &a, const Party &b) { return position.value(a.id) < position.value(b.id); });
    return found;
}

std::optional<Party> PartyStore::findByName(const QString &name)
{
    return selectByName(name);
}

std::optional<Party> PartyStore::find(qint64 id)
{
    return selectById(id);
}

std::optional<Party> PartyStore::defaultSender()
{
    PartyFilter f = PartyFilter::senders();
    f.defaultOnly = true;
    std::vector<Party> rows = select(f, PartySort::Natural);
    if (rows.empty())
        return std::nullopt;
    return std::move(rows.front());
}

void PartyStore::takeDefaultFlag(const Party &p)
{
    if (p.isDefault && p.kind == TypNadawca)
        clearDefaultsExcept(p.id);
}

void PartyStore::add(Party &p)
{
    Transaction t(*this);
    const bool makesDefault = p.isDefault && p.kind == TypNadawca;
    if (makesDefault)
        lockDefaults();
    const qint64 id = insertRow(p);
    Party added = p;
    added.id = id;
    takeDefaultFlag(added);
    t.commit();
    p.id = id;
    p.version = 1;
}

void PartyStore::update(Party &p)
{
    Transaction t(*this);
    const bool makesDefault = p.isDefault && p.kind == TypNadawca;
    if (makesDefault)
        lockDefaults();
    if (!updateRow(p))
        throw CRegisterConflict(selectById(p.id) ? CRegisterConflict::Changed : CRegisterConflict::Deleted);
    takeDefaultFlag(p);
    t.commit();
    ++p.version;
}

void PartyStore::remove(const QList<qint64> &ids)
{
    Transaction t(*this);
    for (qint64 id : ids)
        deleteRow(id);
    t.commit();
}
