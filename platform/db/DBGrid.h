// The plain data grid: every record of a data source's dataset as a row and every field as
// a column, the way a user browses and edits a raw table. The grid's current row and the
// dataset's current record follow each other, and the current column stays where the user
// put it whatever happens to the rows. An edited cell is posted when the user leaves the row
// or presses Enter, Escape cancels, Insert adds a record at the current row and Delete
// removes the current one (after asking, with dgConfirmDelete). A memo cell takes a new line
// with Shift+Enter. Ctrl+Tab and Ctrl+Shift+Tab take the focus out of the grid, also from a
// cell editor, since Tab moves between cells (dgTabs).
//
// Errors of the dataset (a text that does not convert, a post the file refused) are shown
// to the user in place: a refused cell keeps its editor and the text typed into it, the
// cursor stays on it, and the record stays in edit state, so nothing typed is lost. A post
// of the dataset from elsewhere (the implicit post, a window closing) first writes the text
// of a cell editor still open into its field.
#pragma once

#include "platform/core/EnumSet.h"

#include <QTableView>
#include <functional>
#include <memory>

class TDataSource;
class TDataSet;
class TDBGridDelegate;
class TDBGridModel;

enum class TDBGridOption
{
    dgEditing,       // cells can be edited, records inserted and deleted
    dgTitles,        // a title row with the field names
    dgIndicator,     // a column that marks the current record and its state
    dgColumnResize,  // the user may size columns
    dgColLines,      // lines between columns
    dgRowLines,      // lines between rows
    dgTabs,          // Tab moves between cells instead of leaving the grid
    dgConfirmDelete, // Delete asks before removing a record
    dgCancelOnExit,  // leaving the grid drops an inserted record that nobody typed into
};
using TDBGridOptions = TEnumSet<TDBGridOption>;

class TDBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    static TDBGridOptions DefaultOptions();

    TDataSource* DataSource() const; // nullptr
    void SetDataSource(TDataSource* source);

    TDBGridOptions Options() const { return m_options; } // DefaultOptions(): all of them
    void SetOptions(TDBGridOptions options);

    // The marks the indicator column shows for the current record.
    static constexpr QChar BrowseMark = u'\u25B6'; // a right-pointing triangle
    static constexpr QChar EditMark = u'I';
    static constexpr QChar InsertMark = u'*';

    // Called by the model when the dataset refused something; shows a warning box that does
    // not block (tests and callers may replace it).
    std::function<void(TDBGrid& sender, const QString& message)> OnDataError;

    // Whether a cell editor is open, and its text ("" when none is).
    bool EditorOpen() const;
    QString EditorText() const;
    // Writes the text of an open cell editor into its field and closes the editor. Raises
    // the dataset's error instead of showing it; the editor then stays open with its text.
    void CommitEditor();
    // Closes an open cell editor without writing its text.
    void CancelEditor();

protected:
    // Asks whether the current record may be deleted; the default asks the user.
    virtual bool confirmDelete();

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class TDBGridModel;
    friend class TDBGridDelegate;

    TDataSet* dataSet() const;
    QWidget* openEditor() const;
    // Writes the open editor's text into the current record, raising what the field raises;
    // the editor stays open.
    void writeEditor();
    // Ctrl+Tab: finishes a cell editor and moves the focus to the next (or previous) control.
    void leaveByKeyboard(bool forward);
    void applyOptions();
    void showError(const QString& message);
    // Runs a dataset operation; an error of the layer is shown instead of escaping into Qt's
    // event loop. Returns whether it succeeded.
    bool guarded(const std::function<void()>& operation);
    void followDataSet();
    // Sizes the columns to the texts in view, once, when the dataset opens.
    void fitColumns();

    std::unique_ptr<TDBGridModel> m_model;
    TDBGridDelegate* m_delegate; // owned by the grid through Qt's parent chain
    TDBGridOptions m_options;
    bool m_following = false;     // the grid is moving its selection after the dataset
    int m_column = 0;             // the column the user was in, kept across resets
    bool m_commitRefused = false; // the last cell written was refused
};
