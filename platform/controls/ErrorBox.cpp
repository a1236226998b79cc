// The non-blocking error box; see the header.
#include "platform/controls/ErrorBox.h"

#include <QMessageBox>
#include <QWidget>

void ShowErrorBox(QWidget* parent, const QString& message, TErrorBoxKind kind)
{
    QWidget* window = parent ? parent->window() : nullptr;
    const auto icon =
        kind == TErrorBoxKind::Critical ? QMessageBox::Critical : QMessageBox::Warning;
    auto* box = new QMessageBox(icon, window ? window->windowTitle() : QString(), message,
                                QMessageBox::Ok, parent);
    if (window)
        box->setFont(window->font());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
