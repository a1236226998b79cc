// The one main of every test program: a QApplication on the offscreen platform with fixed
// fonts, the classic system colours and pinned locale settings, so that pixel and text
// results do not depend on the machine running the tests.
#include "platform/core/Color.h"
#include "platform/core/FormatSettings.h"

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The desktop's theme must not reach the palette or the fonts.
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qputenv("QT_FONT_DPI", "96");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setFont(QFont("DejaVu Sans", 8));
    TSystemColors::LoadClassic();
    FormatSettings() = TFormatSettings::Fixed();
    return RUN_ALL_TESTS();
}
