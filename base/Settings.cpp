#include "base/Settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <algorithm>
#include <span>

namespace {

const QString kGroup = QStringLiteral("Settings");

enum class Range { Flag, FormType, FormTypeOrig, Offset, Scale };

struct SettingRow
{
    int PrintSettings::*field;
    const char *name;
    Range range;
};

// Each kind's values in the order they are written.
constexpr SettingRow kOrdinary[] = {
    {&PrintSettings::printSymbol, "Print0656", Range::Flag},
    {&PrintSettings::originalForm, "OriginalForm", Range::Flag},
    {&PrintSettings::formType, "FormType", Range::FormType},
    {&PrintSettings::formTypeOrig, "FormTypeOrig", Range::FormTypeOrig},
    {&PrintSettings::fitInBox, "FitInBox", Range::Flag},
    {&PrintSettings::offsetX, "OffsetX", Range::Offset},
    {&PrintSettings::offsetY, "OffsetY", Range::Offset},
    {&PrintSettings::scaleX, "ScaleX", Range::Scale},
    {&PrintSettings::scaleY, "ScaleY", Range::Scale},
    {&PrintSettings::paymentQr, "PaymentQR", Range::Flag},
};

constexpr SettingRow kZus[] = {
    {&PrintSettings::printSymbol, "ZUSPrint00", Range::Flag},
    {&PrintSettings::originalForm, "ZUSOriginalForm", Range::Flag},
    {&PrintSettings::formType, "ZUSFormTypeOwn", Range::FormType},
    {&PrintSettings::formTypeOrig, "ZUSFormTypeOrig", Range::FormTypeOrig},
    {&PrintSettings::fitInBox, "ZUSFitInBox", Range::Flag},
    {&PrintSettings::doNotPrintZusBankNo, "DoNotPrintZUSBankNo", Range::Flag},
    {&PrintSettings::offsetX, "ZUSOffsetX", Range::Offset},
    {&PrintSettings::offsetY, "ZUSOffsetY", Range::Offset},
    {&PrintSettings::scaleX, "ZUSScaleX", Range::Scale},
    {&PrintSettings::scaleY, "ZUSScaleY", Range::Scale},
    {&PrintSettings::print3Kratki, "Print3Kratki", Range::Flag},
};

constexpr SettingRow kTax[] = {
    {&PrintSettings::printSymbol, "TAXPrint0656", Range::Flag},
    {&PrintSettings::originalForm, "TAXOriginalForm", Range::Flag},
    {&PrintSettings::formType, "TAXFormType", Range::FormType},
    {&PrintSettings::formTypeOrig, "TAXFormTypeOrig", Range::FormTypeOrig},
    {&PrintSettings::fitInBox, "TAXFitInBox", Range::Flag},
    {&PrintSettings::offsetX, "TAXOffsetX", Range::Offset},
    {&PrintSettings::offsetY, "TAXOffsetY", Range::Offset},
    {&PrintSettings::scaleX, "TAXScaleX", Range::Scale},
    {&PrintSettings::scaleY, "TAXScaleY", Range::Scale},
    {&PrintSettings::opType, "TAXOpType", Range::Flag},
    {&PrintSettings::paymentQr, "TAXPaymentQR", Range::Flag},
};

std::span<const SettingRow> rowsFor(FormKind kind)
{
    switch (kind) {
    case FormKind::Zus: return kZus;
    case FormKind::Tax: return kTax;
    default: return kOrdinary;
    }
}

int readInt(QSettings &store, const char *name, int fallback)
{
    const QVariant v = store.value(QLatin1String(name));
    if (!v.isValid())
        return fallback;
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < INT32_MIN || n > INT32_MAX)
        return fallback;
    return int(n);
}

QString readText(QSettings &store, const char *name, const QString &fallback)
{
    const QVariant v = store.value(QLatin1String(name));
    return v.isValid() ? v.toString() : fallback;
}

// Writes a value unless the store already holds one that reads as it: a
// stored text the program repaired on reading ("abc" read as 10, 300 held
// at 100) stays as the user left it until the user changes the setting.
template <typename T>
void writeIfChanged(QSettings &store, const char *name, const T &value, const T &asRead)
{
    const QString key = QLatin1String(name);
    if (!store.contains(key) || value != asRead)
        store.setValue(key, value);
}

// Keeps every value inside what the print engine can use. Form types out of
// range fall back to the kind's default as they always have; the rest are
// held at the nearest limit.
int repaired(int value, Range range, FormKind kind, int fallback)
{
    switch (range) {
    case Range::Flag: return value != 0 ? 1 : 0;
    case Range::FormType: return (value < 0 || value > maxFormType(kind)) ? fallback : value;
    case Range::FormTypeOrig: return (value < 0 || value > maxFormTypeOrig(kind)) ? 0 : value;
    case Range::Offset: return std::clamp(value, -100, 100);
    case Range::Scale: return std::clamp(value, 50, 150);
    }
    return value;
}

} // namespace

PrintSettings defaultPrintSettings(FormKind kind)
{
    PrintSettings s;
    s.formType = kind == FormKind::Zus ? 0 : 2;
    return s;
}

int maxFormType(FormKind kind)
{
    return kind == FormKind::Zus ? 1 : 4;
}

int maxFormTypeOrig(FormKind kind)
{
    switch (kind) {
    case FormKind::Zus: return 1;
    case FormKind::Tax: return 2;
    default: return 3;
    }
}

void readGeneralSettings(QSettings &store, GeneralSettings &out)
{
    const GeneralSettings d;
    store.beginGroup(kGroup);
    out.device = readText(store, "PrnDevice", d.device);
    out.driver = readText(store, "PrnDriver", d.driver);
    out.port = readText(store, "PrnPort", d.port);
    out.autoOpen = readInt(store, "AutoOpen", d.autoOpen);
    out.fontCharset = readInt(store, "FontCharset", d.fontCharset);
    out.fontName = readText(store, "FontName", d.fontName);
    out.fontSize = readInt(store, "FontSize", d.fontSize);
    out.valueDelimiter = readText(store, "ValueDelimiter", d.valueDelimiter);
    out.elixirCodePage = readText(store, "ElixirCodePage", d.elixirCodePage).trimmed().toLower();
    out.elixirTaxClass = readText(store, "ElixirTaxClass", d.elixirTaxClass).trimmed();
    // A classification is two digits; anything else would make the bank refuse the file.
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (out.elixirTaxClass.size() != 2 || !digit(out.elixirTaxClass[0]) || !digit(out.elixirTaxClass[1]))
        out.elixirTaxClass = d.elixirTaxClass;
    store.endGroup();
}

void writeGeneralSettings(QSettings &store, const GeneralSettings &in)
{
    GeneralSettings stored;
    readGeneralSettings(store, stored);
    store.beginGroup(kGroup);
    writeIfChanged(store, "PrnDevice", in.device, stored.device);
    writeIfChanged(store, "PrnDriver", in.driver, stored.driver);
    writeIfChanged(store, "PrnPort", in.port, stored.port);
    writeIfChanged(store, "FontCharset", in.fontCharset, stored.fontCharset);
    writeIfChanged(store, "FontName", in.fontName, stored.fontName);
    writeIfChanged(store, "FontSize", in.fontSize, stored.fontSize);
    writeIfChanged(store, "AutoOpen", in.autoOpen, stored.autoOpen);
    writeIfChanged(store, "ValueDelimiter", in.valueDelimiter, stored.valueDelimiter);
    writeIfChanged(store, "ElixirCodePage", in.elixirCodePage, stored.elixirCodePage);
    writeIfChanged(store, "ElixirTaxClass", in.elixirTaxClass, stored.elixirTaxClass);
    store.endGroup();
}

void readPrintSettings(QSettings &store, FormKind kind, PrintSettings &out)
{
    const PrintSettings d = defaultPrintSettings(kind);
    store.beginGroup(kGroup);
    for (const SettingRow &row : rowsFor(kind)) {
        const int fallback = d.*row.field;
        out.*row.field = repaired(readInt(store, row.name, fallback), row.range, kind, fallback);
    }
    store.endGroup();
}

void writePrintSettings(QSettings &store, FormKind kind, const PrintSettings &in)
{
    PrintSettings stored;
    readPrintSettings(store, kind, stored);
    store.beginGroup(kGroup);
    for (const SettingRow &row : rowsFor(kind))
        writeIfChanged(store, row.name, in.*row.field, stored.*row.field);
    store.endGroup();
}

void readRegisterSettings(QSettings &store, RegisterSettings &out)
{
    const RegisterSettings d;
    store.beginGroup(QStringLiteral("Rejestr"));
    out.onServer = readInt(store, "NaSerwerze", d.onServer) != 0 ? 1 : 0;
    out.host = readText(store, "Serwer", d.host);
    out.port = readInt(store, "Port", d.port);
    if (out.port < 1 || out.port > 65535)
        out.port = d.port;
    out.database = readText(store, "Baza", d.database);
    out.user = readText(store, "Uzytkownik", d.user);
    store.endGroup();
}

void writeRegisterSettings(QSettings &store, const RegisterSettings &in)
{
    RegisterSettings stored;
    readRegisterSettings(store, stored);
    store.beginGroup(QStringLiteral("Rejestr"));
    writeIfChanged(store, "NaSerwerze", in.onServer, stored.onServer);
    writeIfChanged(store, "Serwer", in.host, stored.host);
    writeIfChanged(store, "Port", in.port, stored.port);
    writeIfChanged(store, "Baza", in.database, stored.database);
    writeIfChanged(store, "Uzytkownik", in.user, stored.user);
    store.endGroup();
}

void AllSettings::read(QSettings &store)
{
    readGeneralSettings(store, general);
    readPrintSettings(store, FormKind::Ordinary, ordinary);
    readPrintSettings(store, FormKind::Zus, zus);
    readPrintSettings(store, FormKind::Tax, tax);
    readRegisterSettings(store, registerPlace);
}

void AllSettings::write(QSettings &store) const
{
    writeGeneralSettings(store, general);
    writePrintSettings(store, FormKind::Ordinary, ordinary);
    writePrintSettings(store, FormKind::Zus, zus);
    writePrintSettings(store, FormKind::Tax, tax);
    writeRegisterSettings(store, registerPlace);
}

std::unique_ptr<QSettings> openSettingsStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("WexSoft"),
                         QStringLiteral("Kantomix"));
}
