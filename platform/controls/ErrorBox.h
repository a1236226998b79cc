// The one way a component tells the user about an error it cannot answer in place: a refused
// value, a failed table write. The box is window-modal but does not block the caller (it is
// opened, not executed), so an event handler returns at once and a test's event loop keeps
// running; it closes itself and is freed when the user presses OK. It takes the title and
// the font of the window it belongs to.
#pragma once

#include <QString>

class QWidget;

enum class TErrorBoxKind
{
    Warning,
    Critical
};

void ShowErrorBox(QWidget* parent, const QString& message,
                  TErrorBoxKind kind = TErrorBoxKind::Warning);
