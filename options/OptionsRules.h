#pragma once
// What the options sheet decides, kept apart from its widgets: which entry a
// stored text selects, how the font name carries the Central European set,
// the number checks of the shift and scale edits, the form lists of each
// kind, and how the edited values are taken back on OK.

#include "base/Settings.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>

namespace OptionsText {
QString wholeNumber();                      // "Proszę wprowadzić liczbę całkowitą."
QString range(int low, int high);           // "Proszę wprowadzić liczbę całkowitą z przedziału %1 i %2."
QString maxChars(int count);                // "Proszę wprowadzić najwyżej %1 znaków."
} // namespace OptionsText

// The printer name of the built-in PDF writer.
QString pdfPrinterName();

// ---- General page ----

inline constexpr int kCentralEuropeanCharset = 238;
inline constexpr int kDefaultCharset = 1;
inline constexpr int kMaxDelimiterLength = 2;
// No font is made of a larger size.
inline constexpr int kMaxFontSize = 200;

struct NumberCheck
{
    int value = 0;
    QString error;          // empty when the text passes
    bool ok() const { return error.isEmpty(); }
};
// A whole number (blanks around it allowed) within low … high.
NumberCheck checkWholeNumber(const QString &text, int low, int high);

// The first entry that begins with the text, letter case ignored; -1 if none.
int findEntryBeginning(const QStringList &entries, const QString &text);
// "Arial" with 238 is shown as "Arial CE".
QString fontEntryText(const QString &name, int charset);
// "Arial CE" saves as Arial with 238, anything else with 1.
void splitFontEntry(const QString &entry, QString &name, int &charset);
// What the page says of a stored font or printer this machine lacks: which
// font prints instead, which printer prints (none: empty).
QString missingFontNote(const QString &font, const QString &printedWith);
QString missingPrinterNote(const QString &printer, const QString &defaultPrinter);
// The font size the size field gives: the stored size while the field
// shows it unchanged (also one out of range, which the store keeps), else a
// whole number from 1 to 200, or the message refusing the text.
NumberCheck fontSizeFromText(const QString &text, int stored);
// The sizes the size list offers, in this order.
QStringList fontSizeEntries();
QStringList delimiterEntries();

// ---- Shift and scale edits ----

inline constexpr int kShiftLimit = 100;         // accepted on saving
inline constexpr int kShiftSpinLimit = 50;      // reached with the spin arrows
inline constexpr int kScaleMin = 50, kScaleMax = 150;



// ---- Form lists ----

struct FormListEntry
{
    const char *text;       // UTF-8
    // The template drawn in the preview: the form itself for the drawn
    // entries, the look of the paper form under the text for the others.
    int templateIndex;      // into kFormTemplates
};

// The list of the drawn forms (original = false) or of the pre-printed ones.
std::span<const FormListEntry> formList(FormKind kind, bool original);
QStringList formListTexts(FormKind kind, bool original);
// The stored position when the list has it, else 0.
int formListPosition(FormKind kind, bool original, int stored);

// ---- Taking the edited values back ----

struct PrinterDetails
{
    QString driver;
    QString port;
};
// Driver and port of a printer, or nothing when it cannot be found.
using PrinterLookup = std::function<std::optional<PrinterDetails>(const QString &name)>;
// The print system's answer: make and model as the driver; no port, as Qt
// does not give the device's address. The PDF writer has neither.
std::optional<PrinterDetails> lookUpPrinter(const QString &name);

// Copies what the sheet edited into the application's settings. A changed
// printer takes its driver and port when the lookup finds it; its name is
// stored either way. True when the printer selection must be applied again.
bool takeBackOptions(AllSettings &target, const AllSettings &edited, const PrinterLookup &lookup);
