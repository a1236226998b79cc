// A borderless window that pops up over other windows (the drop-down calendar, the
// priority list) and hides itself as soon as it stops being the active window: a click
// elsewhere, another window taking over. OnDeactivate tells its owner, who then takes the
// value or drops it.
#pragma once

#include "platform/core/Rect.h"

#include <QWidget>
#include <functional>

class TPopupWindow : public QWidget
{
public:
    explicit TPopupWindow(QWidget* parent = nullptr);

    // Shows the window at rect (screen coordinates) and makes it the active window.
    void Popup(const TRect& rect);
    // Hides without raising OnDeactivate (the owner closing it on purpose).
    void ClosePopup();

    // After the window hid itself because it lost the activation.
    std::function<void(QWidget& sender)> OnDeactivate;

protected:
    bool event(QEvent* event) override;
};
