// The boxes the program asks for are the boxes the user sees, and a click on
// one comes back as the answer the caller asked about; the test script
// answers in order and fails a test on anything it was not told to expect.

#include "DialogScript.h"
#include "base/AppIdentity.h"

#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(BoxRequest)
Q_DECLARE_METATYPE(BoxAnswer)

class TestUserDialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void boxShowsTheRequest_data();
    void boxShowsTheRequest();
    void clickComesBackAsTheAnswer_data();
    void clickComesBackAsTheAnswer();
    void scriptAnswersInOrder();
};

namespace {

BoxRequest overwriteQuestion()
{
    BoxRequest r {QMessageBox::Warning, QStringLiteral("Plik się zmienił."), QMessageBox::NoButton};
    r.choices = {{QStringLiteral("&Wczytaj ponownie"), QMessageBox::ActionRole},
                 {QStringLiteral("&Zastąp"), QMessageBox::AcceptRole},
                 {QStringLiteral("Anuluj"), QMessageBox::RejectRole}};
    r.defaultChoice = 2;
    r.escapeChoice = 2;
    return r;
}

QStringList texts(const QList<QAbstractButton *> &buttons)
{
    QStringList out;
    for (const QAbstractButton *b : buttons)
        out << b->text();
    return out;
}

} // namespace

void TestUserDialogs::boxShowsTheRequest_data()
{
    QTest::addColumn<BoxRequest>("request");
    QTest::addColumn<int>("buttonCount");
    QTest::addColumn<QString>("defaultText"); // a choice's text; empty: the standard default below
    QTest::addColumn<int>("defaultStandard");
    QTest::addColumn<QString>("escapeText");
    QTest::newRow("warning, Qt's default") << BoxRequest {QMessageBox::Warning, QStringLiteral("Uwaga")} << 1
                                           << QString() << int(QMessageBox::NoButton) << QString();
    QTest::newRow("question, No by default")
        << BoxRequest {QMessageBox::Question, QStringLiteral("Usunąć?"), QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No}
        << 2 << QString() << int(QMessageBox::No) << QString();
    QTest::newRow("choices, default and Esc on the third") << overwriteQuestion() << 3 << QStringLiteral("Anuluj")
                                                           << int(QMessageBox::NoButton) << QStringLiteral("Anuluj");
}

void TestUserDialogs::boxShowsTheRequest()
{
    QFETCH(BoxRequest, request);
    QFETCH(int, buttonCount);
    QFETCH(QString, defaultText);
    QFETCH(int, defaultStandard);
    QFETCH(QString, escapeText);
    const std::unique_ptr<QMessageBox> box = makeMessageBox(nullptr, request);
    QCOMPARE(box->windowTitle(), programTitle());
    QCOMPARE(box->icon(), request.icon);
    QCOMPARE(box->text(), request.text);
    QCOMPARE(box->buttons().size(), buttonCount);
    for (const BoxChoice &choice : std::as_const(request.choices))
        QVERIFY(texts(box->buttons()).contains(choice.text));
    if (defaultStandard == QMessageBox::NoButton && defaultText.isEmpty())
        QVERIFY(!box->defaultButton());
    else if (defaultText.isEmpty())
        QCOMPARE(int(box->standardButton(box->defaultButton())), defaultStandard);
    else
        QCOMPARE(box->defaultButton()->text(), defaultText);
    if (!escapeText.isEmpty())
        QCOMPARE(box->escapeButton()->text(), escapeText);
}

void TestUserDialogs::clickComesBackAsTheAnswer_data()
{
    QTest::addColumn<BoxRequest>("request");
    QTest::addColumn<QString>("click"); // a choice's text, or empty for the standard button below
    QTest::addColumn<int>("standard");
    QTest::addColumn<BoxAnswer>("expected");
    const BoxRequest yesNo {QMessageBox::Question, QStringLiteral("Zapisać?"),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes};
    QTest::newRow("Yes") << yesNo << QString() << int(QMessageBox::Yes) << BoxAnswer {QMessageBox::Yes};
    QTest::newRow("Cancel") << yesNo << QString() << int(QMessageBox::Cancel) << BoxAnswer {QMessageBox::Cancel};
    QTest::newRow("first choice") << overwriteQuestion() << QStringLiteral("&Wczytaj ponownie")
                                  << int(QMessageBox::NoButton) << BoxAnswer {QMessageBox::NoButton, 0};
    QTest::newRow("last choice") << overwriteQuestion() << QStringLiteral("Anuluj") << int(QMessageBox::NoButton)
                                 << BoxAnswer {QMessageBox::NoButton, 2};
}

void TestUserDialogs::clickComesBackAsTheAnswer()
{
    QFETCH(BoxRequest, request);
    QFETCH(QString, click);
    QFETCH(int, standard);
    QFETCH(BoxAnswer, expected);
    // The real window handler, clicked as a user would once the box is up.
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton *b : box->buttons())
                if (click.isEmpty() ? box->standardButton(b) == standard : b->text() == click)
                    b->click();
        },
        Qt::QueuedConnection);
    const BoxAnswer answer = askBox(nullptr, request);
    QCOMPARE(answer.button, expected.button);
    QCOMPARE(answer.choice, expected.choice);
}

void TestUserDialogs::scriptAnswersInOrder()
{
    DialogScript script;
    const auto first = script.answer(QMessageBox::No);
    const auto second = script.answer(QStringLiteral("Zastąp"));
    const auto file = script.chooseFile(QStringLiteral("/tmp/a.zmt"));
    const auto password = script.typeText(QStringLiteral("tajne"));
    const auto dialog = script.onDialog<QDialog>([](QDialog *d) {
        QVERIFY(d->isVisible());
        d->accept();
    });
    QCOMPARE(askQuestion(nullptr, QMessageBox::Question, QStringLiteral("Usunąć?"), QMessageBox::Yes | QMessageBox::No,
                         QMessageBox::Yes),
             QMessageBox::No);
    QCOMPARE(first->text, QStringLiteral("Usunąć?"));
    QCOMPARE(first->defaultButton, QMessageBox::Yes);
    QCOMPARE(askBox(nullptr, overwriteQuestion()).choice, 1);
    QCOMPARE(second->choices, QStringList({"Wczytaj ponownie", "Zastąp", "Anuluj"}));
    QCOMPARE(second->defaultChoice, QStringLiteral("Anuluj"));
    QCOMPARE(chooseFile(nullptr, {FileRequest::SaveFile, QStringLiteral("Zapisz jako")}),
             QStringLiteral("/tmp/a.zmt"));
    QCOMPARE(file->file.caption, QStringLiteral("Zapisz jako"));
    QCOMPARE(askText(nullptr, {QString(), QStringLiteral("Hasło:"), QLineEdit::Password}), QStringLiteral("tajne"));
    QCOMPARE(password->input.echo, QLineEdit::Password);
    QDialog d;
    QCOMPARE(execDialog(d), int(QDialog::Accepted));
    QVERIFY(dialog->shown);
    QVERIFY(script.finished());
}

QTEST_MAIN(TestUserDialogs)
#include "test_user_dialogs.moc"
