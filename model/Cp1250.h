#pragma once
// Windows-1250, the code page of every file of orders. Single-byte, so a field
// width in bytes equals its width in characters.
//
// Bytes the code page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) map to
// the C1 control with the same number and back, so any file round-trips.

#include <QByteArray>
#include <QString>
#include <string>

namespace Cp1250 {

QString decode(const char *bytes, qsizetype size);
inline QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }

// Appends the encoding of `text` to `out`; gives false (and appends nothing
// for that character) when a character has no Windows-1250 byte.
bool encodeAppend(QStringView text, QByteArray &out);
bool canEncode(QStringView text);

// The Windows-1250 byte of a character, or -1 when it has none.
int byteOf(QChar c);

// Compares as strcmp would compare the encoded bytes (unsigned).
int compare(QStringView a, QStringView b);
// Appends a key whose byte order (memcmp) is the order of compare(): the
// Windows-1250 bytes, and for a character without one 0xFF 0xFF and its code.
void appendCollationKey(QStringView text, std::string &out);

// True when the text's Windows-1250 bytes are UTF-8 with at least one
// character beyond ASCII: a file written in the wrong code page, whose
// "ł" would print as "Ĺ‚".
bool readsAsUtf8(QStringView text);

} // namespace Cp1250
