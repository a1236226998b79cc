// The visual-styles switch. Themed drawing needs a QApplication's style; without one the
// switch stays off whatever was asked.
#include "platform/gfx/Themes.h"

#include <QApplication>

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
