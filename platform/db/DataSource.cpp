// The list of links of one dataset connection.
#include "platform/db/DataSource.h"

#include "platform/db/DataLink.h"
#include "platform/db/DataSet.h"

#include <algorithm>

TDataSource::~TDataSource()
{
    if (m_dataSet)
        m_dataSet->removeSource(this);
    m_dataSet = nullptr;
    const std::vector<TDataLink*> links = m_links;
    m_links.clear();
    for (TDataLink* link : links) {
        link->m_dataSource = nullptr;
        link->syncState();
    }
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->removeSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->addSource(this);
    if (m_dataSet && m_dataSet->ControlsDisabled())
        return;
    forEachLink([](TDataLink* link) { link->syncState(); });
}

TDataSetState TDataSource::State() const
{
    return m_dataSet ? m_dataSet->State() : TDataSetState::dsInactive;
}

void TDataSource::attach(TDataLink* link)
{
    m_links.push_back(link);
}

void TDataSource::detach(TDataLink* link)
{
    std::erase(m_links, link);
}
