// Drags between two controls in one shown window, driven by QTest's mouse and key events: the
// order and arguments of the drag events, acceptance and refusal, cancelling with Escape,
// the threshold of automatic drags, and controls that go away during a drag.
#include "platform/controls/DragDrop.h"

#include "platform/controls/CustomControl.h"

#include <QApplication>
#include <QCursor>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* stateName(TDragState s)
{
    switch (s) {
    case TDragState::dsDragEnter:
        return "enter";
    case TDragState::dsDragLeave:
        return "leave";
    default:
        return "move";
    }
}

class DragDropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(400, 200);
        source = new TCustomControl(&host);
        source->setGeometry(0, 0, 150, 150);
        target = new TCustomControl(&host);
        target->setGeometry(200, 0, 150, 150);
        plain = new QWidget(&host);
        plain->setGeometry(160, 160, 30, 30);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        // QTest's moves after its press carry the held button and go straight to the widget;
        // its moves without a button move the real pointer instead, which stays put between
        // tests. Each test starts with the pointer over the window's empty corner, so that a
        // drag begun without a press (BeginDrag) starts over no control, whatever ran before.
        QTest::mouseMove(&host, QPoint(395, 195));
        ASSERT_EQ(QApplication::widgetAt(QCursor::pos()), &host);

        source->DragSupport().OnStartDrag = [this](QWidget& sender) {
            log.push_back(name(&sender) + " start");
        };
        source->DragSupport().OnEndDrag = [this](QWidget& sender, QWidget* to, int x, int y) {
            log.push_back(name(&sender) + " end " + name(to) + " " + std::to_string(x) + "," +
                          std::to_string(y));
        };
        target->DragSupport().OnDragOver = [this](QWidget& sender, QWidget* from, int, int,
                                                  TDragState state, bool& accept) {
            log.push_back(name(&sender) + " over " + stateName(state) + " from " + name(from));
            accept = targetAccepts;
        };
        target->DragSupport().OnDragDrop = [this](QWidget& sender, QWidget* from, int x, int y) {
            log.push_back(name(&sender) + " drop from " + name(from) + " " + std::to_string(x) +
                          "," + std::to_string(y));
        };
    }

    void TearDown() override
    {
        // A failed test must not leave a drag running, or the button down, into the next one:
        // QTest remembers the buttons it pressed, and its moves carry them.
        if (TDragManager::Instance().Active())
            TDragManager::Instance().End(false);
        if (QTestPrivate::qtestMouseButtons.testFlag(Qt::LeftButton))
            QTest::mouseRelease(&host, Qt::LeftButton, {}, QPoint(395, 195));
    }

    std::string name(const QWidget* w) const
    {
        if (!w)
            return "null";
        return w == source ? "source" : w == target ? "target" : "other";
    }

    QWidget host;
    TCustomControl* source = nullptr;
    TCustomControl* target = nullptr;
    QWidget* plain = nullptr;
    bool targetAccepts = true;
    std::vector<std::string> log;
};

TEST_F(DragDropTest, AutomaticDragDroppedOnAcceptingControlRaisesEventsInOrder)
{
    source->SetDragMode(TDragMode::dmAutomatic);
    QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
    // Below the threshold nothing has started and the source still hears its mouse.
    int moves = 0;
    source->OnMouseMove = [&](QWidget&, TShiftState, int, int) { ++moves; };
    QTest::mouseMove(source, QPoint(12, 11));
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(moves, 1);
    EXPECT_TRUE(log.empty());

    QTest::mouseMove(target, QPoint(30, 40));
    EXPECT_TRUE(source->Dragging());
    EXPECT_EQ(TDragManager::Instance().Target(), target);
    EXPECT_EQ(TDragManager::Instance().CurrentCursor(), crDrag);
    QTest::mouseMove(target, QPoint(31, 41));
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(31, 41));

    const std::vector<std::string> expected = {
        "source start",
        "target over enter from source",
        "target over move from source",
        "target over leave from source",
        "target drop from source 31,41",
        "source end target 31,41",
    };
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(TDragManager::Instance().Active());
    EXPECT_EQ(moves, 1) << "moves during the drag belong to the drag";
}

TEST_F(DragDropTest, RefusedDropEndsWithoutTargetAndShowsNoDropCursor)
{
    targetAccepts = false;
    source->SetDragMode(TDragMode::dmAutomatic);
    QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(target, QPoint(20, 20));
    EXPECT_FALSE(TDragManager::Instance().Accepted());
    EXPECT_EQ(TDragManager::Instance().CurrentCursor(), crNoDrop);
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(20, 20));

    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "source end null 220,20") << "without a target, source coordinates";
    for (const auto& line : log)
        EXPECT_EQ(line.find("drop"), std::string::npos) << line;
}

TEST_F(DragDropTest, AcceptanceIsAskedAgainAtTheRelease)
{
    // A target that accepts while moving but refuses at the final ask takes no drop.
    target->DragSupport().OnDragOver = [](QWidget&, QWidget*, int, int, TDragState state,
                                          bool& accept) {
        accept = state != TDragState::dsDragLeave;
    };
    source->BeginDrag(true);
    QTest::mouseMove(target, QPoint(20, 20));
    EXPECT_TRUE(TDragManager::Instance().Accepted());
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "source end null 220,20");
}

TEST_F(DragDropTest, EscapeCancelsAndTheTargetHearsTheLeave)
{
    source->SetDragMode(TDragMode::dmAutomatic);
    QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(target, QPoint(20, 20));
    ASSERT_TRUE(source->Dragging());
    int keys = 0;
    source->OnKeyDown = [&](QWidget&, int&, TShiftState) { ++keys; };
    QTest::keyClick(source, Qt::Key_Escape);
    EXPECT_FALSE(TDragManager::Instance().Active());
    EXPECT_EQ(keys, 0) << "the Escape belonged to the drag";
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(20, 20));

    const std::vector<std::string> expected = {
        "source start",
        "target over enter from source",
        "target over leave from source",
        "source end null 220,20",
    };
    EXPECT_EQ(log, expected);
}

TEST_F(DragDropTest, ReleaseBeforeTheThresholdIsAClick)
{
    source->SetDragMode(TDragMode::dmAutomatic);
    int clicks = 0;
    source->OnClick = [&](QWidget&) { ++clicks; };
    QTest::mousePress(source, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(source, QPoint(13, 10));
    QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(13, 10));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(TDragManager::Instance().Active());
}

TEST_F(DragDropTest, ControlsWithoutHandlerOrSupportRefuse)
{
    // Over the source itself (no OnDragOver) and over a plain widget (no support at all).
    source->BeginDrag(true);
    QTest::mouseMove(source, QPoint(40, 40));
    EXPECT_EQ(TDragManager::Instance().Target(), source);
    EXPECT_FALSE(TDragManager::Instance().Accepted());
    QTest::mouseMove(plain, QPoint(5, 5));
    EXPECT_EQ(TDragManager::Instance().Target(), nullptr);
    EXPECT_EQ(TDragManager::Instance().CurrentCursor(), crNoDrop);
    QTest::mouseRelease(plain, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "source end null 165,165");
}

TEST_F(DragDropTest, ChildWidgetsCountAsTheirControl)
{
    auto* child = new QScrollBar(Qt::Vertical, target);
    child->setGeometry(130, 0, 20, 150);
    child->show();
    source->BeginDrag(true);
    QTest::mouseMove(child, QPoint(5, 5));
    EXPECT_EQ(TDragManager::Instance().Target(), target);
    QTest::mouseRelease(child, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "source end target 135,5");
}

TEST_F(DragDropTest, LeavingOneTargetForAnotherSendsLeaveThenEnter)
{
    auto second = std::make_unique<TCustomControl>(&host);
    second->setGeometry(0, 155, 100, 40);
    second->show();
    second->DragSupport().OnDragOver = [&](QWidget&, QWidget*, int, int, TDragState state, bool&) {
        log.push_back(std::string("second over ") + stateName(state));
    };
    source->BeginDrag(true);
    QTest::mouseMove(target, QPoint(20, 20));
    QTest::mouseMove(second.get(), QPoint(20, 20));
    EXPECT_EQ(TDragManager::Instance().Target(), second.get());
    EXPECT_TRUE(TDragManager::Instance().Accepted()) << "an assigned handler starts with true";
    source->EndDrag(false);
    const std::vector<std::string> expected = {
        "source start",
        "target over enter from source",
        "target over leave from source",
        "second over enter",
        "second over leave",
        "source end null 20,175",
    };
    EXPECT_EQ(log, expected);
}

TEST_F(DragDropTest, TargetDestroyedDuringTheDragIsForgotten)
{
    source->BeginDrag(true);
    QTest::mouseMove(target, QPoint(20, 20));
    delete target;
    target = nullptr;
    EXPECT_EQ(TDragManager::Instance().Target(), nullptr);
    QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "source end null 20,20");
}

TEST_F(DragDropTest, SourceDestroyedDuringTheDragEndsIt)
{
    source->BeginDrag(true);
    QTest::mouseMove(target, QPoint(20, 20));
    delete source;
    source = nullptr;
    EXPECT_FALSE(TDragManager::Instance().Active());
    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(20, 20));
    for (const auto& line : log)
        EXPECT_EQ(line.find("drop"), std::string::npos) << line;
}

} // namespace
