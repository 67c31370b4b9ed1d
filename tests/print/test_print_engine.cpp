// The engine's page geometry, section placement and per-kind page set-up.

#include "RecordingCanvas.h"
#include "SampleOrders.h"
#include "print/FormPages.h"
#include "print/FormTemplates.h"
#include "print/PagePlan.h"
#include "print/PrintEngine.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double kDpi = 1200;

// An A4 sheet at 1200 dpi with equal margins of `marginPx` on every side.
DeviceGeometry a4(bool landscape, int marginPx)
{
    DeviceGeometry g;
    g.dpiX = g.dpiY = kDpi;
    g.physicalWidth = landscape ? 14031 : 9921;
    g.physicalHeight = landscape ? 9921 : 14031;
    g.offsetX = g.offsetY = marginPx;
    return g;
}

// What the field layouts read of a kind's settings.
PrintJobParams fieldsFor(FormKind kind, const AllSettings &s)
{
    return planPage(s, CPrzelewDane(), true, int(kind))->fields;
}

} // namespace

class TestPrintEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Logical 0.1 mm to device pixels (painter origin at the printable
    // area's corner): text only from the sheet's corner; a template at its
    // metric size and scale, squeezed axis by axis into the printable area
    // when larger; the stub layout's viewport raised on templates.
    void deviceMapping_data()
    {
        QTest::addColumn<QString>("name");       // the template; none: text only
        QTest::addColumn<int>("layout");
        QTest::addColumn<double>("scale");        // across; down is 2 - scale
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("margin");          // px
        QTest::addColumn<QTransform>("expected");
        const double k = kDpi / 254;
        const int plain = CPrintEngine::PlainSections, stubs = CPrintEngine::StubLayout;
        QTest::newRow("text only") << "" << plain << 1.0 << true << 0 << QTransform(k, 0, 0, k, 0, 0);
        QTest::newRow("text only, 5 mm margins") << "" << plain << 1.0 << true << 236 << QTransform(k, 0, 0, k, -236, -236);
        QTest::newRow("text only, stubs") << "" << stubs << 1.0 << false << 100 << QTransform(k, 0, 0, k, -100, -100);
        QTest::newRow("template fits: metric, scaled") << "ZMT_ZUS" << int(CPrintEngine::ZusLayout) << 1.1 << false << 100
                                                      << QTransform(k * 1.1, 0, 0, k * 0.9, 0, 0);
        // 5 mm margins: 287 × 200 mm printable, 13559 × 9449 px.
        QTest::newRow("template squeezed") << "ZMT_4X_WZORZEC_BW" << plain << 1.0 << true << 236
                                           << QTransform(13559.0 / 3061, 0, 0, 9449.0 / 2135, 0, 0);
        QTest::newRow("template squeezed, 90 % across") << "ZMT_4X_WZORZEC_BW" << plain << 0.9 << true << 236
                                                        << QTransform(std::trunc(13559 * 0.9) / 3061, 0, 0, std::trunc(9449 * 1.1) / 2135, 0, 0);
        QTest::newRow("template, stubs: viewport raised") << "ZMT_2X_WZORZEC_BW" << stubs << 1.0 << false << 100
                                                         << QTransform(9721.0 / 2138, 0, 0, k, 0, -300);
    }
    void deviceMapping()
    {
        QFETCH(QString, name);
        QFETCH(int, layout);
        QFETCH(double, scale);
        QFETCH(bool, landscape);
        QFETCH(int, margin);
        QFETCH(QTransform, expected);
        PagePlan plan;
        plan.mode = name.isEmpty() ? CPrintEngine::TextOnly : CPrintEngine::TemplateAndText;
        plan.templateName = name;
        plan.templateRect = templateFrame(name);
        plan.sectionLayout = layout;
        plan.scaleX = scale;
        plan.scaleY = 2 - scale;
        const QTransform t = PageMapping::of(plan, a4(landscape, margin)).toDevice;
        for (const auto &[got, want] : {std::pair(t.m11(), expected.m11()), std::pair(t.m22(), expected.m22()),
                                        std::pair(t.dx(), expected.dx()), std::pair(t.dy(), expected.dy())})
            QVERIFY2(qAbs(got - want) < 1e-9, qPrintable(QStringLiteral("%1, not %2").arg(got).arg(want)));
        QCOMPARE(t.m12(), 0.0);
        QCOMPARE(t.m21(), 0.0);
    }

    void everyTemplateLoads()
    {
        for (const FormTemplate &t : kFormTemplates) {
            CPrintEngine e;
            QVERIFY2(e.LoadTemplate(QLatin1String(t.name)), t.name);
            QCOMPARE(templateFrame(QLatin1String(t.name)), QRect(0, 0, t.frameWidth / 10, t.frameHeight / 10));
        }
        CPrintEngine e;
        QVERIFY(!e.LoadTemplate(QStringLiteral("NO_SUCH_TEMPLATE")));
        QCOMPARE(templateFrame(QStringLiteral("NO_SUCH_TEMPLATE")), QRect());
    }

    // ---- Section placement ----

    // Where each copy of a text lands, section by section.
    void sectionPlacement_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("textOnly");
        QTest::addColumn<int>("singleCopy");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QPoint>>("found");
        using P = QList<QPoint>;
        const QString date = QStringLiteral("08.12.2026"), payer = sample::zus().sender1;
        QTest::newRow("ordinary 4 sections, template")
            << 0 << 0 << 0 << 0 << date << P{{145, 830}, {1643, 830}, {1643, 1893}, {145, 1893}};
        QTest::newRow("ordinary 4 sections, text only")
            << 0 << 0 << 1 << 0 << date << P{{100, 820}, {1598, 820}, {1598, 1883}, {100, 1883}};
        QTest::newRow("ordinary 4 sections, single copy") << 0 << 0 << 1 << 1 << date << P{{100, 820}};
        QTest::newRow("ordinary stubs, template") << 0 << 1 << 0 << 0 << date << P{{745, 830}, {745, 1888}};
        QTest::newRow("ordinary stubs, single copy") << 0 << 1 << 1 << 1 << date << P{{700, 820}};
        QTest::newRow("stubs left of the forms") << 0 << 1 << 1 << 0 << "1234,50" << P{{60, 365}, {60, 365 + 1058}};
        QTest::newRow("tax 4 sections, template")
            << 2 << 0 << 0 << 0 << date << P{{120, 820}, {1618, 820}, {1618, 1878}, {120, 1878}};
        QTest::newRow("tax stubs, text only") << 2 << 1 << 1 << 0 << date << P{{700, 820}, {700, 1878}};
        QTest::newRow("tax 4 sections, single copy") << 2 << 0 << 1 << 1 << date << P{{100, 820}};
        QTest::newRow("ZUS one above the other, template") << 1 << 2 << 0 << 0 << payer << P{{160, 475}, {160, 1533}};
        QTest::newRow("ZUS, text only") << 1 << 2 << 1 << 0 << payer << P{{140, 460}, {140, 1518}};
        QTest::newRow("ZUS, single copy") << 1 << 2 << 1 << 1 << payer << P{{140, 460}};
    }
    void sectionPlacement()
    {
        QFETCH(int, kind);
        QFETCH(int, layout);
        QFETCH(int, textOnly);
        QFETCH(int, singleCopy);
        QFETCH(QString, text);
        QFETCH(QList<QPoint>, found);
        PagePlan plan;
        plan.sectionLayout = layout;
        plan.mode = textOnly ? CPrintEngine::TextOnly : CPrintEngine::TemplateAndText;
        plan.fields.fitInBox = 0;
        plan.fields.singleCopy = singleCopy;
        const CPrzelewDane r = kind == 2 ? sample::tax() : kind == 1 ? sample::zus() : sample::ordinary();
        RecordingCanvas c;
        CPrintEngine::DrawForm(c, plan, r);
        QList<QPoint> at;
        for (const DrawOp &op : c.ops)
            if (op.text == text)
                at.append(op.rect.topLeft());
        QCOMPARE(at, found);
    }

    void unknownKindDrawsNothing()
    {
        CPrzelewDane r = sample::ordinary();
        r.kind = 7;
        RecordingCanvas c;
        CPrintEngine::DrawForm(c, PagePlan(), r);
        QVERIFY(c.ops.isEmpty());
        // Nor is a page planned for it: the page stays empty.
        QVERIFY(!planPage(AllSettings(), r));
        QVERIFY(!planPage(AllSettings(), sample::ordinary(), true, 3));
    }

    // ---- Per-kind page set-up ----

    void formTypesSetOrientationLayoutAndShift_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("original");
        QTest::addColumn<int>("formType");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("originY");
        QTest::addColumn<int>("singleCopy");
        const int L = QPageLayout::Landscape, P = QPageLayout::Portrait;
        QTest::newRow("ordinary own 2") << 0 << 0 << 2 << L << 0 << 0 << 0;
        QTest::newRow("ordinary own 3") << 0 << 0 << 3 << P << 1 << -850 << 0;
        QTest::newRow("ordinary orig 0") << 0 << 1 << 0 << L << 0 << 0 << 0;
        QTest::newRow("ordinary orig 1") << 0 << 1 << 1 << P << 1 << -850 << 0;
        QTest::newRow("ordinary orig 2") << 0 << 1 << 2 << P << 0 << 0 << 1;
        QTest::newRow("ordinary orig 3") << 0 << 1 << 3 << P << 1 << 0 << 1;
        QTest::newRow("ZUS own 1") << 1 << 0 << 1 << P << 2 << 0 << 0;
        QTest::newRow("ZUS orig 1") << 1 << 1 << 1 << P << 2 << 0 << 1;
        QTest::newRow("tax own 4") << 2 << 0 << 4 << P << 1 << -850 << 0;
        QTest::newRow("tax orig 1") << 2 << 1 << 1 << P << 0 << 0 << 1;
        QTest::newRow("tax orig 2") << 2 << 1 << 2 << P << 1 << -850 << 0;
        QTest::newRow("out of range") << 0 << 1 << 99 << L << 0 << 0 << 0;
    }
    void formTypesSetOrientationLayoutAndShift()
    {
        QFETCH(int, kind);
        QFETCH(int, original);
        QFETCH(int, formType);
        QFETCH(int, orientation);
        QFETCH(int, layout);
        QFETCH(int, originY);
        QFETCH(int, singleCopy);
        AllSettings s;
        PrintSettings &ps = s.forKind(FormKind(kind));
        ps.originalForm = original;
        (original ? ps.formTypeOrig : ps.formType) = formType;
        CPrzelewDane r = kind == 1 ? sample::zus() : kind == 2 ? sample::tax() : sample::ordinary();
        const std::optional<PagePlan> plan = planPage(s, r);
        QVERIFY(plan);
        QCOMPARE(int(plan->orientation), orientation);
        QCOMPARE(plan->sectionLayout, layout);
        QCOMPARE(plan->origin.y(), originY);
        QCOMPARE(int(plan->textOnly()), original);
        QCOMPARE(plan->fields.singleCopy, singleCopy);
        // The job turns the device's sheet so before the page starts.
        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath(QStringLiteral("x.pdf")));
        pdf.setPageOrientation(orientation == QPageLayout::Landscape ? QPageLayout::Portrait : QPageLayout::Landscape);
        CFormPrinter printer(s);
        FormPageJob job(printer, pdf);
        QVERIFY(job.printPage(r));
        QCOMPARE(int(pdf.pageLayout().orientation()), orientation);
    }

    void blankFormOnOriginalSettingUsesOwnTemplateAndOriginalGeometry()
    {
        AllSettings s;
        s.ordinary.originalForm = 1;
        s.ordinary.formTypeOrig = 1;
        s.ordinary.formType = 0;
        s.ordinary.offsetX = 5;
        s.ordinary.offsetY = -3;
        const std::optional<PagePlan> plan = planPage(s, CPrzelewDane(), true, 0);
        QVERIFY(plan);
        QCOMPARE(plan->orientation, QPageLayout::Portrait);
        QCOMPARE(plan->mode, int(CPrintEngine::TemplateOnly));
        QCOMPARE(plan->templateName, QStringLiteral("ZMT_4X_WZORZEC_BW"));   // FormType 0
        QCOMPARE(plan->templateRect, QRect(0, 0, 3061, 2135));
        QCOMPARE(plan->origin, QPoint(-50, -10 * (-3 + 85)));
    }

    // What a page's plan takes from its kind's settings and the general ones.
    void paramsFollowTheKindsSettings()
    {
        AllSettings s;
        s.general.valueDelimiter = QStringLiteral("#");
        s.general.fontSize = 12;
        s.zus.doNotPrintZusBankNo = 1;
        s.zus.print3Kratki = 1;
        s.tax.opType = 1;
        s.tax.scaleX = 120;
        s.tax.scaleY = 80;
        s.ordinary.opType = 1;
        const PrintJobParams o = fieldsFor(FormKind::Ordinary, s);
        QCOMPARE(o.opTypeMark, 0);
        QCOMPARE(o.noZusAccount, 0);
        QCOMPARE(o.valueDelimiter, QStringLiteral("#"));
        QCOMPARE(o.fontSize, 12);
        // A stored size no font is made of prints at 10.
        for (int stored : {0, 201})
            QCOMPARE((s.general.fontSize = stored, fieldsFor(FormKind::Ordinary, s).fontSize), 10);
        const PrintJobParams z = fieldsFor(FormKind::Zus, s);
        QCOMPARE(z.noZusAccount, 1);
        QCOMPARE(z.threeZusBoxes, 1);
        QCOMPARE(fieldsFor(FormKind::Tax, s).opTypeMark, 1);
        const std::optional<PagePlan> tax = planPage(s, sample::tax());
        QCOMPARE(tax->scaleX, 1.2);
        QCOMPARE(tax->scaleY, 0.8);
        QCOMPARE(templateName(FormKind::Zus, 1), QStringLiteral("ZMT_ZUS_BW"));
        QCOMPARE(templateName(FormKind::Tax, 4), QStringLiteral("ZMT_TAX_2X_WZORZEC_KOLOR"));
        QCOMPARE(templateName(FormKind::Ordinary, -5), QStringLiteral("ZMT_4X_WZORZEC_BW"));
    }

    void extremeSettingsDoNotCrash()
    {
        AllSettings s;
        for (FormKind k : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax}) {
            PrintSettings &ps = s.forKind(k);
            ps.scaleX = 0;
            ps.scaleY = -100;
            ps.offsetX = 100000;
            ps.formType = -1;
            ps.formTypeOrig = 1000;
            ps.originalForm = 0;
        }
        s.general.fontSize = 0;
        QTemporaryDir dir;
        QPdfWriter pdf(dir.filePath(QStringLiteral("x.pdf")));
        CFormPrinter printer(s);
        FormPageJob job(printer, pdf);
        QVERIFY(job.printPage(sample::ordinary()));
        QVERIFY(job.printPage(sample::zus()));
        QVERIFY(job.printPage(sample::tax()));
        CPrzelewDane bad = sample::ordinary();
        bad.kind = -3;
        QVERIFY(job.printPage(bad));
    }
};

QTEST_MAIN(TestPrintEngine)
#include "test_print_engine.moc"
