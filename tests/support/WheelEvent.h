// A mouse wheel turn for tests, which QTest has no call for: a vertical QWheelEvent at a
// widget position, sent straight to the widget.
#pragma once

#include <QApplication>
#include <QPoint>
#include <QWheelEvent>
#include <QWidget>

// angleDelta in eighths of a degree, 120 a notch; positive turns away from the user.
inline void SendWheel(QWidget* widget, QPoint pos, int angleDelta,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent event(QPointF(pos), QPointF(widget->mapToGlobal(pos)), QPoint(),
                      QPoint(0, angleDelta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}
