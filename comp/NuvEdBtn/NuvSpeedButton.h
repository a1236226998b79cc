// The small push button of the edit with a button: a glyph and/or a caption on a button
// face, drawn through the visual styles when they are on (normal, hot, pressed), else flat
// (raised or etched edge) or as the plain standard button. It remembers whether the mouse is
// over it, and a Focused flag that the edit sets while it is hovered or active.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/gfx/Bitmap.h"

#include <QString>

class TNuvSpeedButton : public TCustomControl
{
public:
    explicit TNuvSpeedButton(QWidget* parent = nullptr);

    TBitmap& Glyph() { return m_glyph; }
    void SetGlyph(const TBitmap& glyph);
    // Pictures side by side in the glyph (up, disabled, ...); the first is drawn, the second
    // while disabled when there is one.
    int NumGlyphs() const { return m_numGlyphs; } // 1
    void SetNumGlyphs(int n);
    const QString& Caption() const { return m_caption; } // empty
    void SetCaption(const QString& caption);
    bool Flat() const { return m_flat; } // false
    void SetFlat(bool on);
    bool Etched() const { return m_etched; } // false
    void SetEtched(bool on);
    bool Focused() const { return m_focused; } // false
    void SetFocused(bool on);
    // While the left button is held on it.
    bool Down() const { return m_down; }
    bool Hovered() const { return m_hover; }

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintThemed(TCanvas& canvas);
    void paintFlat(TCanvas& canvas);
    void paintStandard(TCanvas& canvas);
    // The glyph's picture to draw and its size.
    TRect glyphSource() const;
    void drawGlyph(TCanvas& canvas, int x, int y);
    void drawCaption(TCanvas& canvas, TRect r, unsigned flags);

    TBitmap m_glyph;
    int m_numGlyphs = 1;
    QString m_caption;
    bool m_flat = false;
    bool m_etched = false;
    bool m_focused = false;
    bool m_down = false;
    bool m_hover = false;
};
