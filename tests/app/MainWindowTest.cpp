// The bare main window: caption, outer size, centring, background and font.
#include "app/MainWindow.h"

#include "platform/core/Color.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <gtest/gtest.h>

TEST(MainWindowTest, ShowsCaptionSizeAndBackground)
{
    TForm1 form;
    form.show();

    EXPECT_EQ(form.windowTitle(), "Velko TDBPlanner & TDBTodoList drag & drop demo");
    // The offscreen platform draws no frame, so the client area is the whole outer size.
    EXPECT_EQ(form.frameGeometry().size(), QSize(TForm1::OuterWidth, TForm1::OuterHeight));

    const QImage shot = form.grab().toImage();
    EXPECT_EQ(FromQColor(shot.pixelColor(shot.width() / 2, shot.height() / 2)),
              ColorToRGB(clBtnFace));
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
