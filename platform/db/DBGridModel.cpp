// Cells read from the dataset's records; edits written to the current record's fields.
#include "platform/db/DBGridModel.h"

#include "platform/db/DBGrid.h"
#include "platform/db/DataSet.h"
#include "platform/db/Field.h"

TDBGridModel::TDBGridModel(TDBGrid& grid) : m_grid(grid) {}

TDBGridModel::~TDBGridModel() = default;

int TDBGridModel::rowCount(const QModelIndex& parent) const
{
    const TDataSet* ds = DataSet();
    if (parent.isValid() || !ds || !ds->Active())
        return 0;
    return ds->RecordCount();
}

int TDBGridModel::columnCount(const QModelIndex& parent) const
{
    const TDataSet* ds = DataSet();
    if (parent.isValid() || !ds || !ds->Active())
        return 0;
    return ds->FieldCount();
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const TDataSet* ds = DataSet();
    if (!ds || !ds->Active() || index.row() >= ds->RecordCount() ||
        index.column() >= ds->FieldCount())
        return {};
    return ds->Fields(index.column())->DisplayTextAt(index.row() + 1);
}

bool TDBGridModel::editable(int column) const
{
    const TDataSet* ds = DataSet();
    return m_grid.Options().Contains(TDBGridOption::dgEditing) && ds && ds->CanModify() &&
           column >= 0 && column < ds->FieldCount() && ds->Fields(column)->CanModify();
}

Qt::ItemFlags TDBGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (editable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TDBGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !editable(index.column()))
        return false;
    const bool written = m_grid.guarded([&] { WriteCell(index, value.toString()); });
    m_grid.m_commitRefused = !written;
    return written;
}

void TDBGridModel::WriteCell(const QModelIndex& index, const QString& text)
{
    TDataSet* ds = DataSet();
    const int recNo = index.row() + 1;
    TField* field = ds->Fields(index.column());
    if (field->DisplayTextAt(recNo) == text)
        return;
    if (ds->RecNo() != recNo)
        ds->SetRecNo(recNo);
    if (ds->State() == TDataSetState::dsBrowse)
        ds->Edit();
    field->SetEditText(text);
}

void TDBGridModel::UpdateData()
{
    m_grid.writeEditor();
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    const TDataSet* ds = DataSet();
    if (!ds || !ds->Active())
        return {};
    if (orientation == Qt::Horizontal)
        return section < ds->FieldCount() ? ds->Fields(section)->FieldName() : QString();
    if (section != ds->RecNo() - 1)
        return QString();
    switch (ds->State()) {
    case TDataSetState::dsEdit:
        return QString(TDBGrid::EditMark);
    case TDataSetState::dsInsert:
        return QString(TDBGrid::InsertMark);
    default:
        return QString(TDBGrid::BrowseMark);
    }
}

void TDBGridModel::reset()
{
    m_refreshing = true;
    beginResetModel();
    endResetModel();
    m_refreshing = false;
}

void TDBGridModel::ActiveChanged()
{
    reset();
    m_grid.fitColumns();
    m_grid.followDataSet();
}

void TDBGridModel::indicatorChanged(int row)
{
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}

void TDBGridModel::EditingChanged()
{
    if (const TDataSet* ds = DataSet(); ds && ds->Active())
        indicatorChanged(ds->RecNo() - 1);
}

void TDBGridModel::DataSetChanged()
{
    reset();
    m_grid.followDataSet();
}

void TDBGridModel::DataSetScrolled(int distance)
{
    // Only the rows the indicator left and reached need repainting.
    if (const TDataSet* ds = DataSet(); ds && ds->Active()) {
        indicatorChanged(ds->RecNo() - 1 - distance);
        indicatorChanged(ds->RecNo() - 1);
    }
    m_grid.followDataSet();
}

void TDBGridModel::RecordChanged(TField*)
{
    const TDataSet* ds = DataSet();
    if (!ds || !ds->Active() || ds->RecordCount() == 0)
        return;
    const int row = ds->RecNo() - 1;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    indicatorChanged(row);
}
