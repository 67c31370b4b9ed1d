#include "app/HelpWindow.h"

#include "base/AppIdentity.h"

#include <QAction>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QUrl kGuide(QStringLiteral("qrc:/help/pomoc.html"));
}

CHelpWindow::CHelpWindow(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(programTitle() + QStringLiteral(" - pomoc"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setOpenExternalLinks(true);

    auto *bar = new QToolBar(this);
    QAction *back = bar->addAction(QIcon::fromTheme(QStringLiteral("go-previous")), QStringLiteral("&Wstecz"));
    QAction *forward = bar->addAction(QIcon::fromTheme(QStringLiteral("go-next")), QStringLiteral("&Dalej"));
    QAction *home = bar->addAction(QIcon::fromTheme(QStringLiteral("go-home")), QStringLiteral("&Spis treści"));
    back->setEnabled(false);
    forward->setEnabled(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] { showTopic({}); });
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_browser);
    resize(760, 620);
}

void CHelpWindow::showTopic(const QString &section)
{
    QUrl url = kGuide;
    if (!section.isEmpty())
        url.setFragment(section);
    m_browser->setSource(url);
    if (!section.isEmpty())
        m_browser->scrollToAnchor(section);
}

CHelpWindow *showHelp(const QString &section)
{
    // One window for the whole program; it deletes itself when closed.
    static QPointer<CHelpWindow> window;
    if (!window)
        window = new CHelpWindow;
    window->showTopic(section);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void installHelpWindow()
{
    setHelpHandler([](const QString &section) { showHelp(section); });
}
