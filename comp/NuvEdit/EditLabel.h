// The caption label a TNuvEdit can show beside itself: a plain label on the edit's parent
// whose clicks reach the edit's OnLabelClick and OnLabelDblClick and which focuses the edit
// when clicked.
#pragma once

#include <QLabel>

class TNuvEdit;

class TEditLabel : public QLabel
{
public:
    TEditLabel(TNuvEdit& edit, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    TNuvEdit& m_edit;
};
