#pragma once
// The user guide is reached through this hook, so dialogs below the
// application can offer "Pomoc" without knowing the help window. The
// application installs the handler at start; without one a request does nothing.

#include <QString>
#include <functional>

// Sections of the guide (anchors in the guide's HTML).
namespace HelpTopic {
inline constexpr char Contents[] = "";
inline constexpr char Orders[] = "przelewy";
inline constexpr char Entering[] = "wprowadzanie";
inline constexpr char Printing[] = "drukowanie";
inline constexpr char Alignment[] = "ustawienie";
inline constexpr char BlankForms[] = "puste";
inline constexpr char BatchPrint[] = "wsadowe";
inline constexpr char Register[] = "kontrahenci";
inline constexpr char Imports[] = "importy";
inline constexpr char Options[] = "opcje";
} // namespace HelpTopic

using HelpHandler = std::function<void(const QString &section)>;

// Replaces the handler; returns the one it replaced.
HelpHandler setHelpHandler(HelpHandler handler);
void requestHelp(const char *section = HelpTopic::Contents);
