#pragma once
// The order of texts a Polish reader expects: letter case ignored, each
// Polish letter right after its base letter (a < ą < b, z < ź < ż). The
// register orders names by the weights; the list of orders sorts by them
// with ties settled by the Windows-1250 bytes, so that its order is total.

#include <QStringView>
#include <string>

namespace PolishCollation {

// The character's place: its case-folded code times 4, a Polish letter
// placed just after its base letter.
char32_t weight(char32_t c);
// The list's order: negative, zero or positive, as `a` comes before, with or after `b`.
int compareForSort(QStringView a, QStringView b);
// Appends a key whose byte order (memcmp) is the order of compareForSort().
void appendSortKey(QStringView text, std::string &out);

} // namespace PolishCollation
