// The plain data grid: every record of a data source's dataset as a row and every field as
// a column, the way a user browses and edits a raw table. The grid's current row and the
// dataset's current record follow each other; an edited cell is posted when the user
// leaves the row or presses Enter, Escape cancels, Insert adds a record at the current row
// and Delete removes the current one (after asking, with dgConfirmDelete). Errors of the
// dataset (a text that does not convert, a post the file refuses) are shown to the user in
// place; the record stays in edit state so nothing typed is lost.
#pragma once

#include "platform/core/EnumSet.h"

#include <QTableView>
#include <functional>
#include <memory>

class TDataSource;
class TDataSet;
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

protected:
    // Asks whether the current record may be deleted; the default asks the user.
    virtual bool confirmDelete();

    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    friend class TDBGridModel;

    TDataSet* dataSet() const;
    void applyOptions();
    void showError(const QString& message);
    // Runs a dataset operation; an error of the layer is shown instead of escaping into Qt's
    // event loop. Returns whether it succeeded.
    bool guarded(const std::function<void()>& operation);
    void followDataSet();
    // Sizes the columns to the texts in view, once, when the dataset opens.
    void fitColumns();

    std::unique_ptr<TDBGridModel> m_model;
    TDBGridOptions m_options;
    bool m_following = false; // the grid is moving its selection after the dataset
};
