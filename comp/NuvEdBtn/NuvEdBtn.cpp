// The edit with a button: the button window and its click, the edit's layout (minimum
// height, button bounds, text area), F4 and Ctrl+Enter, the locked editor and the flat look.
#include "comp/NuvEdBtn/NuvEdBtn.h"

#include "platform/core/RaiseEvent.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QResizeEvent>

// --- TEditButton ---------------------------------------------------------------------------

TEditButton::TEditButton(QWidget* parent) : QWidget(parent), m_button(new TNuvSpeedButton(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    resize(16, 25);
    m_button->setGeometry(0, 0, m_buttonWidth, height());
    m_button->OnMouseUp = [this](QWidget&, TMouseButton button, TShiftState, int x, int y) {
        if (button == TMouseButton::mbLeft && x >= 0 && y >= 0 && x < m_button->width() &&
            y < m_button->height())
            buttonReleased();
    };
}

void TEditButton::SetButtonWidth(int width)
{
    if (width < 1 || width == m_buttonWidth)
        return;
    m_buttonWidth = width;
    resize(width, height());
}

void TEditButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() != m_buttonWidth) {
        resize(m_buttonWidth, height());
        return;
    }
    m_button->setGeometry(0, 0, m_buttonWidth, height());
}

void TEditButton::buttonReleased()
{
    Raise(OnClick, *this);
    QWidget* focus = m_focusControl;
    if (focus && focus->hasFocus())
        return;
    if (focus && focus->focusPolicy() & Qt::TabFocus && focus->isEnabled() && focus->isVisible()) {
        focus->setFocus(Qt::MouseFocusReason);
        return;
    }
    if (focusPolicy() & Qt::TabFocus && isEnabled() && isVisible())
        setFocus(Qt::MouseFocusReason);
}

// --- TNuvEditBtn ---------------------------------------------------------------------------

TNuvEditBtn::TNuvEditBtn(QWidget* parent) : TNuvEdit(parent), m_button(new TEditButton(this))
{
    m_button->SetFocusControl(this);
    m_button->OnClick = [this](QWidget&) { ButtonClick(); };
    UpdateTextArea();
    layoutButton();
}

TNuvEditBtn::~TNuvEditBtn() = default;

void TNuvEditBtn::Loaded()
{
    TNuvEdit::Loaded();
    layoutButton();
}

void TNuvEditBtn::ButtonClick()
{
    Raise(OnClickBtn, *this);
}

int TNuvEditBtn::MinimumHeight() const
{
    const int own = QFontMetrics(font()).height();
    const int system = QFontMetrics(QApplication::font()).height();
    return own + std::min(own, system) / 4;
}

TRect TNuvEditBtn::ButtonBounds() const
{
    // The figures count the edit's own width and height; the border pixels they subtract
    // keep the button inside the client area.
    const int w = width();
    const int h = height();
    const int bw = m_buttonWidth;
    if (m_ctl3D) {
        const int b = Flat() ? 3 : (hasFrame() ? 4 : 2);
        const int left = w - bw - b;
        const int top = Flat() ? 2 : 0;
        return {left, top, left + bw, top + h - b - 1};
    }
    const int left = w - bw - 2;
    return {left, 1, left + bw, 1 + h - 3};
}

int TNuvEditBtn::clientOffset() const
{
    // The 3-D border is two pixels wide, the plain one a single line.
    if (!hasFrame())
        return 0;
    return m_ctl3D ? 2 : 1;
}

void TNuvEditBtn::layoutButton()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    const int minimum = MinimumHeight();
    if (height() < minimum)
        resize(width(), minimum);
    const TRect r = ButtonBounds();
    const int offset = clientOffset();
    m_button->SetButtonWidth(m_buttonWidth);
    m_button->setGeometry(r.Left + offset, r.Top + offset, m_buttonWidth, std::max(1, r.Height()));
    UpdateTextArea();
    m_inLayout = false;
}

void TNuvEditBtn::SetButtonWidth(int width)
{
    if (width < 1 || width == m_buttonWidth)
        return;
    m_buttonWidth = width;
    layoutButton();
}

void TNuvEditBtn::SetButtonHint(const QString& hint)
{
    m_buttonHint = hint;
    m_button->Button().setToolTip(hint);
}

void TNuvEditBtn::SetFlat(bool on)
{
    m_button->Button().SetFlat(on);
    TNuvEdit::SetFlat(on);
    layoutButton();
}

void TNuvEditBtn::SetEtched(bool on)
{
    m_etched = on;
    m_button->Button().SetEtched(on);
}

void TNuvEditBtn::SetCtl3D(bool on)
{
    m_ctl3D = on;
    layoutButton();
}

bool TNuvEditBtn::EditorAcceptsClipboard() const
{
    return m_editorEnabled && TNuvEdit::EditorAcceptsClipboard();
}

void TNuvEditBtn::KeyDown(int& key, TShiftState shift)
{
    const bool ctrl = shift.Contains(TShiftStateItem::ssCtrl);
    TNuvEdit::KeyDown(key, shift);
    if (key == VK_RETURN && ctrl) {
        PostKey(this, VK_UP);
        key = 0;
    }
}

void TNuvEditBtn::keyPressEvent(QKeyEvent* event)
{
    const TShiftState shift = ShiftStateFromEvent(*event);
    const bool f4 = VirtualKeyFromEvent(*event) == VK_F4 &&
                    !shift.Contains(TShiftStateItem::ssCtrl) &&
                    !shift.Contains(TShiftStateItem::ssAlt);
    TNuvEdit::keyPressEvent(event);
    if (f4) {
        event->accept();
        ButtonClick();
    }
}

void TNuvEditBtn::DoEnter(Qt::FocusReason reason)
{
    TNuvEdit::DoEnter(reason);
    updateButtonFocus();
}

void TNuvEditBtn::DoExit()
{
    TNuvEdit::DoExit();
    updateButtonFocus();
}

void TNuvEditBtn::enterEvent(QEnterEvent* event)
{
    TNuvEdit::enterEvent(event);
    updateButtonFocus();
}

void TNuvEditBtn::leaveEvent(QEvent* event)
{
    TNuvEdit::leaveEvent(event);
    updateButtonFocus();
}

void TNuvEditBtn::updateButtonFocus()
{
    if (Flat())
        m_button->Button().SetFocused(Hovered() || Focused());
}

void TNuvEditBtn::resizeEvent(QResizeEvent* event)
{
    TNuvEdit::resizeEvent(event);
    layoutButton();
}

void TNuvEditBtn::changeEvent(QEvent* event)
{
    TNuvEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        layoutButton();
    else if (event->type() == QEvent::EnabledChange)
        m_button->setEnabled(isEnabled());
}
