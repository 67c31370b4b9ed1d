#pragma once
// Code pages of DOS-era DBF tables: the page a table's language-driver mark
// names (852, the Polish DOS page, when the mark is absent or unknown), and
// decoding of its bytes.

#include <QString>

namespace DosCodePages {

int codePageForMark(unsigned char mark);
// Decodes with 852, 437, 850, 1252 or 1250; any other number decodes as 852.
QString decode(const char *bytes, qsizetype size, int codePage);

} // namespace DosCodePages
