// The one way a component tells the user about an error it cannot answer in place: a refused
// value, a failed table write. The box is window-modal but does not block the caller (it is
// opened, not executed), so an event handler returns at once and a test's event loop keeps
// running; it closes itself and is freed when the user presses OK. It takes the title and
// the font of the window it belongs to.
//
// The two questions that go with such errors are boxes of the same kind, made here so that
// every box the program shows looks alike: whether a record the file refused is tried again,
// given up or left for the user to mend (non-blocking, answered through a callback), and the
// confirmation before something is deleted (blocking: the caller needs the answer at once).
// Tests answer them by finding QApplication::activeModalWidget() from a queued call.
#pragma once

#include <QString>
#include <functional>

class QMessageBox;
class QWidget;

enum class TErrorBoxKind
{
    Warning,
    Critical
};

// The box, already open; it frees itself when closed.
QMessageBox* ShowErrorBox(QWidget* parent, const QString& message,
                          TErrorBoxKind kind = TErrorBoxKind::Warning);

enum class TRetryAnswer
{
    Retry,
    Discard,
    Cancel, // also when the box is closed without a button
};

// A warning with Retry, Discard and Cancel (the default, and what Escape answers). onAnswer
// runs once, after the box has closed.
QMessageBox* AskRetryDiscardCancel(QWidget* parent, const QString& message,
                                   std::function<void(TRetryAnswer)> onAnswer);

// OK and Cancel (the default); waits for the answer and returns whether it was OK.
bool ConfirmBox(QWidget* parent, const QString& message);
