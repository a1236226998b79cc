// The pop-up hides on deactivation itself rather than relying on Qt::Popup, whose grab of
// mouse and keyboard would keep the owner's in-place editor from working while it shows.
#include "platform/controls/PopupWindow.h"

#include "platform/core/RaiseEvent.h"

#include <QEvent>

TPopupWindow::TPopupWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{}

void TPopupWindow::Popup(const TRect& rect)
{
    setGeometry(ToQRect(rect));
    show();
    activateWindow();
}

void TPopupWindow::ClosePopup()
{
    hide();
}

bool TPopupWindow::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowDeactivate && isVisible()) {
        hide();
        Raise(OnDeactivate, *this);
    }
    return handled;
}
