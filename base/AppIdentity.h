#pragma once
// The program's name as the user sees it and as the settings know it, in one place.

#include <QString>

// "Kantomix 2": the title of message boxes and the stem of window titles.
QString programTitle();

// Organisation "WexSoft", application "Kantomix" and the version: where the
// settings file lives and what --version says. Call once, after the
// application object exists.
void setUpApplicationIdentity();
