// The visual-styles switch. Themed drawing needs a QApplication's style; without one the
// switch stays off whatever was asked.
#include "platform/gfx/Themes.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {
bool g_useVisualStyles = false;
}

bool UseVisualStyles()
{
    return g_useVisualStyles && qobject_cast<QApplication*>(QCoreApplication::instance());
}

void SetUseVisualStyles(bool use)
{
    g_useVisualStyles = use;
}

TColor ThemedEditBorderColor()
{
    QImage image(12, 12, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QStyleOptionFrame option;
        option.rect = QRect(0, 0, 12, 12);
        option.lineWidth = 1;
        option.state = QStyle::State_Enabled;
        QApplication::style()->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter);
    }
    // Styles that round their corners leave the corner pixel blank: the colour is taken
    // halfway down the left edge.
    return FromQColor(image.pixelColor(0, 6));
}
