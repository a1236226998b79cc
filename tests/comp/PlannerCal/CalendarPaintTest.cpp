// Pictures of a painted month: the selected cell, weekday and weekend numbers, the
// neighbouring months' days, event marks in their five shapes, today's frame in its three
// styles, separators, the body gradient, the caption band, the week column, greyed arrows
// and the cell-draw event; and a picture of a busy month to look at.
#include "CalendarFixture.h"
#include "comp/planutil/PlanUtil.h"
#include "platform/gfx/Canvas.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

class CalendarPaint : public CalendarFixture
{
protected:
    CalendarPaint() { cal.SetDate(D(2026, 6, 3)); }

    const QImage& paint()
    {
        cal.PaintTo(image);
        return image;
    }
    TColor pixel(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
    int count(TColor color, const TRect& r) const
    {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += pixel(x, y) == ColorToRGB(color);
        return n;
    }
    TRect cell(TDateTime date)
    {
        const TCalendarGeometry g = cal.Geometry();
        int c = 0, w = 0;
        EXPECT_TRUE(g.CellOf(date, c, w));
        return g.DayCell(c, w);
    }

    QImage image;
};

TEST_F(CalendarPaint, SelectedCellIsFilledAndWrittenInTheSelectionColours)
{
    paint();
    const TRect r = cell(D(2026, 6, 3));
    EXPECT_EQ(pixel(r.Left, r.Top), clTeal);
    EXPECT_EQ(pixel(r.Right - 1, r.Bottom - 1), clTeal);
    EXPECT_NE(pixel(r.Right, r.Top + 3), clTeal); // the fill stops at the cell's right edge
    EXPECT_GT(count(clWhite, r), 5);
    // The number is centred in the cell.
    EXPECT_EQ(count(clWhite, {r.Left, r.Top, r.Left + 5, r.Bottom}), 0);
    cal.SetShowSelection(false);
    paint();
    EXPECT_EQ(count(clTeal, r), 0);
}

TEST_F(CalendarPaint, WeekendsWeekdaysAndNeighbouringMonths)
{
    paint();
    const TRect saturday = cell(D(2026, 6, 6));
    const TRect wednesday = cell(D(2026, 6, 10));
    const TRect july = cell(D(2026, 7, 2));
    EXPECT_GT(count(clRed, saturday), 5);
    EXPECT_EQ(count(clBlack, saturday), 0);
    EXPECT_GT(count(clBlack, wednesday), 5);
    EXPECT_EQ(count(clRed, wednesday), 0);
    EXPECT_GT(count(clTeal, july), 5);
    EXPECT_GT(count(clTeal, cell(D(2026, 5, 31))), 5);

    // Hidden neighbours leave their cells empty; days beyond MaxDate are greyed.
    cal.SetShowDaysAfter(false);
    cal.MaxDate().SetDate(D(2026, 6, 9));
    cal.MaxDate().SetUse(true);
    paint();
    EXPECT_EQ(count(clTeal, july), 0);
    EXPECT_EQ(count(clBlack, july), 0);
    EXPECT_GT(count(clGray, wednesday), 5);
    EXPECT_EQ(count(clBlack, wednesday), 0);
}

TEST_F(CalendarPaint, EventDaysAreBoldWithTheirMark)
{
    cal.SetEventDayColor(clBlue);
    cal.Events().AddDate(D(2026, 6, 10));
    paint();
    const TRect r = cell(D(2026, 6, 10));
    EXPECT_GT(count(clYellow, r), 100);
    EXPECT_GT(count(clBlue, r), 5);
    EXPECT_EQ(count(clBlack, r), 0);
    // A circle leaves the corners; the mark keeps one pixel off the cell's edge.
    EXPECT_NE(pixel(r.Left + 1, r.Top + 1), clYellow);
    EXPECT_NE(pixel((r.Left + r.Right) / 2, r.Top), clYellow);
    EXPECT_EQ(pixel((r.Left + r.Right) / 2, r.Top + 1), clYellow);

    // Bold: the same number has more ink than without the event.
    const int boldInk = count(clBlue, r);
    cal.Events().Clear();
    cal.SetTextColor(clBlue);
    paint();
    EXPECT_LT(count(clBlue, r), boldInk);
}

struct ShapeCase
{
    TEventShape shape;
    bool topLeft, topMiddle, bottomLeft;
};

TEST_F(CalendarPaint, FiveMarkShapes)
{
    const ShapeCase cases[] = {
        {TEventShape::evsRectangle, true, true, true},
        {TEventShape::evsCircle, false, true, false},
        {TEventShape::evsSquare, false, true, false},
        {TEventShape::evsTriangle, false, true, true},
        {TEventShape::evsNone, false, false, false},
    };
    TSelDateItem& item = cal.Events().AddDate(D(2026, 6, 10));
    const TRect r = cell(D(2026, 6, 10));
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(int(c.shape));
        item.SetShape(c.shape);
        item.SetColor(clLime);
        paint();
        EXPECT_EQ(pixel(r.Left + 1, r.Top + 1) == clLime, c.topLeft);
        EXPECT_EQ(pixel((r.Left + r.Right) / 2, r.Top + 1) == clLime, c.topMiddle);
        EXPECT_EQ(pixel(r.Left + 1, r.Bottom - 2) == clLime, c.bottomLeft);
    }
    // A diamond reaches the middle of the sides, a triangle does not reach the top corners.
    item.SetShape(TEventShape::evsSquare);
    paint();
    EXPECT_EQ(pixel(r.Left + 1, (r.Top + r.Bottom) / 2), clLime);
}

TEST_F(CalendarPaint, TodayFrameInThreeStyles)
{
    cal.SetShowToday(true);
    cal.SetLineColor(clFuchsia);
    const TRect r = cell(D(2026, 6, 17));
    struct
    {
        TTodayStyle style;
        TColor first, second;
    } cases[] = {
        {TTodayStyle::tsSunken, clGray, clWhite},
        {TTodayStyle::tsRaised, clWhite, clGray},
        {TTodayStyle::tsFlat, clFuchsia, clFuchsia},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.style));
        cal.SetTodayStyle(c.style);
        paint();
        EXPECT_EQ(pixel(r.Left, r.Top + 5), c.first);   // left side
        EXPECT_EQ(pixel(r.Left + 5, r.Top), c.first);   // top
        EXPECT_EQ(pixel(r.Right, r.Top + 5), c.second); // right side
        EXPECT_EQ(pixel(r.Left + 5, r.Bottom - 1), c.second);
    }
    // Only in today's month.
    cal.SetDate(D(2026, 7, 3));
    paint();
    EXPECT_EQ(count(clFuchsia, cal.Geometry().DayCell(1, 1)), 0);
}

TEST_F(CalendarPaint, SeparatorAndBodyGradient)
{
    paint();
    const TCalendarGeometry g = cal.Geometry();
    QImage scratch(10, 10, QImage::Format_RGB32);
    TCanvas probe(&scratch);
    probe.Font() = cal.DayFont();
    const int y = g.DY + probe.TextHeight(QStringLiteral("gh")) - 4;
    EXPECT_EQ(pixel(3, y), clGray);
    EXPECT_EQ(pixel(170, y), clGray);
    EXPECT_EQ(pixel(3, y + 1), clWhite);

    // The body is the gradient GradientFill paints over the client area.
    QImage reference(180, 180, QImage::Format_RGB32);
    {
        TCanvas canvas(&reference);
        GradientFill(canvas, clWhite, clBtnFace, false, {1, 1, 179, 179}, 80);
    }
    for (int row : {2, 60, 120, 177}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(pixel(2, row), FromQColor(reference.pixelColor(2, row)));
    }
    EXPECT_NE(pixel(2, 2), pixel(2, 177));
    // The border is the panel colour.
    EXPECT_EQ(pixel(0, 90), ColorToRGB(clBtnFace));
}

TEST_F(CalendarPaint, CaptionBandWeekColumnAndGreyedArrows)
{
    cal.SetCaptionColor(clNavy);
    cal.SetShowWeeks(true);
    cal.WeekFont().SetColor(clGreen);
    cal.MaxDate().SetDate(D(2026, 6, 30));
    cal.MaxDate().SetUse(true);
    paint();
    EXPECT_EQ(pixel(3, 5), clNavy);
    const TCalendarGeometry g = cal.Geometry();
    EXPECT_GT(count(clGreen, {0, g.T + g.DY - 2, g.DX, g.T + 7 * g.DY}), 30);
    // Both right-hand arrows would leave the range: grey; the left ones keep the text colour.
    const TCalendarArrows arrows = cal.Arrows();
    EXPECT_GT(count(clGray, {arrows.NextMonth.HitLeft, 1, arrows.NextMonth.HitRight, 15}), 10);
    EXPECT_EQ(count(clBlack, {arrows.NextYear.HitLeft, 1, arrows.NextYear.HitRight, 15}), 0);
    EXPECT_GT(count(clBlack, {arrows.PrevMonth.HitLeft, 1, arrows.PrevMonth.HitRight, 15}), 10);
    // Hidden arrows are not drawn.
    cal.Browsers().SetPrevMonth(false);
    cal.Browsers().SetPrevYear(false);
    paint();
    EXPECT_EQ(count(clBlack, {g.X0, 1, g.X0 + 36, 15}), 0);
}

TEST_F(CalendarPaint, GlyphsReplaceTheirTrianglesAndKeepTheirTransparentColour)
{
    // Green with a fuchsia L along the left and bottom edges: fuchsia is the bottom-left
    // pixel, so it is the transparent colour.
    QImage picture(8, 10, QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (int y = 0; y < 10; ++y)
        picture.setPixelColor(0, y, Qt::magenta);
    for (int x = 0; x < 8; ++x)
        picture.setPixelColor(x, 9, Qt::magenta);
    TBitmap glyph;
    glyph.LoadFromImage(picture);
    cal.Glyphs().SetNextMonth(glyph);
    paint();
    const TCalendarArrows arrows = cal.Arrows();
    ASSERT_TRUE(arrows.NextMonth.Glyph);
    const TPoint at = arrows.NextMonth.GlyphAt;
    EXPECT_EQ(at, (TPoint{180 - 25 - 8, 2}));
    EXPECT_EQ(count(clLime, {at.X, at.Y, at.X + 8, at.Y + 10}), 7 * 9);
    EXPECT_EQ(count(clFuchsia, {at.X, at.Y, at.X + 8, at.Y + 10}), 0);
    // The other arrows are still triangles in the caption text colour.
    EXPECT_GT(count(clBlack, {arrows.NextYear.HitLeft, 1, arrows.NextYear.HitRight, 15}), 10);
}

TEST_F(CalendarPaint, CellDrawEventReplacesTheNumber)
{
    int calls = 0, inMonth = 0, marked = 0;
    std::vector<TDateTime> selectedDays;
    cal.Events().AddDate(D(2026, 6, 20));
    cal.OnCellDraw = [&](TPlannerCalendar&, TCanvas& canvas, TDateTime day, bool selected,
                         bool isMarked, bool isInMonth, const TRect& r) {
        ++calls;
        inMonth += isInMonth;
        marked += isMarked;
        if (selected)
            selectedDays.push_back(day);
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(clPurple);
        canvas.FillRect({r.Left, r.Top, r.Left + 2, r.Top + 2});
    };
    paint();
    EXPECT_EQ(calls, 42);
    EXPECT_EQ(inMonth, 30);
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(selectedDays, std::vector<TDateTime>{D(2026, 6, 3)});
    const TRect r = cell(D(2026, 6, 10));
    EXPECT_EQ(count(clBlack, r), 0);
    EXPECT_EQ(count(clPurple, r), 4);
}

TEST_F(CalendarPaint, ScreenshotOfABusyMonth)
{
    cal.SetShowWeeks(true);
    cal.SetWeekName(QStringLiteral("Wk"));
    cal.SetShowToday(true);
    cal.SetShowGotoToday(true);
    cal.SetMultiSelect(true);
    cal.Dates().AddRange(D(2026, 6, 8), D(2026, 6, 12));
    cal.Events().AddDate(D(2026, 6, 19));
    cal.Events().AddDate(D(2026, 6, 24)).SetShape(TEventShape::evsSquare);
    cal.Events().AddDate(D(2026, 6, 26)).SetShape(TEventShape::evsTriangle);
    cal.resize(220, 200);
    const QPixmap shot = cal.grab();
    ASSERT_FALSE(shot.isNull());
    const QString path = QDir::temp().filePath(QStringLiteral("deskhive_calendar_month.png"));
    EXPECT_TRUE(shot.save(path));
    const QImage grabbed = shot.toImage();
    EXPECT_EQ(grabbed.size(), QSize(220, 200));
    // The picture on screen is the one painted.
    paint();
    EXPECT_EQ(grabbed.convertToFormat(QImage::Format_RGB32), image);
}

} // namespace
