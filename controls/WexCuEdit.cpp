#include "controls/WexCuEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

using Selection = CurrencyEditModel::Selection;
using Outcome = CurrencyEditModel::Outcome;

namespace {

bool isOneOf(QKeyEvent *e, std::initializer_list<QKeySequence::StandardKey> keys)
{
    for (auto k : keys) {
        if (e->matches(k))
            return true;
    }
    return false;
}

// Keys the line edit may handle itself: they move, select or copy, and never
// change the text.
bool isNavigationKey(QKeyEvent *e)
{
    if (isOneOf(e, {QKeySequence::Copy, QKeySequence::SelectAll, QKeySequence::MoveToStartOfLine,
                    QKeySequence::MoveToEndOfLine, QKeySequence::SelectStartOfLine,
                    QKeySequence::SelectEndOfLine, QKeySequence::SelectPreviousChar,
                    QKeySequence::SelectNextChar, QKeySequence::SelectPreviousWord,
                    QKeySequence::SelectNextWord, QKeySequence::MoveToStartOfBlock,
                    QKeySequence::MoveToEndOfBlock, QKeySequence::SelectStartOfBlock,
                    QKeySequence::SelectEndOfBlock}))
        return true;
    switch (e->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        return true;
    default:
        return false;
    }
}

} // namespace

bool CWexCuEdit::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (isReadOnly())
            break;
        return keyPress(static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
            break;
        return mouseButton(static_cast<QMouseEvent *>(event));
    case QEvent::InputMethod:
        if (isReadOnly())
            break;
        return true; // typing comes as key presses only
    default:
        break;
    }
    return QLineEdit::event(event);
}

bool CWexCuEdit::keyPress(QKeyEvent *e)
{
    Selection sel = rawSelection();
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;

    if (e->key() == Qt::Key_Backspace) {
        applyOutcome(m_model.backspace(sel), sel);
        return true;
    }
    if (e->key() == Qt::Key_Delete && !(mods & Qt::ShiftModifier)) {
        applyOutcome(m_model.deleteForward(sel), sel);
        return true;
    }
    if ((e->key() == Qt::Key_Left || e->key() == Qt::Key_Right) && !(mods & Qt::ShiftModifier)) {
        showModel(e->key() == Qt::Key_Left ? m_model.moveLeft(sel) : m_model.moveRight(sel));
        return true;
    }
    if (e->matches(QKeySequence::Paste)) {
        pasteAmount();
        return true;
    }
    if (e->matches(QKeySequence::Cut)) {
        cutSelection();
        return true;
    }
    if (isNavigationKey(e)) {
        const bool result = QLineEdit::event(e);
        if (!hasSelectedText()) // Home and End: not into the suffix
            showModel(rawSelection());
        return result;
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        // Not for the edit (its own bindings would change the text behind the
        // model's back); the dialog may want it.
        e->ignore();
        return true;
    }
    const QString text = e->text();
    if (text.size() == 1) {
        QChar c = text[0];
        // The numeric keypad's decimal key gives "." under many layouts.
        if (c == u'.' && (e->modifiers() & Qt::KeypadModifier))
            c = CurrencyEditModel::kDecimalChar;
        applyOutcome(m_model.typeChar(c, sel), sel);
    }
    return true; // every other character is ignored
}

bool CWexCuEdit::mouseButton(QMouseEvent *e)
{
    if (e->type() == QEvent::MouseButtonDblClick) {
        setFocus(Qt::MouseFocusReason);
        selectAll();
        return true;
    }
    const bool result = QLineEdit::event(e);
    // The click put the caret somewhere in the display text: move it to the
    // position that stands for a raw position (never inside the suffix).
    if (!hasSelectedText())
        showModel(rawSelection());
    return result;
}

CWexCuEdit::CWexCuEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textChanged, this, &CWexCuEdit::onTextChanged);
    setAmountText(QString()); // attaching: an empty edit shows 0
}

CWexCuEdit::~CWexCuEdit() = default;

bool CWexCuEdit::setAmountText(const QString &text)
{
    if (!m_model.setText(text)) {
        selectAll();
        return false;
    }
    const int caret = m_model.rawDecimalPointPos();
    showModel(Selection::caret(caret));
    return true;
}

bool CWexCuEdit::setAmount(const CWexOleCurrency &amount)
{
    if (!m_model.setAmount(amount))
        return false;
    showModel(Selection::caret(m_model.rawDecimalPointPos()));
    return true;
}

Selection CWexCuEdit::rawSelection() const
{
    if (hasSelectedText())
        return {m_model.displayToRaw(selectionStart()), m_model.displayToRaw(selectionEnd())};
    return Selection::caret(m_model.displayToRaw(cursorPosition()));
}

void CWexCuEdit::setRawSelection(int start, int end)
{
    const int length = m_model.rawLength();
    if (end < 0 || end > length)
        end = length;
    start = std::clamp(start, 0, end);
    showModel({start, end});
}

void CWexCuEdit::setSuffixAndDecimals(const QString &suffix, int decimals)
{
    m_model.setSuffix(suffix);
    m_model.setDecimals(decimals);
    showModel(rawSelection());
}

void CWexCuEdit::showModel(Selection sel)
{
    const QString display = m_model.displayText();
    if (text() != display) {
        m_showing = true;
        setText(display);
        m_showing = false;
    }
    const int start = m_model.rawToDisplay(sel.start);
    const int end = sel.isEmpty() ? start : m_model.rawToDisplay(sel.end, true);
    if (start == end)
        setCursorPosition(start);
    else
        setSelection(start, end - start);
}

void CWexCuEdit::applyOutcome(Outcome outcome, Selection sel)
{
    switch (outcome) {
    case Outcome::Refused:
        QApplication::beep();
        Q_EMIT keyRefused();
        return;
    case Outcome::Unchanged:
        showModel(sel);
        return;
    case Outcome::Changed:
        showModel(sel);
        notifyEdited();
        return;
    }
}

void CWexCuEdit::notifyEdited()
{
    setModified(true);
    Q_EMIT amountEdited();
}

void CWexCuEdit::onTextChanged(const QString &text)
{
    if (m_showing || text == m_model.displayText())
        return;
    // Someone set the line edit's text directly: take it as an amount when
    // it is one, else put the amount's own text back.
    QString plain = text;
    if (!m_model.suffix().isEmpty() && plain.endsWith(m_model.suffix()))
        plain.chop(m_model.suffix().size());
    if (!setAmountText(plain)) {
        showModel(Selection::caret(m_model.rawDecimalPointPos()));
        selectAll();
    }
}

void CWexCuEdit::pasteAmount()
{
    const QString pasted = QApplication::clipboard()->text().trimmed();
    if (setAmountText(pasted)) {
        notifyEdited();
    } else {
        QApplication::beep();
        Q_EMIT keyRefused();
    }
}

void CWexCuEdit::cutSelection()
{
    if (!hasSelectedText())
        return;
    copy();
    Selection sel = rawSelection();
    applyOutcome(m_model.backspace(sel), sel);
}

void CWexCuEdit::contextMenuEvent(QContextMenuEvent *event)
{
    // The line edit's own menu offers undo, delete and insertions that would
    // bypass the typing rules: offer only what keeps the amount whole.
    QMenu menu(this);
    QAction *copyAction = menu.addAction(tr("&Kopiuj"), this, &QLineEdit::copy);
    copyAction->setEnabled(hasSelectedText());
    if (!isReadOnly()) {
        menu.addAction(tr("Wk&lej"), this, &CWexCuEdit::pasteAmount);
    }
    menu.addSeparator();
    menu.addAction(tr("Zaznacz &wszystko"), this, &QLineEdit::selectAll);
    menu.exec(event->globalPos());
}
