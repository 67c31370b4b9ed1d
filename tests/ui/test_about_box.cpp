// The about box shows this build's version, never its placeholder.

#include "about/AboutBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestAboutBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void versionText_data()
    {
        QTest::addColumn<QString>("fileVersion");
        QTest::addColumn<QString>("shown");
        QTest::newRow("commas without blanks") << "2,0,0,5" << "2.0.0.5";
        QTest::newRow("commas and blanks") << "1, 21, 0, 0" << "1.21.0.0";
        QTest::newRow("dotted") << "2.0.0" << "2.0.0";
        QTest::newRow("none") << "" << "";
    }

    void versionText()
    {
        QFETCH(QString, fileVersion);
        QFETCH(QString, shown);
        QCOMPARE(aboutVersionText(fileVersion), shown);
        CAboutBox box(nullptr, fileVersion);
        QCOMPARE(box.versionText(), shown);
    }

    void aboutBoxShowsTheBuildVersion()
    {
        CAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("Kantomix 2 - informacje"));
        QCOMPARE(box.versionText(), QStringLiteral(KANTOMIX_VERSION));
        QVERIFY(!box.versionText().contains(QLatin1String("NOT IMPLEMENTED")));
        // The four telephone edits are read-only and filled.
        for (const char *name : {"phoneSecretariat", "phoneSales", "phoneSupport", "fax"}) {
            auto *edit = box.findChild<QLineEdit *>(QLatin1String(name));
            QVERIFY2(edit, name);
            QVERIFY(edit->isReadOnly());
            QVERIFY(!edit->text().isEmpty());
        }
    }

    void makerBoxClosesWithZamknij()
    {
        CAboutFirm box;
        QCOMPARE(box.windowTitle(), QStringLiteral("Informacje o firmie"));
        QPushButton *close = nullptr;
        for (QPushButton *b : box.findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("Zamknij"))
                close = b;
        QVERIFY(close);
        box.show();
        close->click();
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QVERIFY(!box.isVisible());
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
