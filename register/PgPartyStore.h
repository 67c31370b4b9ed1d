#pragma once
// The register on a PostgreSQL server, for an office where several people
// work on one register. Names are ordered, compared and filtered through a
// key column the program keeps beside each name (PolishCollation::key), so
// the order is the SQLite file's whatever the server's locale.

#include "register/PartyStore.h"

#include <QByteArray>
#include <QHash>
#include <vector>

struct pg_conn;
struct pg_result;

class PgPartyStore : public PartyStore
{
public:
    explicit PgPartyStore(const RegisterLocation &where);
    ~PgPartyStore() override;

    // "host:port/database" as messages name the register.
    static QString describe(const RegisterServer &server);

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
    void lockDefaults() override;
    void beginTransaction() override;
    void commitTransaction() override;
    void rollbackTransaction() noexcept override;

private:
    class Result;
    // Runs one statement, prepared on its first use on this connection.
    Result exec(const char *sql, const std::vector<QByteArray> &params = {});
    static QByteArray listSql(const char *columns, const PartyFilter &filter, PartySort sort,
                              std::vector<QByteArray> &params);
    std::optional<Party> selectOne(const char *sql, const QByteArray &param);
    [[noreturn]] void raise(const pg_result *result);
    // Runs statements as one text, unprepared (the schema's).
    void runScript(const char *sql);
    void bringUpToDate();

    QString m_name;
    pg_conn *m_conn = nullptr;
    QHash<QByteArray, QByteArray> m_prepared;   // statement text -> its name
};
