// How TNuvEdit shows itself beyond the platform edit: the flat, soft and focus borders, the
// transparent background, the empty-text hint, the error marker, the attached caption label
// in its ten positions, the mouse (auto focus, hover, link clicks, large-text hints) and
// text drag and drop with other windows.
#include "comp/NuvEdit/EditLabel.h"
#include "comp/NuvEdit/ListHintWindow.h"
#include "comp/NuvEdit/NuvEdit.h"
#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DrawFlags.h"

#include <QApplication>
#include <QDrag>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QToolTip>

namespace {

QString firstLineOf(const QString& text)
{
    const qsizetype br = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return br >= 0 ? text.left(br) : text;
}

TColor parentColor(const QWidget* w)
{
    const QWidget* p = w->parentWidget();
    return FromQColor((p ? p->palette() : w->palette()).color(QPalette::Window));
}

} // namespace

// --- Label ---------------------------------------------------------------------------------

TEditLabel::TEditLabel(TNuvEdit& edit, QWidget* parent) : QLabel(parent), m_edit(edit)
{
    setBuddy(&edit);
}

void TEditLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    if (m_edit.isEnabled())
        m_edit.setFocus(Qt::MouseFocusReason);
    Raise(m_edit.OnLabelClick, m_edit);
}

void TEditLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    Raise(m_edit.OnLabelDblClick, m_edit);
}

QLabel* TNuvEdit::Label() const
{
    return m_label.data();
}

void TNuvEdit::SetLabelCaption(const QString& caption)
{
    m_labelCaption = caption;
    if (!m_label) {
        m_label = new TEditLabel(*this, parentWidget());
        // Without a parent the label would become a window of its own; it stays hidden
        // until the edit has one.
        m_label->setVisible(parentWidget() && isVisible());
    }
    m_label->setText(caption);
    updateLabelLook();
    placeLabel();
}

void TNuvEdit::SetLabelPosition(TLabelPosition position)
{
    m_labelPosition = position;
    placeLabel();
}

void TNuvEdit::SetLabelMargin(int margin)
{
    m_labelMargin = margin;
    placeLabel();
}

void TNuvEdit::SetLabelTransparent(bool on)
{
    m_labelTransparent = on;
    updateLabelLook();
}

void TNuvEdit::SetLabelAlwaysEnabled(bool on)
{
    m_labelAlwaysEnabled = on;
    updateLabelLook();
}

void TNuvEdit::updateLabelLook()
{
    if (!m_label)
        return;
    QFont f = m_labelFont.ToQFont();
    if (m_focusLabel && m_focused)
        f.setBold(true);
    m_label->setFont(f);
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText, ToQColor(m_labelFont.Color()));
    m_label->setPalette(pal);
    m_label->setAutoFillBackground(!m_labelTransparent);
    m_label->setEnabled(m_labelAlwaysEnabled || isEnabled());
    m_label->adjustSize();
    placeLabel();
}

void TNuvEdit::placeLabel()
{
    if (!m_label)
        return;
    m_label->adjustSize();
    const int lw = m_label->width();
    const int lh = m_label->height();
    const int m = m_labelMargin;
    const QRect e = geometry();
    int x = 0;
    int y = 0;
    switch (m_labelPosition) {
    case TLabelPosition::lpLeftTop:
        x = e.left() - lw - m;
        y = e.top();
        break;
    case TLabelPosition::lpLeftCenter:
        x = e.left() - lw - m;
        y = e.top() + (e.height() - lh) / 2;
        break;
    case TLabelPosition::lpLeftBottom:
        x = e.left() - lw - m;
        y = e.top() + e.height() - lh;
        break;
    case TLabelPosition::lpTopLeft:
        x = e.left();
        y = e.top() - lh - m;
        break;
    case TLabelPosition::lpBottomLeft:
        x = e.left();
        y = e.top() + e.height() + m;
        break;
    case TLabelPosition::lpLeftTopLeft:
        x = e.left() - m;
        y = e.top();
        break;
    case TLabelPosition::lpLeftCenterLeft:
        x = e.left() - m;
        y = e.top() + (e.height() - lh) / 2;
        break;
    case TLabelPosition::lpLeftBottomLeft:
        x = e.left() - m;
        y = e.top() + e.height() - lh;
        break;
    case TLabelPosition::lpTopCenter:
        x = e.left() + (e.width() - lw) / 2;
        y = e.top() - lh - m;
        break;
    case TLabelPosition::lpBottomCenter:
        x = e.left() + (e.width() - lw) / 2;
        y = e.top() + e.height() + m;
        break;
    }
    m_label->move(x, y);
}

// --- Look settings -------------------------------------------------------------------------

void TNuvEdit::UpdateTextArea()
{
    const int left = ExtraLeftMargin();
    const int right = ExtraRightMargin();
    if (m_flat || m_focusBorder)
        // The platform edit keeps two pixels of its own above and below the text, so the flat
        // text area of 2, 4, 2, 4 pixels needs only two more there.
        setTextMargins(2 + left, m_flat ? 2 : 1, 2 + right, m_flat ? 2 : 1);
    else
        setTextMargins(left, 0, right, 0);
    setFrame(!m_flat && !m_focusBorder);
}

void TNuvEdit::SetFlat(bool on)
{
    if (on == m_flat)
        return;
    m_flat = on;
    if (on) {
        m_colorBeforeFlat = m_normalColor;
        if (m_flatParentColor) {
            const TColor c = parentColor(this);
            m_focusColor = c;
            SetColor(c);
        }
    } else {
        SetColor(m_colorBeforeFlat);
    }
    UpdateTextArea();
    update();
}

void TNuvEdit::SetFlatLineColor(TColor c)
{
    m_flatLineColor = c;
    update();
}

void TNuvEdit::SetSoftBorder(bool on)
{
    m_softBorder = on;
    update();
}

void TNuvEdit::SetFocusBorder(bool on)
{
    m_focusBorder = on;
    UpdateTextArea();
    update();
}

void TNuvEdit::SetTransparent(bool on)
{
    m_transparent = on;
    setAttribute(Qt::WA_TranslucentBackground, on);
    applyColors();
}

void TNuvEdit::SetEmptyText(const QString& text)
{
    m_emptyText = text;
    update();
}

void TNuvEdit::SetErrorMarkerPos(int pos)
{
    m_errorMarkerPos = std::max(0, pos);
    update();
}

void TNuvEdit::SetErrorMarkerLen(int len)
{
    m_errorMarkerLen = std::max(0, len);
    update();
}

void TNuvEdit::SetOleDropTarget(bool on)
{
    m_oleDropTarget = on;
    setAcceptDrops(on);
}

// --- Painting ------------------------------------------------------------------------------

// The x of the caret standing before window-text position pos, in widget pixels.
int TNuvEdit::xOfPosition(int pos) const
{
    const QString shown = displayText();
    const int caret = cursorPosition();
    const QFontMetrics fm(font());
    const int p = std::clamp(pos, 0, int(shown.size()));
    const int c = std::clamp(caret, 0, int(shown.size()));
    return cursorRect().center().x() + fm.horizontalAdvance(shown.left(p)) -
           fm.horizontalAdvance(shown.left(c));
}

void TNuvEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    TCanvas canvas(this);
    paintExtras(canvas);
}

void TNuvEdit::paintExtras(TCanvas& canvas)
{
    const TRect bounds{0, 0, width(), height()};
    const QRect cr = cursorRect();
    const QFontMetrics fm(font());
    const int textTop = cr.center().y() - fm.height() / 2;
    const int textBottom = textTop + fm.height();

    if (!m_emptyText.isEmpty() && Text().isEmpty() && !m_focused) {
        canvas.Font().Assign(m_font);
        canvas.Font().SetColor(clGray);
        canvas.SetBkMode(TBkMode::bkTransparent);
        canvas.TextOut(2, 2, m_emptyText);
    }

    if (!m_focused && m_errorMarkerLen > 0) {
        const int n = int(Text().size());
        const int from = prefixLength() + std::min(m_errorMarkerPos, n);
        const int toChar = m_errorMarkerPos + m_errorMarkerLen;
        const int x0 = xOfPosition(from);
        const int x1 = toChar >= n ? xOfPosition(prefixLength() + n) + 4
                                   : xOfPosition(prefixLength() + toChar);
        canvas.Pen().SetColor(clRed);
        canvas.Pen().SetWidth(2);
        bool up = true;
        canvas.MoveTo(x0, textBottom - 1);
        for (int x = x0 + 3; x <= x1; x += 3) {
            canvas.LineTo(x, up ? textBottom + 2 : textBottom - 1);
            up = !up;
        }
        canvas.Pen().SetWidth(1);
    }

    if (m_focusBorder) {
        const bool hot = m_hover || m_focused;
        TRect r = bounds;
        canvas.Brush().SetColor(hot ? clBtnFace : parentColor(this));
        canvas.FrameRect(r);
        if (hot) {
            TRect inner{1, 1, width() - 1, height() - 1};
            canvas.DrawEdge(inner, BDR_SUNKENOUTER, BF_RECT);
        }
    } else if (m_flat) {
        const int right = width() - ExtraRightMargin();
        if (m_softBorder) {
            canvas.Brush().SetColor(clBtnShadow);
            canvas.FrameRect(TRect{0, 0, right, height()});
        } else {
            canvas.Pen().SetColor(m_flatLineColor);
            canvas.MoveTo(std::max(0, ExtraLeftMargin()), height() - 1);
            canvas.LineTo(right, height() - 1);
        }
    }

    if (m_dropCaret >= 0) {
        const int x = xOfPosition(m_dropCaret);
        canvas.Pen().SetColor(clBlack);
        canvas.MoveTo(x, textTop);
        canvas.LineTo(x, textTop + fm.height());
    }
}

// --- Mouse ---------------------------------------------------------------------------------

void TNuvEdit::enterEvent(QEnterEvent* event)
{
    QLineEdit::enterEvent(event);
    m_hover = true;
    if (m_autoFocus && isEnabled() && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    Raise(OnMouseEnter, *this);
    if (m_focusBorder)
        update();
}

void TNuvEdit::leaveEvent(QEvent* event)
{
    QLineEdit::leaveEvent(event);
    m_hover = false;
    Raise(OnMouseLeave, *this);
    if (m_focusBorder)
        update();
}

void TNuvEdit::mousePressEvent(QMouseEvent* event)
{
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
    if (event->button() == Qt::LeftButton && m_linkFlag && (m_focused || hasFocus()) &&
        !hasSelectedText()) {
        bool show = true;
        const QString url = Text();
        Raise(OnURLClick, *this, url, show);
        if (show)
            OpenLink(url, LinkOpener);
    }
}

bool TNuvEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_hintShowLargeText) {
        const QFontMetrics fm(font());
        if (fm.horizontalAdvance(QLineEdit::text()) > contentsRect().width()) {
            QToolTip::showText(mapToGlobal(QPoint(0, 0)), Text(), this);
            return true;
        }
    }
    if (event->type() == QEvent::ParentChange && m_label) {
        m_label->setParent(parentWidget());
        m_label->setVisible(parentWidget() && isVisible());
        placeLabel();
    }
    return QLineEdit::event(event);
}

void TNuvEdit::moveEvent(QMoveEvent* event)
{
    QLineEdit::moveEvent(event);
    placeLabel();
}

void TNuvEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeLabel();
}

bool TNuvEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedWindow && m_popup && m_popup->isVisible()) {
        const QEvent::Type t = event->type();
        if (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Hide ||
            (t == QEvent::WindowDeactivate && QApplication::activeWindow() != m_popup.get()))
            m_popup->hide();
    }
    return QLineEdit::eventFilter(watched, event);
}

void TNuvEdit::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    if (window() != m_watchedWindow) {
        if (m_watchedWindow)
            m_watchedWindow->removeEventFilter(this);
        m_watchedWindow = window();
        if (m_watchedWindow != this)
            m_watchedWindow->installEventFilter(this);
    }
    if (m_label && parentWidget())
        m_label->show();
}

void TNuvEdit::hideEvent(QHideEvent* event)
{
    QLineEdit::hideEvent(event);
    if (m_label)
        m_label->hide();
}

void TNuvEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_shownColor = isEnabled() ? (m_errorFlag ? m_errorColor : m_normalColor) : m_disabledColor;
        applyColors();
        updateLabelLook();
    }
}

// --- Drag and drop -------------------------------------------------------------------------

void TNuvEdit::startTextDrag()
{
    int s = 0;
    int e = 0;
    selection(s, e);
    const QString dragged = QLineEdit::text().mid(s, e - s);
    if (dragged.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setText(dragged);
    auto* drag = new QDrag(this); // owned by Qt until the drag ends
    drag->setMimeData(data);
    const QString before = QLineEdit::text();
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
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
    if (m_maxLength > 0 && QLineEdit::text().size() + text.size() > m_maxLength) {
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
