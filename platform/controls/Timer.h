// Timers inside components: TTimer, a periodic timer (the planner's 500 ms tick), and
// TAutoRepeat, the press-and-hold repeat of spin buttons (first repeat after 400 ms, then
// every 100 ms). Both run on the program's one thread through Qt's event loop. Each has a
// Trigger() that does at once what the clock would do next, so that tests step timers
// instead of waiting for them.
#pragma once

#include <functional>
#include <memory>

class QTimer;

class TTimer
{
public:
    TTimer();
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    // Milliseconds between ticks; 0 stops the timer.
    int Interval() const { return m_interval; } // 1000
    void SetInterval(int ms);
    bool Enabled() const { return m_enabled; } // true
    void SetEnabled(bool on);
    // Whether ticks are being scheduled (enabled with an interval).
    bool Running() const;

    // Raises OnTimer now, as the next tick would; the period starts over.
    void Trigger();

    std::function<void(TTimer& sender)> OnTimer;

private:
    void restart();

    int m_interval = 1000;
    bool m_enabled = true;
    std::unique_ptr<QTimer> m_timer;
};

class TAutoRepeat
{
public:
    TAutoRepeat();
    ~TAutoRepeat();
    TAutoRepeat(const TAutoRepeat&) = delete;
    TAutoRepeat& operator=(const TAutoRepeat&) = delete;

    int InitialDelay() const { return m_initialDelay; }     // 400
    void SetInitialDelay(int ms);                           // at least 1
    int RepeatInterval() const { return m_repeatInterval; } // 100
    void SetRepeatInterval(int ms);                         // at least 1

    // Called at the press (after the press's own step): the first repeat comes after
    // InitialDelay, the following ones every RepeatInterval until Stop (the release).
    void Start();
    void Stop();
    bool Active() const { return m_active; }
    // The wait before the next repeat: InitialDelay until the first has fired.
    int NextDelay() const;
    // Fires the pending repeat now, as the clock would.
    void Trigger();

    std::function<void(TAutoRepeat& sender)> OnRepeat;

private:
    void fire();

    int m_initialDelay = 400;
    int m_repeatInterval = 100;
    bool m_active = false;
    bool m_repeating = false;
    std::unique_ptr<QTimer> m_timer;
};
