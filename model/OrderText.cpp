#include "model/OrderText.h"

#include "model/Cp1250.h"

#include <QList>

std::optional<std::pair<qsizetype, qsizetype>> firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (Cp1250::byteOf(text[i]) >= 0)
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return std::pair<qsizetype, qsizetype> {i, pair ? 2 : 1};
    }
    return std::nullopt;
}

QString unencodableMessage(const QString &character)
{
    const QString code = QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
    return QStringLiteral("Znaku „%1” (U+%2) nie można zapisać w pliku przelewów (strona kodowa Windows-1250). "
                          "Proszę go usunąć lub zastąpić innym.")
        .arg(character, code);
}
