#include "register/KontrahentDlg.h"

#include "register/DialogControls.h"

#include "app/HelpWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

constexpr int Width = 520;
constexpr int Height = 264;
constexpr int ButtonsMoveUpTo = 15;   // gap below "Domyślny" in the sender form

constexpr ControlSpec Controls[] = {
    {"nameLabel", ControlSpec::Label, "N&azwa:", {12, 14, 120, 22}},
    {"name", ControlSpec::Edit, "", {136, 12, 268, 24}},
    {"name2Label", ControlSpec::Label, "Nazwa &c.d.", {12, 44, 120, 22}},
    {"name2", ControlSpec::Edit, "", {136, 42, 268, 24}},
    {"checkLabel", ControlSpec::Label, "&Liczba kontrolna:", {12, 74, 120, 22}},
    {"check", ControlSpec::Edit, "", {136, 72, 40, 24}},
    {"bankLabel", ControlSpec::Label, "Numer &banku:", {12, 104, 120, 22}},
    {"bank", ControlSpec::Edit, "", {136, 102, 100, 24}},
    {"accountLabel", ControlSpec::Label, "Numer &rachunku:", {12, 134, 120, 22}},
    {"account", ControlSpec::Edit, "", {136, 132, 268, 24}},
    {"kindGroup", ControlSpec::Group, "Typ", {12, 162, 392, 50}},
    {"kind0", ControlSpec::Radio, "&Kontrahent", {24, 182, 110, 22}},
    {"kind1", ControlSpec::Radio, "&Pracownik", {144, 182, 110, 22}},
    {"kind2", ControlSpec::Radio, "Urząd &skarbowy", {264, 182, 136, 22}},
    {"isDefault", ControlSpec::Check, "&Domyślny", {136, 164, 160, 22}},
    {"okButton", ControlSpec::Button, "OK", {212, 224, 92, 28}},
    {"cancelButton", ControlSpec::Button, "Anuluj", {312, 224, 92, 28}},
    {"helpButton", ControlSpec::Button, "Pomoc", {416, 12, 92, 28}},
};

// Edit limits, as the register's columns admit.
struct Limit { const char *name; int length; };
constexpr Limit Limits[] = {{"name", 54}, {"name2", 54}, {"check", 2}, {"bank", 8}, {"account", 34}};

constexpr BuddySpec Buddies[] = {
    {"nameLabel", "name"}, {"name2Label", "name2"}, {"checkLabel", "check"}, {"bankLabel", "bank"},
    {"accountLabel", "account"},
};

constexpr const char *KindButtons[] = {"kind0", "kind1", "kind2"};

} // namespace

CKontrahentDlg::CKontrahentDlg(bool recipientMode, QWidget *parent)
    : QDialog(parent), m_recipientMode(recipientMode)
{
    setObjectName(QStringLiteral("CKontrahentDlg"));
    setWindowTitle(QStringLiteral("Dane odbiorcy"));
    createControls(this, Controls, int(std::size(Controls)));
    setBuddies(this, Buddies, int(std::size(Buddies)));
    setFixedSize(Width, Height);
    for (const Limit &l : Limits)
        control<QLineEdit>(this, l.name)->setMaxLength(l.length);
    control<QLineEdit>(this, "bank")->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    control<QRadioButton>(this, "kind0")->setChecked(true);
    control<QCheckBox>(this, "isDefault")->hide();
    connect(control<QPushButton>(this, "helpButton"), &QPushButton::clicked, this,
            [] { showHelp(QString::fromLatin1(HelpTopic::Register)); });
    auto *ok = control<QPushButton>(this, "okButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(control<QPushButton>(this, "cancelButton"), &QPushButton::clicked, this, &QDialog::reject);

    if (!recipientMode) {
        control<QWidget>(this, "kindGroup")->hide();
        for (const char *k : KindButtons)
            control<QWidget>(this, k)->hide();
        auto *check = control<QCheckBox>(this, "isDefault");
        check->show();
        // OK and Anuluj move up under "Domyślny"; the window loses the
        // height they moved up by, Pomoc keeps its place.
        auto *cancel = control<QPushButton>(this, "cancelButton");
        const int okY = check->geometry().y() + check->height() + ButtonsMoveUpTo;
        const int moved = ok->y() - okY;
        ok->move(ok->x(), okY);
        cancel->move(cancel->x(), okY);
        setFixedSize(Width, Height - moved);
        setWindowTitle(QStringLiteral("Dane nadawcy"));
    }
}

void CKontrahentDlg::setValues(const KontrahentValues &v)
{
    control<QLineEdit>(this, "check")->setText(v.check);
    control<QLineEdit>(this, "name")->setText(v.name);
    control<QLineEdit>(this, "name2")->setText(v.name2);
    control<QLineEdit>(this, "bank")->setText(v.bank);
    control<QLineEdit>(this, "account")->setText(v.account);
    if (v.kind >= 0 && v.kind < 3)
        control<QRadioButton>(this, KindButtons[v.kind])->setChecked(true);
    control<QCheckBox>(this, "isDefault")->setChecked(v.isDefault);
}

KontrahentValues CKontrahentDlg::values() const
{
    auto *self = const_cast<CKontrahentDlg *>(this);
    KontrahentValues v;
    v.check = control<QLineEdit>(self, "check")->text();
    v.name = control<QLineEdit>(self, "name")->text();
    v.name2 = control<QLineEdit>(self, "name2")->text();
    v.bank = control<QLineEdit>(self, "bank")->text();
    v.account = control<QLineEdit>(self, "account")->text();
    for (int k = 0; k < 3; ++k)
        if (control<QRadioButton>(self, KindButtons[k])->isChecked())
            v.kind = k;
    v.isDefault = control<QCheckBox>(self, "isDefault")->isChecked();
    return v;
}
