#pragma once
// Qt's own texts (buttons of message boxes, the print, preview and file
// dialogs) in Polish, whatever language the environment names: the program
// speaks Polish only.

class QCoreApplication;

// Installs Qt's Polish translation into the application; false when the
// translation file is missing (the texts then stay in English).
bool installPolishTranslations(QCoreApplication &app);
