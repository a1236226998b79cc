// The smaller services: timers stepped by hand (and once by the clock), the hint window and
// its pause, the balloon, the pop-up window hiding on deactivation, the pop-up menu, custom
// cursors from the resources, and the input box answered by a queued call.
#include "platform/controls/BalloonHint.h"
#include "platform/controls/Cursors.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/InputBox.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/PopupWindow.h"
#include "platform/controls/Timer.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(TimerTest, PeriodicTimerRunsOnlyWhenEnabledWithAnInterval)
{
    TTimer timer;
    int ticks = 0;
    timer.OnTimer = [&](TTimer&) { ++ticks; };
    EXPECT_TRUE(timer.Running());
    timer.Trigger();
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
    timer.SetEnabled(true);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());

    // One real tick, to see the clock drive it; the wait is generous, the check is not timed.
    timer.SetInterval(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }));
}

TEST(TimerTest, AutoRepeatWaitsLongerBeforeTheFirstRepeat)
{
    TAutoRepeat repeat;
    std::vector<int> delays;
    repeat.OnRepeat = [&](TAutoRepeat& sender) { delays.push_back(sender.NextDelay()); };
    EXPECT_EQ(repeat.NextDelay(), 400);
    repeat.Trigger();
    EXPECT_TRUE(delays.empty()) << "not started";
    repeat.Start();
    EXPECT_EQ(repeat.NextDelay(), 400);
    repeat.Trigger();
    repeat.Trigger();
    EXPECT_EQ(delays, (std::vector<int>{100, 100}));
    repeat.Stop();
    EXPECT_FALSE(repeat.Active());
    repeat.Start();
    EXPECT_EQ(repeat.NextDelay(), 400) << "a new press starts with the long wait";

    // A handler that stops the repeat (a limit reached) is not rescheduled.
    repeat.OnRepeat = [](TAutoRepeat& sender) { sender.Stop(); };
    repeat.Trigger();
    EXPECT_FALSE(repeat.Active());
}

TEST(HintTest, HintShowsOverItsRectangleNowOrAfterThePause)
{
    THintWindow hint;
    const TRect r = Bounds(40, 30, 120, 18);
    hint.ActivateHint(r, "Full text");
    EXPECT_TRUE(hint.isVisible());
    EXPECT_EQ(FromQRect(hint.geometry()), r);
    hint.CancelHint();
    EXPECT_FALSE(hint.isVisible());

    hint.ActivateHintDelayed(r, "Later", 10);
    EXPECT_TRUE(hint.Pending());
    EXPECT_FALSE(hint.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint.isVisible(); }));
    EXPECT_EQ(hint.Text(), "Later");

    hint.CancelHint();
    hint.ActivateHintDelayed(r, "Dropped", 10);
    hint.CancelHint();
    EXPECT_FALSE(hint.Pending());

    const TRect one = hint.CalcHintRect(400, "short");
    const TRect wrapped = hint.CalcHintRect(60, "a much longer hint text that wraps");
    EXPECT_LE(wrapped.Width(), 60);
    EXPECT_GT(wrapped.Height(), one.Height());
}

TEST(HintTest, BalloonShowsTitleAndTextAndKeepsColoursOnNone)
{
    TBalloonHint balloon;
    balloon.ShowAt({100, 100});
    EXPECT_FALSE(balloon.isVisible()) << "nothing to show";
    balloon.SetTitle("Meeting");
    balloon.SetText("Room 4, bring the slides");
    balloon.SetIcon(TBalloonIcon::biInfo);
    EXPECT_EQ(int(balloon.Icon()), 1);
    balloon.SetColor(clNone);
    EXPECT_EQ(balloon.Color(), clInfoBk);
    balloon.ShowAt({100, 100});
    EXPECT_TRUE(balloon.isVisible());
    EXPECT_GT(balloon.width(), 40);
    balloon.Pop();
    EXPECT_FALSE(balloon.isVisible());
}

TEST(PopupTest, PopupWindowHidesWhenDeactivated)
{
    TPopupWindow popup;
    int deactivated = 0;
    popup.OnDeactivate = [&](QWidget&) { ++deactivated; };
    popup.Popup(Bounds(10, 10, 100, 80));
    EXPECT_TRUE(popup.isVisible());
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&popup, &deactivate);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(deactivated, 1);

    popup.Popup(Bounds(10, 10, 100, 80));
    popup.ClosePopup();
    EXPECT_EQ(deactivated, 1) << "closing on purpose is not a deactivation";
}

TEST(PopupTest, MenuBuildsItemsAtPopupAndRunsTheChosenOne)
{
    TPopupMenu menu;
    std::vector<QString> clicked;
    menu.Add("&Rename", [&](TMenuItem& item) { clicked.push_back(item.Caption()); });
    menu.Add("-");
    TMenuItem& hidden = menu.Add("Hidden");
    hidden.SetVisible(false);
    menu.OnPopup = [](TPopupMenu& sender) { sender.Item(0).SetChecked(true); };
    menu.Popup(50, 50);
    ASSERT_NE(menu.Menu(), nullptr);
    const auto actions = menu.Menu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_TRUE(actions[0]->isChecked()) << "OnPopup ran before the menu was built";
    actions[0]->trigger();
    EXPECT_TRUE(clicked.empty()) << "the click runs from the event loop";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !clicked.empty(); }));
    EXPECT_EQ(clicked, (std::vector<QString>{"&Rename"}));
    menu.Menu()->close();
}

TEST(CursorTest, ZoomCursorsComeFromTheResourcesAndStandardOnesFromQt)
{
    for (TCursor c : {crZoomIn, crZoomOut}) {
        SCOPED_TRACE(c);
        EXPECT_TRUE(TScreenCursors::IsRegistered(c));
        const QCursor cursor = TScreenCursors::Get(c);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
        EXPECT_EQ(cursor.hotSpot(), QPoint(12, 12));
    }
    EXPECT_NE(TScreenCursors::Get(crZoomIn).pixmap().toImage(),
              TScreenCursors::Get(crZoomOut).pixmap().toImage());
    EXPECT_EQ(TScreenCursors::Get(crDrag).shape(), Qt::DragMoveCursor);
    EXPECT_EQ(TScreenCursors::Get(crNoDrop).shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(TScreenCursors::Get(crHSplit).shape(), Qt::SplitHCursor);
    EXPECT_EQ(TScreenCursors::Get(crHandPoint).shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(TScreenCursors::IsRegistered(555));
    EXPECT_EQ(TScreenCursors::Get(555).shape(), Qt::ArrowCursor);
    EXPECT_FALSE(TScreenCursors::LoadFromResource(556, "NoSuchCursor", 0, 0));

    QWidget w;
    SetControlCursor(w, crZoomOut);
    EXPECT_EQ(w.cursor().shape(), Qt::BitmapCursor);
    SetControlCursor(w, crDefault);
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
}

// Answers the next input box from the event loop once it is up.
void answerInputBox(const QString& text, bool accept)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Rename");
        EXPECT_EQ(dialog->labelText(), "New caption:");
        EXPECT_EQ(dialog->textValue(), "Old");
        dialog->setTextValue(text);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
}

TEST(InputBoxTest, OkReturnsTheTextAndCancelKeepsTheValue)
{
    QString value = "Old";
    answerInputBox("New", true);
    EXPECT_TRUE(InputQuery("Rename", "New caption:", value));
    EXPECT_EQ(value, "New");

    value = "Old";
    answerInputBox("Ignored", false);
    EXPECT_FALSE(InputQuery("Rename", "New caption:", value));
    EXPECT_EQ(value, "Old");

    answerInputBox("Typed", false);
    EXPECT_EQ(InputBox("Rename", "New caption:", "Old"), "Old");
}

} // namespace
