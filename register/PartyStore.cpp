#include "register/PartyStore.h"

#include "model/PrzelewDane.h"
#include "register/PgPartyStore.h"
#include "register/SqlitePartyStore.h"

#include <QStandardPaths>

QString Party::accountText() const
{
    return composeAccountText(check, bank, account);
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

std::unique_ptr<PartyStore> PartyStore::open(const RegisterLocation &where)
{
    if (where.onServer)
        return std::make_unique<PgPartyStore>(where);
    return std::make_unique<SqlitePartyStore>(where);
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
