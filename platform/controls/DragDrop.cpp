// The in-process drag: TControlDragSupport registers a control and arms automatic drags;
// TDragManager captures the mouse and follows it through an application-wide event filter
// for as long as a drag is pending or running, and only then.
#include "platform/controls/DragDrop.h"

#include "platform/controls/Mouse.h"
#include "platform/core/RaiseEvent.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <unordered_map>

namespace {

std::unordered_map<const QWidget*, TControlDragSupport*>& registry()
{
    static std::unordered_map<const QWidget*, TControlDragSupport*> supports;
    return supports;
}

} // namespace

// Sees the control's presses before the control does, so that a drag begun by the control's
// own press handler measures from the press point.
class TControlDragSupport::PressWatcher : public QObject
{
public:
    explicit PressWatcher(TControlDragSupport& support) : m_support(support) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton)
                return false;
            m_support.m_pressPos = mouse->globalPosition().toPoint();
            m_support.m_pressSeen = true;
            if (m_support.m_dragMode == TDragMode::dmAutomatic &&
                !TDragManager::Instance().Active())
                m_support.BeginDrag(false);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_support.m_pressSeen = false;
        }
        return false;
    }

private:
    TControlDragSupport& m_support;
};

TControlDragSupport::TControlDragSupport(QWidget* control)
    : m_control(control), m_watcher(std::make_unique<PressWatcher>(*this))
{
    registry()[control] = this;
    control->installEventFilter(m_watcher.get());
}

TControlDragSupport::~TControlDragSupport()
{
    TDragManager::Instance().Forget(*this);
    auto& supports = registry();
    if (auto it = supports.find(m_control); it != supports.end() && it->second == this)
        supports.erase(it);
}

TControlDragSupport* TControlDragSupport::Of(const QWidget* widget)
{
    const auto& supports = registry();
    auto it = supports.find(widget);
    return it == supports.end() ? nullptr : it->second;
}

void TControlDragSupport::SetDragMode(TDragMode mode)
{
    m_dragMode = mode;
}

void TControlDragSupport::BeginDrag(bool immediate, int threshold)
{
    TDragManager::Instance().Begin(*this, immediate, threshold);
}

void TControlDragSupport::EndDrag(bool drop)
{
    TDragManager& manager = TDragManager::Instance();
    if (manager.Source() == this)
        manager.End(drop);
}

bool TControlDragSupport::Dragging() const
{
    const TDragManager& manager = TDragManager::Instance();
    return manager.Dragging() && manager.Source() == this;
}

class TDragManager::Filter : public QObject
{
public:
    explicit Filter(TDragManager& manager) : QObject(qApp), m_manager(manager) {}

    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        return m_manager.handleEvent(receiver, event);
    }

private:
    TDragManager& m_manager;
};

TDragManager& TDragManager::Instance()
{
    static TDragManager manager;
    return manager;
}

void TDragManager::SetDragThreshold(int pixels)
{
    if (pixels < 0 || pixels == m_threshold)
        return;
    m_threshold = pixels;
}

QWidget* TDragManager::Target() const
{
    return m_target ? m_target->Control() : nullptr;
}

void TDragManager::Begin(TControlDragSupport& source, bool immediate, int threshold)
{
    if (m_source == &source && !m_started) {
        // A second BeginDrag on a pending drag (automatic mode plus the control's own
        // press handler) only decides whether to start now.
        if (immediate)
            start();
        return;
    }
    if (Active())
        End(false);
    m_source = &source;
    m_target = nullptr;
    m_started = false;
    m_accepted = false;
    m_pendingThreshold = threshold < 0 ? m_threshold : threshold;
    m_origin = source.m_pressSeen ? source.m_pressPos : QCursor::pos();
    m_pos = m_origin;
    if (!m_filter)
        m_filter = new Filter(*this);
    qApp->installEventFilter(m_filter);
    SetCapture(source.Control());
    if (immediate)
        start();
}

void TDragManager::start()
{
    m_started = true;
    QWidget* control = m_source->Control();
    Raise(m_source->OnStartDrag, *control);
    // OnStartDrag may have cancelled the drag.
    if (!Dragging())
        return;
    setCursor(crNoDrop);
    moveTo(m_pos);
}

bool TDragManager::handleEvent(QObject* receiver, QEvent* event)
{
    // Events reach the window first and then the widget; only the widget's copy counts.
    if (!Active() || !receiver->isWidgetType())
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_pos = mouse->globalPosition().toPoint();
        if (!m_started) {
            if ((m_pos - m_origin).manhattanLength() < m_pendingThreshold)
                return false;
            start();
            return true;
        }
        moveTo(m_pos);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return m_started;
        m_pos = mouse->globalPosition().toPoint();
        if (!m_started) {
            // A click, not a drag: the control sees its release as usual.
            finish();
            return false;
        }
        End(true);
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return m_started;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return m_started;
        if (!m_started) {
            finish();
            return false;
        }
        End(false);
        return true;
    default:
        return false;
    }
}

void TDragManager::moveTo(const QPoint& global)
{
    TControlDragSupport* found = nullptr;
    for (QWidget* w = QApplication::widgetAt(global); w && !found; w = w->parentWidget())
        found = TControlDragSupport::Of(w);
    if (found != m_target) {
        if (m_target)
            askTarget(TDragState::dsDragLeave);
        m_target = found;
        m_accepted = m_target && askTarget(TDragState::dsDragEnter);
    } else if (m_target) {
        m_accepted = askTarget(TDragState::dsDragMove);
    }
    if (Dragging())
        setCursor(m_accepted ? m_source->DragCursor() : crNoDrop);
}

bool TDragManager::askTarget(TDragState state)
{
    QWidget* control = m_target->Control();
    const QPoint local = control->mapFromGlobal(m_pos);
    bool accept = bool(m_target->OnDragOver);
    Raise(m_target->OnDragOver, *control, m_source->Control(), local.x(), local.y(), state, accept);
    return accept;
}

void TDragManager::End(bool drop)
{
    if (!Active())
        return;
    if (!m_started) {
        finish();
        return;
    }
    TControlDragSupport* source = m_source;
    TControlDragSupport* target = m_target;
    const bool accepted = target && askTarget(TDragState::dsDragLeave) && drop;
    // The handlers below may start a new drag or destroy controls: the manager is idle
    // before they run, and each control is checked to be still there.
    QPointer<QWidget> sourceControl = source->Control();
    QPointer<QWidget> targetControl = target ? target->Control() : nullptr;
    const QPoint global = m_pos;
    finish();

    QPoint at = sourceControl ? sourceControl->mapFromGlobal(global) : QPoint();
    if (accepted && targetControl && TControlDragSupport::Of(targetControl) == target) {
        at = targetControl->mapFromGlobal(global);
        Raise(target->OnDragDrop, *targetControl, sourceControl.data(), at.x(), at.y());
    }
    if (sourceControl && TControlDragSupport::Of(sourceControl) == source)
        Raise(source->OnEndDrag, *sourceControl, accepted ? targetControl.data() : nullptr, at.x(),
              at.y());
}

void TDragManager::Forget(TControlDragSupport& support)
{
    if (m_target == &support) {
        m_target = nullptr;
        m_accepted = false;
    }
    if (m_source == &support)
        finish();
}

void TDragManager::setCursor(TCursor cursor)
{
    if (m_cursorSet && cursor == m_cursor)
        return;
    if (m_cursorSet)
        QGuiApplication::changeOverrideCursor(TScreenCursors::Get(cursor));
    else
        QGuiApplication::setOverrideCursor(TScreenCursors::Get(cursor));
    m_cursorSet = true;
    m_cursor = cursor;
}

void TDragManager::finish()
{
    if (m_filter)
        qApp->removeEventFilter(m_filter);
    if (m_source && GetCapture() == m_source->Control())
        ReleaseCapture();
    if (m_source)
        m_source->m_pressSeen = false;
    if (m_cursorSet)
        QGuiApplication::restoreOverrideCursor();
    m_cursorSet = false;
    m_cursor = crDefault;
    m_source = nullptr;
    m_target = nullptr;
    m_started = false;
    m_accepted = false;
}
