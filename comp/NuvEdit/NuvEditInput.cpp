// What TNuvEdit does with the keyboard and the clipboard: the key-down rules around Prefix,
// Suffix and the auto-complete list, the per-type rules for typed characters (numbers,
// decimals with a precision, money grouping, signs, ranges, hexadecimal, letter case, valid
// characters, the length limit), and copy, cut and paste with their events.
#include "comp/NuvEdit/ListHintWindow.h"
#include "comp/NuvEdit/NuvEdit.h"
#include "comp/NuvEdit/ValueText.h"
#include "platform/core/RaiseEvent.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isRangeSeparator(QChar c)
{
    return c == u',' || c == u'-' || c == u';';
}

constexpr QChar Backspace = QChar(8);
constexpr QChar Tab = QChar(9);
constexpr QChar Enter = QChar(13);

// Clipboard text meant for a single line: what follows the first line break is dropped.
QString firstLine(const QString& text)
{
    const qsizetype br = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return br >= 0 ? text.left(br) : text;
}

} // namespace

// --- Positions -----------------------------------------------------------------------------

void TNuvEdit::selection(int& start, int& end) const
{
    if (hasSelectedText()) {
        start = selectionStart();
        end = start + int(selectedText().size());
    } else {
        start = end = cursorPosition();
    }
}

void TNuvEdit::valueSelection(int& start, int& end) const
{
    int s = 0;
    int e = 0;
    selection(s, e);
    const int len = int(Text().size());
    start = std::clamp(s - prefixLength(), 0, len);
    end = std::clamp(e - prefixLength(), 0, len);
}

QString TNuvEdit::selectedValuePart() const
{
    int s = 0;
    int e = 0;
    valueSelection(s, e);
    return Text().mid(s, e - s);
}

void TNuvEdit::keepCaretInValue()
{
    const int valueStart = prefixLength();
    const int valueEnd = valueStart + int(Text().size());
    if (hasSelectedText()) {
        int s = 0;
        int e = 0;
        selection(s, e);
        const int cs = std::clamp(s, valueStart, valueEnd);
        const int ce = std::clamp(e, valueStart, valueEnd);
        if (cs != s || ce != e) {
            if (cursorPosition() == s)
                setSelection(ce, cs - ce);
            else
                setSelection(cs, ce - cs);
        }
        return;
    }
    const int pos = cursorPosition();
    const int clamped = std::clamp(pos, valueStart, valueEnd);
    if (clamped != pos)
        setCursorPosition(clamped);
}

bool TNuvEdit::deletionBreaksLimit(int from, int to) const
{
    if (m_lengthLimit <= 0)
        return false;
    QString v = Text();
    v.remove(from, to - from);
    return IntegerPartLength(v, FormatSettings()) > m_lengthLimit;
}

// --- Key down ------------------------------------------------------------------------------

void TNuvEdit::KeyDown(int& key, TShiftState shift)
{
    Raise(OnKeyDown, *this, key, shift);
    if (key == 0)
        return;
    const bool ctrl = shift.Contains(TShiftStateItem::ssCtrl);
    const bool withShift = shift.Contains(TShiftStateItem::ssShift);
    if (LookupShown() && !ctrl && lookupKey(key)) {
        key = 0;
        return;
    }
    if (ctrl && (key == VK_TAB || key == VK_RETURN))
        return;
    // Escape closes the list first; what it would offer no longer matches the text.
    if (key == VK_ESCAPE && LookupShown())
        m_popup->hide();
    if (key == VK_ESCAPE && m_canUndo) {
        SetValueText(m_focusEntryText);
        m_shownFontColor = m_focusFontColor != clNone ? m_focusFontColor : m_normalFontColor;
        applyColors();
        setSelection(prefixLength(), int(Text().size()));
        SetValueModified(false);
        key = 0;
        PostKey(parentWidget(), VK_ESCAPE);
        return;
    }
    if (key == VK_RETURN && m_returnIsTab) {
        key = 0;
        if (isVisible())
            PostKey(this, VK_TAB);
        return;
    }
    const int valueStart = prefixLength();
    const int valueEnd = valueStart + int(Text().size());
    const int caret = cursorPosition();
    if (!m_suffix.isEmpty()) {
        if (key == VK_RIGHT && caret >= valueEnd && !withShift) {
            key = 0;
            return;
        }
        if (key == VK_DELETE && caret >= valueEnd && !hasSelectedText()) {
            key = 0;
            return;
        }
        if (key == VK_END) {
            if (withShift)
                setSelection(caret, valueEnd - caret);
            else
                setCursorPosition(valueEnd);
            key = 0;
            return;
        }
    }
    if (!m_prefix.isEmpty()) {
        if (key == VK_LEFT && caret <= valueStart && !withShift) {
            key = 0;
            return;
        }
        if (key == VK_HOME) {
            if (withShift)
                setSelection(valueEnd, valueStart - valueEnd);
            else
                setCursorPosition(valueStart);
            key = 0;
            return;
        }
    }
    if (key == VK_DELETE && !withShift && caret >= valueStart) {
        int s = 0;
        int e = 0;
        valueSelection(s, e);
        if (s == e)
            e = std::min(s + 1, int(Text().size()));
        if (deletionBreaksLimit(s, e)) {
            key = 0;
            return;
        }
    }
}

// --- Typed characters ----------------------------------------------------------------------

bool TNuvEdit::KeyPress(QChar& key, TShiftState shift, bool keypad)
{
    const TFormatSettings& fs = FormatSettings();
    const QChar decimal = fs.DecimalSeparator;
    const QChar thousand = fs.ThousandSeparator;
    const bool ctrl = shift.Contains(TShiftStateItem::ssCtrl);

    if (key == Enter) {
        if (!ctrl)
            Raise(OnKeyPress, *this, key);
        return false;
    }
    Raise(OnKeyPress, *this, key);
    if (key.isNull())
        return false;

    if (m_excelStyleDecimalSeparator && keypad && key == u'.')
        key = decimal;

    int selStart = 0;
    int selEnd = 0;
    selection(selStart, selEnd);
    const bool hasSel = selStart != selEnd;
    const int valueStart = prefixLength();
    const int caret = cursorPosition();
    const QString v = Text();
    const int vcaret = std::clamp(caret - valueStart, 0, int(v.size()));

    if (key == Backspace && !m_prefix.isEmpty() && !hasSel && caret <= valueStart)
        return false;

    if (m_lengthLimit > 0) {
        const qsizetype dec = v.indexOf(decimal);
        const bool beforeDecimal = dec < 0 || vcaret <= dec;
        if (IntegerPartLength(v, fs) >= m_lengthLimit && !hasSel && beforeDecimal &&
            key != Backspace && key != decimal)
            return false;
        if (key == Backspace) {
            int s = 0;
            int e = 0;
            valueSelection(s, e);
            if (s == e && s > 0)
                --s;
            if (deletionBreaksLimit(s, e))
                return false;
        } else if (hasSel) {
            // Typing over a selected decimal separator joins the parts as a deletion would.
            int s = 0;
            int e = 0;
            valueSelection(s, e);
            const int grown = IntegerPartLength(v.left(s) + key + v.mid(e), fs);
            if (grown > m_lengthLimit && grown > IntegerPartLength(v, fs))
                return false;
        }
    }

    const bool numberType = m_editType == TNuvEditType::etNumeric ||
                            m_editType == TNuvEditType::etFloat ||
                            m_editType == TNuvEditType::etMoney;
    if (numberType && key == u'-' && !m_signed)
        return false;

    const bool control = key == Backspace || key == Tab;
    switch (m_editType) {
    case TNuvEditType::etString:
    case TNuvEditType::etPassword:
        break;
    case TNuvEditType::etNumeric:
        if (ctrl)
            break;
        if (key != Backspace && key != u'-' && v.startsWith(u'-') && vcaret == 0 && !hasSel)
            return false;
        // The sign key toggles the sign whatever is selected: a whole number has no other
        // place for it.
        if (key == u'-') {
            toggleSign();
            afterAcceptedChar();
            return false;
        }
        if (!control && !isDigit(key))
            return false;
        break;
    case TNuvEditType::etFloat:
    case TNuvEditType::etMoney: {
        const bool isDecimal = key == decimal;
        const bool isThousand = !thousand.isNull() && key == thousand;
        const bool allowed =
            control || isDigit(key) || key == u',' || key == u'-' || key == u'.' || isDecimal;
        if (!allowed)
            return false;
        if (!acceptNumberChar(key, isDecimal, isThousand))
            return false;
        break;
    }
    case TNuvEditType::etUppercase:
        key = key.toUpper();
        break;
    case TNuvEditType::etLowerCase:
        key = key.toLower();
        break;
    case TNuvEditType::etMixedCase:
        break;
    case TNuvEditType::etRange:
        if (!control && !isDigit(key) && !isRangeSeparator(key))
            return false;
        if (isRangeSeparator(key)) {
            int s = 0;
            int e = 0;
            valueSelection(s, e);
            if (caret <= valueStart)
                return false;
            if ((s > 0 && isRangeSeparator(v[s - 1])) || (e < v.size() && isRangeSeparator(v[e])))
                return false;
        }
        break;
    case TNuvEditType::etHex:
        if (!control && !isDigit(key) && key != u'-' &&
            !((key >= u'A' && key <= u'F') || (key >= u'a' && key <= u'f')))
            return false;
        // One sign, in front: anything else makes no hexadecimal number.
        if (key == u'-' && (v.contains(u'-') || vcaret != 0 || caret < valueStart))
            return false;
        if (key != Backspace && v.startsWith(u'-') && vcaret == 0 && !hasSel)
            return false;
        break;
    case TNuvEditType::etAlphaNumeric:
        if (!control && !isDigit(key) && !isAsciiLetter(key))
            return false;
        break;
    case TNuvEditType::etValidChars:
        if (key != Backspace && !m_validChars.contains(key))
            return false;
        break;
    }
    return true;
}

// The decimal-number rules of etFloat and etMoney; false swallows the character. May move
// the caret or the selection (a jump over the separator, a decimal to overwrite) or do the
// whole edit itself (the sign, "0." in an empty value), returning false then as well.
bool TNuvEdit::acceptNumberChar(QChar c, bool isDecimal, bool isThousand)
{
    const TFormatSettings& fs = FormatSettings();
    const QChar decimal = fs.DecimalSeparator;
    const QChar thousand = fs.ThousandSeparator;
    const QString v = Text();
    const int valueStart = prefixLength();
    int s = 0;
    int e = 0;
    valueSelection(s, e);
    const bool hasSel = hasSelectedText();
    const int vcaret = std::clamp(cursorPosition() - valueStart, 0, int(v.size()));
    const qsizetype dec = v.indexOf(decimal);

    if (m_editType == TNuvEditType::etFloat && (c == u',' || c == u'.') && !isDecimal &&
        !isThousand)
        return false;
    if (c == u'-') {
        if (hasSel)
            return false;
        toggleSign();
        afterAcceptedChar();
        return false;
    }
    // Where digits go: never in front of the sign.
    if (v.startsWith(u'-') && vcaret == 0 && !hasSel && c != Backspace)
        return false;
    if (isDecimal) {
        const bool selectionHasOne = v.mid(s, e - s).contains(decimal);
        if (!selectionHasOne && (dec >= 0 || m_precision == 0)) {
            if (m_precision > 0 && dec >= 0)
                setCursorPosition(valueStart + int(dec) + 1);
            return false;
        }
        // More decimals than Precision would behind the new separator: leaving would round
        // away what the user typed.
        if (m_precision > 0) {
            const QString behind = v.mid(e);
            if (std::count_if(behind.begin(), behind.end(), isDigit) > m_precision)
                return false;
        }
        if (v.isEmpty() && vcaret == 0) {
            setWindowValue(QStringLiteral("0") + decimal);
            setCursorPosition(valueStart + 2);
            afterAcceptedChar();
            return false;
        }
    }
    if (c == u',' && !isDecimal && thousand != u',') {
        const QString outside = v.left(s) + v.mid(e);
        if (outside.contains(u','))
            return false;
    }
    if ((isDecimal || isThousand) && !thousand.isNull() && v.contains(thousand)) {
        int nearest = -1;
        for (int i = 0; i < v.size(); ++i) {
            if (v[i] != thousand)
                continue;
            const int gap = i < vcaret ? vcaret - i - 1 : i - vcaret;
            if (nearest < 0 || gap < nearest)
                nearest = gap;
        }
        if (nearest != 3)
            return false;
    }
    if (isThousand) {
        // A separator sits between digits of the integer part.
        if (vcaret == 0 || (dec >= 0 && vcaret > dec) || v.isEmpty())
            return false;
    }
    if (m_precision > 0 && isDigit(c) && !hasSel && dec >= 0 && vcaret > dec) {
        const int decimals = int(v.size() - dec - 1);
        if (decimals >= m_precision) {
            if (vcaret >= v.size())
                return false;
            setSelection(valueStart + vcaret, 1);
        }
    }
    if (m_precision == 0 && isDecimal)
        return false;
    return true;
}

void TNuvEdit::toggleSign()
{
    const QString v = Text();
    const int valueStart = prefixLength();
    const int caret = cursorPosition();
    if (!v.startsWith(u'-')) {
        setWindowValue(QStringLiteral("-") + v);
        setCursorPosition(caret + 1);
    } else {
        setWindowValue(v.mid(1));
        setCursorPosition(std::max(valueStart, caret - 1));
    }
}

void TNuvEdit::afterAcceptedChar()
{
    if (m_editType == TNuvEditType::etMixedCase) {
        const int caret = cursorPosition();
        setWindowValue(MixedCase(Text()));
        setCursorPosition(caret);
    }
    if (m_tabOnFullLength && m_lengthLimit > 0 && !hasSelectedText()) {
        const TFormatSettings& fs = FormatSettings();
        const QString v = Text();
        // The caret at the limit counts the characters the limit counts: money's thousand
        // separators are not among them.
        const QString beforeCaret = v.left(std::max(0, cursorPosition() - prefixLength()));
        if (IntegerPartLength(v, fs) == m_lengthLimit &&
            !beforeCaret.contains(fs.DecimalSeparator) &&
            IntegerPartLength(beforeCaret, fs) == m_lengthLimit)
            PostKey(this, VK_TAB);
    }
    SetValueModified(true);
    updateLookup();
}

void TNuvEdit::keyPressEvent(QKeyEvent* event)
{
    const TShiftState shift = ShiftStateFromEvent(*event);
    const bool ctrl = shift.Contains(TShiftStateItem::ssCtrl);
    const bool withShift = shift.Contains(TShiftStateItem::ssShift);
    const bool alt = shift.Contains(TShiftStateItem::ssAlt);
    // The key as pressed: what a handler made of it only decides whether it goes on.
    const int pressed = VirtualKeyFromEvent(*event);
    int key = pressed;
    KeyDown(key, shift);
    if (key == 0 && pressed != 0) {
        event->accept();
        return;
    }

    // The clipboard keys of both families go through our own clipboard handling, after the
    // key-down handlers had their say.
    if (event->matches(QKeySequence::Copy) || (ctrl && pressed == VK_INSERT)) {
        CopyToClipboard();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut) || (withShift && !ctrl && pressed == VK_DELETE)) {
        CutToClipboard();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste) || (withShift && !ctrl && pressed == VK_INSERT)) {
        PasteFromClipboard();
        event->accept();
        return;
    }
    // Undoing the platform's way would bring back texts the edit type never allowed.
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        if (m_editType != TNuvEditType::etString && m_editType != TNuvEditType::etPassword) {
            event->accept();
            return;
        }
    }

    if (pressed == VK_RETURN) {
        QChar ch = Enter;
        KeyPress(ch, shift, false);
        // Ctrl+Enter belongs to the edit; a plain Enter may still press a default button.
        if (ctrl)
            event->accept();
        else
            event->ignore();
        return;
    }

    const QString text = event->text();
    const bool printable =
        !text.isEmpty() && !text[0].isNull() && (text[0] == Backspace || text[0].unicode() >= 32);
    if (printable && !(ctrl && !alt && text[0] != Backspace)) {
        // A read-only edit keeps its text: the typing rules below edit the text directly.
        if (pressed == VK_ESCAPE || isReadOnly())
            return QLineEdit::keyPressEvent(event);
        keepCaretInValue();
        QChar ch = pressed == VK_BACK ? Backspace : text[0];
        if (!KeyPress(ch, shift, event->modifiers().testFlag(Qt::KeypadModifier))) {
            event->accept();
            return;
        }
        if (ch == Backspace)
            backspace();
        else if (ch != Tab && !ch.isNull())
            insert(QString(ch));
        if (m_editType == TNuvEditType::etMoney && ch != FormatSettings().DecimalSeparator)
            regroupMoney();
        afterAcceptedChar();
        event->accept();
        return;
    }

    const QString before = QLineEdit::text();
    if (key == VK_DELETE)
        keepCaretInValue();
    QLineEdit::keyPressEvent(event);
    const QString after = QLineEdit::text();
    // Prefix and suffix are fixed: a platform edit that reached them is put back. So is one
    // that lengthens the part the length limit counts (a word deleted across the decimal
    // separator).
    const auto integerPart = [this](const QString& shown) {
        return IntegerPartLength(
            shown.mid(m_prefix.size(), shown.size() - m_prefix.size() - m_suffix.size()),
            FormatSettings());
    };
    if (after != before && (!after.startsWith(m_prefix) || !after.endsWith(m_suffix) ||
                            after.size() < m_prefix.size() + m_suffix.size()))
        QLineEdit::setText(before);
    else if (after != before && m_lengthLimit > 0 && integerPart(after) > m_lengthLimit &&
             integerPart(after) > integerPart(before))
        QLineEdit::setText(before);
    keepCaretInValue();
    if (QLineEdit::text() != before) {
        if (m_editType == TNuvEditType::etMoney)
            regroupMoney();
        SetValueModified(true);
    }
}

void TNuvEdit::keyReleaseEvent(QKeyEvent* event)
{
    int key = VirtualKeyFromEvent(*event);
    Raise(OnKeyUp, *this, key, ShiftStateFromEvent(*event));
    if (key == 0) {
        event->accept();
        return;
    }
    QLineEdit::keyReleaseEvent(event);
}

// --- Clipboard -----------------------------------------------------------------------------

void TNuvEdit::CopyToClipboard()
{
    const QString part = selectedValuePart();
    if (part.isEmpty() || echoMode() != QLineEdit::Normal)
        return;
    bool allow = true;
    Raise(OnClipboardCopy, *this, part, allow);
    if (allow)
        QGuiApplication::clipboard()->setText(part);
}

void TNuvEdit::CutToClipboard()
{
    // A password never reaches the clipboard, and a cut that loses it there would only
    // delete it.
    if (!EditorAcceptsClipboard() || echoMode() != QLineEdit::Normal)
        return;
    const QString part = selectedValuePart();
    if (part.isEmpty())
        return;
    bool allow = true;
    Raise(OnClipboardCut, *this, part, allow);
    if (!allow)
        return;
    int s = 0;
    int e = 0;
    valueSelection(s, e);
    if (deletionBreaksLimit(s, e))
        return;
    QGuiApplication::clipboard()->setText(part);
    QString v = Text();
    v.remove(s, e - s);
    setWindowValue(v);
    setCursorPosition(prefixLength() + s);
    if (m_editType == TNuvEditType::etMoney)
        regroupMoney();
    SetValueModified(true);
}

void TNuvEdit::PasteFromClipboard()
{
    if (!EditorAcceptsClipboard())
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    const QString text = firstLine(data->text());
    bool allow = true;
    Raise(OnClipboardPaste, *this, selectedValuePart(), allow);
    if (!allow)
        return;
    int s = 0;
    int e = 0;
    valueSelection(s, e);
    // Without MaxLength the platform edit still holds only so many characters: a longer text
    // would be cut short, suffix and all.
    const int limit = m_maxLength > 0 ? m_maxLength : QLineEdit::maxLength();
    if (QLineEdit::text().size() - (e - s) + text.size() > limit)
        return;
    applyInsertion(text, s, e, s != e);
}

bool TNuvEdit::applyInsertion(const QString& text, int start, int end, bool selectAfter)
{
    const TFormatSettings& fs = FormatSettings();
    const QString v = Text();
    QString candidate = v.left(start) + text + v.mid(end);
    const TValueKind kind = ClassifyValue(candidate, fs);
    const bool signOk = m_signed || !candidate.contains(u'-');
    // What the keyboard may not type past the length limit cannot come in another way.
    if (m_lengthLimit > 0 && IntegerPartLength(candidate, fs) > m_lengthLimit)
        return false;
    switch (m_editType) {
    case TNuvEditType::etString:
    case TNuvEditType::etPassword:
        break;
    case TNuvEditType::etNumeric:
        if (kind != TValueKind::vkInteger || !signOk)
            return false;
        break;
    case TNuvEditType::etFloat:
    case TNuvEditType::etMoney:
        if ((kind != TValueKind::vkInteger && kind != TValueKind::vkDecimal) || !signOk)
            return false;
        if (m_precision == 0 && text.contains(fs.DecimalSeparator))
            return false;
        break;
    case TNuvEditType::etUppercase:
        candidate = candidate.toUpper();
        break;
    case TNuvEditType::etLowerCase:
        candidate = candidate.toLower();
        break;
    case TNuvEditType::etMixedCase:
        candidate = MixedCase(candidate);
        break;
    case TNuvEditType::etAlphaNumeric:
        for (QChar c : candidate)
            if (!isDigit(c) && !isAsciiLetter(c))
                return false;
        break;
    case TNuvEditType::etValidChars:
        for (QChar c : candidate)
            if (!m_validChars.contains(c))
                return false;
        break;
    case TNuvEditType::etRange:
    case TNuvEditType::etHex:
        return false;
    }
    if (m_editType == TNuvEditType::etFloat || m_editType == TNuvEditType::etMoney) {
        // Rewritten from its own number, in this type's format.
        const bool modified = m_modified;
        SetValueText(candidate);
        const double x = NumberOfText(Text(), fs);
        m_modified = modified;
        SetFloatValue(x);
    } else {
        setWindowValue(candidate);
    }
    const int valueStart = prefixLength();
    const int len = int(Text().size());
    if (m_editType == TNuvEditType::etMoney && len > 3)
        setSelection(valueStart, len);
    else if (selectAfter)
        setSelection(valueStart + std::min(start, len),
                     std::min(int(text.size()), len - std::min(start, len)));
    else
        setCursorPosition(valueStart + std::min(start + int(text.size()), len));
    SetValueModified(true);
    updateLookup();
    return true;
}

// The standard menu, with its clipboard entries going through the edit's own rules.
void TNuvEdit::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    for (QAction* action : menu->actions()) {
        const QString name = action->objectName();
        if (name == QStringLiteral("edit-cut") || name == QStringLiteral("edit-copy") ||
            name == QStringLiteral("edit-paste") || name == QStringLiteral("edit-undo") ||
            name == QStringLiteral("edit-redo") || name == QStringLiteral("edit-delete"))
            disconnect(action, nullptr, this, nullptr);
        if (name == QStringLiteral("edit-cut"))
            connect(action, &QAction::triggered, this, [this] { CutToClipboard(); });
        else if (name == QStringLiteral("edit-copy"))
            connect(action, &QAction::triggered, this, [this] { CopyToClipboard(); });
        else if (name == QStringLiteral("edit-paste"))
            connect(action, &QAction::triggered, this, [this] { PasteFromClipboard(); });
        else if (name == QStringLiteral("edit-undo") || name == QStringLiteral("edit-redo") ||
                 name == QStringLiteral("edit-delete"))
            action->setVisible(false);
    }
    menu->exec(event->globalPos());
}
