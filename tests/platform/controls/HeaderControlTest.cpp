// The sectioned header: section geometry along either axis, sizing a section by dragging its
// border (limits, the sizing cursor, the track and resize events), clicks, owner painting.
#include "platform/controls/HeaderControl.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class HeaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        header.resize(300, 20);
        header.AddSection("Subject", 100);
        header.AddSection("Due", 60);
        header.AddSection("Done", 40);
    }
    THeaderControl header;
};

TEST_F(HeaderTest, SectionsLieEndToEndAlongTheAxis)
{
    EXPECT_EQ(header.SectionRect(0), Rect(0, 0, 100, 20));
    EXPECT_EQ(header.SectionRect(2), Rect(160, 0, 200, 20));
    EXPECT_TRUE(header.SectionRect(3).IsEmpty());
    struct HitCase
    {
        int x, section;
    };
    for (const HitCase& c : {HitCase{0, 0}, HitCase{99, 0}, HitCase{100, 1}, HitCase{199, 2},
                             HitCase{200, -1}, HitCase{-1, -1}}) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(header.SectionAt({c.x, 5}), c.section);
    }

    header.SetOrientation(THeaderOrientation::hoVertical);
    header.resize(40, 300);
    EXPECT_EQ(header.SectionRect(1), Rect(0, 100, 40, 160));
    EXPECT_EQ(header.SectionAt({5, 150}), 1);
    EXPECT_EQ(header.SectionAt({150, 5}), 0) << "only y counts when upright";
}

TEST_F(HeaderTest, DraggingABorderSizesTheSectionWithinItsLimits)
{
    std::vector<std::string> log;
    header.OnSectionTrack = [&](QWidget&, int s, int w, TSectionTrackState st) {
        log.push_back("track " + std::to_string(s) + " " + std::to_string(w) + " " +
                      std::to_string(int(st)));
    };
    header.OnSectionResize = [&](QWidget&, int s) { log.push_back("resize " + std::to_string(s)); };
    int clicks = 0;
    header.OnSectionClick = [&](QWidget&, int) { ++clicks; };

    // Grabbed 2 pixels right of the border: the offset is kept while dragging.
    QTest::mousePress(&header, Qt::LeftButton, {}, QPoint(102, 10));
    EXPECT_EQ(header.SizingSection(), 0);
    QTest::mouseMove(&header, QPoint(132, 10));
    EXPECT_EQ(header.Section(0).Width(), 130);
    EXPECT_EQ(header.SectionRect(1).Left, 130) << "the following sections move along";
    QTest::mouseRelease(&header, Qt::LeftButton, {}, QPoint(132, 10));
    EXPECT_EQ(header.SizingSection(), -1);
    const std::vector<std::string> expected = {"track 0 100 0", "track 0 130 1", "track 0 130 2",
                                               "resize 0"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(clicks, 0) << "sizing is not a click";

    header.Section(1).SetMinWidth(20);
    QTest::mousePress(&header, Qt::LeftButton, {}, QPoint(190, 10));
    QTest::mouseMove(&header, QPoint(100, 10));
    EXPECT_EQ(header.Section(1).Width(), 20);
    QTest::mouseMove(&header, QPoint(400, 10));
    EXPECT_EQ(header.Section(1).Width(), 270) << "past the header's own edge";
    QTest::mouseRelease(&header, Qt::LeftButton, {}, QPoint(400, 10));
}

TEST_F(HeaderTest, SizingZoneCursorAndCollapsedSections)
{
    // QTest sends a move without a button through the window system: the header is shown so
    // that the hovering moves reach it.
    header.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&header));
    // Such a move is dropped when the pointer is already there, and the pointer stays where
    // the last test left it: it starts past the sections, a place of this test's own.
    QTest::mouseMove(&header, QPoint(250, 10));
    QTest::mouseMove(&header, QPoint(101, 10));
    EXPECT_EQ(header.cursor().shape(), Qt::SplitHCursor);
    QTest::mouseMove(&header, QPoint(50, 10));
    EXPECT_NE(header.cursor().shape(), Qt::SplitHCursor);

    EXPECT_EQ(header.SizingSectionAt({97, 5}), 0);
    EXPECT_EQ(header.SizingSectionAt({96, 5}), -1);
    header.Section(1).SetWidth(0);
    EXPECT_EQ(header.SizingSectionAt({100, 5}), 1) << "a collapsed section can be widened";

    header.SetAllowResize(false);
    int clicks = 0;
    header.OnSectionClick = [&](QWidget&, int s) { clicks += s == 0 ? 1 : 100; };
    QTest::mouseClick(&header, Qt::LeftButton, {}, QPoint(99, 10));
    EXPECT_EQ(header.SizingSection(), -1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(HeaderTest, ClickNeedsPressAndReleaseOnTheSameSection)
{
    std::vector<int> clicked;
    header.OnSectionClick = [&](QWidget&, int s) { clicked.push_back(s); };
    QTest::mousePress(&header, Qt::LeftButton, {}, QPoint(120, 10));
    EXPECT_EQ(header.PressedSection(), 1);
    QTest::mouseRelease(&header, Qt::LeftButton, {}, QPoint(130, 10));
    QTest::mousePress(&header, Qt::LeftButton, {}, QPoint(120, 10));
    QTest::mouseRelease(&header, Qt::LeftButton, {}, QPoint(180, 10));
    header.Section(2).SetAllowClick(false);
    QTest::mouseClick(&header, Qt::LeftButton, {}, QPoint(180, 10));
    EXPECT_EQ(clicked, (std::vector<int>{1}));
}

TEST_F(HeaderTest, OwnerPaintingGetsEverySectionRectangle)
{
    std::vector<TRect> rects;
    header.OnDrawSection = [&](QWidget&, TCanvas&, int s, const TRect& r, bool pressed) {
        EXPECT_FALSE(pressed);
        EXPECT_EQ(r, header.SectionRect(s));
        rects.push_back(r);
    };
    QImage picture;
    header.PaintTo(picture);
    EXPECT_EQ(rects.size(), 3u);
    // Without the handler the default face is drawn: button face inside the section.
    header.OnDrawSection = nullptr;
    header.PaintTo(picture);
    EXPECT_EQ(FromQColor(picture.pixelColor(250, 10)), ColorToRGB(clBtnFace));
}

} // namespace
