// Button conversion and the one mouse capture of the program.
#include "platform/controls/Mouse.h"

#include <QWidget>

namespace {

QPointer<QWidget>& captured()
{
    static QPointer<QWidget> control;
    return control;
}

} // namespace

std::optional<TMouseButton> MouseButtonFromQt(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return TMouseButton::mbLeft;
    case Qt::RightButton:
        return TMouseButton::mbRight;
    case Qt::MiddleButton:
        return TMouseButton::mbMiddle;
    default:
        return std::nullopt;
    }
}

void SetCapture(QWidget* control)
{
    if (captured() == control)
        return;
    ReleaseCapture();
    if (!control)
        return;
    // Grabbing needs a shown widget; an unshown one would make Qt warn and grab nothing.
    if (control->isVisible())
        control->grabMouse();
    captured() = control;
}

QWidget* GetCapture()
{
    return captured();
}

void ReleaseCapture()
{
    if (QWidget* control = captured()) {
        if (QWidget::mouseGrabber() == control)
            control->releaseMouse();
    }
    captured() = nullptr;
}
