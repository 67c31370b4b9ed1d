#pragma once
// Stored settings: the general values and one PrintSettings block per form
// kind, read once at start and written once at normal exit.

#include <QString>
#include <memory>

class QSettings;

struct GeneralSettings
{
    QString device;             // "PrnDevice"
    QString driver;             // "PrnDriver"
    QString port;               // "PrnPort"
    int autoOpen = 1;           // "AutoOpen"
    int fontCharset = 1;        // "FontCharset"
    QString fontName = QStringLiteral("Courier New"); // "FontName"
    int fontSize = 10;          // "FontSize"
    QString valueDelimiter = QStringLiteral("**");    // "ValueDelimiter"
    // The bank import file: its code page (cp1250, cp852, iso-8859-2, utf-8)
    // and the classification of tax transfers, which only one bank's
    // description gives, so it can be changed.
    QString elixirCodePage = QStringLiteral("cp1250"); // "ElixirCodePage"
    QString elixirTaxClass = QStringLiteral("71");     // "ElixirTaxClass"

    bool operator==(const GeneralSettings &) const = default;
};

// How one form kind is printed. Not every kind uses every field.
struct PrintSettings
{
    int formType = 0;           // own form type: template drawn on plain paper
    int formTypeOrig = 0;       // pre-printed form type, for text-only printing
    int printSymbol = 0;        // ordinary/tax "Print0656", ZUS "ZUSPrint00"
    int fitInBox = 1;           // one character per box
    int offsetX = 0;            // millimetres
    int offsetY = 0;
    int scaleX = 100;           // percent
    int scaleY = 100;
    int originalForm = 1;       // 1: text only onto pre-printed forms
    int doNotPrintZusBankNo = 0;
    int print3Kratki = 0;
    int opType = 0;             // tax: mark of the kind of financial operation
    int paymentQr = 0;          // ordinary/tax: the payment QR code beside the form

    bool operator==(const PrintSettings &) const = default;
};

enum class FormKind { Ordinary = 0, Zus = 1, Tax = 2 };

// Defaults of one kind (the ordinary and tax own form type is 2, ZUS 0).
PrintSettings defaultPrintSettings(FormKind kind);

// Largest valid own and pre-printed form type of a kind.
int maxFormType(FormKind kind);
int maxFormTypeOrig(FormKind kind);

void readGeneralSettings(QSettings &store, GeneralSettings &out);
void readPrintSettings(QSettings &store, FormKind kind, PrintSettings &out);
void writeGeneralSettings(QSettings &store, const GeneralSettings &in);
void writePrintSettings(QSettings &store, FormKind kind, const PrintSettings &in);

// Everything the application keeps, read and written in the order general,
// ordinary, ZUS, tax.
struct AllSettings
{
    GeneralSettings general;
    PrintSettings ordinary = defaultPrintSettings(FormKind::Ordinary);
    PrintSettings zus = defaultPrintSettings(FormKind::Zus);
    PrintSettings tax = defaultPrintSettings(FormKind::Tax);

    PrintSettings &forKind(FormKind k) { return k == FormKind::Zus ? zus : k == FormKind::Tax ? tax : ordinary; }
    const PrintSettings &forKind(FormKind k) const { return const_cast<AllSettings *>(this)->forKind(k); }

    void read(QSettings &store);
    void write(QSettings &store) const;

    bool operator==(const AllSettings &) const = default;
};

// The program's own store: ~/.config/WexSoft/Kantomix.conf, in INI form.
std::unique_ptr<QSettings> openSettingsStore();
