#pragma once
// The register's order of names: letters without regard to case, Polish
// letters right after their base letter (a < ą < b), everything else by
// its code. Both back ends order, compare and filter names by this one rule,
// whose letter weights are those the list of orders sorts by (model/).

#include "model/PolishCollation.h"

#include <QByteArray>
#include <QString>
#include <string>

namespace PolishCollation {

// The texts' order by the model's weight() alone: negative, zero or positive.
int compare(QStringView a, QStringView b);

// Six hex digits a character: the bytes of two keys compare as the texts
// do under this collation, and are equal exactly when the texts are.
QByteArray key(QStringView text);
// A POSIX regular expression over key() matching the names that begin
// with `pattern` as typed in a name filter (see wildcardMatch).
QString keyPrefixRegex(QStringView pattern);

// "*" any sequence, "?" one character, "#" one digit; letters compared
// without regard to case, Polish letters included.
bool wildcardMatch(QStringView value, QStringView pattern);
// The same over texts already case-folded to code points.
bool wildcardMatchFolded(const std::u32string &value, const std::u32string &pattern);

} // namespace PolishCollation
