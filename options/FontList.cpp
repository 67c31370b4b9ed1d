#include "options/FontList.h"

#include "options/OptionsRules.h"

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>
#include <QSet>
#include <algorithm>

bool coversPolishLetters(const QString &family)
{
    static const QString letters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return false;
    return std::all_of(letters.begin(), letters.end(), [&raw](QChar c) { return raw.supportsCharacter(c); });
}

QStringList buildFontEntries(const QStringList &families, bool (*covers)(const QString &))
{
    QStringList entries;
    QSet<QString> seen;
    auto add = [&](const QString &text) {
        if (!seen.contains(text)) {
            seen.insert(text);
            entries << text;
        }
    };
    for (const QString &family : families) {
        add(family);
        if (covers(family))
            add(fontEntryText(family, kCentralEuropeanCharset));
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return entries;
}

const QStringList &printFontEntries()
{
    static const QStringList entries = [] {
        QStringList families;
        for (const QString &family : QFontDatabase::families())
            if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family))
                families << family;
        return buildFontEntries(families, coversPolishLetters);
    }();
    return entries;
}
