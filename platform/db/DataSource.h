// The named connection between one dataset and the components bound to it: a data source
// points at a dataset (it does not own it) and keeps the list of links attached to it, to
// which the dataset's notifications are delivered in the order the links were attached.
#pragma once

#include <vector>

class TDataLink;
class TDataSet;
enum class TDataSetState;

class TDataSource
{
public:
    TDataSource() = default;
    explicit TDataSource(TDataSet* dataSet) { SetDataSet(dataSet); }
    // Detaches every link (each gets ActiveChanged when it had the dataset open) and leaves
    // the dataset.
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    // The dataset; nullptr by default. Changing it brings every link's Active() and
    // Editing() in line with the new dataset, notifying the changes.
    TDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet* dataSet);

    // The dataset's state, inactive without a dataset.
    TDataSetState State() const;

    int LinkCount() const { return int(m_links.size()); }

private:
    friend class TDataLink;
    friend class TDataSet;

    void attach(TDataLink* link);
    void detach(TDataLink* link);
    // Called by the dataset for each notification; a link detached by an earlier link's
    // handler is skipped.
    template <typename Send>
    void forEachLink(Send send);

    TDataSet* m_dataSet = nullptr;
    std::vector<TDataLink*> m_links;
};

template <typename Send>
void TDataSource::forEachLink(Send send)
{
    const std::vector<TDataLink*> links = m_links;
    for (TDataLink* link : links) {
        bool stillAttached = false;
        for (TDataLink* current : m_links)
            stillAttached = stillAttached || current == link;
        if (stillAttached)
            send(link);
    }
}
