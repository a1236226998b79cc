// Through QInputDialog, so the dialog looks like every other dialog of the desktop.
#include "platform/controls/InputBox.h"

#include <QApplication>
#include <QInputDialog>

bool InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}

QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue)
{
    QString value = defaultValue;
    return InputQuery(caption, prompt, value) ? value : defaultValue;
}
