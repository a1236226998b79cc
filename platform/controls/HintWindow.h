// The hint window: a small borderless window in the hint colour placed over a given screen
// rectangle (a cell whose text is cut off, an item under the pointer), shown at once or after
// a pause. It never takes the focus. Text is plain and may wrap.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Rect.h"

#include <QString>
#include <QWidget>
#include <memory>

class QTimer;

class THintWindow : public QWidget
{
public:
    explicit THintWindow(QWidget* parent = nullptr);
    ~THintWindow() override;

    TColor Color() const { return m_color; } // clInfoBk
    void SetColor(TColor color);
    const QString& Text() const { return m_text; }

    // The size a text needs, at most maxWidth wide (wrapping there), with the window's
    // margins: a rectangle at (0, 0).
    TRect CalcHintRect(int maxWidth, const QString& text) const;
    // Shows text over rect (screen coordinates) now.
    void ActivateHint(const TRect& rect, const QString& text);
    // Shows it after pauseMs milliseconds unless cancelled first; 0 shows now.
    void ActivateHintDelayed(const TRect& rect, const QString& text, int pauseMs);
    // Whether a delayed hint is waiting.
    bool Pending() const;
    // Hides the hint and drops a waiting one.
    void CancelHint();
    // The rectangle the hint shows (or will show) over.
    TRect HintRect() const { return m_rect; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor m_color = clInfoBk;
    QString m_text;
    TRect m_rect;
    std::unique_ptr<QTimer> m_pause;
};
