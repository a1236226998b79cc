// Program start: the application object, the main window, the message loop.
#include "app/MainWindow.h"
#include "platform/core/Color.h"
#include "platform/db/DatabaseError.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("deskhive"));
    TSystemColors::LoadFromPalette();

    TForm1 form;
    try {
        form.FormCreate();
    } catch (const EDatabaseError& e) {
        // A table that exists but cannot be opened is left exactly as it is; the user is
        // told which and why, and the program ends.
        QMessageBox::critical(nullptr, form.windowTitle(), e.Message());
        return 1;
    }
    form.show();
    return QApplication::exec();
}
