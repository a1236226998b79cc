// Attaching links to sources and keeping each link's view of the dataset state current.
#include "platform/db/DataLink.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"

TDataLink::~TDataLink()
{
    if (m_dataSource)
        m_dataSource->detach(this);
}

void TDataLink::SetDataSource(TDataSource* source)
{
    if (source == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->detach(this);
    m_dataSource = source;
    if (m_dataSource)
        m_dataSource->attach(this);
    // A dataset with disabled controls catches this link up at its last EnableControls.
    TDataSet* dataSet = DataSet();
    if (!dataSet || !dataSet->ControlsDisabled())
        syncState();
}

TDataSet* TDataLink::DataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

void TDataLink::DataSetChanged()
{
    RecordChanged(nullptr);
}

void TDataLink::DataSetScrolled(int)
{
    DataSetChanged();
}

void TDataLink::RecordChanged(TField*) {}

void TDataLink::syncState()
{
    // Handlers may open, close or edit the dataset themselves, so the state is read anew
    // after each notification.
    auto active = [this] {
        TDataSet* dataSet = DataSet();
        return dataSet && dataSet->Active();
    };
    auto editing = [this, &active] {
        const TDataSetState state = DataSet() ? DataSet()->State() : TDataSetState::dsInactive;
        return active() && (state == TDataSetState::dsEdit || state == TDataSetState::dsInsert);
    };
    if (m_editing && !editing()) {
        m_editing = false;
        EditingChanged();
    }
    if (m_active != active()) {
        m_active = !m_active;
        ActiveChanged();
    }
    if (m_editing != editing()) {
        m_editing = !m_editing;
        EditingChanged();
    }
}
