// Conversion of Qt's key codes and modifier flags to virtual keys and shift states. Most
// codes line up by themselves (Qt's letters and digits are their ASCII values); the tables
// hold the rest.
#include "platform/controls/Keys.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <array>
#include <span>
#include <utility>

namespace {

using KeyPair = std::pair<int, int>; // Qt key, virtual key

constexpr std::array kNamedKeys = {
    KeyPair{Qt::Key_Backspace, VK_BACK},
    KeyPair{Qt::Key_Tab, VK_TAB},
    KeyPair{Qt::Key_Backtab, VK_TAB},
    KeyPair{Qt::Key_Clear, VK_CLEAR},
    KeyPair{Qt::Key_Return, VK_RETURN},
    KeyPair{Qt::Key_Enter, VK_RETURN},
    KeyPair{Qt::Key_Shift, VK_SHIFT},
    KeyPair{Qt::Key_Control, VK_CONTROL},
    KeyPair{Qt::Key_Alt, VK_MENU},
    KeyPair{Qt::Key_Pause, VK_PAUSE},
    KeyPair{Qt::Key_CapsLock, VK_CAPITAL},
    KeyPair{Qt::Key_Escape, VK_ESCAPE},
    KeyPair{Qt::Key_Space, VK_SPACE},
    KeyPair{Qt::Key_PageUp, VK_PRIOR},
    KeyPair{Qt::Key_PageDown, VK_NEXT},
    KeyPair{Qt::Key_End, VK_END},
    KeyPair{Qt::Key_Home, VK_HOME},
    KeyPair{Qt::Key_Left, VK_LEFT},
    KeyPair{Qt::Key_Up, VK_UP},
    KeyPair{Qt::Key_Right, VK_RIGHT},
    KeyPair{Qt::Key_Down, VK_DOWN},
    KeyPair{Qt::Key_Select, VK_SELECT},
    KeyPair{Qt::Key_Print, VK_SNAPSHOT},
    KeyPair{Qt::Key_Execute, VK_EXECUTE},
    KeyPair{Qt::Key_Insert, VK_INSERT},
    KeyPair{Qt::Key_Delete, VK_DELETE},
    KeyPair{Qt::Key_Help, VK_HELP},
    KeyPair{Qt::Key_Meta, VK_LWIN},
    KeyPair{Qt::Key_Menu, VK_APPS},
    KeyPair{Qt::Key_NumLock, VK_NUMLOCK},
    KeyPair{Qt::Key_ScrollLock, VK_SCROLL},
};

// What the punctuation keys type, unshifted and shifted, on a US keyboard.
constexpr std::array kPunctuation = {
    KeyPair{Qt::Key_Semicolon, VK_OEM_1},
    KeyPair{Qt::Key_Colon, VK_OEM_1},
    KeyPair{Qt::Key_Equal, VK_OEM_PLUS},
    KeyPair{Qt::Key_Plus, VK_OEM_PLUS},
    KeyPair{Qt::Key_Comma, VK_OEM_COMMA},
    KeyPair{Qt::Key_Less, VK_OEM_COMMA},
    KeyPair{Qt::Key_Minus, VK_OEM_MINUS},
    KeyPair{Qt::Key_Underscore, VK_OEM_MINUS},
    KeyPair{Qt::Key_Period, VK_OEM_PERIOD},
    KeyPair{Qt::Key_Greater, VK_OEM_PERIOD},
    KeyPair{Qt::Key_Slash, VK_OEM_2},
    KeyPair{Qt::Key_Question, VK_OEM_2},
    KeyPair{Qt::Key_QuoteLeft, VK_OEM_3},
    KeyPair{Qt::Key_AsciiTilde, VK_OEM_3},
    KeyPair{Qt::Key_BracketLeft, VK_OEM_4},
    KeyPair{Qt::Key_BraceLeft, VK_OEM_4},
    KeyPair{Qt::Key_Backslash, VK_OEM_5},
    KeyPair{Qt::Key_Bar, VK_OEM_5},
    KeyPair{Qt::Key_BracketRight, VK_OEM_6},
    KeyPair{Qt::Key_BraceRight, VK_OEM_6},
    KeyPair{Qt::Key_Apostrophe, VK_OEM_7},
    KeyPair{Qt::Key_QuoteDbl, VK_OEM_7},
    // The shifted digits.
    KeyPair{Qt::Key_Exclam, '1'},
    KeyPair{Qt::Key_At, '2'},
    KeyPair{Qt::Key_NumberSign, '3'},
    KeyPair{Qt::Key_Dollar, '4'},
    KeyPair{Qt::Key_Percent, '5'},
    KeyPair{Qt::Key_AsciiCircum, '6'},
    KeyPair{Qt::Key_Ampersand, '7'},
    KeyPair{Qt::Key_Asterisk, '8'},
    KeyPair{Qt::Key_ParenLeft, '9'},
    KeyPair{Qt::Key_ParenRight, '0'},
};

constexpr std::array kKeypadOperators = {
    KeyPair{Qt::Key_Asterisk, VK_MULTIPLY}, KeyPair{Qt::Key_Plus, VK_ADD},
    KeyPair{Qt::Key_Minus, VK_SUBTRACT},    KeyPair{Qt::Key_Period, VK_DECIMAL},
    KeyPair{Qt::Key_Comma, VK_DECIMAL},     KeyPair{Qt::Key_Slash, VK_DIVIDE},
};

template <class Table>
int lookup(const Table& table, int qtKey)
{
    for (const auto& [qt, vk] : table)
        if (qt == qtKey)
            return vk;
    return 0;
}

} // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + (qtKey - Qt::Key_0) : qtKey;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + (qtKey - Qt::Key_F1);
    if (keypad)
        if (int vk = lookup(kKeypadOperators, qtKey))
            return vk;
    if (int vk = lookup(kNamedKeys, qtKey))
        return vk;
    return lookup(kPunctuation, qtKey);
}

int VirtualKeyFromEvent(const QKeyEvent& event)
{
    return VirtualKeyFromQt(event.key(), event.modifiers());
}

Qt::Key QtKeyFromVirtualKey(int vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return Qt::Key(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return Qt::Key(Qt::Key_0 + (vk - VK_NUMPAD0));
    if (vk >= VK_F1 && vk <= VK_F24)
        return Qt::Key(Qt::Key_F1 + (vk - VK_F1));
    // The first entry of each table is the key's plain meaning.
    for (const auto& table :
         {std::span<const KeyPair>(kNamedKeys), std::span<const KeyPair>(kKeypadOperators),
          std::span<const KeyPair>(kPunctuation)})
        for (const auto& [qt, code] : table)
            if (code == vk)
                return Qt::Key(qt);
    return Qt::Key_unknown;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons,
                             bool doubleClick)
{
    TShiftState s;
    if (modifiers.testFlag(Qt::ShiftModifier))
        s.Include(TShiftStateItem::ssShift);
    if (modifiers.testFlag(Qt::AltModifier))
        s.Include(TShiftStateItem::ssAlt);
    if (modifiers.testFlag(Qt::ControlModifier))
        s.Include(TShiftStateItem::ssCtrl);
    if (buttons.testFlag(Qt::LeftButton))
        s.Include(TShiftStateItem::ssLeft);
    if (buttons.testFlag(Qt::RightButton))
        s.Include(TShiftStateItem::ssRight);
    if (buttons.testFlag(Qt::MiddleButton))
        s.Include(TShiftStateItem::ssMiddle);
    if (doubleClick)
        s.Include(TShiftStateItem::ssDouble);
    return s;
}

TShiftState ShiftStateFromEvent(const QInputEvent& event)
{
    if (event.isPointerEvent()) {
        const auto& mouse = static_cast<const QSinglePointEvent&>(event);
        return ShiftStateFromQt(event.modifiers(), mouse.buttons(),
                                event.type() == QEvent::MouseButtonDblClick);
    }
    return ShiftStateFromQt(event.modifiers());
}

TShiftState KeyboardShiftState()
{
    return ShiftStateFromQt(QGuiApplication::keyboardModifiers());
}
