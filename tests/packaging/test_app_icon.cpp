// The program icon: compiled in for the windows, and the installed PNGs are
// true renderings of the same SVG (they are committed, so they could drift).

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

class TestAppIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compiledInIconRenders()
    {
        // Qt's SVG icon engine must take it, or the windows show no icon.
        const QIcon icon(QStringLiteral(":/icons/kantomix.svg"));
        QVERIFY(!icon.isNull());
        const QImage image = icon.pixmap(QSize(64, 64)).toImage();
        QCOMPARE(image.size(), QSize(64, 64));
        // The złoty badge (gold) and the sheet (white) are where they are drawn.
        const QColor badge = image.pixelColor(38, 56);
        QVERIFY2(badge.red() > 200 && badge.green() > 150 && badge.blue() < 100,
                 qPrintable(badge.name()));
        QCOMPARE(image.pixelColor(20, 50), QColor(Qt::white));
        QCOMPARE(image.pixelColor(1, 1).alpha(), 0);
    }

    void pngsMatchTheSvg_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("48") << 48;
        QTest::newRow("256") << 256;
    }

    void pngsMatchTheSvg()
    {
        QFETCH(int, size);
        const QString dir = QStringLiteral(KANTOMIX_ICON_DIR);
        QSvgRenderer svg(dir + QStringLiteral("/kantomix.svg"));
        QVERIFY(svg.isValid());
        QImage rendered(size, size, QImage::Format_ARGB32_Premultiplied);
        rendered.fill(Qt::transparent);
        {
            QPainter p(&rendered);
            p.setRenderHint(QPainter::Antialiasing);
            svg.render(&p);
        }
        QImage png(dir + QStringLiteral("/kantomix-%1.png").arg(size));
        QCOMPARE(png.size(), QSize(size, size));
        png = png.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        // Antialiasing may differ by a shade between renderers, never more.
        int off = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb a = rendered.pixel(x, y), b = png.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
                off += d > 24;
            }
        QVERIFY2(off <= size * size / 100, qPrintable(QStringLiteral("%1 pixels differ").arg(off)));
    }
};

QTEST_MAIN(TestAppIcon)
#include "test_app_icon.moc"
