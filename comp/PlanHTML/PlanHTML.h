// The mini-HTML markup of item texts, captions, header texts and hints, and the one engine
// that lays such a text out line by line in a rectangle of a canvas and, in one call,
// draws it, only measures it, or finds the anchor, image or embedded control under a point.
//
// Tags (letter case ignored): A href, B, I, U, S, BR, HR, P (ALIGN, INDENT, BGCOLOR), FONT
// (FACE, COLOR, BGCOLOR, SIZE), BODY (BACKGROUND, BGCOLOR), UL/LI, IMG (SRC "IDX:n",
// "SSYS:"/"LSYS:" shell icons, picture names and "FILE://"/"RES://" sources; ALT, WIDTH,
// HEIGHT, ALIGN), SUB, SUP, SH (shadow), Z (hidden), E (error zig-zag), HI (highlight),
// BLINK, IN x (indent), R a (rotation), CONTROL (EDIT, COMBO, CHECK, RADIO, BUTTON).
// Entities: &amp; &quot; &sect; &permil; &reg; &copy; &para; &trade; &euro; &nbsp; &lt; &gt;.
// Colours: "cl" names (clRed, clBtnFace, ...) and #RRGGBB. A "<" without a ">" after it
// ends the text, so a literal "<" is written "&lt;". Markup errors never raise; they degrade.
#pragma once

#include "platform/core/Color.h"
#include "platform/core/Rect.h"

#include <QString>

class QWidget;
class TCanvas;
class TImageList;
class THTMLPictureCache;
class TPictureContainer;

// Everything DrawMarkup reads besides the canvas, the text and the rectangle.
struct TMarkupOptions
{
    TImageList* Images = nullptr; // source of IDX: images
    // The point to hit-test, in canvas coordinates.
    int MouseX = -1;
    int MouseY = -1;
    int FocusIndex = -1;       // zero-based anchor with the keyboard focus; -1 for none
    int HoverIndex = -1;       // one-based anchor under the mouse (as HitIndex); -1 for none
    int ShadowOffset = 1;      // pixels right and down of the shadow of <SH> text
    bool HitTestOnly = false;  // lay out at the drawn positions and hit-test; draw nothing
    bool MeasureOnly = false;  // lay out every line, draw nothing, no hit results
    bool PrintMode = false;    // scale image-list images, icons and controls by Scale
    bool SelectedLook = false; // on a selection: anchors and FONT COLOR keep the colour
    bool BlinkOn = true;       // phase of <BLINK> text; off draws it in the background colour
    bool HoverOnly = false;    // only anchor HoverIndex is underlined and in hover colours
    bool WordWrap = true;      // break at spaces; off: break at tags only, ellipsis at the end
    bool ButtonDown = false;   // pressed look of embedded controls
    double Scale = 1.0;        // print scale
    TColor AnchorColor = clBlue;
    TColor HoverBrushColor = clNone; // background of the hovered anchor
    TColor HoverFontColor = clNone;  // text colour of the hovered anchor
    TColor ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;     // pictures of "://" sources
    TPictureContainer* PictureContainer = nullptr; // named pictures
    // The window the themed controls are drawn for; the application's style draws them.
    const QWidget* Window = nullptr;
};

// What DrawMarkup reports. HitAnchor and HitAnchorRect are written only on a hit (pass
// them in empty); everything else is reset at the start of the call.
struct TMarkupResults
{
    QString HitAnchor;   // target of the anchor under the point, or "ctrl" on a control
    QString PlainText;   // the laid-out pieces without tags; <BR> gives a carriage return
    QString FocusAnchor; // target of anchor FocusIndex + 1 when it was drawn
    int Width = 0;       // widest line
    int Height = 0;      // sum of the line heights ("gh" in the base font for no line)
    int AnchorCount = 0;
    int HitIndex = -1; // one-based anchor under the point
    TRect HitAnchorRect;
    TRect HitControlRect;
    QString HitControlId;
    QString HitControlValue;
    QString HitControlType;
};

// Lays text out in bounds and draws it (unless HitTestOnly or MeasureOnly). The canvas's
// font is the base font and its brush colour the background; both are as on entry
// afterwards (the background mode is left transparent). True when the point lies on an
// anchor's text, an image inside an anchor or an embedded control.
bool DrawMarkup(TCanvas& canvas, const QString& text, const TRect& bounds,
                const TMarkupOptions& options, TMarkupResults& results);

// The text without tags: "<BR>" and "<HR>" become CR LF, every tag up to the first ">"
// goes, entities stay. A "<" without a ">" after it ends the text.
QString StripMarkup(const QString& text);
// "<" to "&lt;" and ">" to "&gt;", and back.
QString EscapeMarkup(const QString& text);
QString UnescapeMarkup(const QString& text);

// The attributes of an embedded control's tag; Type upper-cased, Value unescaped, missing
// attributes empty.
struct TMarkupControl
{
    QString Type;
    QString Id;
    QString Width;
    QString Value;
};
TMarkupControl ParseControlTag(const QString& tag);

// Rewrites the first <CONTROL> whose ID is id (letter case counts) as
// <CONTROL ID="id" VALUE="value" WIDTH="w" TYPE="t"> with its old width and type and the
// value escaped. False, text unchanged, when no control has that ID.
bool SetMarkupControlValue(QString& text, const QString& id, const QString& value);

// A "cl" colour name in lower case ("clred", "clbtnface"); black for unknown names.
TColor MarkupColorByName(const QString& name);
// "#RRGGBB" (upper-case hex digits) as a colour; missing digits count 0.
TColor MarkupHexColor(const QString& value);
