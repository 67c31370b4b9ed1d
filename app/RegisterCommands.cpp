#include "app/RegisterCommands.h"

#include "base/UserDialogs.h"
#include "import/HopDlg.h"
#include "register/PartyStore.h"
#include "register/ListaKontrDlg.h"
#include "register/PgPartyStore.h"
#include "register/RegisterCopy.h"

#include <QLineEdit>
#include <QPointer>

namespace {

void manage(QWidget *parent, const RegisterLocation &where, bool recipients, const char *placement)
{
    std::unique_ptr<PartyStore> store;
    try {
        store = PartyStore::open(where);
    } catch (const CRegisterError &e) {
        reportRegisterError(parent, e);
        return;
    }
    CListaKontrDlg dlg(recipients, true, CListaKontrDlg::AllKinds, parent);
    dlg.setStore(store.get());
    dlg.setSort(PartySort::Name);
    dlg.setPlacementName(QLatin1String(placement));
    execDialog(dlg);
}

} // namespace

void showRecipientsDialog(QWidget *parent, const RegisterLocation &where)
{
    manage(parent, where, true, "KontrahenciDlg");
}

void showSendersDialog(QWidget *parent, const RegisterLocation &where)
{
    manage(parent, where, false, "NadawcyDlg");
}

void showDosImportDialog(QWidget *parent, const RegisterLocation &where)
{
    CHopDlg dlg(where, parent);
    execDialog(dlg);
}

CDefaultSender lookupDefaultSenderOrReport(QWidget *parent, const RegisterLocation &where)
{
    try {
        return lookupDefaultSender(where);
    } catch (const CRegisterError &e) {
        if (parent)
            reportRegisterError(parent, e);
        return {};
    }
}

RegisterLocation registerLocationOf(const RegisterSettings &settings)
{
    RegisterLocation where {RegisterDb::defaultPath()};
    where.onServer = settings.onServer != 0;
    where.server = {settings.host, settings.port, settings.database, settings.user};
    return where;
}

void installRegisterPasswordPrompt(QWidget *parent)
{
    PartyStore::setPasswordPrompt([window = QPointer<QWidget>(parent)](const QString &name) {
        return askText(window, {QStringLiteral("Hasło do rejestru"),
                                QStringLiteral("Hasło do bazy kontrahentów %1:").arg(name), QLineEdit::Password})
            .value_or(QString());
    });
}

QString checkRegisterConnection(const RegisterSettings &settings)
{
    const RegisterLocation where = registerLocationOf(settings);
    try {
        const std::size_t parties = PartyStore::open(where)->listIds({}, PartySort::Natural).size();
        const QString place = where.onServer ? QStringLiteral("serwerem %1").arg(PgPartyStore::describe(where.server))
                                             : QStringLiteral("plikiem %1").arg(where.path);
        return QStringLiteral("Połączenie z %1 działa. Kontrahentów w rejestrze: %2.").arg(place).arg(parties);
    } catch (const CRegisterError &e) {
        return e.message();
    }
}

QString copyRegisterToServer(const RegisterSettings &settings)
{
    RegisterLocation server = registerLocationOf(settings);
    server.onServer = true;
    const RegisterLocation file {RegisterDb::defaultPath()};
    try {
        const auto from = PartyStore::open(file);
        const auto to = PartyStore::open(server);
        return copyRegister(*from, *to).summary();
    } catch (const CRegisterError &e) {
        return e.message() + QStringLiteral("\nNic nie zostało skopiowane.");
    }
}
