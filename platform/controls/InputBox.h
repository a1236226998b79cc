// The system's input box: a small modal dialog with a title, a prompt and a one-line edit.
// InputQuery returns whether the user pressed OK and, if so, the text in value; InputBox
// returns the text, or the default when cancelled. Both wait for the answer (the dialog
// runs its own event loop), which tests answer by finding the active modal widget from a
// queued call.
#pragma once

#include <QString>

bool InputQuery(const QString& caption, const QString& prompt, QString& value);
QString InputBox(const QString& caption, const QString& prompt, const QString& defaultValue);
