// Cell editors and their keys.
#include "platform/db/DBGridDelegate.h"

#include "platform/db/DBGrid.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

TDBGridDelegate::TDBGridDelegate(TDBGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

QWidget* TDBGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const
{
    const TDataSet* ds = m_grid.dataSet();
    if (!ds || !ds->Active() || index.column() >= ds->FieldCount() ||
        ds->Fields(index.column())->DataType() != TFieldType::ftMemo)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* memo = new QPlainTextEdit(parent);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setTabChangesFocus(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

void TDBGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    QStyledItemDelegate::setEditorData(editor, index);
    // Typing into a cell replaces what it held, in a memo as in a one-line edit.
    if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
        memo->selectAll();
}

void TDBGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
    if (!qobject_cast<QPlainTextEdit*>(editor))
        return;
    // A memo needs room for its lines; it reaches over the rows below, within the view.
    QRect area = option.rect;
    area.setHeight(std::max(area.height(), editor->fontMetrics().lineSpacing() * MemoRows + 8));
    const QRect view = editor->parentWidget()->rect();
    if (area.bottom() > view.bottom())
        area.moveBottom(view.bottom());
    if (area.top() < view.top())
        area.moveTop(view.top());
    editor->setGeometry(area);
}

bool TDBGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool control = key->modifiers() & Qt::ControlModifier;
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && control) {
            m_grid.leaveByKeyboard(key->key() == Qt::Key_Tab);
            return true;
        }
        auto* memo = qobject_cast<QPlainTextEdit*>(editor);
        if (memo && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (key->modifiers() & Qt::ShiftModifier) {
                memo->insertPlainText(QStringLiteral("\n"));
            } else {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
            }
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
