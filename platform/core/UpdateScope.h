// Batching: the one way a component holds back its layout, repaint or notifications while a
// group of changes is made, and catches up once at the end.
//
// An owner keeps a TUpdateCounter and gives it the action the last release runs (lay out,
// repaint, notify). Its public BeginUpdate/EndUpdate pair just forwards to the counter.
// Callers never pair Begin and End by hand: they open a TUpdateScope, whose destructor
// releases the batch also when an exception (a user's event handler that throws, a failed
// table write) leaves the block, so nothing stays blocked after an error.
//
//     {
//         TUpdateScope batch(planner.Items());   // any owner with BeginUpdate/EndUpdate
//         ... many changes, one layout at the end ...
//     }
#pragma once

#include <exception>
#include <functional>
#include <utility>

class TUpdateCounter
{
public:
    TUpdateCounter() = default;
    explicit TUpdateCounter(std::function<void()> onRelease) : m_onRelease(std::move(onRelease)) {}
    TUpdateCounter(const TUpdateCounter&) = delete;
    TUpdateCounter& operator=(const TUpdateCounter&) = delete;

    // What the last End runs. An owner sets it once, in its constructor.
    void SetOnRelease(std::function<void()> onRelease) { m_onRelease = std::move(onRelease); }

    void Begin() { ++m_count; }

    // The last End runs the release action; an End without a Begin does nothing. The count is
    // back at zero before the action runs, so an action that throws leaves nothing held.
    void End()
    {
        if (m_count == 0)
            return;
        if (--m_count == 0 && m_onRelease)
            m_onRelease();
    }

    // Leaves the batch without the release action (for owners that undo a batch's work).
    void EndSilently()
    {
        if (m_count > 0)
            --m_count;
    }

    bool Updating() const { return m_count > 0; }
    int Count() const { return m_count; }

private:
    std::function<void()> m_onRelease;
    int m_count = 0;
};

class TUpdateScope
{
public:
    // A batch of any owner with BeginUpdate/EndUpdate.
    template <class Owner>
    explicit TUpdateScope(Owner& owner)
        : TUpdateScope([&owner] { owner.BeginUpdate(); }, [&owner] { owner.EndUpdate(); })
    {}

    // A batch opened and closed by the given calls (a dataset's DisableControls and
    // EnableControls, for one).
    TUpdateScope(const std::function<void()>& open, std::function<void()> close)
        : m_close(std::move(close)), m_uncaught(std::uncaught_exceptions())
    {
        open();
    }

    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

    // Closing runs the owner's deferred work, which may raise (a handler, a table write). On a
    // normal exit that error reaches the caller; while another exception is already on its way
    // the first one wins and the second is dropped, since two cannot be in flight.
    ~TUpdateScope() noexcept(false)
    {
        if (std::uncaught_exceptions() > m_uncaught) {
            try {
                m_close();
            } catch (...) {
            }
            return;
        }
        m_close();
    }

private:
    std::function<void()> m_close;
    int m_uncaught;
};
