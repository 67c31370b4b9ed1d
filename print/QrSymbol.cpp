#include "print/QrSymbol.h"

#include <qrencode.h>

#include <memory>

std::optional<QrSymbol> QrSymbol::encode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return std::nullopt;
    // Level L: banking apps read the recommended codes at it, and it keeps
    // the modules largest for a given printed size.
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData()), 0,
                          QR_ECLEVEL_L),
        &QRcode_free);
    if (!code || code->width <= 0)
        return std::nullopt;
    QrSymbol symbol;
    symbol.m_size = code->width;
    const size_t count = size_t(code->width) * size_t(code->width);
    symbol.m_modules.resize(count);
    for (size_t i = 0; i < count; ++i)
        symbol.m_modules[i] = code->data[i] & 1;    // the other bits say what the module is part of
    return symbol;
}

QList<QRectF> QrSymbol::darkRects(const QRectF &area) const
{
    QList<QRectF> rects;
    if (m_size == 0)
        return rects;
    const double w = area.width() / m_size;
    const double h = area.height() / m_size;
    for (int y = 0; y < m_size; ++y) {
        for (int x = 0; x < m_size;) {
            if (!dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < m_size && dark(x, y))
                ++x;
            rects.append(QRectF(area.left() + start * w, area.top() + y * h, (x - start) * w, h));
        }
    }
    return rects;
}
