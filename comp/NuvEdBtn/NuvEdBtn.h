// The typed edit with a push button at its right edge. TEditButton is the small child
// window that holds the speed button; clicking it (or pressing F4 in the edit) raises
// OnClickBtn through the overridable ButtonClick, which the date picker uses to drop down
// its calendar. The edit keeps a minimum height for its font and leaves room for the button
// in its text area.
#pragma once

#include "comp/NuvEdBtn/NuvSpeedButton.h"
#include "comp/NuvEdit/NuvEdit.h"
#include "platform/core/Rect.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class TEditButton : public QWidget
{
public:
    explicit TEditButton(QWidget* parent = nullptr);

    // The width is always the button's; the height follows the owner's layout.
    int ButtonWidth() const { return m_buttonWidth; } // 16
    void SetButtonWidth(int width);
    TNuvSpeedButton& Button() { return *m_button; }
    TBitmap& Glyph() { return m_button->Glyph(); }
    void SetGlyph(const TBitmap& glyph) { m_button->SetGlyph(glyph); }
    const QString& ButtonCaption() const { return m_button->Caption(); }
    void SetButtonCaption(const QString& caption) { m_button->SetCaption(caption); }
    int NumGlyphs() const { return m_button->NumGlyphs(); } // 1
    void SetNumGlyphs(int n) { m_button->SetNumGlyphs(n); }
    // The control that takes the focus after a click; cleared when it is destroyed.
    QWidget* FocusControl() const { return m_focusControl; }
    void SetFocusControl(QWidget* control) { m_focusControl = control; }

    std::function<void(QWidget& sender)> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buttonReleased();

    int m_buttonWidth = 16;
    TNuvSpeedButton* m_button; // child
    QPointer<QWidget> m_focusControl;
};

class TNuvEditBtn : public TNuvEdit
{
public:
    explicit TNuvEditBtn(QWidget* parent = nullptr);
    ~TNuvEditBtn() override;

    void Loaded() override;

    // Raised by a click on the button or F4; the default raises OnClickBtn.
    virtual void ButtonClick();

    int ButtonWidth() const { return m_buttonWidth; } // 16
    void SetButtonWidth(int width);
    // The button shows a hint exactly when this is not empty.
    const QString& ButtonHint() const { return m_buttonHint; } // empty
    void SetButtonHint(const QString& hint);
    const QString& ButtonCaption() const { return m_button->ButtonCaption(); } // empty
    void SetButtonCaption(const QString& caption) { m_button->SetButtonCaption(caption); }
    TBitmap& Glyph() { return m_button->Glyph(); }
    void SetGlyph(const TBitmap& glyph) { m_button->SetGlyph(glyph); }
    // Off: paste and cut leave the value alone.
    bool EditorEnabled() const { return m_editorEnabled; } // true
    void SetEditorEnabled(bool on) { m_editorEnabled = on; }
    void SetFlat(bool on) override;
    bool Etched() const { return m_etched; } // false
    void SetEtched(bool on);
    // The classic 3-D look; off moves the button two pixels in from the right.
    bool Ctl3D() const { return m_ctl3D; } // true
    void SetCtl3D(bool on);

    TEditButton& EditButton() { return *m_button; }
    // The button's place in the edit's client area (inside the border), figured from the
    // edit's outer width and height.
    TRect ButtonBounds() const;
    // The least height that shows the font: its height and a quarter more, counted with the
    // smaller of the edit's and the system font's height.
    int MinimumHeight() const;

    std::function<void(QWidget& sender)> OnClickBtn;

protected:
    int ExtraRightMargin() const override { return m_buttonWidth + 4; }
    bool EditorAcceptsClipboard() const override;
    void KeyDown(int& key, TShiftState shift) override;
    void DoEnter(Qt::FocusReason reason) override;
    void DoExit() override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void layoutButton();
    // Where the client area starts inside the border.
    int clientOffset() const;
    void updateButtonFocus();

    int m_buttonWidth = 16;
    QString m_buttonHint;
    bool m_editorEnabled = true;
    bool m_etched = false;
    bool m_ctl3D = true;
    bool m_inLayout = false;
    TEditButton* m_button; // child
};
