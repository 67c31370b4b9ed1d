#pragma once
// A TrueType font embedded in a PDF: its glyph widths for the text
// operators, the glyphs used (the font program is cut down to them, glyph
// numbers kept), and what characters they stand for.

#include <QByteArray>
#include <QHash>
#include <QRawFont>
#include <QString>
#include <vector>

class PdfEmbeddedFont
{
public:
    explicit PdfEmbeddedFont(const QRawFont &font);

    // False when the font's outlines are not TrueType (they are then drawn
    // as shapes instead).
    bool valid() const { return m_valid; }
    // Marks the glyph used; its advance in thousandths of the font size.
    int use(quint32 glyph);
    // Remembers which glyphs `text` is made of in this font.
    void noteText(const QRawFont &font, QStringView text);

    QString postScriptName() const;
    // The font program with the used glyphs only.
    QByteArray fontProgram() const;
    QByteArray widthArray() const;
    QByteArray toUnicodeCMap() const;
    QByteArray descriptorMetrics() const;   // FontBBox, Ascent, Descent, ... entries
    bool fixedPitch() const { return m_fixedPitch; }

private:
    int advance(quint32 glyph) const;
    quint32 glyphOffset(quint32 glyph) const;
    std::vector<bool> keptGlyphs() const;
    // The glyph table with the kept glyphs only (glyph numbers kept) and its index.
    void cutGlyphs(const std::vector<bool> &keep, QByteArray &glyf, QByteArray &loca) const;

    bool m_valid = false;
    QString m_family, m_style;
    QByteArray m_head, m_hhea, m_maxp, m_hmtx, m_loca, m_glyf, m_cvt, m_fpgm, m_prep, m_os2, m_post;
    int m_unitsPerEm = 1000;
    int m_numGlyphs = 0;
    int m_numHMetrics = 0;
    bool m_longLoca = false;
    bool m_fixedPitch = false;
    std::vector<int> m_width;       // -1: not used yet
    QHash<quint32, char32_t> m_unicode;
    QHash<char32_t, bool> m_seen;
    bool m_seenAscii[128] = {};
};
