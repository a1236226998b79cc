// The cell editors of the data grid: a one-line edit for most fields and a several-line
// editor for memo fields, in which Shift+Enter starts a new line while Enter, as in every
// other cell, finishes the cell. Ctrl+Tab in an editor is left to the grid, which takes the
// focus out of it.
#pragma once

#include <QStyledItemDelegate>

class TDBGrid;

class TDBGridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit TDBGridDelegate(TDBGrid& grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The rows of text a memo editor shows.
    static constexpr int MemoRows = 4;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TDBGrid& m_grid;
};
