// TNuvEdit: the single-line edit with a typed input mode. It filters what the user types,
// pastes and drops by its edit type (whole numbers, decimals, money, hexadecimal, ranges,
// letter case, a character set), keeps a fixed prefix and suffix around the value, formats
// decimals with a precision and thousand separators, changes its colours on focus, on
// modification and on validation errors, can show a caption label beside itself and can
// show its value as a clickable link. It offers an auto-complete list of known texts and can
// keep its text and that list in an INI file or the native settings store.
//
// The window text is Prefix + value + Suffix; Text() and SetText() speak of the value only.
// Positions (caret, selection) are those of the window text, as QLineEdit has them.
#pragma once

#include "comp/NuvEdit/EditLabel.h"
#include "comp/NuvEdit/LinkOpener.h"
#include "comp/NuvEdit/LookupSettings.h"
#include "platform/controls/Keys.h"
#include "platform/core/Color.h"
#include "platform/gfx/Font.h"

#include <QChar>
#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <algorithm>
#include <functional>
#include <memory>

class QDrag;
class QLabel;
class TCanvas;
class TListHintWindow;

enum class TNuvEditType
{
    etString,
    etNumeric,
    etFloat,
    etUppercase,
    etMixedCase,
    etLowerCase,
    etPassword,
    etMoney,
    etRange,
    etHex,
    etAlphaNumeric,
    etValidChars
};

enum class TEditAlign
{
    eaLeft,
    eaRight,
    eaDefault,
    eaCenter
};

enum class TLabelPosition
{
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter
};

class TNuvEdit : public QLineEdit
{
public:
    explicit TNuvEdit(QWidget* parent = nullptr);
    ~TNuvEdit() override;

    // The load-completion step: remembers the normal colours, re-applies the flat look and
    // the height, places the label, shows a disabled edit in DisabledColor and loads the
    // persisted value.
    virtual void Loaded();

    // --- Value ---------------------------------------------------------------------------
    // The value: the window text without Prefix and Suffix.
    QString Text() const;
    // Writes a value: unsuitable texts of the numeric types become "0", Precision formats
    // decimals, hexadecimal is upper-cased; clears the modified flag.
    void SetText(const QString& value) { SetValueText(value); }
    void SetValueText(const QString& value);
    double FloatValue() const;
    void SetFloatValue(double value);
    void SetIntValue(long long value);
    bool IsValueModified() const { return m_modified; }
    void SetValueModified(bool modified);

    // --- Input mode ----------------------------------------------------------------------
    TNuvEditType EditType() const { return m_editType; } // etString
    void SetEditType(TNuvEditType type);
    // Decimals of etFloat and etMoney; -1 writes numbers in the general format. Values
    // above 15 are ignored.
    int Precision() const { return m_precision; } // 0
    void SetPrecision(int precision);
    bool Signed() const { return m_signed; } // false
    void SetSigned(bool on) { m_signed = on; }
    bool AutoThousandSeparator() const { return m_autoThousandSeparator; } // true
    void SetAutoThousandSeparator(bool on);
    bool ExcelStyleDecimalSeparator() const { return m_excelStyleDecimalSeparator; } // false
    void SetExcelStyleDecimalSeparator(bool on) { m_excelStyleDecimalSeparator = on; }
    // Characters before the first decimal separator (thousand separators not counted).
    int LengthLimit() const { return m_lengthLimit; } // 0 = none
    void SetLengthLimit(int limit) { m_lengthLimit = std::max(0, limit); }
    bool TabOnFullLength() const { return m_tabOnFullLength; } // false
    void SetTabOnFullLength(bool on) { m_tabOnFullLength = on; }
    const QString& Prefix() const { return m_prefix; } // empty
    void SetPrefix(const QString& prefix);
    const QString& Suffix() const { return m_suffix; } // empty
    void SetSuffix(const QString& suffix);
    const QString& ValidChars() const { return m_validChars; } // empty
    void SetValidChars(const QString& chars) { m_validChars = chars; }
    // Escape restores the text of focus entry; always false for etPassword.
    bool CanUndo() const { return m_canUndo; } // true
    void SetCanUndo(bool on);
    bool ReturnIsTab() const { return m_returnIsTab; } // false
    void SetReturnIsTab(bool on) { m_returnIsTab = on; }
    // Window text length limit; 0 = none.
    int MaxLength() const { return m_maxLength; } // 0
    void SetMaxLength(int length);
    bool AutoSelect() const { return m_autoSelect; } // true
    void SetAutoSelect(bool on) { m_autoSelect = on; }

    // --- Colours and looks ---------------------------------------------------------------
    // The normal background.
    TColor Color() const { return m_normalColor; } // clWindow
    void SetColor(TColor color);
    // The edit's font; its colour is the normal text colour.
    TFont& Font() { return m_font; }
    TEditAlign EditAlign() const { return m_editAlign; } // eaLeft
    void SetEditAlign(TEditAlign align);
    TEditAlign FocusAlign() const { return m_focusAlign; } // eaDefault
    void SetFocusAlign(TEditAlign align) { m_focusAlign = align; }
    TColor FocusColor() const { return m_focusColor; } // clWindow; clNone keeps the colour
    void SetFocusColor(TColor c) { m_focusColor = c; }
    TColor FocusFontColor() const { return m_focusFontColor; } // clWindowText
    void SetFocusFontColor(TColor c) { m_focusFontColor = c; }
    int FocusWidthInc() const { return m_focusWidthInc; } // 0
    void SetFocusWidthInc(int pixels) { m_focusWidthInc = pixels; }
    bool FocusLabel() const { return m_focusLabel; } // false
    void SetFocusLabel(bool on) { m_focusLabel = on; }
    bool FocusBorder() const { return m_focusBorder; } // false
    void SetFocusBorder(bool on);
    bool ShowModified() const { return m_showModified; } // false
    void SetShowModified(bool on);
    TColor ModifiedColor() const { return m_modifiedColor; } // clHighlight
    void SetModifiedColor(TColor c);
    bool ShowError() const { return m_showError; } // false
    void SetShowError(bool on);
    TColor ErrorColor() const { return m_errorColor; } // clRed
    void SetErrorColor(TColor c) { m_errorColor = c; }
    TColor ErrorFontColor() const { return m_errorFontColor; } // clWhite
    void SetErrorFontColor(TColor c) { m_errorFontColor = c; }
    int ErrorMarkerPos() const { return m_errorMarkerPos; } // 0
    void SetErrorMarkerPos(int pos);
    int ErrorMarkerLen() const { return m_errorMarkerLen; } // 0
    void SetErrorMarkerLen(int len);
    bool ShowURL() const { return m_showURL; } // false
    void SetShowURL(bool on);
    TColor URLColor() const { return m_urlColor; } // clBlue
    void SetURLColor(TColor c);
    const QString& EmptyText() const { return m_emptyText; } // empty
    void SetEmptyText(const QString& text);
    TColor DisabledColor() const { return m_disabledColor; } // clSilver
    void SetDisabledColor(TColor c);
    bool Flat() const { return m_flat; } // false
    virtual void SetFlat(bool on);
    TColor FlatLineColor() const { return m_flatLineColor; } // clBlack
    void SetFlatLineColor(TColor c);
    bool FlatParentColor() const { return m_flatParentColor; } // true
    void SetFlatParentColor(bool on) { m_flatParentColor = on; }
    bool SoftBorder() const { return m_softBorder; } // false
    void SetSoftBorder(bool on);
    bool Transparent() const { return m_transparent; } // false
    void SetTransparent(bool on);
    bool AutoFocus() const { return m_autoFocus; } // false
    void SetAutoFocus(bool on) { m_autoFocus = on; }
    bool HintShowLargeText() const { return m_hintShowLargeText; } // false
    void SetHintShowLargeText(bool on) { m_hintShowLargeText = on; }
    // Enables the edit; disabled it shows DisabledColor.
    void SetEnabled(bool on);

    // What the edit shows now (focus, error, modified, link and disabled looks included).
    TColor ShownColor() const { return m_shownColor; }
    TColor ShownFontColor() const { return m_shownFontColor; }
    bool ErrorLook() const { return m_errorFlag; }
    bool LinkLook() const { return m_linkFlag; }
    bool Hovered() const { return m_hover; }
    bool Focused() const { return m_focused; }

    // --- Label ---------------------------------------------------------------------------
    const QString& LabelCaption() const { return m_labelCaption; } // empty
    void SetLabelCaption(const QString& caption);
    TLabelPosition LabelPosition() const { return m_labelPosition; } // lpLeftTop
    void SetLabelPosition(TLabelPosition position);
    int LabelMargin() const { return m_labelMargin; } // 4
    void SetLabelMargin(int margin);
    TFont& LabelFont() { return m_labelFont; }
    bool LabelTransparent() const { return m_labelTransparent; } // false
    void SetLabelTransparent(bool on);
    bool LabelAlwaysEnabled() const { return m_labelAlwaysEnabled; } // false
    void SetLabelAlwaysEnabled(bool on);
    // The attached label, created with the first caption; nullptr before.
    QLabel* Label() const;

    // --- Drag and drop -------------------------------------------------------------------
    bool OleDropSource() const { return m_oleDropSource; } // false
    void SetOleDropSource(bool on) { m_oleDropSource = on; }
    bool OleDropTarget() const { return m_oleDropTarget; } // false
    void SetOleDropTarget(bool on);
    // The window-text position the drop caret stands at while a drag passes; -1 for none.
    int DropCaretPos() const { return m_dropCaret; }

    // --- Auto-complete and persistence ---------------------------------------------------
    TLookupSettings& Lookup() { return m_lookup; }
    TPersistence& Persistence() { return m_persistence; }
    TListHintWindow* LookupPopup() const { return m_popup.get(); }
    bool LookupShown() const;
    // Reads the text and, with a history, the remembered lists from the store.
    virtual void LoadPersistence();
    // Writes them; also done when the edit is destroyed.
    virtual void SavePersistence();

    // What opens a clicked link (QDesktopServices behind the allow-list by default).
    TLinkOpener LinkOpener = DesktopLinkOpener();
    // Runs a text drag the edit starts and tells how it ended; empty runs QDrag::exec, which
    // waits for the drop.
    std::function<Qt::DropAction(QDrag& drag)> RunTextDrag;

    // --- Clipboard -----------------------------------------------------------------------
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // Runs OnValueValidate; true when valid. Re-entrant calls answer valid.
    virtual bool ValidateValue(const QString& value);

    // --- Events --------------------------------------------------------------------------
    std::function<void(QWidget& sender, const QString& value, bool& isValid)> OnValueValidate;
    std::function<void(QWidget& sender, const QString& value, bool& allow)> OnClipboardCopy;
    std::function<void(QWidget& sender, const QString& value, bool& allow)> OnClipboardCut;
    std::function<void(QWidget& sender, const QString& value, bool& allow)> OnClipboardPaste;
    std::function<void(QWidget& sender, QString& value)> OnLookupSelect;
    std::function<void(QWidget& sender, const QString& url, bool& show)> OnURLClick;
    std::function<void(QWidget& sender)> OnLabelClick;
    std::function<void(QWidget& sender)> OnLabelDblClick;
    std::function<void(QWidget& sender)> OnMouseEnter;
    std::function<void(QWidget& sender)> OnMouseLeave;
    std::function<void(QWidget& sender, int& key, TShiftState shift)> OnKeyDown;
    std::function<void(QWidget& sender, int& key, TShiftState shift)> OnKeyUp;
    std::function<void(QWidget& sender, QChar& key)> OnKeyPress;
    std::function<void(QWidget& sender)> OnEnter;
    std::function<void(QWidget& sender)> OnExit;
    std::function<void(QWidget& sender)> OnChange;

protected:
    // Key down before the edit's own handling; setting key to 0 swallows it.
    virtual void KeyDown(int& key, TShiftState shift);
    // A typed character; returns false to swallow it. The character may be changed.
    virtual bool KeyPress(QChar& key, TShiftState shift, bool keypad);
    // Pixels a subclass keeps free at the text area's left and right (a button).
    virtual int ExtraLeftMargin() const { return 0; }
    virtual int ExtraRightMargin() const { return 0; }
    virtual void DoEnter(Qt::FocusReason reason);
    virtual void DoExit();
    // Whether paste and cut may change the value (a subclass can lock the editor).
    virtual bool EditorAcceptsClipboard() const { return !isReadOnly(); }
    // Applies the text area margins of the current look.
    void UpdateTextArea();
    // Queues a press and release of a virtual key (VK_TAB, VK_UP, ...) to target, delivered
    // after the current event: how the edit hands a key on (Tab to move on, Escape to the
    // parent).
    void PostKey(QWidget* target, int vk);

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;
    // Watches the edit's window: moving or leaving it closes the auto-complete list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TEditLabel;

    int prefixLength() const { return int(m_prefix.size()); }
    // The window text with value in place of the current one; keeps the modified flag.
    void setWindowValue(const QString& value);
    // Selection in window positions; start == end without one.
    void selection(int& start, int& end) const;
    // The selection clamped to the value, in value positions.
    void valueSelection(int& start, int& end) const;
    QString selectedValuePart() const;
    // Puts the caret or selection back where the value is (out of Prefix and Suffix).
    void keepCaretInValue();

    bool acceptNumberChar(QChar c, bool isDecimal, bool isThousand);
    void toggleSign();
    void afterAcceptedChar();
    void regroupMoney();
    bool deletionBreaksLimit(int from, int to) const;
    // The per-type rules of pasting or dropping text at [start, end) of the value; false
    // when the type refuses it.
    bool applyInsertion(const QString& text, int start, int end, bool selectAfter);

    void applyColors();
    void updateModifiedLook();
    void updateLinkLook();
    void textChangedByAnyone();

    int xOfPosition(int pos) const;
    void placeLabel();
    void updateLabelLook();
    void paintExtras(TCanvas& canvas);

    // Auto-complete.
    void updateLookup();
    bool lookupKey(int key);
    void chooseLookup();
    void addHistory();
    // INI file or native store at the configured place; nullptr when persistence is off.
    std::unique_ptr<class QSettings> openStore();

    // Drag and drop.
    void startTextDrag();

    TNuvEditType m_editType = TNuvEditType::etString;
    int m_precision = 0;
    bool m_signed = false;
    bool m_autoThousandSeparator = true;
    bool m_excelStyleDecimalSeparator = false;
    int m_lengthLimit = 0;
    bool m_tabOnFullLength = false;
    QString m_prefix;
    QString m_suffix;
    QString m_validChars;
    bool m_canUndo = true;
    bool m_returnIsTab = false;
    int m_maxLength = 0;
    bool m_autoSelect = true;

    TColor m_normalColor = clWindow;
    TColor m_normalFontColor = clWindowText;
    TColor m_shownColor = clWindow;
    TColor m_shownFontColor = clWindowText;
    TFont m_font;
    TEditAlign m_editAlign = TEditAlign::eaLeft;
    TEditAlign m_focusAlign = TEditAlign::eaDefault;
    bool m_focusAligned = false;
    TColor m_focusColor = clWindow;
    TColor m_focusFontColor = clWindowText;
    int m_focusWidthInc = 0;
    int m_focusWidening = 0; // pixels added on entering
    bool m_focusLabel = false;
    bool m_focusBorder = false;
    bool m_showModified = false;
    TColor m_modifiedColor = clHighlight;
    bool m_showError = false;
    TColor m_errorColor = clRed;
    TColor m_errorFontColor = clWhite;
    int m_errorMarkerPos = 0;
    int m_errorMarkerLen = 0;
    bool m_showURL = false;
    TColor m_urlColor = clBlue;
    QString m_emptyText;
    TColor m_disabledColor = clSilver;
    bool m_flat = false;
    TColor m_colorBeforeFlat = clWindow;
    TColor m_flatLineColor = clBlack;
    bool m_flatParentColor = true;
    bool m_softBorder = false;
    bool m_transparent = false;
    bool m_autoFocus = false;
    bool m_hintShowLargeText = false;

    QString m_labelCaption;
    TLabelPosition m_labelPosition = TLabelPosition::lpLeftTop;
    int m_labelMargin = 4;
    TFont m_labelFont;
    bool m_labelTransparent = false;
    bool m_labelAlwaysEnabled = false;
    QPointer<TEditLabel> m_label; // a child of the edit's parent

    bool m_oleDropSource = false;
    bool m_oleDropTarget = false;
    int m_dropCaret = -1;
    bool m_pressedInSelection = false;
    bool m_focusedAtPress = false;
    QPoint m_pressPos;

    TLookupSettings m_lookup;
    TPersistence m_persistence;
    std::unique_ptr<TListHintWindow> m_popup;

    QString m_focusEntryText;
    bool m_modified = false;
    bool m_errorFlag = false;
    bool m_linkFlag = false;
    bool m_hover = false;
    bool m_focused = false;
    bool m_validating = false;
    bool m_choosing = false; // the focus comes back from the list to the edit
    QPointer<QWidget> m_watchedWindow;
};
