// The base of the program's own controls: a QWidget that paints through a TCanvas and hears
// the mouse and the keyboard in the components' terms (virtual keys, shift states, buttons,
// client pixel coordinates). A derived control overrides the protected virtuals (Paint,
// MouseDown, KeyDown, ...); each default raises the matching public event, so an override
// that wants the event as well calls the base.
//
// Keys: KeyDown gets the key by reference; a handler that sets it to 0 swallows it, and a
// swallowed key produces no KeyPress. Mouse: Qt keeps the mouse with the pressed control
// until the release; a double click arrives as DblClick followed by a MouseDown with
// ssDouble; a left release over the control after a press on it is a Click.
#pragma once

#include "platform/controls/Cursors.h"
#include "platform/controls/DragDrop.h"
#include "platform/controls/Keys.h"
#include "platform/controls/Mouse.h"
#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Font.h"

#include <QChar>
#include <QWidget>
#include <functional>

class QImage;
class TCanvas;

class TCustomControl : public QWidget
{
public:
    explicit TCustomControl(QWidget* parent = nullptr);
    ~TCustomControl() override;

    TColor Color() const { return m_color; } // clWindow
    void SetColor(TColor color);
    // The control's font; changing it repaints.
    TFont& Font() { return m_font; }
    // Paints into an off-screen picture first and shows it in one go, so that a control
    // painted in layers never flickers.
    bool DoubleBuffered() const { return m_doubleBuffered; } // false
    void SetDoubleBuffered(bool on);
    TCursor Cursor() const { return m_cursor; } // crDefault
    void SetCursor(TCursor cursor);

    // Drag and drop (DragDrop.h): the control's drag settings and events live here.
    TControlDragSupport& DragSupport() { return m_drag; }
    TDragMode DragMode() const { return m_drag.DragMode(); } // TDragMode::dmManual
    void SetDragMode(TDragMode mode) { m_drag.SetDragMode(mode); }
    void BeginDrag(bool immediate, int threshold = -1) { m_drag.BeginDrag(immediate, threshold); }
    void EndDrag(bool drop) { m_drag.EndDrag(drop); }
    bool Dragging() const { return m_drag.Dragging(); }

    // The area painted and hit-tested, in client pixels: the widget less any scroll bars.
    virtual TRect ClientRect() const;
    // Paints the whole control into image (sized to the control) the way the screen shows
    // it, child widgets left out; for pictures in tests and for printing.
    void PaintTo(QImage& image);

    std::function<void(QWidget& sender, TMouseButton button, TShiftState shift, int x, int y)>
        OnMouseDown;
    std::function<void(QWidget& sender, TShiftState shift, int x, int y)> OnMouseMove;
    std::function<void(QWidget& sender, TMouseButton button, TShiftState shift, int x, int y)>
        OnMouseUp;
    // WheelDelta is 120 per notch, positive away from the user; set handled to stop the
    // control's own reaction.
    std::function<void(QWidget& sender, TShiftState shift, int wheelDelta, TPoint pos,
                       bool& handled)>
        OnMouseWheel;
    std::function<void(QWidget& sender)> OnClick;
    std::function<void(QWidget& sender)> OnDblClick;
    std::function<void(QWidget& sender, int& key, TShiftState shift)> OnKeyDown;
    std::function<void(QWidget& sender, int& key, TShiftState shift)> OnKeyUp;
    std::function<void(QWidget& sender, QChar& key)> OnKeyPress;
    std::function<void(QWidget& sender)> OnEnter;
    std::function<void(QWidget& sender)> OnExit;
    std::function<void(QWidget& sender)> OnResize;

protected:
    // Paints the control; the default fills the client area with Color.
    virtual void Paint(TCanvas& canvas);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Returns whether the wheel was handled (and so not passed to the parent).
    virtual bool MouseWheel(TShiftState shift, int wheelDelta, TPoint pos);
    virtual void Click();
    virtual void DblClick();
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyUp(int& key, TShiftState shift);
    virtual void KeyPress(QChar& key);
    virtual void Resize();
    virtual void DoEnter();
    virtual void DoExit();

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TColor m_color = clWindow;
    TFont m_font;
    bool m_doubleBuffered = false;
    TCursor m_cursor = crDefault;
    TControlDragSupport m_drag;
    bool m_leftPressed = false;
};
