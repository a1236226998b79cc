// The table model behind TDBGrid: reads cells straight from the dataset's records without
// moving its cursor, and turns cell edits into field writes on the current record. It owns
// the grid's data link and resets or refreshes the view on the link's notifications.
#pragma once

#include "platform/db/DataLink.h"

#include <QAbstractTableModel>

class TDBGrid;

class TDBGridModel : public QAbstractTableModel, private TDataLink
{
    Q_OBJECT

public:
    explicit TDBGridModel(TDBGrid& grid);
    ~TDBGridModel() override;

    using TDataLink::DataSet;
    using TDataLink::DataSource;
    using TDataLink::SetDataSource;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Whether the model is resetting itself after a dataset change (the view must not
    // write its selection back to the dataset meanwhile).
    bool Refreshing() const { return m_refreshing; }

    // Writes a cell's text into its field, moving to its record and putting it into edit
    // state first; raises what the dataset and the field raise. A text equal to what the
    // cell shows writes nothing: an editor closed unchanged must neither start an edit nor
    // rewrite a stored value.
    void WriteCell(const QModelIndex& index, const QString& text);

private:
    void ActiveChanged() override;
    void EditingChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

    void reset();
    void indicatorChanged(int row);
    bool editable(int column) const;

    TDBGrid& m_grid;
    bool m_refreshing = false;
};
