#pragma once
// File names as the system gives them: bytes, not always UTF-8 (names in
// Windows-1250 from old archives). A byte that is not UTF-8 is kept in the
// text as U+DC80..U+DCFF, so that the same bytes reach the system again.

#include <QByteArray>
#include <QString>

// A command-line word or a file name from the system, its bytes kept.
QString decodeSystemText(const QByteArray &bytes);
// The bytes to hand the system for a text from decodeSystemText().
QByteArray systemPath(const QString &path);
// The path for a message: kept bytes shown as \xB9.
QString shownPath(const QString &path);
