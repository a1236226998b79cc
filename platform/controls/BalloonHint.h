// The balloon tooltip: a rounded window with an icon, a bold title and a text, pointing at a
// screen position; what the planner shows for items when balloons are enabled. Colours
// clNone keep the hint colours.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Rect.h"

#include <QString>
#include <QWidget>

// The icon numbers are the stored ones: 1 is information.
enum class TBalloonIcon
{
    biNone = 0,
    biInfo = 1,
    biWarning = 2,
    biError = 3
};

class TBalloonHint : public QWidget
{
public:
    explicit TBalloonHint(QWidget* parent = nullptr);

    const QString& Title() const { return m_title; } // ""
    void SetTitle(const QString& title);
    const QString& Text() const { return m_text; } // ""
    void SetText(const QString& text);
    TBalloonIcon Icon() const { return m_icon; } // TBalloonIcon::biNone
    void SetIcon(TBalloonIcon icon);
    TColor Color() const { return m_color; } // clInfoBk
    void SetColor(TColor color);
    TColor TextColor() const { return m_textColor; } // clInfoText
    void SetTextColor(TColor color);
    // Text wraps at this width.
    static constexpr int MaxTextWidth = 300;

    // Shows the balloon with its tip at the screen point; an empty title and text show
    // nothing.
    void ShowAt(TPoint screen);
    // Hides the balloon (the "pop" a tooltip gets when the pointer moves on).
    void Pop();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize layoutSize() const;

    QString m_title;
    QString m_text;
    TBalloonIcon m_icon = TBalloonIcon::biNone;
    TColor m_color = clInfoBk;
    TColor m_textColor = clInfoText;
};
