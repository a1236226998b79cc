// The data grid's options, keys and the two-way link between its current row and the
// dataset's current record.
#include "platform/db/DBGrid.h"

#include "platform/controls/ErrorBox.h"
#include "platform/core/Exceptions.h"
#include "platform/db/DBGridDelegate.h"
#include "platform/db/DBGridModel.h"
#include "platform/db/DataSet.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaProperty>

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent), m_model(std::make_unique<TDBGridModel>(*this)),
      m_delegate(new TDBGridDelegate(*this)), m_options(DefaultOptions())
{
    setModel(m_model.get());
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    applyOptions();
}

TDBGrid::~TDBGrid()
{
    // The view must let go of the model before the model (and its link) goes.
    setModel(nullptr);
}

TDBGridOptions TDBGrid::DefaultOptions()
{
    using O = TDBGridOption;
    return {O::dgEditing,  O::dgTitles, O::dgIndicator,     O::dgColumnResize, O::dgColLines,
            O::dgRowLines, O::dgTabs,   O::dgConfirmDelete, O::dgCancelOnExit};
}

TDataSource* TDBGrid::DataSource() const
{
    return m_model->DataSource();
}

void TDBGrid::SetDataSource(TDataSource* source)
{
    if (source == m_model->DataSource())
        return;
    m_model->SetDataSource(source);
    followDataSet();
}

TDataSet* TDBGrid::dataSet() const
{
    return m_model->DataSet();
}

void TDBGrid::SetOptions(TDBGridOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    applyOptions();
}

void TDBGrid::applyOptions()
{
    using O = TDBGridOption;
    horizontalHeader()->setVisible(m_options.Contains(O::dgTitles));
    verticalHeader()->setVisible(m_options.Contains(O::dgIndicator));
    horizontalHeader()->setSectionResizeMode(
        m_options.Contains(O::dgColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
    // Qt's grid draws both kinds of line or neither.
    setShowGrid(m_options.Contains(O::dgColLines) || m_options.Contains(O::dgRowLines));
    setTabKeyNavigation(m_options.Contains(O::dgTabs));
    setEditTriggers(m_options.Contains(O::dgEditing)
                        ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed
                        : QAbstractItemView::NoEditTriggers);
    viewport()->update();
}

void TDBGrid::showError(const QString& message)
{
    if (OnDataError) {
        OnDataError(*this, message);
        return;
    }
    ShowErrorBox(this, message);
}

bool TDBGrid::guarded(const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const Exception& e) {
        showError(e.Message());
        return false;
    }
}

void TDBGrid::followDataSet()
{
    const TDataSet* ds = dataSet();
    if (!ds || !ds->Active() || ds->RecordCount() == 0)
        return;
    const int column = std::clamp(m_column, 0, std::max(ds->FieldCount() - 1, 0));
    m_following = true;
    setCurrentIndex(m_model->index(ds->RecNo() - 1, column));
    m_following = false;
}

void TDBGrid::fitColumns()
{
    const TDataSet* ds = dataSet();
    if (ds && ds->Active())
        resizeColumnsToContents();
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The base class writes and closes a cell editor still open at previous.
    QTableView::currentChanged(current, previous);
    if (m_commitRefused && openEditor() == nullptr && previous.isValid() && indexWidget(previous)) {
        // The refused cell keeps its editor; the cursor goes back to it once Qt is done
        // moving it.
        QMetaObject::invokeMethod(
            this,
            [this, back = QPersistentModelIndex(previous)] {
                if (back.isValid())
                    setCurrentIndex(back);
            },
            Qt::QueuedConnection);
        return;
    }
    TDataSet* ds = dataSet();
    if (m_following || m_model->Refreshing() || !current.isValid() || !ds || !ds->Active())
        return;
    m_column = current.column();
    if (current.row() + 1 == ds->RecNo())
        return;
    // Moving the dataset posts the record being edited; when that post is refused the
    // grid goes back to the record so the user can mend it.
    if (!guarded([&] { ds->SetRecNo(current.row() + 1); }))
        followDataSet();
}

QWidget* TDBGrid::openEditor() const
{
    return state() == QAbstractItemView::EditingState ? indexWidget(currentIndex()) : nullptr;
}

namespace {

QString textOfEditor(const QWidget* editor)
{
    const QMetaProperty user = editor->metaObject()->userProperty();
    return user.isValid() ? user.read(editor).toString() : QString();
}

} // namespace

bool TDBGrid::EditorOpen() const
{
    return openEditor() != nullptr;
}

QString TDBGrid::EditorText() const
{
    const QWidget* editor = openEditor();
    return editor ? textOfEditor(editor) : QString();
}

void TDBGrid::writeEditor()
{
    QWidget* editor = openEditor();
    TDataSet* ds = dataSet();
    // Only the current record's cell belongs to a post of the dataset.
    if (!editor || !ds || !ds->Active() || currentIndex().row() + 1 != ds->RecNo())
        return;
    m_model->WriteCell(currentIndex(), textOfEditor(editor));
}

void TDBGrid::CommitEditor()
{
    QWidget* editor = openEditor();
    if (!editor)
        return;
    writeEditor();
    m_commitRefused = false;
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TDBGrid::CancelEditor()
{
    m_commitRefused = false;
    if (QWidget* editor = openEditor())
        QTableView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void TDBGrid::leaveByKeyboard(bool forward)
{
    if (QWidget* editor = openEditor()) {
        commitData(editor);
        if (m_commitRefused)
            return;
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    // Past the grid's own Tab handling, which keeps the focus among the cells.
    QAbstractScrollArea::focusNextPrevChild(forward);
}

void TDBGrid::commitData(QWidget* editor)
{
    // The focus leaving the editor for the error box about its own text is no new attempt.
    if (m_commitRefused && QApplication::activeModalWidget())
        return;
    m_commitRefused = false;
    QTableView::commitData(editor);
}

void TDBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // A refused cell keeps its editor and the text typed into it, and the cursor stays.
    if (m_commitRefused && hint != QAbstractItemDelegate::RevertModelCache)
        return;
    m_commitRefused = false;
    QTableView::closeEditor(editor, hint);
    TDataSet* ds = dataSet();
    // Enter in a cell editor finishes the record, not only the cell.
    if (hint == QAbstractItemDelegate::SubmitModelCache && ds && ds->Active() &&
        ds->State() != TDataSetState::dsBrowse)
        guarded([&] { ds->Post(); });
}

bool TDBGrid::confirmDelete()
{
    return ConfirmBox(this, tr("Delete record?"));
}

void TDBGrid::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
        (event->modifiers() & Qt::ControlModifier)) {
        leaveByKeyboard(event->key() == Qt::Key_Tab);
        return;
    }
    // Keys that a cell editor did not take come here too; while it is open they are its
    // business (its delegate commits or reverts the cell on Return and Escape).
    if (state() == QAbstractItemView::EditingState) {
        QTableView::keyPressEvent(event);
        return;
    }
    TDataSet* ds = dataSet();
    const bool open = ds && ds->Active();
    const bool editing = open && ds->State() != TDataSetState::dsBrowse;
    const bool canChange = open && m_options.Contains(TDBGridOption::dgEditing) && ds->CanModify();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));

    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editing) {
            guarded([&] { ds->Post(); });
            return;
        }
        break;
    case Qt::Key_Escape:
        if (editing) {
            guarded([&] { ds->Cancel(); });
            return;
        }
        break;
    case Qt::Key_Insert:
        if (canChange && plain) {
            guarded([&] { ds->Insert(); });
            return;
        }
        break;
    case Qt::Key_Delete:
        if (canChange && plain && ds->RecordCount() > 0) {
            if (!m_options.Contains(TDBGridOption::dgConfirmDelete) || confirmDelete())
                guarded([&] { ds->Delete(); });
            return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

void TDBGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    // Focus that moves into the grid's own cell editor, to a pop-up or to another window
    // has not left the grid.
    if (state() == QAbstractItemView::EditingState ||
        event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    const QWidget* next = QApplication::focusWidget();
    if (next && isAncestorOf(next))
        return;
    TDataSet* ds = dataSet();
    if (m_options.Contains(TDBGridOption::dgCancelOnExit) && ds && ds->Active() &&
        ds->State() == TDataSetState::dsInsert && !ds->Modified())
        guarded([&] { ds->Cancel(); });
}
