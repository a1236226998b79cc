// The mouse buttons on TNuvEdit and its text drag and drop with other windows: a press
// inside the selection starts a drag of the selected text, a move to another window takes it
// away, text dropped on the edit goes in at the drop caret by the same rules as a paste, and
// a plain click on a link opens it.
#include "comp/NuvEdit/NuvEdit.h"
#include "platform/core/RaiseEvent.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>

namespace {

QString firstLineOf(const QString& text)
{
    const qsizetype br = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return br >= 0 ? text.left(br) : text;
}

} // namespace

void TNuvEdit::mousePressEvent(QMouseEvent* event)
{
    // A link opens on a click into an edit that already had the focus, not on the click
    // that gives it.
    m_focusedAtPress = m_focused || hasFocus();
    if (event->button() == Qt::LeftButton && m_oleDropSource && hasSelectedText() &&
        (m_focused || hasFocus())) {
        const int pos = cursorPositionAt(event->position().toPoint());
        int s = 0;
        int e = 0;
        selection(s, e);
        if (pos >= s && pos < e) {
            m_pressedInSelection = true;
            m_pressPos = event->position().toPoint();
            event->accept();
            return;
        }
    }
    QLineEdit::mousePressEvent(event);
}

void TNuvEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressedInSelection) {
        if ((event->position().toPoint() - m_pressPos).manhattanLength() >=
            QApplication::startDragDistance()) {
            m_pressedInSelection = false;
            startTextDrag();
        }
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void TNuvEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_pressedInSelection) {
        m_pressedInSelection = false;
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        keepCaretInValue();
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    keepCaretInValue();
    if (event->button() == Qt::LeftButton && m_linkFlag && m_focusedAtPress &&
        (m_focused || hasFocus()) && !hasSelectedText()) {
        bool show = true;
        const QString url = Text();
        Raise(OnURLClick, *this, url, show);
        if (show)
            OpenLink(url, LinkOpener);
    }
}

// --- Drag and drop -------------------------------------------------------------------------

void TNuvEdit::startTextDrag()
{
    int s = 0;
    int e = 0;
    selection(s, e);
    // What leaves the edit is the selected part of the value, as for copy and cut: the
    // prefix and suffix stay where they are.
    const QString dragged = selectedValuePart();
    if (dragged.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setText(dragged);
    auto* drag = new QDrag(this); // owned by Qt until the drag ends
    drag->setMimeData(data);
    const QString before = QLineEdit::text();
    const Qt::DropAction action = RunTextDrag
                                      ? RunTextDrag(*drag)
                                      : drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    if (RunTextDrag)
        drag->deleteLater();
    const bool ctrl = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
    // A move to another window takes the text away here, when nothing else changed it.
    if (action == Qt::MoveAction && !ctrl && QLineEdit::text() == before &&
        EditorAcceptsClipboard()) {
        QString v = Text();
        const int vs = std::clamp(s - prefixLength(), 0, int(v.size()));
        const int ve = std::clamp(e - prefixLength(), 0, int(v.size()));
        v.remove(vs, ve - vs);
        setWindowValue(v);
        setCursorPosition(prefixLength() + vs);
        if (m_editType == TNuvEditType::etMoney)
            regroupMoney();
        SetValueModified(true);
    }
}

void TNuvEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_oleDropTarget && event->mimeData()->hasText() && !isReadOnly()) {
        event->acceptProposedAction();
        m_dropCaret = std::clamp(cursorPositionAt(event->position().toPoint()), prefixLength(),
                                 prefixLength() + int(Text().size()));
        update();
    } else {
        event->ignore();
    }
}

void TNuvEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (!m_oleDropTarget || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const int pos = std::clamp(cursorPositionAt(event->position().toPoint()), prefixLength(),
                               prefixLength() + int(Text().size()));
    if (pos != m_dropCaret) {
        m_dropCaret = pos;
        update();
    }
    event->acceptProposedAction();
}

void TNuvEdit::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_dropCaret = -1;
    update();
    event->accept();
}

void TNuvEdit::dropEvent(QDropEvent* event)
{
    const int pos = m_dropCaret >= 0
                        ? m_dropCaret
                        : std::clamp(cursorPositionAt(event->position().toPoint()), prefixLength(),
                                     prefixLength() + int(Text().size()));
    m_dropCaret = -1;
    update();
    if (!m_oleDropTarget || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const QString text = firstLineOf(event->mimeData()->text());
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    const int vpos = pos - prefixLength();
    if (event->source() == this) {
        int s = 0;
        int e = 0;
        valueSelection(s, e);
        if (vpos >= s && vpos <= e && s != e) {
            event->ignore();
            return;
        }
        if (!ctrl && s != e) {
            // A move inside the edit: the text leaves its old place and the source must not
            // remove it a second time.
            const QString saved = QLineEdit::text();
            const bool modified = m_modified;
            QString v = Text();
            v.remove(s, e - s);
            const int at = vpos > e ? vpos - (e - s) : vpos;
            setWindowValue(v);
            if (!applyInsertion(text, at, at, true)) {
                QLineEdit::setText(saved);
                m_modified = modified;
                event->ignore();
                return;
            }
            event->setDropAction(Qt::CopyAction);
            event->accept();
            return;
        }
    }
    if (QLineEdit::text().size() + text.size() >
        (m_maxLength > 0 ? m_maxLength : QLineEdit::maxLength())) {
        event->ignore();
        return;
    }
    if (!applyInsertion(text, vpos, vpos, true)) {
        event->ignore();
        return;
    }
    event->setDropAction(ctrl || event->source() == this ? Qt::CopyAction
                                                         : event->proposedAction());
    event->accept();
    setFocus(Qt::OtherFocusReason);
}
