#pragma once
// Reads every ZUS transfer of a payer-program export file for the import
// command, and words its closing message.

#include "import/ZUSImport.h"

#include <QString>
#include <optional>

// What was read, or nothing when the file cannot be opened.
std::optional<ZusReadOutcome> readZusTransfers(const QString &path);

// Message 40005 with the count; then how many transfers had a text
// shortened, and which (line, payer, fields), the first few by name; then
// how many go to the closed ZUS accounts.
QString zusImportMessage(const ZusReadOutcome &outcome);
