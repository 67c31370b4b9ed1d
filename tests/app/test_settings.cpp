#include "base/Settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> store(const char *name)
    {
        return std::make_unique<QSettings>(m_dir.filePath(QString::fromLatin1(name)), QSettings::IniFormat);
    }

private Q_SLOTS:
    void emptyStoreGivesDefaults()
    {
        AllSettings s;
        s.read(*store("empty.ini"));
        QCOMPARE(s.ordinary.formType, 2);
        QCOMPARE(s.ordinary.formTypeOrig, 0);
        QCOMPARE(s.ordinary.originalForm, 1);
        QCOMPARE(s.ordinary.fitInBox, 1);
        QCOMPARE(s.ordinary.offsetX, 0);
        QCOMPARE(s.ordinary.offsetY, 0);
        QCOMPARE(s.ordinary.scaleX, 100);
        QCOMPARE(s.ordinary.scaleY, 100);
        for (FormKind kind : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax})
            QCOMPARE(s.forKind(kind).paymentQr, 0);     // pages print as before until asked
        QCOMPARE(s.zus.formType, 0);
        QCOMPARE(s.tax.formType, 2);
        QCOMPARE(s.general.fontName, QStringLiteral("Courier New"));
        QCOMPARE(s.general.fontSize, 10);
        QCOMPARE(s.general.fontCharset, 1);
        QCOMPARE(s.general.valueDelimiter, QStringLiteral("**"));
        QCOMPARE(s.general.autoOpen, 1);
        QVERIFY(s.general.device.isEmpty());
    }

    void storedValuesAreRepaired_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int PrintSettings::*>("field");
        QTest::addColumn<int>("expected");
        const int ord = 0, zus = 1, tax = 2;
        QTest::newRow("FormType 7") << "FormType" << "7" << ord << &PrintSettings::formType << 2;
        QTest::newRow("FormType 4") << "FormType" << "4" << ord << &PrintSettings::formType << 4;
        QTest::newRow("FormType -1") << "FormType" << "-1" << ord << &PrintSettings::formType << 2;
        QTest::newRow("FormTypeOrig 4") << "FormTypeOrig" << "4" << ord << &PrintSettings::formTypeOrig << 0;
        QTest::newRow("FormTypeOrig 3") << "FormTypeOrig" << "3" << ord << &PrintSettings::formTypeOrig << 3;
        QTest::newRow("ZUSFormTypeOwn 1") << "ZUSFormTypeOwn" << "1" << zus << &PrintSettings::formType << 1;
        QTest::newRow("ZUSFormTypeOwn 2") << "ZUSFormTypeOwn" << "2" << zus << &PrintSettings::formType << 0;
        QTest::newRow("ZUSFormTypeOrig 2") << "ZUSFormTypeOrig" << "2" << zus << &PrintSettings::formTypeOrig << 0;
        QTest::newRow("TAXFormType 9") << "TAXFormType" << "9" << tax << &PrintSettings::formType << 2;
        QTest::newRow("TAXFormTypeOrig 2") << "TAXFormTypeOrig" << "2" << tax << &PrintSettings::formTypeOrig << 2;
        QTest::newRow("TAXFormTypeOrig 3") << "TAXFormTypeOrig" << "3" << tax << &PrintSettings::formTypeOrig << 0;
        QTest::newRow("ScaleX 0") << "ScaleX" << "0" << ord << &PrintSettings::scaleX << 50;
        QTest::newRow("ZUSScaleY 900") << "ZUSScaleY" << "900" << zus << &PrintSettings::scaleY << 150;
        QTest::newRow("TAXOffsetX -500") << "TAXOffsetX" << "-500" << tax << &PrintSettings::offsetX << -100;
        QTest::newRow("OffsetY text") << "OffsetY" << "abc" << ord << &PrintSettings::offsetY << 0;
        QTest::newRow("OffsetY huge") << "OffsetY" << "99999999999" << ord << &PrintSettings::offsetY << 0;
        QTest::newRow("FitInBox 5") << "FitInBox" << "5" << ord << &PrintSettings::fitInBox << 1;
        QTest::newRow("Print3Kratki 1") << "Print3Kratki" << "1" << zus << &PrintSettings::print3Kratki << 1;
        QTest::newRow("TAXOpType 1") << "TAXOpType" << "1" << tax << &PrintSettings::opType << 1;
        QTest::newRow("PaymentQR 2") << "PaymentQR" << "2" << ord << &PrintSettings::paymentQr << 1;
    }
    void storedValuesAreRepaired()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(int, kind);
        QFETCH(int PrintSettings::*, field);
        QFETCH(int, expected);
        auto s = store("repair.ini");
        s->clear();
        s->setValue(QStringLiteral("Settings/") + name, stored);
        PrintSettings out;
        readPrintSettings(*s, FormKind(kind), out);
        QCOMPARE(out.*field, expected);
    }

    void writesAll42ValuesAndReadsThemBack()
    {
        AllSettings s;
        s.general.device = QStringLiteral("Biuro");
        s.general.fontSize = 12;
        s.ordinary.offsetX = -7;
        s.zus.print3Kratki = 1;
        s.tax.opType = 1;
        s.general.elixirCodePage = QStringLiteral("cp852");
        s.general.elixirTaxClass = QStringLiteral("72");
        s.tax.paymentQr = 1;
        {
            auto out = store("all.ini");
            s.write(*out);
        }
        auto in = store("all.ini");
        in->beginGroup(QStringLiteral("Settings"));
        QCOMPARE(in->childKeys().size(), 42);
        in->endGroup();
        AllSettings back;
        back.read(*in);
        QVERIFY(back.general == s.general);
        QVERIFY(back.ordinary == s.ordinary);
        QVERIFY(back.zus == s.zus);
        QVERIFY(back.tax == s.tax);
    }

    // What the program repairs on reading (a size no font is made of, a text
    // where a number belongs, a shift beyond its limit) is written back as
    // the user left it; a setting changed in the program is written.
    void storedTextsNotChangedAreKept_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::newRow("size 0") << "Settings/FontSize" << "0";
        QTest::newRow("size 250") << "Settings/FontSize" << "250";
        QTest::newRow("size not a number") << "Settings/FontSize" << "abc";
        QTest::newRow("size with a unit") << "Settings/FontSize" << "12pt";
        QTest::newRow("shift beyond its limit") << "Settings/OffsetX" << "300";
        QTest::newRow("flag 5") << "Settings/ZUSFitInBox" << "5";
        QTest::newRow("code page in capitals") << "Settings/ElixirCodePage" << " CP852 ";
        QTest::newRow("port 0") << "Rejestr/Port" << "0";
    }
    void storedTextsNotChangedAreKept()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        auto s = store("kept.ini");
        s->clear();
        s->setValue(key, stored);
        AllSettings settings;
        settings.read(*s);
        settings.write(*s);
        QCOMPARE(s->value(key).toString(), stored);
        QCOMPARE(s->value(QStringLiteral("Settings/ScaleY")).toInt(), 100);   // missing ones are written
        settings.general.fontSize = 14;
        settings.write(*s);
        QCOMPARE(s->value(QStringLiteral("Settings/FontSize")).toInt(), 14);
        if (key != u"Settings/FontSize")
            QCOMPARE(s->value(key).toString(), stored);
    }

    // The bank would refuse a whole file for a classification it cannot read.
    void taxClassificationIsTwoDigits_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two digits") << "72" << "72";
        QTest::newRow("blanks around") << " 51 " << "51";
        QTest::newRow("one digit") << "7" << "71";
        QTest::newRow("a letter") << "7a" << "71";
        QTest::newRow("three digits") << "711" << "71";
        QTest::newRow("other script's digits") << QString::fromUtf8("\u0667\u0661") << "71";
    }
    void taxClassificationIsTwoDigits()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        auto s = store("elixir.ini");
        s->setValue(QStringLiteral("Settings/ElixirTaxClass"), stored);
        GeneralSettings g;
        readGeneralSettings(*s, g);
        QCOMPARE(g.elixirTaxClass, expected);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
