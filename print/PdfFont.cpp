#include "print/PdfFont.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

quint16 u16(const QByteArray &t, int at)
{
    return at + 2 <= t.size() ? qFromBigEndian<quint16>(t.constData() + at) : 0;
}
qint16 s16(const QByteArray &t, int at)
{
    return qint16(u16(t, at));
}
quint32 u32(const QByteArray &t, int at)
{
    return at + 4 <= t.size() ? qFromBigEndian<quint32>(t.constData() + at) : 0;
}
void put16(QByteArray &t, int at, quint16 v)
{
    qToBigEndian<quint16>(v, t.data() + at);
}
void put32(QByteArray &t, int at, quint32 v)
{
    qToBigEndian<quint32>(v, t.data() + at);
}

quint32 checksum(const QByteArray &t)
{
    quint32 sum = 0;
    QByteArray padded = t;
    padded.append(QByteArray((4 - padded.size() % 4) % 4, '\0'));
    for (int i = 0; i < padded.size(); i += 4)
        sum += u32(padded, i);
    return sum;
}

// Composite glyph flags.
constexpr quint16 kWordArgs = 0x0001, kScale = 0x0008, kMore = 0x0020, kXYScale = 0x0040, kTwoByTwo = 0x0080;

QByteArray hex4(quint32 v)
{
    return QByteArray::number(v, 16).rightJustified(4, '0');
}

struct FontTable
{
    const char *tag;
    QByteArray data;
};

// A TrueType file of the tables: the table directory, then each table on a
// four-byte boundary.
QByteArray fontFile(const std::vector<FontTable> &tables)
{
    const int count = int(tables.size());
    int power = 1, log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray out(12 + 16 * count, '\0');
    put32(out, 0, 0x00010000);
    put16(out, 4, quint16(count));
    put16(out, 6, quint16(power * 16));
    put16(out, 8, quint16(log2));
    put16(out, 10, quint16(count * 16 - power * 16));
    for (int i = 0; i < count; ++i) {
        const FontTable &t = tables[size_t(i)];
        const int entry = 12 + 16 * i;
        std::copy(t.tag, t.tag + 4, out.data() + entry);
        put32(out, entry + 4, checksum(t.data));
        put32(out, entry + 8, quint32(out.size()));
        put32(out, entry + 12, quint32(t.data.size()));
        out.append(t.data);
        out.append(QByteArray((4 - out.size() % 4) % 4, '\0'));
    }
    return out;
}

} // namespace

PdfEmbeddedFont::PdfEmbeddedFont(const QRawFont &font)
    : m_family(font.familyName()), m_style(font.styleName())
{
    m_head = font.fontTable("head");
    m_hhea = font.fontTable("hhea");
    m_maxp = font.fontTable("maxp");
    m_hmtx = font.fontTable("hmtx");
    m_loca = font.fontTable("loca");
    m_glyf = font.fontTable("glyf");
    m_cvt = font.fontTable("cvt ");
    m_fpgm = font.fontTable("fpgm");
    m_prep = font.fontTable("prep");
    m_os2 = font.fontTable("OS/2");
    m_post = font.fontTable("post");
    m_unitsPerEm = u16(m_head, 18);
    m_numGlyphs = u16(m_maxp, 4);
    m_numHMetrics = u16(m_hhea, 34);
    m_longLoca = s16(m_head, 50) == 1;
    m_fixedPitch = u32(m_post, 12) != 0;
    const int locaEntry = m_longLoca ? 4 : 2;
    m_valid = m_head.size() >= 54 && m_hhea.size() >= 36 && !m_glyf.isEmpty() && m_unitsPerEm > 0
        && m_numGlyphs > 0 && m_numHMetrics > 0 && m_hmtx.size() >= 4 * m_numHMetrics
        && m_loca.size() >= locaEntry * (m_numGlyphs + 1);
    m_width.assign(size_t(std::max(m_numGlyphs, 0)), -1);
}

int PdfEmbeddedFont::advance(quint32 glyph) const
{
    const int metric = int(std::min<quint32>(glyph, quint32(m_numHMetrics - 1)));
    return int(std::lround(u16(m_hmtx, 4 * metric) * 1000.0 / m_unitsPerEm));
}

int PdfEmbeddedFont::use(quint32 glyph)
{
    if (glyph >= m_width.size())
        return 0;
    int &w = m_width[glyph];
    if (w < 0)
        w = advance(glyph);
    return w;
}

void PdfEmbeddedFont::noteText(const QRawFont &font, QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (c < 128) {
            if (m_seenAscii[c])
                continue;
            m_seenAscii[c] = true;
        } else if (m_seen.contains(c)) {
            continue;
        } else {
            m_seen.insert(c, true);
        }
        quint32 glyph = 0;
        int count = 1;
        const QString one = QString::fromUcs4(&c, 1);
        if (font.glyphIndexesForChars(one.constData(), int(one.size()), &glyph, &count) && count == 1 && glyph != 0
            && !m_unicode.contains(glyph))
            m_unicode.insert(glyph, c);
    }
}

QString PdfEmbeddedFont::postScriptName() const
{
    QString name = m_family + (m_style.isEmpty() ? QString() : u'-' + m_style);
    name.remove(u' ');
    QString clean;
    for (QChar c : name)
        if (c.unicode() > 32 && c.unicode() < 127 && !QStringLiteral("()<>[]{}/%#").contains(c))
            clean += c;
    return clean.isEmpty() ? QStringLiteral("Font") : clean;
}

quint32 PdfEmbeddedFont::glyphOffset(quint32 glyph) const
{
    return m_longLoca ? u32(m_loca, int(4 * glyph)) : 2u * u16(m_loca, int(2 * glyph));
}

std::vector<bool> PdfEmbeddedFont::keptGlyphs() const
{
    // Those used, the missing-glyph box and the parts of composite glyphs.
    std::vector<bool> keep(size_t(m_numGlyphs), false);
    std::vector<quint32> todo {0};
    for (size_t g = 0; g < m_width.size(); ++g)
        if (m_width[g] >= 0)
            todo.push_back(quint32(g));
    while (!todo.empty()) {
        const quint32 g = todo.back();
        todo.pop_back();
        if (g >= keep.size() || keep[g])
            continue;
        keep[g] = true;
        const quint32 start = glyphOffset(g), end = glyphOffset(g + 1);
        if (end <= start || end > quint32(m_glyf.size()) || s16(m_glyf, int(start)) >= 0)
            continue;
        int at = int(start) + 10;
        for (;;) {
            const quint16 flags = u16(m_glyf, at);
            todo.push_back(u16(m_glyf, at + 2));
            at += 4 + ((flags & kWordArgs) ? 4 : 2);
            at += (flags & kScale) ? 2 : (flags & kXYScale) ? 4 : (flags & kTwoByTwo) ? 8 : 0;
            if (!(flags & kMore) || at >= int(end))
                break;
        }
    }
    return keep;
}

void PdfEmbeddedFont::cutGlyphs(const std::vector<bool> &keep, QByteArray &glyf, QByteArray &loca) const
{
    loca = QByteArray(4 * (m_numGlyphs + 1), '\0');
    for (int g = 0; g < m_numGlyphs; ++g) {
        put32(loca, 4 * g, quint32(glyf.size()));
        const quint32 start = glyphOffset(quint32(g)), end = glyphOffset(quint32(g) + 1);
        if (keep[size_t(g)] && end > start && end <= quint32(m_glyf.size())) {
            glyf.append(m_glyf.constData() + start, end - start);
            glyf.append(QByteArray((4 - glyf.size() % 4) % 4, '\0'));
        }
    }
    put32(loca, 4 * m_numGlyphs, quint32(glyf.size()));
}

QByteArray PdfEmbeddedFont::fontProgram() const
{
    QByteArray glyf, loca;
    cutGlyphs(keptGlyphs(), glyf, loca);

    QByteArray head = m_head;
    put32(head, 8, 0);      // checksum adjustment: not checked in an embedded font
    put16(head, 50, 1);     // long offsets in loca
    // Glyph names are not needed: version 3 of the post table has none.
    QByteArray post = m_post.left(32);
    if (post.size() == 32)
        put32(post, 0, 0x00030000);

    std::vector<FontTable> tables;
    const auto add = [&](const char *tag, const QByteArray &data) {
        if (!data.isEmpty())
            tables.push_back({tag, data});
    };
    // Sorted by tag, as the table directory must be.
    add("OS/2", m_os2);
    add("cvt ", m_cvt);
    add("fpgm", m_fpgm);
    add("glyf", glyf);
    add("head", head);
    add("hhea", m_hhea);
    add("hmtx", m_hmtx);
    add("loca", loca);
    add("maxp", m_maxp);
    add("post", post);
    add("prep", m_prep);
    return fontFile(tables);
}

QByteArray PdfEmbeddedFont::widthArray() const
{
    QByteArray out("[");
    int runStart = -1;
    for (int g = 0; g <= int(m_width.size()); ++g) {
        const bool used = g < int(m_width.size()) && m_width[size_t(g)] >= 0;
        if (used && runStart < 0) {
            runStart = g;
            out += QByteArray::number(g) + " [";
        } else if (!used && runStart >= 0) {
            out += "] ";
            runStart = -1;
        }
        if (used)
            out += QByteArray::number(m_width[size_t(g)]) + ' ';
    }
    out += ']';
    return out;
}

QByteArray PdfEmbeddedFont::toUnicodeCMap() const
{
    QList<quint32> glyphs;
    for (auto it = m_unicode.cbegin(); it != m_unicode.cend(); ++it)
        if (it.key() < m_width.size() && m_width[it.key()] >= 0)
            glyphs.append(it.key());
    std::sort(glyphs.begin(), glyphs.end());
    QByteArray out =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    for (qsizetype i = 0; i < glyphs.size(); i += 100) {
        const qsizetype n = std::min<qsizetype>(100, glyphs.size() - i);
        out += QByteArray::number(n) + " beginbfchar\n";
        for (qsizetype k = i; k < i + n; ++k) {
            const char32_t c = m_unicode.value(glyphs[k]);
            const QString s = QString::fromUcs4(&c, 1);
            QByteArray utf16;
            for (QChar unit : s)
                utf16 += hex4(unit.unicode());
            out += '<' + hex4(glyphs[k]) + "> <" + utf16 + ">\n";
        }
        out += "endbfchar\n";
    }
    out += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return out;
}

QByteArray PdfEmbeddedFont::descriptorMetrics() const
{
    const auto units = [&](int v) { return QByteArray::number(std::lround(v * 1000.0 / m_unitsPerEm)); };
    const int ascent = s16(m_hhea, 4), descent = s16(m_hhea, 6);
    const int capHeight = (m_os2.size() >= 90 && u16(m_os2, 0) >= 2) ? s16(m_os2, 88) : ascent;
    return "/FontBBox [" + units(s16(m_head, 36)) + ' ' + units(s16(m_head, 38)) + ' ' + units(s16(m_head, 40)) + ' '
        + units(s16(m_head, 42)) + "] /ItalicAngle 0 /Ascent " + units(ascent) + " /Descent " + units(descent)
        + " /CapHeight " + units(capHeight) + " /StemV 80";
}
