#pragma once
// What the main window's tests do again and again: start the program as
// main() does over a settings file of their own, fill and select its list,
// print to a PDF and read it back, find the Alt letters of texts.

#include "PdfText.h"
#include "app/KantomixApp.h"
#include "app/KantomixView.h"
#include "app/MainFrame.h"
#include "base/Settings.h"
#include "model/PrzelewDane.h"

#include <QFile>
#include <QMap>
#include <QPrinter>
#include <QSettings>
#include <functional>
#include <memory>

// Order i of a list: "Odbiorca i", "Faktura i", dated 1+i March 2024.
inline CPrzelewDane listOrder(int i, qint64 grosze, int kind = KindOrdinary)
{
    CPrzelewDane r;
    r.SetKind(kind, COrderDate::fromParts(2024, 3, 1 + i));
    r.recipient1 = QStringLiteral("Odbiorca %1").arg(i);
    r.title1 = QStringLiteral("Faktura %1").arg(i);
    r.checkDigits = QStringLiteral("49");
    r.bankNumber = QStringLiteral("10201026");
    r.accountRest = QStringLiteral("0000120201234567");
    r.amount = CWexOleCurrency(grosze * 100);
    return r;
}

// A line of the ZUS payer program's export: one order, to a ZUS account closed in 2018.
inline const QByteArray zusExportLine =
    "x,20050101,0000012345,a,b,\"12102010260000150201234567\",\"1010102300002613951000\",\"Firma\",c,d,e,"
    "\"1234567890|P12345678901|S20050101|DEC\",f\r\n";

// The settings file emptied; AutoOpen and the recent files written when given.
inline void writeStartSettings(std::optional<int> autoOpen = {}, const QStringList &recent = {})
{
    // Through QSettings: it keeps the file's contents cached within the process.
    auto store = openSettingsStore();
    store->clear();
    if (autoOpen)
        store->setValue(QStringLiteral("Settings/AutoOpen"), *autoOpen);
    for (int i = 0; i < recent.size(); ++i)
        store->setValue(QStringLiteral("Recent File List/File%1").arg(i + 1), recent[i]);
    store->sync();
}

// The program started with `args` as its command line; null when it did not start.
inline CMainFrame *startProgram(std::unique_ptr<CKantomixApp> &app, const QStringList &args = {})
{
    CKantomixCommandLineInfo cmd;
    cmd.ParseArguments(args);
    app = std::make_unique<CKantomixApp>();
    return app->InitInstance(cmd) ? app->mainFrame() : nullptr;
}

// Orders i of `grosze[i]` added to the list; the document counts as saved.
inline void addListOrders(CMainFrame *frame, const QList<qint64> &grosze)
{
    for (int i = 0; i < grosze.size(); ++i)
        frame->document().Add(listOrder(i, grosze[i]));
    frame->editor()->showDocument();
    frame->document().setModified(false);
}

// The program started over `count` orders of 10, 20, 30... zł.
inline CMainFrame *startWithOrders(std::unique_ptr<CKantomixApp> &app, int count)
{
    CMainFrame *frame = startProgram(app);
    QList<qint64> grosze;
    for (int i = 0; i < count; ++i)
        grosze << 1000 * (i + 1);
    if (frame)
        addListOrders(frame, grosze);
    return frame;
}

// `rows` added to the list's selection.
inline void selectRows(QAbstractItemView *view, const QList<int> &rows)
{
    for (int row : rows)
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

inline QStringList recipients(const CKantomixDoc &doc)
{
    QStringList out;
    for (int i = 0; i < doc.count(); ++i)
        out << doc.at(i).recipient1;
    return out;
}

// What `print` printed on `printer` set to write the PDF `path`, read back.
inline PdfText printedPdf(QPrinter &printer, const QString &path, const std::function<void()> &print)
{
    QFile::remove(path);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    print();
    return PdfText::read(path);
}

// The Alt letter of a text ("&&" is a plain "&"), lower case; null without one.
inline QChar mnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Texts among `texts` that share a letter, as "a / b: x".
inline QStringList clashesAmong(const QStringList &texts)
{
    QMap<QChar, QString> taken;
    QStringList clashes;
    for (const QString &text : texts) {
        const QChar key = mnemonicOf(text);
        if (key.isNull())
            continue;
        if (taken.contains(key))
            clashes << QStringLiteral("%1 / %2: %3").arg(taken.value(key), text, QString(key));
        else
            taken.insert(key, text);
    }
    return clashes;
}
