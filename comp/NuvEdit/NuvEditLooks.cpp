// How TNuvEdit shows itself beyond the platform edit: the flat, soft and focus borders, the
// transparent background, the empty-text hint, the error marker and the drop caret, and the
// events that change them (hover, auto focus, the link click, the large-text hint, moves,
// visibility and the enabled state). The label is in EditLabel.cpp, drag and drop in
// NuvEditDragDrop.cpp.
#include "comp/NuvEdit/ListHintWindow.h"
#include "comp/NuvEdit/NuvEdit.h"
#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DrawFlags.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace {

TColor parentColor(const QWidget* w)
{
    const QWidget* p = w->parentWidget();
    return FromQColor((p ? p->palette() : w->palette()).color(QPalette::Window));
}

} // namespace

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
