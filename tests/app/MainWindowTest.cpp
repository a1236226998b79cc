// The main window: caption, outer size, centring, background, font and its components.
#include "app/MainWindow.h"

#include "platform/core/Color.h"
#include "platform/gfx/Bitmap.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <gtest/gtest.h>

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
