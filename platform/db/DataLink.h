// The way a bound component hears about its dataset: it owns a TDataLink subclass, points it
// at a TDataSource and overrides the notifications it cares about. Every notification is a
// virtual method here; nothing else reports dataset changes.
//
// What arrives when (TDataSet.h lists the order operation by operation):
//   ActiveChanged      the dataset opened or closed; Active() already tells which.
//   EditingChanged     the dataset entered or left edit or insert state; see Editing().
//   DataSetChanged     many records may differ: after opening, posting an insert, deleting,
//                      cancelling an insert or cancelling an edit, and once at the last
//                      EnableControls when anything happened while controls were disabled.
//                      By default it is passed on as RecordChanged(nullptr).
//   DataSetScrolled    the current record moved by distance rows (positive = down). By
//                      default it is passed on as DataSetChanged.
//   RecordChanged      a value of the current record changed: field is the field set
//                      while editing, or nullptr after a post of an edit (every field may
//                      differ).
//   UpdateData         a post is about to happen: write any edit still held in the control
//                      into its field now.
//   CheckBrowseMode    the dataset is about to leave edit or insert state by itself
//                      (implicit post before a move); sent before UpdateData.
// While the dataset's controls are disabled nothing arrives at all.
#pragma once

class TDataSet;
class TDataSource;
class TField;

class TDataLink
{
public:
    TDataLink() = default;
    // Detaches from the data source without notifying this link.
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    // The source this link listens to; nullptr by default. Attaching to a source whose
    // dataset is open sends ActiveChanged (and EditingChanged when editing) to this link.
    TDataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(TDataSource* source);

    // The source's dataset, or nullptr.
    TDataSet* DataSet() const;
    // Whether the linked dataset is open, as last reported to this link (false by default).
    bool Active() const { return m_active; }
    // Whether the linked dataset is in edit or insert state, as last reported.
    bool Editing() const { return m_editing; }

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    virtual void DataSetChanged();
    virtual void DataSetScrolled(int distance);
    virtual void RecordChanged(TField* field);
    virtual void UpdateData() {}
    virtual void CheckBrowseMode() {}

private:
    friend class TDataSource;
    friend class TDataSet;

    // Brings Active() and Editing() in line with the dataset, notifying each change: on the
    // way up ActiveChanged before EditingChanged, on the way down EditingChanged first.
    void syncState();

    TDataSource* m_dataSource = nullptr;
    bool m_active = false;
    bool m_editing = false;
};
