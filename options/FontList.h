#pragma once
// The print font list: every scalable family once by its name (without the
// foundry) and, when the face covers the Polish letters, once more with " CE"
// (the Central European set).
// Worked out once per run.

#include <QString>
#include <QStringList>

// Sorted without regard to case.
const QStringList &printFontEntries();
// Whether the family's faces have the Polish letters (ąćęłńóśźż and capitals).
bool coversPolishLetters(const QString &family);
// "Nimbus Mono PS [URW ]" as its users know it: "Nimbus Mono PS".
QString withoutFoundry(const QString &family);
// Builds the entries from families and a coverage test (what printFontEntries caches).
QStringList buildFontEntries(const QStringList &families, bool (*covers)(const QString &));
