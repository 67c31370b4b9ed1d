#pragma once
// Which characters a bank import file may carry, and their bytes in each code
// page the banks read. The same characters are allowed whatever the code
// page: ASCII letters and digits, the space, , . - / ( ) + ' and the letters
// of the Central European set (Polish ones included), which Windows-1250,
// CP852 and ISO-8859-2 all hold.

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>

enum class ElixirCodePage { Windows1250, Cp852, Iso8859_2, Utf8 };

struct ElixirCodePageName
{
    ElixirCodePage page;
    const char *name;       // on the command line and in the settings
    const char *label;      // in the export dialog
};
std::span<const ElixirCodePageName> elixirCodePages();
// The code page of a name ("cp1250", "CP852", "iso-8859-2", "utf-8"), without regard to case.
std::optional<ElixirCodePage> elixirCodePageByName(QStringView name);
QString elixirCodePageName(ElixirCodePage page);

// Whether the character may stand in a text of the file.
bool isElixirTextCharacter(QChar c);
// Appends the text in the code page. Only for allowed characters (and the
// file's own punctuation); anything else is a caller's error and gives false.
bool appendElixirText(QStringView text, ElixirCodePage page, QByteArray &out);
