// The caption label beside a TNuvEdit: its clicks, its font and enabled state, and its
// place in the ten positions around the edit.
#include "comp/NuvEdit/EditLabel.h"

#include "comp/NuvEdit/NuvEdit.h"
#include "platform/core/RaiseEvent.h"

#include <QMouseEvent>

// --- Label ---------------------------------------------------------------------------------

TEditLabel::TEditLabel(TNuvEdit& edit, QWidget* parent) : QLabel(parent), m_edit(edit)
{
    setBuddy(&edit);
}

void TEditLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    if (m_edit.isEnabled())
        m_edit.setFocus(Qt::MouseFocusReason);
    Raise(m_edit.OnLabelClick, m_edit);
}

void TEditLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    Raise(m_edit.OnLabelDblClick, m_edit);
}

QLabel* TNuvEdit::Label() const
{
    return m_label.data();
}

void TNuvEdit::SetLabelCaption(const QString& caption)
{
    m_labelCaption = caption;
    if (!m_label) {
        m_label = new TEditLabel(*this, parentWidget());
        // Without a parent the label would become a window of its own; it stays hidden
        // until the edit has one.
        m_label->setVisible(parentWidget() && isVisible());
    }
    m_label->setText(caption);
    updateLabelLook();
    placeLabel();
}

void TNuvEdit::SetLabelPosition(TLabelPosition position)
{
    m_labelPosition = position;
    placeLabel();
}

void TNuvEdit::SetLabelMargin(int margin)
{
    m_labelMargin = margin;
    placeLabel();
}

void TNuvEdit::SetLabelTransparent(bool on)
{
    m_labelTransparent = on;
    updateLabelLook();
}

void TNuvEdit::SetLabelAlwaysEnabled(bool on)
{
    m_labelAlwaysEnabled = on;
    updateLabelLook();
}

void TNuvEdit::updateLabelLook()
{
    if (!m_label)
        return;
    QFont f = m_labelFont.ToQFont();
    if (m_focusLabel && m_focused)
        f.setBold(true);
    m_label->setFont(f);
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText, ToQColor(m_labelFont.Color()));
    m_label->setPalette(pal);
    m_label->setAutoFillBackground(!m_labelTransparent);
    m_label->setEnabled(m_labelAlwaysEnabled || isEnabled());
    m_label->adjustSize();
    placeLabel();
}

void TNuvEdit::placeLabel()
{
    if (!m_label)
        return;
    m_label->adjustSize();
    const int lw = m_label->width();
    const int lh = m_label->height();
    const int m = m_labelMargin;
    const QRect e = geometry();
    int x = 0;
    int y = 0;
    switch (m_labelPosition) {
    case TLabelPosition::lpLeftTop:
        x = e.left() - lw - m;
        y = e.top();
        break;
    case TLabelPosition::lpLeftCenter:
        x = e.left() - lw - m;
        y = e.top() + (e.height() - lh) / 2;
        break;
    case TLabelPosition::lpLeftBottom:
        x = e.left() - lw - m;
        y = e.top() + e.height() - lh;
        break;
    case TLabelPosition::lpTopLeft:
        x = e.left();
        y = e.top() - lh - m;
        break;
    case TLabelPosition::lpBottomLeft:
        x = e.left();
        y = e.top() + e.height() + m;
        break;
    case TLabelPosition::lpLeftTopLeft:
        x = e.left() - m;
        y = e.top();
        break;
    case TLabelPosition::lpLeftCenterLeft:
        x = e.left() - m;
        y = e.top() + (e.height() - lh) / 2;
        break;
    case TLabelPosition::lpLeftBottomLeft:
        x = e.left() - m;
        y = e.top() + e.height() - lh;
        break;
    case TLabelPosition::lpTopCenter:
        x = e.left() + (e.width() - lw) / 2;
        y = e.top() - lh - m;
        break;
    case TLabelPosition::lpBottomCenter:
        x = e.left() + (e.width() - lw) / 2;
        y = e.top() + e.height() + m;
        break;
    }
    m_label->move(x, y);
}
