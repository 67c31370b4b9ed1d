#pragma once
// A QR symbol encoded by libqrencode (byte mode, error correction level L,
// the smallest version that holds the bytes) as a square of modules.

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <optional>
#include <vector>

class QrSymbol
{
public:
    // None when the bytes do not fit any version, or the encoder fails.
    static std::optional<QrSymbol> encode(const QByteArray &bytes);

    // Modules along one side, without the quiet zone.
    int size() const { return m_size; }
    bool dark(int x, int y) const { return m_modules[size_t(y) * size_t(m_size) + size_t(x)] != 0; }

    // The dark modules as rectangles in `area`: one per horizontal run, so a
    // PDF holds a few hundred rectangles rather than thousands of squares.
    QList<QRectF> darkRects(const QRectF &area) const;

private:
    int m_size = 0;
    std::vector<unsigned char> m_modules;
};

// Light modules a reader wants around the symbol.
inline constexpr int kQrQuietModules = 4;
