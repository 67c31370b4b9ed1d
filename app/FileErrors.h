#pragma once
// Polish texts for a file that cannot be opened, whatever the environment's
// language: the reason is worked out from the file itself.

#include <QString>

// Tries to open the file for reading and closes it at once; empty when it
// could be opened, else the text to show.
QString fileOpenProblem(const QString &path);
