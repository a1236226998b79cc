// The state of one DrawMarkup call and the steps it is made of. Each line is laid out
// twice: a measuring pass finds how much of the text fits and how tall and wide the line
// is, then a second pass over exactly that part draws it (or only hit-tests it, or, when
// only measuring, only takes its tags) at its aligned position. State a tag changes during
// the measuring pass is put back before the second pass replays the same tags, except the
// fonts, which are kept per pass; so measuring and drawing leave every line in one state.
#pragma once

#include "comp/PlanHTML/PlanHTML.h"
#include "platform/gfx/Font.h"

#include <QString>

class THTMLPicture;

namespace markup {

enum class TParaAlign
{
    Left,
    Right,
    Center
};

class TMarkupRenderer
{
public:
    TMarkupRenderer(TCanvas& canvas, const QString& text, const TRect& bounds,
                    const TMarkupOptions& options, TMarkupResults& results);
    bool Run();

private:
    // What one pass works on and finds; the measuring pass fills the line's metrics, the
    // second pass reads them.
    struct Pass
    {
        bool measuring = true; // first pass
        bool paints = false;   // second pass, neither HitTestOnly nor MeasureOnly
        bool hitTests = false; // second pass and not MeasureOnly
        qsizetype pos = 0;     // next character of the text
        qsizetype end = 0;     // end of the text (moves when the rest is discarded)
        qsizetype lineStart = 0;
        int lineLeft = 0;
        int lineTop = 0;
        int lineRight = 0;
        int lineBottom = 0; // above the subscript band
        int curLeft = 0;
        int x = 0;
        int lineHeight = 0;
        int subExtra = 0;
        int supExtra = 0;
        int imageOffset = 0;
        int trailing = 0;
        int bandTop = 0;
        int bandBottom = 0;
        bool ended = false;
        bool overflow = false;
        bool metListItem = false;
        bool placedText = false; // a text piece or an image is on the line (first pass)
        bool anchorTextHit = false;
        bool imageHit = false;
        bool controlHit = false;
    };

    // The render state the measuring pass may change and the second pass must start from.
    struct Replay
    {
        bool inAnchor;
        QString anchorTarget;
        int anchorCount;
        int listLevel;
        int imageCount;
        bool hidden;
        bool shadow;
        bool subscript;
        bool superscript;
        int rotationSaved;
        bool rotated;
    };

    // An image source resolved to something to draw and its box.
    struct ImageSource
    {
        enum class Kind
        {
            None,
            ListImage,
            SystemIcon,
            Picture
        } kind = Kind::None;
        int index = -1;
        QString path; // system icon by file name
        bool largeIcon = false;
        THTMLPicture* picture = nullptr;
        int w = 0;
        int h = 0;
    };

    Replay saveReplay() const;
    void restoreReplay(const Replay& r);

    void runPass(Pass& p);
    void piece(Pass& p, qsizetype pieceEnd);
    void drawPiece(Pass& p, const QString& shown, int width);
    void zigZag(int left, int right, int bottom);
    bool inTextBand(const Pass& p) const;

    void openTag(Pass& p, const QString& tag, const QString& upper);
    void closeTag(Pass& p, const QString& upper);
    void anchorOpen(Pass& p, const QString& tag);
    void anchorClose(Pass& p);
    void fontTag(Pass& p, const QString& tag, const QString& upper);
    void paragraphTag(Pass& p, const QString& tag, const QString& upper);
    void bodyTag(Pass& p, const QString& tag, const QString& upper);
    void listItem(Pass& p);
    void indentTag(Pass& p, const QString& tag);
    void rotateTag(const QString& tag);
    void imageTag(Pass& p, const QString& tag, const QString& upper);
    void controlTag(Pass& p, const QString& tag);
    // Images and controls take room the same way.
    bool place(Pass& p, int w, int h);

    ImageSource resolveImage(const QString& source);
    THTMLPicture* findPicture(const QString& source);
    void drawImage(const ImageSource& src, int left, int top, int width, int height);
    void drawSystemIcon(const ImageSource& src, int left, int top);
    void fillBand(int left, int top, int right, int bottom, TColor color);

    int ghHeight();
    int scaleX(int v) const;
    int scaleY(int v) const;
    void setBrushColor(TColor c);
    TColor brushColor() const;
    void setFontColor(TColor c);
    void setStyle(TFontStyle s, bool on);

    TCanvas& m_canvas;
    QString m_text;
    TRect m_bounds;
    const TMarkupOptions& m_opt;
    TMarkupResults& m_res;

    TFont m_baseFont;
    TColor m_background = clNone;
    TFont m_measureFont;
    TFont m_drawFont;
    int m_dpiX = 96;
    int m_dpiY = 96;
    bool m_result = false;

    bool m_inAnchor = false;
    QString m_anchorTarget;
    int m_anchorCount = 0;
    int m_listLevel = 0;
    int m_imageCount = 0;
    int m_hotImage = -1;
    bool m_hidden = false;
    bool m_shadow = false;
    bool m_subscript = false;
    bool m_superscript = false;
    bool m_errorMark = false;
    bool m_paraBackground = false;
    bool m_mouseInAnchor = false;
    bool m_rotated = false;
    int m_rotationSaved = 0;
    TParaAlign m_align = TParaAlign::Left;
    int m_indent = 0;

    TColor m_hoverBrush = clNone;
    TColor m_hoverFont = clNone;
    TColor m_fontBackground = clNone;
    TColor m_highlightFont = clNone;
    TColor m_highlightBrush = clNone;
    TColor m_paraBrush = clNone;

    int m_anchorStartX = 0;
    bool m_focusOpen = false;
    int m_focusLeft = 0;
};

} // namespace markup
