#include "RegisterTestEnv.h"
#include "register/DefaultSender.h"

#include <QProcess>
#include <QTest>

namespace {

// A program of its own that uses the register, one command at a time.
class User
{
public:
    User()
    {
        QStringList args {testRegister().path};
        if (onServer()) {
            const RegisterServer &s = testRegister().server;
            args = QStringList {QStringLiteral("server"), s.host, s.database, s.user};
        }
        m_process.start(QStringLiteral(KANTOMIX_REGISTER_USER), args);
        m_started = m_process.waitForStarted() && answer() == QLatin1String("gotowy");
    }
    ~User()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
    }
    bool started() const { return m_started; }
    // Written at once, so two programs get their lines at the same moment.
    void send(const QString &line)
    {
        m_process.write((line + u'\n').toUtf8());
        m_process.waitForBytesWritten(10000);
    }
    QString answer()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(30000))
                return QStringLiteral("(brak odpowiedzi)");
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    QString ask(const QString &line)
    {
        send(line);
        return answer();
    }

private:
    QProcess m_process;
    bool m_started = false;
};

} // namespace

// Two programs editing one register at the same time.
class TestRegisterUsers : public QObject
{
    Q_OBJECT

    RegisterTestEnv env;

private Q_SLOTS:
    void init() { env.reset(); }

    // The second save of a party another program changed or deleted since
    // it was read is refused with the reason, and the first one stays.
    void secondSaveRefused_data()
    {
        QTest::addColumn<QString>("firstDoes");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("stored");
        QTest::newRow("changed") << "save od A" << "zmienił" << "od A";
        QTest::newRow("deleted") << "delete" << "usunięty" << "-";
    }
    void secondSaveRefused()
    {
        QFETCH(QString, firstDoes);
        QFETCH(QString, reason);
        QFETCH(QString, stored);
        addParties({{"Alfa"}});
        User a, b;
        QVERIFY(a.started() && b.started());
        QCOMPARE(a.ask(QStringLiteral("read Alfa")), QStringLiteral("ok"));
        QCOMPARE(b.ask(QStringLiteral("read Alfa")), QStringLiteral("ok"));
        QCOMPARE(a.ask(firstDoes), QStringLiteral("ok"));
        const QString refused = b.ask(QStringLiteral("save od B"));
        QVERIFY2(refused.startsWith(QStringLiteral("konflikt ")) && refused.contains(reason), qPrintable(refused));
        const std::vector<Party> rows = partiesOf();
        QCOMPARE(rows.empty() ? QStringLiteral("-") : rows.front().name2, stored);
    }

    // Both programs make their own sender default at the same moment, each
    // holding its transaction open a while, so the second runs while the
    // first has not committed: after each round one default, never two.
    void concurrentDefaultsLeaveOne()
    {
        addParties({{"S1", 3}, {"S2", 3}});
        User a, b;
        QVERIFY(a.started() && b.started());
        for (int round = 0; round < 4; ++round) {
            a.send(QStringLiteral("default S1 300"));
            b.send(QStringLiteral("default S2 300"));
            QCOMPARE(a.answer(), QStringLiteral("ok"));
            QCOMPARE(b.answer(), QStringLiteral("ok"));
            QCOMPARE(partiesOf({8, {}, true}).size(), size_t(1));
        }
        QVERIFY(lookupDefaultSender(testRegister()).found);
    }
};

QTEST_GUILESS_MAIN(TestRegisterUsers)
#include "test_register_users.moc"
