#pragma once
// The register in one SQLite file on this computer (the default): nothing
// to set up; another program holding the file is waited for, then reported.

#include "register/PartyStore.h"

struct sqlite3;

class SqlitePartyStore : public PartyStore
{
public:
    explicit SqlitePartyStore(const RegisterLocation &where);
    ~SqlitePartyStore() override;

protected:
    std::vector<Party> select(const PartyFilter &filter, PartySort sort) override;
    std::optional<Party> selectByName(const QString &name) override;
    std::optional<Party> selectById(qint64 id) override;
    qint64 insertRow(const Party &p) override;
    bool updateRow(const Party &p) override;
    void deleteRow(qint64 id) override;
    void clearDefaultsExcept(qint64 keep) override;
    void beginTransaction() override;
    void commitTransaction() override;
    void rollbackTransaction() noexcept override;

private:
    std::optional<Party> selectOne(const char *where, const QString *name, qint64 id);
    sqlite3 *m_db;
};
