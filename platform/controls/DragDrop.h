// Drag and drop between the program's own controls, done in process rather than through the
// system's drag-and-drop: a drag starts from a control, every control under the pointer is
// asked whether it would take the drop, the cursor shows the answer, a release over a control
// that accepts drops there, and the control that started the drag always hears how it ended.
//
// A control takes part by owning a TControlDragSupport. The drag manager, one per program,
// runs the drag: it captures the mouse, finds the control under the pointer through
// QApplication::widgetAt (walking up to the nearest widget with a drag support, so child
// widgets such as scroll bars count as their control), and watches for the release and for
// Escape, which cancels.
//
// Order of events for one drag: OnStartDrag (source); OnDragOver dsDragEnter, dsDragMove...
// for each control under the pointer, dsDragLeave when the pointer leaves it; at the release
// the control under the pointer is asked once more with dsDragLeave, and when it accepts,
// OnDragDrop (target) follows; last OnEndDrag (source) with the target, or null when nothing
// took the drop or the drag was cancelled.
#pragma once

#include "platform/controls/Cursors.h"

#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>

class QWidget;
class QEvent;
class QObject;

enum class TDragMode
{
    dmManual,   // drags start only by BeginDrag
    dmAutomatic // a left press arms a drag that starts once the mouse has moved the threshold
};

enum class TDragState
{
    dsDragEnter,
    dsDragLeave,
    dsDragMove
};

class TControlDragSupport
{
public:
    // Stands for control in drags; the control owns this object and outlives it.
    explicit TControlDragSupport(QWidget* control);
    ~TControlDragSupport();
    TControlDragSupport(const TControlDragSupport&) = delete;
    TControlDragSupport& operator=(const TControlDragSupport&) = delete;

    // The support a widget owns, or null.
    static TControlDragSupport* Of(const QWidget* widget);

    QWidget* Control() const { return m_control; }

    TDragMode DragMode() const { return m_dragMode; } // TDragMode::dmManual
    void SetDragMode(TDragMode mode);
    // Shown while the control under the pointer accepts; crNoDrop otherwise.
    TCursor DragCursor() const { return m_dragCursor; } // crDrag
    void SetDragCursor(TCursor cursor) { m_dragCursor = cursor; }

    // Starts a drag from this control: at once, or once the mouse has moved threshold pixels
    // (-1: the manager's DragThreshold) from where it is now. A release before that ends the
    // pending drag without any event.
    void BeginDrag(bool immediate, int threshold = -1);
    // Ends this control's drag: dropping where the pointer is (drop) or cancelling.
    void EndDrag(bool drop);
    // Whether a drag from this control has started.
    bool Dragging() const;

    // Asked while a drag is over the control; x and y are in the control's coordinates.
    // Accept starts true when the handler is assigned (false otherwise: a control without a
    // handler takes no drops).
    std::function<void(QWidget& sender, QWidget* source, int x, int y, TDragState state,
                       bool& accept)>
        OnDragOver;
    std::function<void(QWidget& sender, QWidget* source, int x, int y)> OnDragDrop;
    std::function<void(QWidget& sender)> OnStartDrag;
    // Target is null when the drag was cancelled or dropped where nothing accepted it; x and y
    // are in the target's coordinates (in the source's without a target).
    std::function<void(QWidget& sender, QWidget* target, int x, int y)> OnEndDrag;

private:
    class PressWatcher;
    friend class TDragManager;

    QWidget* m_control;
    TDragMode m_dragMode = TDragMode::dmManual;
    TCursor m_dragCursor = crDrag;
    std::unique_ptr<PressWatcher> m_watcher;
    // Where the last left press on the control was, in global coordinates; a drag begun from
    // a press handler measures its threshold from there.
    QPoint m_pressPos;
    bool m_pressSeen = false;
};

class TDragManager
{
public:
    static TDragManager& Instance();

    // Pixels the mouse must move before a pending drag starts.
    int DragThreshold() const { return m_threshold; } // 5
    void SetDragThreshold(int pixels);

    // A drag has been begun (pending or started) / has started.
    bool Active() const { return m_source != nullptr; }
    bool Dragging() const { return m_source != nullptr && m_started; }
    TControlDragSupport* Source() const { return m_source; }
    // The control under the pointer that was asked last, and its answer.
    QWidget* Target() const;
    bool Accepted() const { return m_accepted; }
    // The cursor the drag shows now (crDrag or the source's cursor, or crNoDrop).
    TCursor CurrentCursor() const { return m_cursor; }

    void Begin(TControlDragSupport& source, bool immediate, int threshold);
    // Drops at the pointer (drop) or cancels.
    void End(bool drop);

    // A support going away leaves the drag: as source the drag is cancelled without events to
    // it, as target it is forgotten.
    void Forget(TControlDragSupport& support);

private:
    class Filter;
    TDragManager() = default;

    bool handleEvent(QObject* receiver, QEvent* event);
    void start();
    void moveTo(const QPoint& global);
    bool askTarget(TDragState state);
    void setCursor(TCursor cursor);
    void finish();

    // A child of the application, made at the first drag.
    QPointer<QObject> m_filter;
    int m_threshold = 5;
    TControlDragSupport* m_source = nullptr;
    TControlDragSupport* m_target = nullptr;
    bool m_started = false;
    bool m_accepted = false;
    int m_pendingThreshold = 0;
    QPoint m_origin;
    QPoint m_pos; // pointer, global
    TCursor m_cursor = crDefault;
    bool m_cursorSet = false;
};
