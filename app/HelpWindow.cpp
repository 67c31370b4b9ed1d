#include "app/HelpWindow.h"

#include "base/AppIdentity.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QUrl kGuide(QStringLiteral("qrc:/help/pomoc.html"));
const QSize kGuideSize(760, 620);
// Room for the frame the window manager adds around the window's contents.
constexpr int kTitleBar = 32;
constexpr int kBorder = 8;

QPointer<CHelpWindow> &theWindow()
{
    static QPointer<CHelpWindow> window;
    return window;
}

// The nearest window above `widget` that runs modally, or nullptr.
QWidget *modalOwnerAbove(QWidget *widget)
{
    for (QWidget *w = widget ? widget->parentWidget() : nullptr; w; w = w->parentWidget()) {
        QWidget *window = w->window();
        if (window->isModal() && window->isVisible())
            return window;
        w = window;
    }
    return nullptr;
}
} // namespace

CHelpWindow::CHelpWindow(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(programTitle() + QStringLiteral(" - pomoc"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The guide alone never keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
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
    resize(kGuideSize);
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

void CHelpWindow::followActiveModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != this && modal != parentWidget())
        moveTo(modal);
}

void CHelpWindow::moveTo(QWidget *owner)
{
    // A window opened while a modal dialog runs is blocked unless it belongs
    // to that dialog: the help window goes with the dialog while it runs.
    const QRect where = geometry();
    const bool shown = isVisible();
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    setParent(owner, windowFlags() | Qt::Window);
    if (owner)
        owner->installEventFilter(this);
    setGeometry(where);
    if (shown)
        show();
}

bool CHelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The dialog it belonged to ends: back to the next dialog still running,
    // or a window of its own.
    if (watched == parentWidget() && event->type() == QEvent::Hide && !event->spontaneous())
        moveTo(modalOwnerAbove(parentWidget()));
    return QWidget::eventFilter(watched, event);
}

QRect placeBesideOwner(const QSize &wanted, const QRect &owner, const QRect &available)
{
    const QRect room = available.adjusted(kBorder, kTitleBar, -kBorder, -kBorder);
    QRect place(QPoint(), wanted.boundedTo(room.size()));
    place.moveCenter(owner.isValid() ? owner.center() : room.center());
    place.moveLeft(std::clamp(place.left(), room.left(), room.right() - place.width() + 1));
    place.moveTop(std::clamp(place.top(), room.top(), room.bottom() - place.height() + 1));
    return place;
}

CHelpWindow *showHelp(const QString &section)
{
    // One window for the whole program; it deletes itself when closed.
    QPointer<CHelpWindow> &window = theWindow();
    if (!window) {
        window = new CHelpWindow;
        // Whole on the screen of the window it was asked from, beside it.
        QWidget *owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                          : QApplication::activeWindow();
        QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (screen)
            window->setGeometry(placeBesideOwner(kGuideSize, owner ? owner->frameGeometry() : QRect(),
                                                 screen->availableGeometry()));
    }
    window->followActiveModal();
    window->showTopic(section);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

CHelpWindow *helpWindow()
{
    return theWindow();
}

void closeHelpWindow()
{
    if (CHelpWindow *window = theWindow())
        window->close();
}

void installHelpWindow()
{
    setHelpHandler([](const QString &section) { showHelp(section); });
}
