// The pieces a to-do row is drawn from: the banded gradient that rows and the header share,
// the progress bar of a completion cell with its look (TProgressLook), the completion check
// with its look (TCompleteCheck) and the drag handle.
#pragma once

#include "comp/TodoList/TodoTypes.h"
#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Bitmap.h"

#include <functional>

class TCanvas;

// Steps bands from fromColor towards toColor, top to bottom (or left to right when
// horizontal). Each band is one pixel taller than its share, so the last reaches one pixel
// past rect; the last band stops one step short of toColor.
void DrawGradient(TCanvas& canvas, TColor fromColor, TColor toColor, bool horizontal,
                  const TRect& rect, int steps);

class TProgressLook
{
public:
    TColor CompleteColor() const { return m_completeColor; } // clRed, stored only
    void SetCompleteColor(TColor c) { set(m_completeColor, c); }
    TColor CompleteFontColor() const { return m_completeFontColor; } // clBlue
    void SetCompleteFontColor(TColor c) { set(m_completeFontColor, c); }
    // clNone: the cell's background.
    TColor UnCompleteColor() const { return m_unCompleteColor; } // clNone
    void SetUnCompleteColor(TColor c) { set(m_unCompleteColor, c); }
    TColor UnCompleteFontColor() const
    {
        return m_unCompleteFontColor;
    } // clWindowText, stored only
    void SetUnCompleteFontColor(TColor c) { set(m_unCompleteFontColor, c); }
    TColor Level0Color() const { return m_level0Color; } // clLime
    void SetLevel0Color(TColor c) { set(m_level0Color, c); }
    TColor Level0ColorTo() const { return m_level0ColorTo; } // 0xE1FFE1
    void SetLevel0ColorTo(TColor c) { set(m_level0ColorTo, c); }
    TColor Level1Color() const { return m_level1Color; } // clYellow
    void SetLevel1Color(TColor c) { set(m_level1Color, c); }
    TColor Level1ColorTo() const { return m_level1ColorTo; } // 0xCAFFFF
    void SetLevel1ColorTo(TColor c) { set(m_level1ColorTo, c); }
    TColor Level2Color() const { return m_level2Color; } // 0x53A9FF
    void SetLevel2Color(TColor c) { set(m_level2Color, c); }
    TColor Level2ColorTo() const { return m_level2ColorTo; } // 0xA8D3FF
    void SetLevel2ColorTo(TColor c) { set(m_level2ColorTo, c); }
    TColor Level3Color() const { return m_level3Color; } // clRed
    void SetLevel3Color(TColor c) { set(m_level3Color, c); }
    TColor Level3ColorTo() const { return m_level3ColorTo; } // 0xCACAFF
    void SetLevel3ColorTo(TColor c) { set(m_level3ColorTo, c); }
    int Level1Perc() const { return m_level1Perc; } // 70
    void SetLevel1Perc(int p) { set(m_level1Perc, p); }
    int Level2Perc() const { return m_level2Perc; } // 90
    void SetLevel2Perc(int p) { set(m_level2Perc, p); }
    TColor BorderColor() const { return m_borderColor; } // clBlack
    void SetBorderColor(TColor c) { set(m_borderColor, c); }
    bool ShowBorder() const { return m_showBorder; } // false
    void SetShowBorder(bool on) { set(m_showBorder, on); }
    bool Stacked() const { return m_stacked; } // false
    void SetStacked(bool on) { set(m_stacked, on); }
    bool ShowPercentage() const { return m_showPercentage; } // true
    void SetShowPercentage(bool on) { set(m_showPercentage, on); }
    bool CompletionSmooth() const { return m_completionSmooth; } // true
    void SetCompletionSmooth(bool on) { set(m_completionSmooth, on); }
    bool ShowGradient() const { return m_showGradient; } // true
    void SetShowGradient(bool on) { set(m_showGradient, on); }
    // Bands of each gradient half.
    int Steps() const { return m_steps; } // 11
    void SetSteps(int steps) { set(m_steps, steps); }

    void Assign(const TProgressLook& other);
    std::function<void(TProgressLook& sender)> OnChange;

private:
    template <class T>
    void set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        if (OnChange)
            OnChange(*this);
    }

    TColor m_completeColor = clRed;
    TColor m_completeFontColor = clBlue;
    TColor m_unCompleteColor = clNone;
    TColor m_unCompleteFontColor = clWindowText;
    TColor m_level0Color = clLime;
    TColor m_level0ColorTo = 0xE1FFE1;
    TColor m_level1Color = clYellow;
    TColor m_level1ColorTo = 0xCAFFFF;
    TColor m_level2Color = 0x53A9FF;
    TColor m_level2ColorTo = 0xA8D3FF;
    TColor m_level3Color = clRed;
    TColor m_level3ColorTo = 0xCACAFF;
    int m_level1Perc = 70;
    int m_level2Perc = 90;
    TColor m_borderColor = clBlack;
    bool m_showBorder = false;
    bool m_stacked = false;
    bool m_showPercentage = true;
    bool m_completionSmooth = true;
    bool m_showGradient = true;
    int m_steps = 11;
};

class TCompleteCheck
{
public:
    TCompleteCheck();
    TCheckType CheckType() const { return m_checkType; } // ctCheckBox
    void SetCheckType(TCheckType type);
    // Empty by default; drawn transparent with ctGlyph.
    TBitmap& CompletedGlyph() { return m_completedGlyph; }
    const TBitmap& CompletedGlyph() const { return m_completedGlyph; }
    TBitmap& UnCompletedGlyph() { return m_unCompletedGlyph; }
    const TBitmap& UnCompletedGlyph() const { return m_unCompletedGlyph; }

    std::function<void(TCompleteCheck& sender)> OnChange;

private:
    void changed();
    TCheckType m_checkType = TCheckType::ctCheckBox;
    TBitmap m_completedGlyph;
    TBitmap m_unCompletedGlyph;
};

// The bar of value (0..100) in the content rectangle c (the bar is c less one pixel on every
// side). cellColor is the brush the cell was filled with; the percentage is written in the
// canvas's current font.
void DrawProgressBar(TCanvas& canvas, const TRect& c, int value, TColor cellColor,
                     const TProgressLook& look);
// The bar's colour pair for a value of the not-stacked bar.
void ProgressLevelColors(const TProgressLook& look, int value, TColor& color, TColor& colorTo);

// The 14 x 14 completion check in c by the column's alignment.
void DrawCompleteCheck(TCanvas& canvas, const TRect& c, TAlignment alignment, bool complete,
                       const TCompleteCheck& check);
// The drag handle: glyph when not empty, else the built-in note-pad picture.
void DrawHandle(TCanvas& canvas, const TRect& c, TAlignment alignment, const TBitmap& glyph);
