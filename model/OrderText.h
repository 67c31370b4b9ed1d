#pragma once
// What a file of orders can hold: each character needs its Windows-1250 byte.

#include <QString>
#include <optional>
#include <utility>

// The first character of `text` without a Windows-1250 byte, as its position
// and length (2 for a pair of surrogates); nothing when every character has one.
std::optional<std::pair<qsizetype, qsizetype>> firstUnencodable(QStringView text);
// The message refusing such a character where it was typed, pasted or picked.
QString unencodableMessage(const QString &character);
