#pragma once
// The system's reasons for a failed file operation, in Polish whatever the
// environment's language.

#include <QString>

// The reason for errno `err`, e.g. "brak miejsca na urządzeniu".
QString systemReason(int err);
// Why a path cannot be opened for reading, as one sentence naming it ("Nie
// można odnaleźć pliku X.", "X jest folderem, a nie plikiem.", ...).
QString openProblemText(const QString &shown, int err);
