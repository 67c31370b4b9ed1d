#pragma once
// The counterparty register: lists, lookups and writes of whole parties,
// with the rules every back end shares (one default sender, a save refused
// when another user changed the party meanwhile). Every failure raises
// CRegisterError with the store's own message.

#include "register/Party.h"
#include "register/RegisterError.h"
#include "register/RegisterLocation.h"

#include <QList>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class PartyStore
{
public:
    virtual ~PartyStore() = default;
    PartyStore(const PartyStore &) = delete;
    PartyStore &operator=(const PartyStore &) = delete;

    // Opens the register where it lives, creating its tables on first use.
    // A server that wants a password libpq does not find is given the one
    // asked through the prompt, kept for the rest of the run.
    static std::unique_ptr<PartyStore> open(const RegisterLocation &where);

    // Asks the user for the password of the register named; empty when
    // the user declines.
    using PasswordPrompt = std::function<QString(const QString &registerName)>;
    static void setPasswordPrompt(PasswordPrompt prompt);

    std::vector<Party> list(const PartyFilter &filter, PartySort sort);
    // The ids of the parties list() gives, in its order: a long list learns
    // its rows and their count without reading every party's texts.
    std::vector<qint64> listIds(const PartyFilter &filter, PartySort sort);
    // The parties of these ids as stored now, in the order of the ids; one
    // no longer stored is passed over.
    std::vector<Party> fetch(std::span<const qint64> ids);
    // The party of that name, without regard to case (Polish letters too);
    // the first in natural order when several share it.
    std::optional<Party> findByName(const QString &name);
    std::optional<Party> find(qint64 id);
    // The first sender flagged default, in natural order.
    std::optional<Party> defaultSender();

    // Adds p and sets its id and version. A sender added as default takes
    // the flag from every other party.
    void add(Party &p);
    // Writes p over the stored row when that still has p's version and
    // raises CRegisterConflict when not; a sender made default takes the
    // flag from every other party. Raises p's version.
    void update(Party &p);
    // Removes the parties; ones already gone are passed over.
    void remove(const QList<qint64> &ids);

    // A transaction for the writes until commit(); rolled back when the
    // guard ends without one. Writes outside a guard commit one by one.
    class Transaction
    {
    public:
        explicit Transaction(PartyStore &store);
        ~Transaction();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;
        void commit();

    private:
        PartyStore *m_store;   // null when an outer guard owns the transaction
    };

protected:
    PartyStore() = default;

    virtual std::vector<Party> select(const PartyFilter &filter, PartySort sort) = 0;
    virtual std::vector<qint64> selectIds(const PartyFilter &filter, PartySort sort) = 0;
    // The rows of these ids in any order.
    virtual std::vector<Party> selectByIds(std::span<const qint64> ids) = 0;
    virtual std::optional<Party> selectByName(const QString &name) = 0;
    virtual std::optional<Party> selectById(qint64 id) = 0;
    // Inserts with version 1 and returns the new id.
    virtual qint64 insertRow(const Party &p) = 0;
    // Writes p where id and version match, raising the version; false when
    // no row matched.
    virtual bool updateRow(const Party &p) = 0;
    virtual void deleteRow(qint64 id) = 0;
    // Clears the default flag of every row but `keep`, raising their versions.
    virtual void clearDefaultsExcept(qint64 keep) = 0;
    // Keeps other connections from changing default flags until the
    // transaction ends (a back end whose transactions already exclude
    // other writers needs nothing).
    virtual void lockDefaults() {}

    virtual void beginTransaction() = 0;
    virtual void commitTransaction() = 0;
    virtual void rollbackTransaction() noexcept = 0;

    bool inTransaction() const { return m_inTransaction; }

private:
    void takeDefaultFlag(const Party &p);
    bool m_inTransaction = false;
};
