#include "print/TemplatePicture.h"

#include <QImage>
#include <QPainter>
#include <QTest>

class TestTemplatePicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labelsAreTakenOutWithTheirPlaces()
    {
        const QByteArray svg =
            "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' viewBox='0 0 1000 500'>"
            "<defs><g id='form' font-family='Liberation Sans' fill='#d0202a'>"
            "  <rect x='0' y='0' width='100' height='50' fill='none' stroke='black'/>"
            "  <text x='10' y='20' font-size='18'>nazwa odbiorcy</text>"
            "  <text x='0' y='0' font-size='30' font-weight='bold' text-anchor='middle' transform='translate(40,200) rotate(-90)'>Tytuł</text>"
            "</g></defs>"
            "<g transform='translate(45,10)'><use xlink:href='#form'/></g>"
            "<g transform='translate(545,10)'><use xlink:href='#form'/></g>"
            "<text x='900' y='480' font-size='12' text-anchor='end' fill='#000000'>odcinek</text>"
            "</svg>";
        CTemplatePicture picture;
        QVERIFY(picture.loadData(svg));
        const auto &labels = picture.labels();
        QCOMPARE(labels.size(), size_t(5));
        // Each repeated section carries its labels at its own place.
        QCOMPARE(labels[0].text, QStringLiteral("nazwa odbiorcy"));
        QCOMPARE(labels[0].transform.map(QPointF(0, 0)), QPointF(55, 30));
        QCOMPARE(labels[2].transform.map(QPointF(0, 0)), QPointF(555, 30));
        QCOMPARE(labels[0].color, QColor(u"#d0202a"));
        QCOMPARE(labels[0].size, 18.0);
        QCOMPARE(labels[0].family, QStringLiteral("Liberation Sans"));
        // Rotated title: origin at the translation, running upwards.
        QCOMPARE(labels[1].transform.map(QPointF(0, 0)), QPointF(85, 210));
        const QPointF up = labels[1].transform.map(QPointF(10, 0)) - QPointF(85, 210);
        QVERIFY(qAbs(up.x()) < 1e-9 && qAbs(up.y() + 10) < 1e-9);
        QVERIFY(labels[1].bold);
        QCOMPARE(labels[1].anchor, 1);
        QCOMPARE(labels[4].text, QStringLiteral("odcinek"));
        QCOMPARE(labels[4].anchor, 2);
        QCOMPARE(labels[4].transform.map(QPointF(0, 0)), QPointF(900, 480));

        // Shapes and labels both reach the page.
        QImage image(1000, 500, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        picture.render(&p, QRectF(0, 0, 1000, 500));
        p.end();
        QVERIFY(image.pixelColor(45, 35) != QColor(Qt::white)); // the rectangle's left side
        bool inked = false;
        for (int x = 55; x < 140 && !inked; ++x)
            for (int y = 15; y < 30 && !inked; ++y)
                inked = image.pixelColor(x, y) != QColor(Qt::white);
        QVERIFY(inked);
    }

    void notAnSvgIsRefused()
    {
        CTemplatePicture picture;
        QVERIFY(!picture.loadData("not an svg"));
        QVERIFY(!picture.load(QStringLiteral("/no/such/file.svg")));
        QVERIFY(picture.labels().empty());
    }
};

QTEST_MAIN(TestTemplatePicture)
#include "test_template_picture.moc"
