#include "options/FontList.h"

#include "options/OptionsRules.h"

#include <QFontDatabase>
#include <QSet>
#include <algorithm>
#include <fontconfig/fontconfig.h>

namespace {

// Families whose faces cover the Polish orthography, as fontconfig's own
// coverage table says: one query of its cache instead of opening every face.
QSet<QString> polishFamilies()
{
    QSet<QString> families;
    FcPattern *pattern = FcPatternCreate();
    FcLangSet *languages = FcLangSetCreate();
    FcObjectSet *wanted = FcObjectSetBuild(FC_FAMILY, nullptr);
    if (pattern && languages && wanted) {
        FcLangSetAdd(languages, reinterpret_cast<const FcChar8 *>("pl"));
        FcPatternAddLangSet(pattern, FC_LANG, languages);
        if (FcFontSet *fonts = FcFontList(nullptr, pattern, wanted)) {
            for (int f = 0; f < fonts->nfont; ++f) {
                FcChar8 *name = nullptr;
                for (int i = 0; FcPatternGetString(fonts->fonts[f], FC_FAMILY, i, &name) == FcResultMatch; ++i)
                    families.insert(QString::fromUtf8(reinterpret_cast<const char *>(name)).toCaseFolded());
            }
            FcFontSetDestroy(fonts);
        }
    }
    if (wanted)
        FcObjectSetDestroy(wanted);
    if (languages)
        FcLangSetDestroy(languages);
    if (pattern)
        FcPatternDestroy(pattern);
    return families;
}

} // namespace

bool coversPolishLetters(const QString &family)
{
    static const QSet<QString> polish = polishFamilies();
    return polish.contains(withoutFoundry(family).toCaseFolded());
}

QString withoutFoundry(const QString &family)
{
    // Qt names a family found at several foundries "Family [Foundry]".
    const qsizetype foundry = family.indexOf(QStringLiteral(" ["));
    return foundry > 0 ? family.left(foundry) : family;
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
    // One entry per family as its users know it, whatever foundries made it.
    for (const QString &family : families) {
        add(withoutFoundry(family));
        if (covers(family))
            add(fontEntryText(withoutFoundry(family), kCentralEuropeanCharset));
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
