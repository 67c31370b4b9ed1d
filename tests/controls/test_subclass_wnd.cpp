// CSubclassWnd: hook chains on widgets.
#include "controls/SubclassWnd.h"

#include <QKeyEvent>
#include <QTest>
#include <QWidget>

namespace {

// A widget that records the key events it gets itself.
class Target : public QWidget
{
public:
    QStringList *log;
    explicit Target(QStringList *l) : log(l) {}

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        log->append(QStringLiteral("widget:") + e->text());
    }
};

// Logs what it sees; consumes "x" keys; on "d" calls the rest of the chain
// first and logs after it.
class Recorder : public CSubclassWnd
{
public:
    Recorder(const QString &name, QStringList *log) : m_name(name), m_log(log) {}

protected:
    bool windowProc(QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const QString text = static_cast<QKeyEvent *>(e)->text();
        m_log->append(m_name + u':' + text);
        if (text == m_name.left(1) + u'x')
            return true;
        if (text == u"d") {
            callDefault(e);
            m_log->append(m_name + QStringLiteral(":after"));
            return true;
        }
        return false;
    }

private:
    QString m_name;
    QStringList *m_log;
};

void sendKey(QWidget *w, const QString &text)
{
    QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TestSubclassWnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void latestHookSeesEventsFirst();
    void hookCanConsume();
    void callDefaultRunsRestOfChainOnce();
    void removingFirstHookLeavesSecondWorking();
    void removingMiddleHookKeepsChain();
    void destroyingWidgetRemovesAllHooks();
    void destroyingHookUnhooksIt();
};

void TestSubclassWnd::latestHookSeesEventsFirst()
{
    QStringList log;
    Target w(&log);
    Recorder a(QStringLiteral("a"), &log), b(QStringLiteral("b"), &log);
    a.hook(&w);
    b.hook(&w);
    QCOMPARE(CSubclassWnd::firstHook(&w), &b);
    QCOMPARE(b.nextHook(), &a);
    sendKey(&w, QStringLiteral("1"));
    QCOMPARE(log, (QStringList{"b:1", "a:1", "widget:1"}));
}

void TestSubclassWnd::hookCanConsume()
{
    QStringList log;
    Target w(&log);
    Recorder a(QStringLiteral("a"), &log), b(QStringLiteral("b"), &log);
    a.hook(&w);
    b.hook(&w);
    sendKey(&w, QStringLiteral("ax"));
    QCOMPARE(log, (QStringList{"b:ax", "a:ax"}));
}

void TestSubclassWnd::callDefaultRunsRestOfChainOnce()
{
    QStringList log;
    Target w(&log);
    Recorder a(QStringLiteral("a"), &log), b(QStringLiteral("b"), &log);
    a.hook(&w);
    b.hook(&w);
    sendKey(&w, QStringLiteral("d"));
    // b hands on to a, which hands on to the widget; each acts after.
    QCOMPARE(log, (QStringList{"b:d", "a:d", "widget:d", "a:after", "b:after"}));
}

void TestSubclassWnd::removingFirstHookLeavesSecondWorking()
{
    QStringList log;
    Target w(&log);
    Recorder a(QStringLiteral("a"), &log), b(QStringLiteral("b"), &log);
    a.hook(&w);
    b.hook(&w);
    b.unhook();
    QCOMPARE(CSubclassWnd::firstHook(&w), &a);
    QCOMPARE(b.hookedWindow(), nullptr);
    sendKey(&w, QStringLiteral("d"));
    QCOMPARE(log, (QStringList{"a:d", "widget:d", "a:after"}));
}

void TestSubclassWnd::removingMiddleHookKeepsChain()
{
    QStringList log;
    Target w(&log);
    Recorder a(QStringLiteral("a"), &log), b(QStringLiteral("b"), &log), c(QStringLiteral("c"), &log);
    a.hook(&w);
    b.hook(&w);
    c.hook(&w);
    b.unhook();
    QCOMPARE(c.nextHook(), &a);
    sendKey(&w, QStringLiteral("d"));
    QCOMPARE(log, (QStringList{"c:d", "a:d", "widget:d", "a:after", "c:after"}));
    a.unhook();
    c.unhook();
    QCOMPARE(CSubclassWnd::firstHook(&w), nullptr);
}

void TestSubclassWnd::destroyingWidgetRemovesAllHooks()
{
    QStringList log;
    auto *w = new Target(&log);
    Recorder a(QStringLiteral("a"), &log), b(QStringLiteral("b"), &log);
    a.hook(w);
    b.hook(w);
    delete w;
    QCOMPARE(a.hookedWindow(), nullptr);
    QCOMPARE(b.hookedWindow(), nullptr);
    QCOMPARE(a.nextHook(), nullptr);
    QCOMPARE(CSubclassWnd::firstHook(w), nullptr);
    // The hooks can be used again.
    Target other(&log);
    a.hook(&other);
    sendKey(&other, QStringLiteral("2"));
    QCOMPARE(log, (QStringList{"a:2", "widget:2"}));
}

void TestSubclassWnd::destroyingHookUnhooksIt()
{
    QStringList log;
    Target w(&log);
    Recorder a(QStringLiteral("a"), &log);
    {
        Recorder b(QStringLiteral("b"), &log);
        a.hook(&w);
        b.hook(&w);
    }
    QCOMPARE(CSubclassWnd::firstHook(&w), &a);
    sendKey(&w, QStringLiteral("3"));
    QCOMPARE(log, (QStringList{"a:3", "widget:3"}));
}

QTEST_MAIN(TestSubclassWnd)
#include "test_subclass_wnd.moc"
