// TNuvEdit's value model, its settings and its colour states: writing and reading values per
// edit type, focus entry and leaving, Escape, the modified, error, link, focus and disabled
// looks. Keys and the clipboard are in NuvEditInput.cpp, painting in NuvEditLooks.cpp, the
// label in EditLabel.cpp, the mouse and drag and drop in NuvEditDragDrop.cpp, the
// auto-complete list and persistence in NuvEditLookup.cpp.
#include "comp/NuvEdit/NuvEdit.h"

#include "comp/NuvEdit/EditLabel.h"
#include "comp/NuvEdit/ListHintWindow.h"
#include "comp/NuvEdit/ValueText.h"
#include "platform/controls/Cursors.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/RaiseEvent.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QProxyStyle>
#include <cmath>

namespace {

Qt::Alignment qtAlignment(TEditAlign align)
{
    switch (align) {
    case TEditAlign::eaRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TEditAlign::eaCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

bool isDecimalType(TNuvEditType t)
{
    return t == TNuvEditType::etFloat || t == TNuvEditType::etMoney;
}

// Passwords show "*" for every character, whatever the platform style draws by default.
class TPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One instance for every password edit, living as long as the application.
QStyle* passwordStyle()
{
    static QPointer<TPasswordStyle> style;
    if (!style) {
        style = new TPasswordStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

// Decimals beyond what a double holds would only show noise.
constexpr int MaxPrecision = 15;

QString fixedPattern(int precision, bool grouped)
{
    return QStringLiteral("%.") + QString::number(precision) +
           (grouped ? QStringLiteral("n") : QStringLiteral("f"));
}

// The general format, without the exponent it uses from 1E15 up: no number type takes one,
// and the whole number is what the user would have typed.
QString generalText(double x)
{
    const QString g = Format(QStringLiteral("%g"), x);
    if (g.contains(u'E') && std::fabs(x) >= 1)
        return Format(QStringLiteral("%.0f"), x);
    return g;
}

// Numbers too large for a fixed text ("%.2f" of 1E300) would fill the edit with digits no
// one typed; they and the values that are no numbers count 0.
double sane(double x)
{
    return std::isfinite(x) && std::fabs(x) < 1e18 ? x : 0.0;
}

} // namespace

TNuvEdit::TNuvEdit(QWidget* parent) : QLineEdit(parent), m_popup(new TListHintWindow(this))
{
    m_popup->hide();
    QLineEdit::setMaxLength(32767);
    setDragEnabled(false);
    m_font.OnChange = [this](TFont& f) {
        setFont(f.ToQFont());
        m_normalFontColor = f.Color();
        if (!m_errorFlag && !m_linkFlag && !(m_showModified && m_modified))
            m_shownFontColor = f.Color();
        applyColors();
    };
    m_labelFont.OnChange = [this](TFont&) { updateLabelLook(); };
    setFont(m_font.ToQFont());
    connect(this, &QLineEdit::textChanged, this, [this] { textChangedByAnyone(); });
    m_popup->ListControl()->OnChoose = [this](TLookupListBox&) { chooseLookup(); };
    // The user went from the edit into the list and then elsewhere: the edit was left.
    m_popup->OnDeactivate = [this] {
        if (!hasFocus() && !m_choosing)
            DoExit();
    };
    applyColors();
}

TNuvEdit::~TNuvEdit()
{
    // The window goes away with the edit: what it showed is kept for the next run.
    SavePersistence();
    // The label lives on the parent, which may have freed it already.
    delete m_label.data();
}

void TNuvEdit::Loaded()
{
    m_normalFontColor = m_font.Color();
    if (m_flat) {
        m_flat = false;
        SetFlat(true);
    }
    placeLabel();
    if (!isEnabled()) {
        m_shownColor = m_disabledColor;
        applyColors();
    }
    LoadPersistence();
    updateLabelLook();
}

// --- Value ---------------------------------------------------------------------------------

QString TNuvEdit::Text() const
{
    QString t = QLineEdit::text();
    if (!m_prefix.isEmpty() && t.startsWith(m_prefix))
        t.remove(0, m_prefix.size());
    t.chop(std::min<qsizetype>(m_suffix.size(), t.size()));
    return t;
}

void TNuvEdit::setWindowValue(const QString& value)
{
    const QString shown = m_prefix + value + m_suffix;
    if (shown != QLineEdit::text())
        QLineEdit::setText(shown);
}

void TNuvEdit::SetValueText(const QString& value)
{
    QString v = value;
    const TFormatSettings& fs = FormatSettings();
    const TValueKind kind = ClassifyValue(v, fs);
    if (!v.isEmpty()) {
        switch (m_editType) {
        case TNuvEditType::etNumeric:
            if (kind != TValueKind::vkInteger)
                v = QStringLiteral("0");
            break;
        case TNuvEditType::etFloat:
        case TNuvEditType::etMoney:
            if (kind != TValueKind::vkInteger && kind != TValueKind::vkDecimal)
                v = QStringLiteral("0");
            break;
        case TNuvEditType::etHex:
            if (kind != TValueKind::vkInteger && kind != TValueKind::vkHex)
                v = QStringLiteral("0");
            break;
        default:
            break;
        }
        if (m_precision > 0 && isDecimalType(m_editType)) {
            const bool grouped = m_editType == TNuvEditType::etMoney && m_autoThousandSeparator;
            v = Format(fixedPattern(m_precision, grouped), sane(NumberOfText(v, fs)));
        }
    }
    if (m_editType == TNuvEditType::etHex)
        v = v.toUpper();
    setWindowValue(v);
    m_modified = false;
    updateModifiedLook();
    updateLinkLook();
}

double TNuvEdit::FloatValue() const
{
    const QString v = Text();
    const TFormatSettings& fs = FormatSettings();
    switch (m_editType) {
    case TNuvEditType::etNumeric:
    case TNuvEditType::etFloat:
        return v.isEmpty() ? 0.0 : sane(NumberOfText(v, fs));
    case TNuvEditType::etMoney: {
        QString plain = v;
        if (!fs.ThousandSeparator.isNull())
            plain.remove(fs.ThousandSeparator);
        if (plain.endsWith(fs.DecimalSeparator))
            plain.chop(1);
        if (plain.isEmpty() || plain == QStringLiteral("-"))
            return 0.0;
        return sane(NumberOfText(plain, fs));
    }
    case TNuvEditType::etHex:
        return sane(HexValue(v));
    default:
        return 0.0;
    }
}

void TNuvEdit::SetFloatValue(double value)
{
    const double x = sane(value);
    QString v;
    switch (m_editType) {
    case TNuvEditType::etNumeric:
        // A whole number: grouping or decimals would make it no integer.
        v = m_precision < 0 && x == std::trunc(x) ? generalText(x)
                                                  : Format(QStringLiteral("%.0f"), x);
        break;
    case TNuvEditType::etFloat:
        v = m_precision < 0 ? generalText(x) : Format(fixedPattern(m_precision, false), x);
        break;
    case TNuvEditType::etMoney:
        v = m_precision <= 0 ? generalText(x) : Format(fixedPattern(m_precision, false), x);
        break;
    case TNuvEditType::etHex: {
        const long long whole = static_cast<long long>(std::trunc(x));
        v = (whole < 0 ? QStringLiteral("-") : QString()) +
            QString::number(std::llabs(whole), 16).toUpper();
        break;
    }
    default:
        return;
    }
    SetValueText(v);
    if (m_editType == TNuvEditType::etMoney)
        regroupMoney();
    SetValueModified(true);
}

void TNuvEdit::SetIntValue(long long value)
{
    QString v;
    switch (m_editType) {
    case TNuvEditType::etNumeric:
    case TNuvEditType::etFloat:
    case TNuvEditType::etMoney:
        v = QString::number(value);
        break;
    case TNuvEditType::etHex:
        v = (value < 0 ? QStringLiteral("-") : QString()) +
            QString::number(value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                      : static_cast<unsigned long long>(value),
                            16)
                .toUpper();
        break;
    default:
        return;
    }
    SetValueText(v);
    if (m_editType == TNuvEditType::etMoney)
        regroupMoney();
    SetValueModified(true);
}

void TNuvEdit::SetValueModified(bool modified)
{
    m_modified = modified;
    updateModifiedLook();
}

void TNuvEdit::regroupMoney()
{
    const QString v = Text();
    if (v.isEmpty() || v == QStringLiteral("-"))
        return;
    const int valueEnd = prefixLength() + int(v.size());
    const int fromEnd = std::max(0, valueEnd - cursorPosition());
    const QString grouped = RegroupMoney(v, m_autoThousandSeparator, FormatSettings());
    if (grouped == v)
        return;
    setWindowValue(grouped);
    setCursorPosition(std::max(prefixLength(), prefixLength() + int(grouped.size()) - fromEnd));
}

// --- Settings ------------------------------------------------------------------------------

void TNuvEdit::SetEditType(TNuvEditType type)
{
    if (type == m_editType)
        return;
    m_editType = type;
    if (type == TNuvEditType::etPassword) {
        setStyle(passwordStyle());
        setEchoMode(QLineEdit::Password);
        m_canUndo = false;
    } else {
        setEchoMode(QLineEdit::Normal);
        setStyle(nullptr);
    }
    const QString v = Text();
    const TValueKind kind = ClassifyValue(v);
    bool reset = false;
    if (type == TNuvEditType::etNumeric)
        reset = kind != TValueKind::vkInteger;
    else if (isDecimalType(type))
        reset = kind != TValueKind::vkInteger && kind != TValueKind::vkDecimal;
    else if (type == TNuvEditType::etHex)
        reset = kind != TValueKind::vkInteger && kind != TValueKind::vkHex;
    // An empty value is no number either: a number edit starts at 0.
    if (reset)
        setWindowValue(QStringLiteral("0"));
}

void TNuvEdit::SetPrecision(int precision)
{
    if (precision > MaxPrecision || precision == m_precision)
        return;
    m_precision = precision;
    if (!isDecimalType(m_editType))
        return;
    const QString v = Text();
    const TValueKind kind = ClassifyValue(v);
    const bool number = kind == TValueKind::vkInteger || kind == TValueKind::vkDecimal;
    SetFloatValue(number ? NumberOfText(v) : 0.0);
}

void TNuvEdit::SetAutoThousandSeparator(bool on)
{
    if (on == m_autoThousandSeparator)
        return;
    m_autoThousandSeparator = on;
    if (m_editType == TNuvEditType::etMoney)
        regroupMoney();
}

void TNuvEdit::SetPrefix(const QString& prefix)
{
    const QString v = Text();
    m_prefix = prefix;
    QLineEdit::setText(m_prefix + v + m_suffix);
}

void TNuvEdit::SetSuffix(const QString& suffix)
{
    const QString v = Text();
    m_suffix = suffix;
    QLineEdit::setText(m_prefix + v + m_suffix);
}

void TNuvEdit::SetCanUndo(bool on)
{
    m_canUndo = on && m_editType != TNuvEditType::etPassword;
}

void TNuvEdit::SetMaxLength(int length)
{
    m_maxLength = std::max(0, length);
    QLineEdit::setMaxLength(m_maxLength > 0 ? m_maxLength : 32767);
}

void TNuvEdit::SetEditAlign(TEditAlign align)
{
    m_editAlign = align;
    if (!m_focusAligned)
        setAlignment(qtAlignment(align));
}

// --- Colours -------------------------------------------------------------------------------

void TNuvEdit::applyColors()
{
    QPalette pal = palette();
    QColor back = ToQColor(m_shownColor);
    if (m_transparent)
        back = Qt::transparent;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(g, QPalette::Base, back);
        pal.setColor(g, QPalette::Text, ToQColor(m_shownFontColor));
    }
    setPalette(pal);
    QFont f = m_font.ToQFont();
    if (m_linkFlag)
        f.setUnderline(true);
    setFont(f);
    update();
}

void TNuvEdit::SetColor(TColor color)
{
    m_normalColor = color;
    if (!m_focused && !m_errorFlag && isEnabled())
        m_shownColor = color;
    applyColors();
}

void TNuvEdit::SetEnabled(bool on)
{
    // The colours and the label follow in changeEvent, for setEnabled callers as well.
    QLineEdit::setEnabled(on);
}

void TNuvEdit::SetDisabledColor(TColor c)
{
    m_disabledColor = c;
    if (!isEnabled()) {
        m_shownColor = c;
        applyColors();
    }
}

void TNuvEdit::SetShowModified(bool on)
{
    const bool wasShown = m_showModified && m_modified;
    m_showModified = on;
    if (wasShown && !on && !m_errorFlag && !m_linkFlag && !isReadOnly()) {
        // The modified colour goes with the setting.
        m_shownFontColor =
            m_focused && m_focusFontColor != clNone ? m_focusFontColor : m_normalFontColor;
        applyColors();
    }
    updateModifiedLook();
}

void TNuvEdit::SetModifiedColor(TColor c)
{
    m_modifiedColor = c;
    updateModifiedLook();
}

void TNuvEdit::SetShowError(bool on)
{
    m_showError = on;
    if (!on && m_errorFlag) {
        m_errorFlag = false;
        m_shownColor = m_focused && m_focusColor != clNone ? m_focusColor : m_normalColor;
        m_shownFontColor =
            m_focused && m_focusFontColor != clNone ? m_focusFontColor : m_normalFontColor;
        if (m_linkFlag)
            m_shownFontColor = m_urlColor;
        applyColors();
        updateModifiedLook();
    } else if (on) {
        ValidateValue(Text());
    }
}

void TNuvEdit::SetShowURL(bool on)
{
    m_showURL = on;
    updateLinkLook();
}

void TNuvEdit::SetURLColor(TColor c)
{
    m_urlColor = c;
    updateLinkLook();
}

void TNuvEdit::updateModifiedLook()
{
    if (isReadOnly() || !m_showModified || m_errorFlag || m_linkFlag)
        return;
    m_shownFontColor = m_modified ? m_modifiedColor
                                  : (m_focused && m_focusFontColor != clNone ? m_focusFontColor
                                                                             : m_normalFontColor);
    applyColors();
}

void TNuvEdit::updateLinkLook()
{
    const bool link = m_showURL && LooksLikeLink(Text());
    if (link == m_linkFlag && !link)
        return;
    m_linkFlag = link;
    if (link) {
        m_shownFontColor = m_urlColor;
        setCursor(TScreenCursors::Get(crHandPoint));
    } else {
        m_shownFontColor =
            m_focused && m_focusFontColor != clNone ? m_focusFontColor : m_normalFontColor;
        unsetCursor();
    }
    applyColors();
}

bool TNuvEdit::ValidateValue(const QString& value)
{
    if (m_validating)
        return true;
    m_validating = true;
    bool valid = true;
    Raise(OnValueValidate, *this, value, valid);
    m_validating = false;
    if (m_showError) {
        if (!valid) {
            m_errorFlag = true;
            m_shownColor = m_errorColor;
            m_shownFontColor = m_errorFontColor;
        } else if (m_errorFlag) {
            m_errorFlag = false;
            const bool useFocus = m_focused;
            m_shownColor = useFocus && m_focusColor != clNone ? m_focusColor : m_normalColor;
            m_shownFontColor =
                useFocus && m_focusFontColor != clNone ? m_focusFontColor : m_normalFontColor;
            if (m_linkFlag)
                m_shownFontColor = m_urlColor;
        }
        applyColors();
    }
    return valid;
}

void TNuvEdit::textChangedByAnyone()
{
    updateLinkLook();
    ValidateValue(Text());
    if (m_transparent)
        update();
    Raise(OnChange, *this);
}

// --- Focus ---------------------------------------------------------------------------------

void TNuvEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    DoEnter(event->reason());
}

void TNuvEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A click into the auto-complete list keeps the edit's look: the user is still here.
    if (m_popup->isVisible() && QApplication::activeWindow() == m_popup.get())
        return;
    DoExit();
}

void TNuvEdit::DoEnter(Qt::FocusReason reason)
{
    // Coming back from the auto-complete list is no new entry: Escape still goes back to
    // the text the user found when entering.
    if (!m_focused)
        m_focusEntryText = Text();
    m_focused = true;
    if (m_focusColor != clNone && !m_errorFlag)
        m_shownColor = m_focusColor;
    if (!m_errorFlag && !(m_showModified && m_modified)) {
        m_normalFontColor = m_font.Color();
        if (!m_linkFlag && m_focusFontColor != clNone)
            m_shownFontColor = m_focusFontColor;
    }
    applyColors();
    const int valueStart = prefixLength();
    const QString v = Text();
    if (m_autoSelect && reason != Qt::MouseFocusReason) {
        int from = 0;
        if (m_linkFlag) {
            const qsizetype scheme = v.indexOf(QStringLiteral("://"));
            if (scheme >= 0)
                from = int(scheme) + 3;
            else if (v.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
                from = 7;
        }
        setSelection(valueStart + from, int(v.size()) - from);
    } else if (!m_autoSelect && isDecimalType(m_editType)) {
        const qsizetype dec = v.indexOf(FormatSettings().DecimalSeparator);
        setCursorPosition(valueStart + (dec >= 0 ? int(dec) : 0));
    } else if (!m_autoSelect && hasSelectedText()) {
        // The platform edit selects everything on a Tab entry by itself.
        setCursorPosition(cursorPosition());
        keepCaretInValue();
    }
    updateLabelLook();
    if (m_focusWidthInc != 0 && m_focusWidening == 0) {
        m_focusWidening = m_focusWidthInc;
        resize(width() + m_focusWidening, height());
    }
    if (m_focusAlign != TEditAlign::eaDefault && m_focusAlign != m_editAlign) {
        m_focusAligned = true;
        setAlignment(qtAlignment(m_focusAlign));
    }
    update();
    Raise(OnEnter, *this);
}

void TNuvEdit::DoExit()
{
    if (!m_focused)
        return;
    m_focused = false;
    m_popup->hide();
    if (!m_errorFlag)
        m_shownColor = isEnabled() ? m_normalColor : m_disabledColor;
    if (!m_errorFlag && !(m_showModified && m_modified) && !m_linkFlag)
        m_shownFontColor = m_normalFontColor;
    applyColors();
    updateLabelLook();
    const QString v = Text();
    // A lone sign is as empty as no text: no number is left behind.
    const bool noNumber = v.isEmpty() || v == QStringLiteral("-");
    if (isDecimalType(m_editType)) {
        const bool modified = m_modified;
        if (noNumber)
            SetFloatValue(0);
        else if (m_precision > 0) {
            const TValueKind kind = ClassifyValue(v);
            const bool number = kind == TValueKind::vkInteger || kind == TValueKind::vkDecimal;
            SetFloatValue(number ? FloatValue() : 0.0);
            SetValueModified(modified);
        }
    } else if (m_editType == TNuvEditType::etNumeric && noNumber) {
        setWindowValue(QStringLiteral("0"));
    }
    ValidateValue(Text());
    // What entering added is taken back, whatever the settings became meanwhile.
    if (m_focusWidening != 0) {
        resize(width() - m_focusWidening, height());
        m_focusWidening = 0;
    }
    if (m_focusAligned) {
        m_focusAligned = false;
        setAlignment(qtAlignment(m_editAlign));
    }
    update();
    addHistory();
    Raise(OnExit, *this);
}

void TNuvEdit::PostKey(QWidget* target, int vk)
{
    if (!target)
        return;
    const Qt::Key qtKey = QtKeyFromVirtualKey(vk);
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, qtKey, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, qtKey, Qt::NoModifier));
}
