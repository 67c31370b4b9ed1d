#pragma once
// Reads every ZUS transfer of a payer-program export file; rejected lines
// are left out without a word.

#include "model/PrzelewDane.h"

#include <QString>
#include <optional>
#include <vector>

// The transfers read, or nothing when the file cannot be opened.
std::optional<std::vector<CPrzelewDane>> readZusTransfers(const QString &path);
