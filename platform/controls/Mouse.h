// The mouse as the components speak of it: the three buttons, the conversion from Qt's
// buttons, and mouse capture. Qt already keeps the mouse with the pressed widget until the
// release; explicit capture is for the cases that need it beyond that (a header sizing a
// section past its own edge, a drag that tracks every widget under the pointer).
#pragma once

#include <QPointer>
#include <Qt>
#include <optional>

class QWidget;

enum class TMouseButton
{
    mbLeft,
    mbRight,
    mbMiddle
};

// The button of a press or release; none for the other buttons.
std::optional<TMouseButton> MouseButtonFromQt(Qt::MouseButton button);

// Sends every mouse event to control until ReleaseCapture (or until the control goes away).
// A new capture replaces the previous one.
void SetCapture(QWidget* control);
// The control holding the capture, or null.
QWidget* GetCapture();
void ReleaseCapture();
