// A dataset: the records of one table held in memory in table order, a cursor on one of
// them, the fields that read and write the current record, and the state machine of
// browsing and editing that bound components follow through their data links. TTable
// supplies the storage (the table file); everything a caller or a grid sees is here.
//
// Records and rows. Rows are numbered 1..RecordCount() (RecNo). A record inserted with
// Insert sits at the row where it was inserted, one appended with Append at the end; once
// posted it stays there for as long as the table is open (reopening shows file order, in
// which it is last). Field values can be read at any row without moving the cursor
// (TField::DisplayTextAt), which is what a grid needs to paint.
//
// Editing. Edit copies the current record into an edit buffer; setting fields changes the
// buffer; Post writes the buffer through to the table file and only then into the
// record; Cancel drops it. A post that the file refuses raises EDatabaseError and leaves
// the dataset in edit or insert state with the buffer as it was, so the caller can retry
// or cancel. The implicit post: First, Last, Next, Prior, MoveBy, SetRecNo, Locate,
// GotoBookmark, Insert, Append and closing first post a record in edit or insert state when
// a field was modified and cancel it otherwise (CheckBrowseMode).
//
// Notifications, in order, for each operation (only those that apply are sent; see
// DataLink.h for what each means; "state" means EditingChanged and/or ActiveChanged):
//   Open             ActiveChanged, DataSetChanged
//   Close            [implicit post], ActiveChanged
//   implicit post    CheckBrowseMode, UpdateData, then as Post (modified) or Cancel
//   First, Next, ... [implicit post], DataSetScrolled(distance) when the row changed
//   Locate, GotoBookmark, SetRecNo   as First
//   Edit             EditingChanged
//   Insert, Append   [implicit post], EditingChanged, DataSetChanged
//   setting a field  RecordChanged(field)
//   Post of an edit  UpdateData, EditingChanged, RecordChanged(nullptr)
//   Post of insert   UpdateData, EditingChanged, DataSetChanged
//   Cancel           EditingChanged, then RecordChanged(nullptr) for an edit or
//                    DataSetChanged for an insert (the new row is gone)
//   Delete           EditingChanged (from edit state), DataSetChanged
//   EnableControls   (the last one) for each link whose view of the state is out of date:
//                    its state notifications; then, when anything happened while
//                    disabled, DataSetChanged
// The state is already the new one when EditingChanged, RecordChanged and DataSetChanged
// arrive: after a post, a link sees browse state.
//
// Fields exist while the dataset is open: Fields(i) and FieldByName pointers become
// invalid when it closes.
#pragma once

#include "platform/core/UpdateScope.h"
#include "platform/db/FieldDefs.h"
#include "platform/db/FieldValue.h"
#include "platform/db/LocateIndex.h"
#include "platform/db/RecordList.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TDataSource;
class TDataLink;
class TField;

enum class TDataSetState
{
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
};

// A saved position: names one record, whatever is inserted or deleted around it. A default
// bookmark names nothing. Copying is free; FreeBookmark only empties it.
struct TBookmark
{
    std::int64_t RecordId = 0;
    std::int64_t Order = 0;
    std::int64_t Generation = 0;

    bool IsEmpty() const { return RecordId == 0; }
    friend bool operator==(const TBookmark&, const TBookmark&) = default;
};

class TDataSet
{
public:
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    // --- Opening ------------------------------------------------------------------------
    // false by default. SetActive(true) opens (see the derived class for what can fail);
    // SetActive(false) closes after the implicit post, which may raise, leaving it open.
    bool Active() const { return m_state != TDataSetState::dsInactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return m_state; } // dsInactive by default

    // What messages call this dataset (the table file's name).
    virtual QString DisplayName() const = 0;

    // --- Fields -------------------------------------------------------------------------
    int FieldCount() const { return int(m_fields.size()); }
    // An index outside 0..FieldCount()-1 raises EListError.
    TField* Fields(int index) const;
    // nullptr when there is no field of that name (names compare without regard to case).
    TField* FindField(const QString& name) const;
    // Raises EDatabaseError "Field 'name' not found" when there is none.
    TField* FieldByName(const QString& name) const;

    // --- Navigation ---------------------------------------------------------------------
    // Every call below needs an open dataset (EDatabaseError otherwise).
    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    // 1..RecordCount() for the current row, 0 when there is none.
    int RecNo() const;
    // Moves to that row, clamped to 1..RecordCount().
    void SetRecNo(int recNo);
    void First();
    void Last();
    void Next();
    void Prior();
    // Moves up to distance rows (negative = up) and returns how many it moved.
    int MoveBy(int distance);
    // Eof: a Next found no further row (or the dataset is empty); also true after Last.
    // Bof: at the first row after First or a Prior that found none.
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }

    // Makes current the first record (in row order) whose field equals value exactly
    // (texts case-sensitively) and returns true; returns false and stays put when none does
    // or value does not convert to the field's type. A null value finds a null field. A
    // missing field raises EDatabaseError before anything else happens; the implicit post
    // runs before the search.
    bool Locate(const QString& fieldName, const QVariant& value);

    // --- Bookmarks ----------------------------------------------------------------------
    // The current record (an empty bookmark when there is none).
    TBookmark GetBookmark() const;
    // Whether the record still exists.
    bool BookmarkValid(const TBookmark& bookmark) const;
    // Raises EDatabaseError "Record not found" for a bookmark that is not valid.
    void GotoBookmark(const TBookmark& bookmark);
    void FreeBookmark(TBookmark& bookmark) { bookmark = TBookmark(); }

    // --- Editing ------------------------------------------------------------------------
    // Whether records can be changed at all; false for a read-only dataset.
    bool CanModify() const { return Active() && !m_readOnly; }
    bool ReadOnly() const { return m_readOnly; } // false
    // Only while closed; EDatabaseError otherwise.
    void SetReadOnly(bool readOnly);

    // Puts the current record into edit state; on an empty dataset it inserts instead.
    // Nothing in edit or insert state already.
    void Edit();
    // A new, empty record at the current row (the records from there on move down one).
    void Insert();
    // A new, empty record after the last.
    void Append();
    // Writes the edit buffer through to the table file, then keeps it. Nothing in browse
    // state. Raises EDatabaseError for a required field left empty or a write the file
    // refused; the dataset then stays in edit or insert state with the buffer unchanged.
    // A posted edit writes only the fields that were set since Edit: a value nobody touched
    // keeps its stored bytes, whatever its type.
    void Post();
    // Drops the edit buffer; a cancelled insert removes its row. Nothing in browse state.
    void Cancel();
    // Deletes the current record from the table file and from memory; the row that
    // followed becomes current (the new last when it was the last). In insert state it is
    // Cancel. Raises EDatabaseError on an empty dataset or when the file refused.
    void Delete();
    // Whether a field was set since Edit, Insert or Append.
    bool Modified() const { return m_modified; }
    // The implicit post: post when modified, cancel otherwise; nothing in browse state.
    void CheckBrowseMode();

    // Raised by every post, explicit or implicit, before anything is checked or written,
    // with the record still in edit or insert state. A handler may still set fields, or
    // Cancel the record, which then is not posted. An error it raises stops the post.
    std::function<void(TDataSet& sender)> OnBeforePost;

    // --- Bound controls -----------------------------------------------------------------
    // Nested: while the count is above 0 no link is notified of anything. The last
    // EnableControls catches the links up (see the file comment). Callers open the pair
    // with DisabledControls(dataSet), never by hand.
    void DisableControls() { m_controls.Begin(); }
    void EnableControls() { m_controls.End(); }
    bool ControlsDisabled() const { return m_controls.Updating(); }

protected:
    TDataSet();

    // --- Storage, implemented by the derived class ---------------------------------------
    // Reads the columns and every record; raises EDatabaseError and leaves nothing open on
    // failure.
    virtual void openStorage(TFieldDefs& columns, TRecordList& records) = 0;
    virtual void closeStorage() = 0;
    // Each writes through to the file before returning or raises EDatabaseError having
    // changed nothing. insertRow returns the new row's rowid.
    virtual std::int64_t insertRow(const std::vector<TFieldValue>& values) = 0;
    // changed[i] tells whether field i was set since Edit; only those are written, and a
    // record that is no longer in the file raises.
    virtual void updateRow(std::int64_t rowId, const std::vector<TFieldValue>& values,
                           const std::vector<bool>& changed) = 0;
    virtual void deleteRow(std::int64_t rowId) = 0;

    // For the derived class's destructor, while its storage still exists: posts a modified
    // pending record (a failure is only logged: there is no caller left to tell), then
    // closes, without notifying anyone.
    void closeForDestruction();

private:
    friend class TDataSource;
    friend class TDataLink;
    friend class TField;

    enum class TEvent
    {
        StateChanged, // ActiveChanged and/or EditingChanged, as each link's view differs
        DataSetChanged,
        DataSetScrolled,
        RecordChanged,
        UpdateData,
        CheckBrowseMode,
    };
    void notify(TEvent event, int distance = 0, TField* field = nullptr);
    void addSource(TDataSource* source);
    void removeSource(TDataSource* source);

    void checkActive() const;
    void checkEditing(const TField* field) const;
    void moveTo(int index);
    void beginNewRecord(bool append);
    void postBuffer();
    // What the last EnableControls does: catch the links up.
    void controlsEnabled();
    // Back to browse state after a post or cancel, with the notifications that follow it.
    void leaveEditing(bool wasInsert);
    void closeNow();

    // For TField: the value it shows at a row (the edit buffer at the current row while
    // editing) and the one way of changing it.
    // Inline: a scan reads them once per field per record.
    TFieldValue valueAt(int index, int field) const
    {
        if (index == m_cursor &&
            (m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert))
            return m_buffer[size_t(field)];
        return m_records.ValueAt(index, field);
    }
    TFieldValue currentValue(int field) const
    {
        if (m_cursor < 0 || !Active())
            return TFieldValue();
        return valueAt(m_cursor, field);
    }
    void setFieldValue(TField* field, TFieldValue value);

    TDataSetState m_state = TDataSetState::dsInactive;
    bool m_readOnly = false;
    std::vector<std::unique_ptr<TField>> m_fields;
    TRecordList m_records;
    TLocateIndexes m_indexes;
    int m_cursor = -1; // row index 0..Count-1, -1 when there is no record
    bool m_eof = true;
    bool m_bof = true;
    std::vector<TFieldValue> m_buffer;
    std::vector<bool> m_changed; // per field: set since Edit, Insert or Append
    bool m_modified = false;
    TUpdateCounter m_controls;
    bool m_changedWhileDisabled = false;
    std::vector<TDataSource*> m_sources;
};

// A dataset's controls disabled for the life of the returned scope, and enabled again however
// the scope is left:
//
//     const TUpdateScope quiet = DisabledControls(table);
//     for (table.First(); !table.Eof(); table.Next()) ...
TUpdateScope DisabledControls(TDataSet& dataSet);
