#pragma once
// The register in one SQLite file on this computer (the default): nothing
// to set up; another program holding the file is waited for, then reported.

#include "register/PartyStore.h"

#include <memory>

struct sqlite3;
namespace RegisterDb { class Statement; }

class SqlitePartyStore : public PartyStore
{
public:
    explicit SqlitePartyStore(const RegisterLocation &where);
    ~SqlitePartyStore() override;

protected:
    std::vector<Party> select(const PartyFilter &filter, PartySort sort) override;
    std::vector<qint64> selectIds(const PartyFilter &filter, PartySort sort) override;
    std::vector<Party> selectByIds(std::span<const qint64> ids) override;
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
    std::unique_ptr<RegisterDb::Statement> listStatement(const char *columns, const PartyFilter &filter, PartySort sort);
    std::optional<Party> selectOne(const char *where, const QString *name, qint64 id);
    sqlite3 *m_db;
};
