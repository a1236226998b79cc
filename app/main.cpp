// Program start: the application object, the main window, the message loop.
#include "app/MainWindow.h"
#include "platform/controls/ErrorBox.h"
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
        // told which and why, in the window's own box, and the program ends.
        QMessageBox* box = ShowErrorBox(&form, e.Message(), TErrorBoxKind::Critical);
        QObject::connect(box, &QDialog::finished, &app, &QCoreApplication::quit);
        QApplication::exec();
        return 1;
    }
    form.show();
    return QApplication::exec();
}
