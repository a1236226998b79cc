// The main window: caption, outer size, centring on any screen, background, font, its
// components and the way the keyboard moves through them.
#include "app/MainWindow.h"

#include "WorkingFolder.h"
#include "platform/core/Color.h"
#include "platform/db/DBGrid.h"
#include "platform/db/Field.h"
#include "platform/gfx/Bitmap.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using MainWindowKeyboardTest = TWorkingFolderTest;

} // namespace

TEST(MainWindowTest, ShowsCaptionSizeAndBackground)
{
    TForm1 form;
    form.show();

    EXPECT_EQ(form.windowTitle(), "Velko TDBPlanner & TDBTodoList drag & drop demo");
    // The outer size includes the frame; the client area is what is left inside it.
    EXPECT_EQ(form.frameGeometry().size(), QSize(TForm1::OuterWidth, TForm1::OuterHeight));
    EXPECT_LE(form.width(), TForm1::OuterWidth);

    const QImage shot = form.grab().toImage();
    const QPoint onPanel = form.Panel1()->geometry().topRight() + QPoint(-3, 3);
    EXPECT_EQ(FromQColor(shot.pixelColor(onPanel)), ColorToRGB(clBtnFace));
}

TEST(MainWindowTest, StartsCentredWhateverThePositionBefore)
{
    TForm1 form;
    form.move(3, 5);
    form.show();

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint centre = form.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(centre.y() - screen.center().y()), 1);
}

TEST(MainWindowTest, UsesTheEightPointDialogFont)
{
    TForm1 form;
    // Height -11 is an 11-pixel character height: 8 points at 96 pixels per inch.
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_FALSE(form.font().family().isEmpty());
}

TEST(MainWindowTest, StripAboveTwoTabSetsWithTheirPlacement)
{
    TForm1 form;
    form.show();

    EXPECT_EQ(form.Panel1()->geometry(), QRect(0, 0, form.width(), 33));
    EXPECT_EQ(form.CheckBox1()->geometry(), QRect(8, 5, 97, 17));
    EXPECT_EQ(form.CheckBox1()->text(), "Show preview");
    EXPECT_FALSE(form.CheckBox1()->isChecked());
    EXPECT_EQ(form.Label1()->pos(), QPoint(136, 6));
    // The doubled ampersand of the stored caption shows as one.
    EXPECT_EQ(form.Label1()->text(), "Use Ins / Del to create or delete todo items. Drag & drop "
                                     "todo items by handle to the DBPlanner");

    EXPECT_EQ(form.PageControl1()->geometry(), QRect(0, 33, form.width(), 297));
    const QRect planner = form.PageControl2()->geometry();
    EXPECT_EQ(planner.top(), 33 + 297);
    EXPECT_EQ(planner.bottom() + 1, form.height());

    struct Tab
    {
        QTabWidget* pages;
        QWidget* sheet;
        const char* caption;
        bool hasIcon;
    };
    const Tab tabs[] = {
        {form.PageControl1(), form.TabSheet1(), "DBTodoList", false},
        {form.PageControl1(), form.TabSheet2(), "Todo Database", true},
        {form.PageControl2(), form.TabSheet3(), "DBPlanner", false},
        {form.PageControl2(), form.TabSheet4(), "Planner database", true},
    };
    for (const Tab& t : tabs) {
        SCOPED_TRACE(t.caption);
        const int index = t.pages->indexOf(t.sheet);
        ASSERT_GE(index, 0);
        EXPECT_EQ(t.pages->tabText(index), t.caption);
        EXPECT_EQ(!t.pages->tabIcon(index).isNull(), t.hasIcon);
    }
    EXPECT_EQ(form.PageControl1()->currentWidget(), form.TabSheet1());
    EXPECT_EQ(form.PageControl2()->currentWidget(), form.TabSheet3());
}

TEST(MainWindowTest, HeaderImagesAreThreeDistinctMaskedPictures)
{
    TForm1 form;
    const TImageList& images = form.ImageList1();
    ASSERT_EQ(images.Count(), 3);
    QList<QImage> seen;
    for (int i = 0; i < images.Count(); ++i) {
        SCOPED_TRACE(i);
        TBitmap bmp;
        ASSERT_TRUE(images.GetBitmap(i, bmp));
        const QImage img = bmp.TransparentImage();
        EXPECT_EQ(img.size(), QSize(16, 16));
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(img.pixel(x, y)) == 255;
        // Some ink, and a transparent ground around it.
        EXPECT_GT(opaque, 10);
        EXPECT_LT(opaque, 200);
        EXPECT_FALSE(seen.contains(img));
        seen.append(img);
    }
}

TEST(MainWindowTest, KeptInsideAScreenTooSmallForIt)
{
    const QSize outer(TForm1::OuterWidth, TForm1::OuterHeight);
    struct Case
    {
        const char* name;
        QRect available;
        QRect expected;
    };
    const Case cases[] = {
        {"large screen", QRect(0, 0, 1920, 1040), QRect(656, 194, 607, 652)},
        {"doubled scale on 1280x1024", QRect(0, 0, 640, 512), QRect(16, 0, 607, 512)},
        {"panel at the top", QRect(0, 40, 800, 560), QRect(96, 40, 607, 560)},
        {"second screen on the left", QRect(-1280, 0, 1280, 600), QRect(-943, 0, 607, 600)},
        {"narrow", QRect(10, 10, 500, 900), QRect(10, 134, 500, 652)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QRect placed = TForm1::FramePlacement(outer, c.available);
        EXPECT_EQ(placed, c.expected);
        EXPECT_TRUE(c.available.contains(placed));
    }
}

TEST_F(MainWindowKeyboardTest, FocusStartsOnTheFirstControlAndTheKeyboardFollowsTheScreen)
{
    TForm1 form;
    form.FormCreate();
    // A record, so that the planner grid has cells for Tab to move between.
    form.Table2().Append();
    form.Table2().FieldByName("SUBJECT")->SetAsString("Lunch");
    form.Table2().Post();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.CheckBox1());

    form.PageControl1()->setCurrentWidget(form.TabSheet2());
    form.PageControl2()->setCurrentWidget(form.TabSheet4());
    struct Step
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QWidget* next;
    };
    // Tab moves between a grid's cells (dgTabs); Ctrl+Tab leaves the grid.
    const Step steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, form.PageControl1()->tabBar()},
        {Qt::Key_Tab, Qt::NoModifier, form.DBGrid1()},
        {Qt::Key_Tab, Qt::ControlModifier, form.PageControl2()->tabBar()},
        {Qt::Key_Tab, Qt::NoModifier, form.DBGrid2()},
        {Qt::Key_Tab, Qt::NoModifier, form.DBGrid2()},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, form.PageControl2()->tabBar()},
        {Qt::Key_Tab, Qt::NoModifier, form.DBGrid2()},
        {Qt::Key_Tab, Qt::ControlModifier, form.CheckBox1()},
    };
    int n = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(++n);
        QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
        EXPECT_EQ(QApplication::focusWidget(), step.next)
            << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                            : "nothing");
    }
}
