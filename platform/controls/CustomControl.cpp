// Translation of Qt's widget events into the control's virtuals, and painting through one
// canvas (optionally over an off-screen picture).
#include "platform/controls/CustomControl.h"

#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

TCustomControl::TCustomControl(QWidget* parent) : QWidget(parent), m_drag(this)
{
    // Every pixel is ours: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_font.OnChange = [this](TFont&) { update(); };
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TCustomControl::SetDoubleBuffered(bool on)
{
    m_doubleBuffered = on;
}

void TCustomControl::SetCursor(TCursor cursor)
{
    if (cursor == m_cursor)
        return;
    m_cursor = cursor;
    SetControlCursor(*this, cursor);
}

TRect TCustomControl::ClientRect() const
{
    return {0, 0, width(), height()};
}

void TCustomControl::PaintTo(QImage& image)
{
    image = QImage(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    canvas.Font() = m_font;
    Paint(canvas);
}

void TCustomControl::Paint(TCanvas& canvas)
{
    canvas.Brush().SetColor(m_color);
    canvas.FillRect(ClientRect());
}

void TCustomControl::paintEvent(QPaintEvent*)
{
    if (m_doubleBuffered) {
        QImage buffer;
        PaintTo(buffer);
        QPainter(this).drawImage(0, 0, buffer);
        return;
    }
    TCanvas canvas(this);
    canvas.Font() = m_font;
    Paint(canvas);
}

void TCustomControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    Raise(OnMouseDown, *this, button, shift, x, y);
}

void TCustomControl::MouseMove(TShiftState shift, int x, int y)
{
    Raise(OnMouseMove, *this, shift, x, y);
}

void TCustomControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    Raise(OnMouseUp, *this, button, shift, x, y);
}

bool TCustomControl::MouseWheel(TShiftState shift, int wheelDelta, TPoint pos)
{
    bool handled = false;
    Raise(OnMouseWheel, *this, shift, wheelDelta, pos, handled);
    return handled;
}

void TCustomControl::Click()
{
    Raise(OnClick, *this);
}

void TCustomControl::DblClick()
{
    Raise(OnDblClick, *this);
}

void TCustomControl::KeyDown(int& key, TShiftState shift)
{
    Raise(OnKeyDown, *this, key, shift);
}

void TCustomControl::KeyUp(int& key, TShiftState shift)
{
    Raise(OnKeyUp, *this, key, shift);
}

void TCustomControl::KeyPress(QChar& key)
{
    Raise(OnKeyPress, *this, key);
}

void TCustomControl::Resize()
{
    Raise(OnResize, *this);
}

void TCustomControl::DoEnter()
{
    Raise(OnEnter, *this);
}

void TCustomControl::DoExit()
{
    Raise(OnExit, *this);
}

void TCustomControl::mousePressEvent(QMouseEvent* event)
{
    const auto button = MouseButtonFromQt(event->button());
    if (!button)
        return;
    if (*button == TMouseButton::mbLeft)
        m_leftPressed = true;
    const QPoint p = event->position().toPoint();
    MouseDown(*button, ShiftStateFromEvent(*event), p.x(), p.y());
}

void TCustomControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseMove(ShiftStateFromEvent(*event), p.x(), p.y());
}

void TCustomControl::mouseReleaseEvent(QMouseEvent* event)
{
    const auto button = MouseButtonFromQt(event->button());
    if (!button)
        return;
    const QPoint p = event->position().toPoint();
    const bool click = *button == TMouseButton::mbLeft && m_leftPressed && rect().contains(p);
    if (*button == TMouseButton::mbLeft)
        m_leftPressed = false;
    MouseUp(*button, ShiftStateFromEvent(*event), p.x(), p.y());
    if (click)
        Click();
}

void TCustomControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const auto button = MouseButtonFromQt(event->button());
    if (!button)
        return;
    if (*button == TMouseButton::mbLeft) {
        m_leftPressed = true;
        DblClick();
    }
    const QPoint p = event->position().toPoint();
    MouseDown(*button, ShiftStateFromEvent(*event), p.x(), p.y());
}

void TCustomControl::wheelEvent(QWheelEvent* event)
{
    const QPoint p = event->position().toPoint();
    const int delta = event->angleDelta().y();
    if (delta != 0 && MouseWheel(ShiftStateFromEvent(*event), delta, FromQPoint(p)))
        event->accept();
    else
        event->ignore();
}

void TCustomControl::keyPressEvent(QKeyEvent* event)
{
    int key = VirtualKeyFromEvent(*event);
    if (key != 0)
        KeyDown(key, ShiftStateFromEvent(*event));
    if (key == 0 && VirtualKeyFromEvent(*event) != 0)
        return; // swallowed
    const QString text = event->text();
    if (!text.isEmpty()) {
        QChar ch = text.at(0);
        KeyPress(ch);
    }
}

void TCustomControl::keyReleaseEvent(QKeyEvent* event)
{
    int key = VirtualKeyFromEvent(*event);
    if (key != 0)
        KeyUp(key, ShiftStateFromEvent(*event));
}

void TCustomControl::resizeEvent(QResizeEvent*)
{
    Resize();
}

void TCustomControl::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    DoEnter();
}

void TCustomControl::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
    DoExit();
}
