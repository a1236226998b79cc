// Feedback under the pointer: the hand cursor and the select colour over arrows, the caption
// and the today line, the arrows' hints, event hints per cell, and what leaving restores.
// Also the looks that only some settings bring: the 3-D look, the caption gradient, the
// background picture's positions and the focus rectangle.
#include "CalendarFixture.h"
#include "platform/controls/HintWindow.h"
#include "platform/gfx/Themes.h"

#include <QApplication>
#include <QBuffer>
#include <QEvent>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CalendarHover : public CalendarFixture
{
protected:
    CalendarHover() { cal.show(); }

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
    void leave()
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&cal, &event);
    }

    QImage image;
};

TEST_F(CalendarHover, ArrowsTurnToTheSelectColourWithAHandAndAHint)
{
    cal.SetHintNextMonth(QStringLiteral("Next Month"));
    const TCalendarArrows arrows = cal.Arrows();
    const TRect zone{arrows.NextMonth.HitLeft, 1, arrows.NextMonth.HitRight, 15};
    paint();
    EXPECT_EQ(count(clTeal, zone), 0);

    QTest::mouseMove(&cal, QPoint(arrows.NextMonth.HitLeft + 2, 8));
    EXPECT_EQ(cal.Cursor(), crHandPoint);
    EXPECT_TRUE(cal.HintWindow().isVisible());
    EXPECT_EQ(cal.HintWindow().Text(), "Next Month");
    // The hint sits above the control, starting at the arrow.
    const QPoint origin = cal.mapToGlobal(QPoint(0, 0));
    EXPECT_LT(cal.HintWindow().HintRect().Bottom, origin.y());
    EXPECT_EQ(cal.HintWindow().HintRect().Left, origin.x() + arrows.NextMonth.HitLeft);
    paint();
    EXPECT_GT(count(clTeal, zone), 10);

    // An arrow without a hint text shows none.
    QTest::mouseMove(&cal, QPoint(arrows.NextYear.HitLeft + 2, 8));
    EXPECT_FALSE(cal.HintWindow().isVisible());

    leave();
    EXPECT_EQ(cal.Cursor(), crDefault);
    paint();
    EXPECT_EQ(count(clTeal, zone), 0);
}

TEST_F(CalendarHover, CaptionAndTodayLineLightUp)
{
    cal.SetShowGotoToday(true);
    const TCaptionZones zones = cal.CaptionZones();
    const TRect caption{zones.MonthLeft, 1, zones.YearRight, 15};
    QTest::mouseMove(&cal, QPoint(zones.MonthLeft + 3, 7));
    paint();
    EXPECT_GT(count(clTeal, caption), 20);
    EXPECT_EQ(cal.Cursor(), crDefault);

    const TCalendarGeometry g = cal.Geometry();
    const TRect today{g.X0, 8 * g.DY - 4, 170, g.Height - 1};
    QTest::mouseMove(&cal, QPoint(g.X0 + 5, 8 * g.DY + 2));
    EXPECT_EQ(cal.Cursor(), crHandPoint);
    paint();
    EXPECT_EQ(count(clTeal, caption), 0);
    EXPECT_GT(count(clTeal, today), 20);
    // Past the end of the text the line is not hovered.
    QTest::mouseMove(&cal, QPoint(175, 8 * g.DY + 2));
    EXPECT_EQ(cal.Cursor(), crDefault);
}

TEST_F(CalendarHover, EventHintsFollowTheCellUnderThePointer)
{
    cal.Events().AddDate(D(2026, 6, 10)).SetHint(QStringLiteral("Dentist"));
    const TCalendarGeometry g = cal.Geometry();
    int c = 0, w = 0;
    ASSERT_TRUE(g.CellOf(D(2026, 6, 10), c, w));
    const TRect r = g.DayCell(c, w);
    const QPoint onEvent((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);

    QTest::mouseMove(&cal, onEvent);
    EXPECT_FALSE(cal.HintWindow().isVisible()); // event hints are off
    cal.SetEventHints(true);
    QTest::mouseMove(&cal, onEvent + QPoint(1, 0));
    ASSERT_TRUE(cal.HintWindow().isVisible());
    EXPECT_EQ(cal.HintWindow().Text(), "Dentist");
    const QPoint at = cal.mapToGlobal(QPoint(c * g.DX, g.DY * (w - 1) + g.T));
    EXPECT_EQ(cal.HintWindow().HintRect().TopLeft(), (TPoint{at.x(), at.y()}));
    QTest::mouseMove(&cal, onEvent + QPoint(g.DX, 0));
    EXPECT_FALSE(cal.HintWindow().isVisible());
}

TEST_F(CalendarHover, Look3DFramesCellsAndTheDayNameBand)
{
    cal.SetLook(TCalendarLook::look3D);
    cal.SetHeaderColor(clAqua);
    paint();
    const TCalendarGeometry g = cal.Geometry();
    const TRect r = g.DayCell(4, 2); // 10 June
    EXPECT_EQ(pixel(r.Left, r.Top + 5), clWhite);
    EXPECT_EQ(pixel(r.Left + 5, r.Top), clWhite);
    EXPECT_EQ(pixel(r.Right - 1, r.Top + 5), clGray);
    EXPECT_EQ(pixel(r.Left + 5, r.Bottom - 1), clGray);
    EXPECT_EQ(pixel(176, g.DY), clAqua);
    EXPECT_EQ(pixel(176, g.DY - 4), clWhite);
}

TEST_F(CalendarHover, CaptionGradientAboveTheBody)
{
    cal.SetMonthGradientStartColor(clRed);
    cal.SetMonthGradientEndColor(clBlue);
    cal.SetGradientStartColor(clLime);
    cal.SetGradientEndColor(clLime);
    paint();
    // Red at the top (bands of a short area overlap by a pixel), nearly blue at its end,
    // and the body's green right below.
    EXPECT_GT(GetRValue(pixel(2, 1)), 240);
    EXPECT_LT(GetBValue(pixel(2, 1)), 10);
    EXPECT_GT(GetBValue(pixel(2, 28)), 200);
    EXPECT_EQ(pixel(2, 40), clLime);
}

QByteArray redPicture(int w, int h)
{
    QImage picture(w, h, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

TEST_F(CalendarHover, BackgroundPictureReplacesTheGradientsWhereItIsPlaced)
{
    cal.Background().LoadFromData(redPicture(20, 20));
    ASSERT_FALSE(cal.Background().Empty());
    struct
    {
        TBackGroundPosition position;
        TPoint red, notRed;
    } cases[] = {
        {TBackGroundPosition::bpTopLeft, {2, 2}, {178, 178}},
        {TBackGroundPosition::bpTopRight, {178, 2}, {2, 2}},
        {TBackGroundPosition::bpBottomLeft, {2, 177}, {178, 177}},
        {TBackGroundPosition::bpBottomRight, {177, 177}, {2, 177}},
        {TBackGroundPosition::bpTiled, {178, 2}, {0, 0}},
        {TBackGroundPosition::bpStretched, {2, 177}, {0, 0}},
        {TBackGroundPosition::bpCenter, {80, 81}, {178, 178}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.position));
        cal.SetBackgroundPosition(c.position);
        paint();
        EXPECT_EQ(pixel(c.red.X, c.red.Y), clRed);
        EXPECT_NE(pixel(c.notRed.X, c.notRed.Y), clRed);
    }
}

TEST_F(CalendarHover, FocusRectangleOnTheFocusDay)
{
    QApplication::setActiveWindow(&cal);
    cal.setFocus();
    if (!cal.hasFocus())
        GTEST_SKIP() << "the platform gives no focus";
    cal.SetShowSelection(false);
    cal.SetGradientStartColor(clNone);
    const TRect r = cal.Geometry().DayCell(4, 3); // 17 June
    // The dotted rectangle inverts every other pixel of the panel colour.
    const TColor inverted = ColorToRGB(clBtnFace) ^ 0xFFFFFF;
    paint();
    const int dotted = count(inverted, {r.Left, r.Top, r.Right, r.Top + 1});
    EXPECT_GT(dotted, 5);
    EXPECT_LT(dotted, r.Width());
    cal.clearFocus();
    paint();
    EXPECT_EQ(count(inverted, {r.Left, r.Top, r.Right, r.Top + 1}), 0);
}

TEST_F(CalendarHover, VisualStylesFrameTheControlInTheEditBorderColour)
{
    paint();
    const TColor plain = pixel(0, 90);
    EXPECT_EQ(plain, ColorToRGB(clBtnFace));
    SetUseVisualStyles(true);
    paint();
    const TColor styled = pixel(0, 90);
    // One frame all round.
    const TColor top = pixel(90, 0), right = pixel(179, 90), bottom = pixel(90, 179);
    cal.SetBorderXP(false);
    paint();
    const TColor withoutFrame = pixel(0, 90);
    SetUseVisualStyles(false);
    EXPECT_NE(styled, plain);
    EXPECT_EQ(top, styled);
    EXPECT_EQ(right, styled);
    EXPECT_EQ(bottom, styled);
    EXPECT_EQ(withoutFrame, plain);
}

} // namespace
