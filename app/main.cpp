// Program start: the application object, the main window, the message loop.
#include "app/MainWindow.h"
#include "platform/core/Color.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("deskhive"));
    TSystemColors::LoadFromPalette();

    TForm1 form;
    form.show();
    return QApplication::exec();
}
