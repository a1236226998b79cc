// The message boxes; see the header.
#include "platform/controls/ErrorBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <memory>

namespace {

// A box with the title and font of the window it belongs to.
QMessageBox* newBox(QWidget* parent, QMessageBox::Icon icon, const QString& message,
                    QMessageBox::StandardButtons buttons)
{
    QWidget* window = parent ? parent->window() : nullptr;
    auto* box =
        new QMessageBox(icon, window ? window->windowTitle() : QString(), message, buttons, parent);
    if (window)
        box->setFont(window->font());
    return box;
}

} // namespace

QMessageBox* ShowErrorBox(QWidget* parent, const QString& message, TErrorBoxKind kind)
{
    const auto icon =
        kind == TErrorBoxKind::Critical ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox* box = newBox(parent, icon, message, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}

QMessageBox* AskRetryDiscardCancel(QWidget* parent, const QString& message,
                                   std::function<void(TRetryAnswer)> onAnswer)
{
    QMessageBox* box = newBox(parent, QMessageBox::Warning, message,
                              QMessageBox::Retry | QMessageBox::Discard | QMessageBox::Cancel);
    box->setDefaultButton(QMessageBox::Cancel);
    box->setEscapeButton(QMessageBox::Cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QDialog::finished, box, [box, onAnswer = std::move(onAnswer)] {
        const QMessageBox::StandardButton pressed = box->standardButton(box->clickedButton());
        const TRetryAnswer answer = pressed == QMessageBox::Retry     ? TRetryAnswer::Retry
                                    : pressed == QMessageBox::Discard ? TRetryAnswer::Discard
                                                                      : TRetryAnswer::Cancel;
        if (onAnswer)
            onAnswer(answer);
    });
    box->open();
    return box;
}

bool ConfirmBox(QWidget* parent, const QString& message)
{
    const std::unique_ptr<QMessageBox> box(
        newBox(parent, QMessageBox::Question, message, QMessageBox::Ok | QMessageBox::Cancel));
    box->setDefaultButton(QMessageBox::Cancel);
    return box->exec() == QMessageBox::Ok;
}
