// The main window: the to-do list above the week planner. For now it is the bare window
// with its caption, size, position, background and font.
#pragma once

#include <QWidget>

class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    // The size of the whole window, frame included, that the client area is derived from.
    static constexpr int OuterWidth = 607;
    static constexpr int OuterHeight = 652;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitFrameAndCentre();

    bool m_placed = false;
};
