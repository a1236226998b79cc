// Both timers drive a QTimer they own; the QTimer only calls back into them, so stepping a
// timer by hand and letting the clock step it do the same thing.
#include "platform/controls/Timer.h"

#include "platform/core/RaiseEvent.h"

#include <QTimer>

TTimer::TTimer() : m_timer(std::make_unique<QTimer>())
{
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { Raise(OnTimer, *this); });
    restart();
}

TTimer::~TTimer() = default;

void TTimer::SetInterval(int ms)
{
    if (ms < 0 || ms == m_interval)
        return;
    m_interval = ms;
    restart();
}

void TTimer::SetEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    restart();
}

bool TTimer::Running() const
{
    return m_timer->isActive();
}

void TTimer::Trigger()
{
    restart();
    Raise(OnTimer, *this);
}

void TTimer::restart()
{
    m_timer->stop();
    if (m_enabled && m_interval > 0)
        m_timer->start(m_interval);
}

TAutoRepeat::TAutoRepeat() : m_timer(std::make_unique<QTimer>())
{
    m_timer->setSingleShot(true);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { fire(); });
}

TAutoRepeat::~TAutoRepeat() = default;

void TAutoRepeat::SetInitialDelay(int ms)
{
    if (ms < 1)
        return;
    m_initialDelay = ms;
}

void TAutoRepeat::SetRepeatInterval(int ms)
{
    if (ms < 1)
        return;
    m_repeatInterval = ms;
}

void TAutoRepeat::Start()
{
    m_active = true;
    m_repeating = false;
    m_timer->start(m_initialDelay);
}

void TAutoRepeat::Stop()
{
    m_active = false;
    m_repeating = false;
    m_timer->stop();
}

int TAutoRepeat::NextDelay() const
{
    return m_repeating ? m_repeatInterval : m_initialDelay;
}

void TAutoRepeat::Trigger()
{
    if (m_active)
        fire();
}

void TAutoRepeat::fire()
{
    m_repeating = true;
    m_timer->start(m_repeatInterval);
    // The handler may stop the repeat (the value reached its limit): scheduled first.
    Raise(OnRepeat, *this);
}
