// Key codes and shift states from Qt events, and how a control turns Qt's events into its
// KeyDown/KeyPress and mouse virtuals (swallowed keys, clicks, double clicks, capture).
#include "platform/controls/Keys.h"

#include "platform/controls/CustomControl.h"
#include "platform/controls/Mouse.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

struct KeyCase
{
    int qtKey;
    Qt::KeyboardModifiers mods;
    int vk;
};

TEST(KeysTest, QtKeysMapToVirtualKeys)
{
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const KeyCase cases[] = {
        {Qt::Key_Backspace, {}, VK_BACK},
        {Qt::Key_Tab, {}, VK_TAB},
        {Qt::Key_Return, {}, VK_RETURN},
        {Qt::Key_Enter, pad, VK_RETURN},
        {Qt::Key_Shift, {}, VK_SHIFT},
        {Qt::Key_Control, {}, VK_CONTROL},
        {Qt::Key_Alt, {}, VK_MENU},
        {Qt::Key_Escape, {}, VK_ESCAPE},
        {Qt::Key_Space, {}, VK_SPACE},
        {Qt::Key_PageUp, {}, VK_PRIOR},
        {Qt::Key_PageDown, {}, VK_NEXT},
        {Qt::Key_End, {}, VK_END},
        {Qt::Key_Home, {}, VK_HOME},
        {Qt::Key_Left, {}, VK_LEFT},
        {Qt::Key_Up, {}, VK_UP},
        {Qt::Key_Right, {}, VK_RIGHT},
        {Qt::Key_Down, {}, VK_DOWN},
        {Qt::Key_Insert, {}, 45},
        {Qt::Key_Delete, {}, 46},
        {Qt::Key_0, {}, 48},
        {Qt::Key_9, {}, 57},
        {Qt::Key_A, {}, 65},
        {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_0, pad, VK_NUMPAD0},
        {Qt::Key_7, pad, VK_NUMPAD0 + 7},
        {Qt::Key_Asterisk, pad, VK_MULTIPLY},
        {Qt::Key_Plus, pad, VK_ADD},
        {Qt::Key_Minus, pad, VK_SUBTRACT},
        {Qt::Key_Slash, pad, VK_DIVIDE},
        {Qt::Key_Period, pad, VK_DECIMAL},
        {Qt::Key_F1, {}, 112},
        {Qt::Key_F2, {}, 113},
        {Qt::Key_F12, {}, 123},
        {Qt::Key_Exclam, Qt::ShiftModifier, '1'},
        {Qt::Key_Colon, {}, VK_OEM_1},
        {Qt::Key_Plus, {}, VK_OEM_PLUS},
        {Qt::Key_unknown, {}, 0},
        {Qt::Key_VolumeUp, {}, 0},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.qtKey);
        EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.mods), c.vk);
        QKeyEvent event(QEvent::KeyPress, c.qtKey, c.mods);
        EXPECT_EQ(VirtualKeyFromEvent(event), c.vk);
    }
}

TEST(KeysTest, VirtualKeysRoundTripThroughQt)
{
    std::vector<int> codes = {VK_BACK,   VK_TAB,    VK_RETURN, VK_SHIFT, VK_CONTROL, VK_MENU,
                              VK_ESCAPE, VK_SPACE,  VK_PRIOR,  VK_NEXT,  VK_END,     VK_HOME,
                              VK_LEFT,   VK_UP,     VK_RIGHT,  VK_DOWN,  VK_INSERT,  VK_DELETE,
                              VK_ADD,    VK_DIVIDE, VK_OEM_1,  VK_OEM_7};
    for (int i = 0; i < 10; ++i) {
        codes.push_back('0' + i);
        codes.push_back(VK_NUMPAD0 + i);
    }
    for (int i = 0; i < 26; ++i)
        codes.push_back('A' + i);
    for (int i = 0; i < 24; ++i)
        codes.push_back(VK_F1 + i);
    for (int vk : codes) {
        SCOPED_TRACE(vk);
        const bool keypad = (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE);
        const Qt::Key key = QtKeyFromVirtualKey(vk);
        ASSERT_NE(key, Qt::Key_unknown);
        EXPECT_EQ(VirtualKeyFromQt(key, keypad ? Qt::KeypadModifier : Qt::NoModifier), vk);
    }
    EXPECT_EQ(QtKeyFromVirtualKey(0), Qt::Key_unknown);
}

TEST(KeysTest, ShiftStateFromModifiersButtonsAndDoubleClicks)
{
    using S = TShiftStateItem;
    EXPECT_EQ(ShiftStateFromQt(Qt::ShiftModifier | Qt::ControlModifier),
              (TShiftState{S::ssShift, S::ssCtrl}));
    EXPECT_EQ(ShiftStateFromQt(Qt::AltModifier, Qt::RightButton | Qt::MiddleButton),
              (TShiftState{S::ssAlt, S::ssRight, S::ssMiddle}));

    const QPointF p(3, 4);
    QMouseEvent press(QEvent::MouseButtonPress, p, p, Qt::LeftButton, Qt::LeftButton,
                      Qt::ControlModifier);
    EXPECT_EQ(ShiftStateFromEvent(press), (TShiftState{S::ssCtrl, S::ssLeft}));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, p, Qt::LeftButton, Qt::LeftButton, {});
    EXPECT_EQ(ShiftStateFromEvent(dbl), (TShiftState{S::ssLeft, S::ssDouble}));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(ShiftStateFromEvent(key), TShiftState{S::ssAlt});

    EXPECT_EQ(MouseButtonFromQt(Qt::LeftButton), TMouseButton::mbLeft);
    EXPECT_EQ(MouseButtonFromQt(Qt::RightButton), TMouseButton::mbRight);
    EXPECT_EQ(MouseButtonFromQt(Qt::MiddleButton), TMouseButton::mbMiddle);
    EXPECT_FALSE(MouseButtonFromQt(Qt::BackButton).has_value());
}

TEST(KeysTest, ControlKeyDownSeesVirtualKeysAndCanSwallowTheKeyPress)
{
    TCustomControl control;
    std::vector<std::string> log;
    control.OnKeyDown = [&](QWidget&, int& key, TShiftState shift) {
        log.push_back("down " + std::to_string(key) +
                      (shift.Contains(TShiftStateItem::ssShift) ? " shift" : ""));
        if (key == 'X')
            key = 0;
    };
    control.OnKeyPress = [&](QWidget&, QChar& ch) {
        log.push_back("press " + QString(ch).toStdString());
    };
    control.OnKeyUp = [&](QWidget&, int& key, TShiftState) {
        log.push_back("up " + std::to_string(key));
    };
    QTest::keyClick(&control, Qt::Key_F2);
    // The character overload, so that the shifted letter carries "A" as a keyboard's would;
    // QTest also presses and releases Shift itself around it.
    QTest::keyClick(&control, 'A', Qt::ShiftModifier);
    QTest::keyClick(&control, Qt::Key_X);
    const std::vector<std::string> expected = {"down 113",      "up 113",  "down 16",
                                               "down 65 shift", "press A", "up 65",
                                               "up 16",         "down 88", "up 88"};
    EXPECT_EQ(log, expected);
}

TEST(KeysTest, ControlMouseEventsClicksAndDoubleClicks)
{
    TCustomControl control;
    control.resize(100, 50);
    std::vector<std::string> log;
    control.OnMouseDown = [&](QWidget&, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," +
                      std::to_string(y) + (s.Contains(TShiftStateItem::ssDouble) ? " double" : ""));
    };
    control.OnMouseUp = [&](QWidget&, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
    control.OnClick = [&](QWidget&) { log.push_back("click"); };
    control.OnDblClick = [&](QWidget&) { log.push_back("dblclick"); };

    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(10, 20));
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 10,20", "up", "click"}));

    log.clear();
    QTest::mousePress(&control, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(150, 20));
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 10,20", "up"})) << "released outside";

    log.clear();
    QTest::mouseClick(&control, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"down 1 5,5", "up"})) << "no click on the right";

    log.clear();
    // A double click as Qt delivers it: press, release, the double-click press, release.
    // (QTest::mouseDClick on a widget sends the double-click press alone.)
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mouseDClick(&control, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(7, 8));
    EXPECT_EQ(log, (std::vector<std::string>{"down 0 7,8", "up", "click", "dblclick",
                                             "down 0 7,8 double", "up", "click"}));
}

TEST(KeysTest, CaptureFollowsSetAndReleaseAndForgetsDestroyedControls)
{
    auto control = std::make_unique<TCustomControl>();
    SetCapture(control.get());
    EXPECT_EQ(GetCapture(), control.get());
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);

    SetCapture(control.get());
    control.reset();
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
