// The dataset's state machine: opening and closing, the cursor, the edit buffer, the
// implicit post, bookmarks, locating and the delivery of notifications to the links.
#include "platform/db/DataSet.h"

#include "platform/core/Exceptions.h"
#include "platform/core/RaiseEvent.h"
#include "platform/db/DataLink.h"
#include "platform/db/DataSource.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Field.h"

#include <QDebug>
#include <algorithm>

namespace {

bool isEditing(TDataSetState state)
{
    return state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
}

} // namespace

TDataSet::TDataSet()
{
    m_controls.SetOnRelease([this] { controlsEnabled(); });
}

TUpdateScope DisabledControls(TDataSet& dataSet)
{
    return TUpdateScope([&dataSet] { dataSet.DisableControls(); },
                        [&dataSet] { dataSet.EnableControls(); });
}

TDataSet::~TDataSet()
{
    // The derived class has closed its storage already (closeForDestruction); what is left
    // is telling the sources, whose links learn that the dataset is gone.
    const std::vector<TDataSource*> sources = m_sources;
    for (TDataSource* source : sources)
        source->SetDataSet(nullptr);
}

// --- Opening -------------------------------------------------------------------------------

void TDataSet::SetActive(bool active)
{
    if (active == Active())
        return;
    if (active) {
        TFieldDefs columns;
        try {
            openStorage(columns, m_records);
        } catch (...) {
            m_records.Reset(0);
            throw;
        }
        m_fields.clear();
        for (int i = 0; i < columns.Count(); ++i)
            m_fields.push_back(std::make_unique<TField>(this, i, columns[i]));
        m_state = TDataSetState::dsBrowse;
        m_cursor = m_records.Count() > 0 ? 0 : -1;
        m_bof = true;
        m_eof = m_records.Count() == 0;
        m_modified = false;
        notify(TEvent::StateChanged);
        notify(TEvent::DataSetChanged);
        return;
    }
    CheckBrowseMode();
    closeNow();
    notify(TEvent::StateChanged);
    // Links may still have looked at the fields while hearing of the close.
    if (!Active())
        m_fields.clear();
}

void TDataSet::closeNow()
{
    m_state = TDataSetState::dsInactive;
    m_cursor = -1;
    m_eof = m_bof = true;
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    m_indexes.Clear();
    closeStorage();
    m_records.Reset(0);
}

void TDataSet::closeForDestruction()
{
    // Nobody is told anything from here on: the dataset is going away.
    m_controls.Begin();
    if (isEditing(m_state) && m_modified) {
        try {
            postBuffer();
        } catch (const Exception& error) {
            qWarning() << "deskhive: an unposted record of" << DisplayName()
                       << "could not be saved:" << error.Message();
        }
    }
    if (Active())
        closeNow();
    m_fields.clear();
}

void TDataSet::checkActive() const
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on a closed table (%1)")
                                 .arg(DisplayName()));
}

void TDataSet::SetReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    if (Active())
        throw EDatabaseError(
            QStringLiteral("Cannot change ReadOnly of an open table (%1)").arg(DisplayName()));
    m_readOnly = readOnly;
}

// --- Fields ----------------------------------------------------------------------------------

TField* TDataSet::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw EListError(QStringLiteral("Field index out of bounds (%1)").arg(index));
    return m_fields[size_t(index)].get();
}

TField* TDataSet::FindField(const QString& name) const
{
    for (const auto& field : m_fields)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& name) const
{
    if (TField* field = FindField(name))
        return field;
    throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
}

void TDataSet::checkEditing(const TField* field) const
{
    checkActive();
    if (!isEditing(m_state))
        throw EDatabaseError(
            QStringLiteral("Cannot set field '%1': the table is not in edit or insert mode (%2)")
                .arg(field->FieldName(), DisplayName()));
    if (!field->CanModify())
        throw EDatabaseError(
            QStringLiteral("Field '%1' cannot be modified").arg(field->FieldName()));
}

void TDataSet::setFieldValue(TField* field, TFieldValue value)
{
    checkEditing(field);
    m_buffer[size_t(field->Index())] = std::move(value);
    m_changed[size_t(field->Index())] = true;
    m_modified = true;
    notify(TEvent::RecordChanged, 0, field);
}

// --- Navigation ------------------------------------------------------------------------------

int TDataSet::RecordCount() const
{
    checkActive();
    return m_records.Count();
}

int TDataSet::RecNo() const
{
    checkActive();
    return m_cursor + 1;
}

void TDataSet::moveTo(int index)
{
    const int distance = index - m_cursor;
    m_cursor = index;
    if (distance != 0)
        notify(TEvent::DataSetScrolled, distance);
}

void TDataSet::SetRecNo(int recNo)
{
    checkActive();
    CheckBrowseMode();
    if (m_records.Count() == 0)
        return;
    m_eof = m_bof = false;
    moveTo(std::clamp(recNo - 1, 0, m_records.Count() - 1));
}

void TDataSet::First()
{
    checkActive();
    CheckBrowseMode();
    m_bof = true;
    m_eof = m_records.Count() == 0;
    if (!m_eof)
        moveTo(0);
}

void TDataSet::Last()
{
    checkActive();
    CheckBrowseMode();
    m_eof = true;
    m_bof = m_records.Count() == 0;
    if (!m_bof)
        moveTo(m_records.Count() - 1);
}

void TDataSet::Next()
{
    MoveBy(1);
}

void TDataSet::Prior()
{
    MoveBy(-1);
}

int TDataSet::MoveBy(int distance)
{
    checkActive();
    CheckBrowseMode();
    const int count = m_records.Count();
    if (count == 0) {
        m_eof = m_bof = true;
        return 0;
    }
    if (distance == 0)
        return 0;
    const qint64 wanted = qint64(m_cursor) + distance;
    const int target = int(std::clamp<qint64>(wanted, 0, count - 1));
    m_eof = wanted > count - 1;
    m_bof = wanted < 0;
    const int moved = target - m_cursor;
    moveTo(target);
    return moved;
}

bool TDataSet::Locate(const QString& fieldName, const QVariant& value)
{
    checkActive();
    TField* field = FieldByName(fieldName);
    CheckBrowseMode();
    TFieldValue key;
    if (!field->fromVariant(value, key))
        return false;
    const TRecord* first = nullptr;
    for (const TRecord* record : m_indexes.Find(field->Index(), key, m_records))
        if (!first || record->Order < first->Order)
            first = record;
    const int index = m_records.IndexOf(first);
    if (index < 0)
        return false;
    m_eof = m_bof = false;
    moveTo(index);
    return true;
}

// --- Bookmarks -------------------------------------------------------------------------------

TBookmark TDataSet::GetBookmark() const
{
    if (!Active() || m_cursor < 0)
        return TBookmark();
    const TRecord& record = m_records[m_cursor];
    return TBookmark{record.Id, record.Order, m_records.Generation()};
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark) const
{
    return Active() && !bookmark.IsEmpty() &&
           m_records.IndexOf(bookmark.RecordId, bookmark.Order, bookmark.Generation) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark)
{
    checkActive();
    CheckBrowseMode();
    const int index = bookmark.IsEmpty() ? -1
                                         : m_records.IndexOf(bookmark.RecordId, bookmark.Order,
                                                             bookmark.Generation);
    if (index < 0)
        throw EDatabaseError(QStringLiteral("Record not found (%1)").arg(DisplayName()));
    m_eof = m_bof = false;
    moveTo(index);
}

// --- Editing ---------------------------------------------------------------------------------

void TDataSet::Edit()
{
    checkActive();
    if (isEditing(m_state))
        return;
    if (!CanModify())
        throw EDatabaseError(
            QStringLiteral("Cannot modify a read-only table (%1)").arg(DisplayName()));
    if (m_cursor < 0) {
        Insert();
        return;
    }
    const TRecord& record = m_records[m_cursor];
    m_buffer.clear();
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_buffer.push_back(Canonical(record.Value(int(i))));
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    m_state = TDataSetState::dsEdit;
    notify(TEvent::StateChanged);
}

void TDataSet::Insert()
{
    beginNewRecord(false);
}

void TDataSet::Append()
{
    beginNewRecord(true);
}

void TDataSet::beginNewRecord(bool append)
{
    checkActive();
    if (!CanModify())
        throw EDatabaseError(
            QStringLiteral("Cannot modify a read-only table (%1)").arg(DisplayName()));
    CheckBrowseMode();
    const int index = append ? m_records.Count() : std::max(m_cursor, 0);
    m_records.InsertAt(index);
    m_buffer.assign(m_fields.size(), TFieldValue());
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    m_cursor = index;
    m_eof = m_bof = false;
    m_state = TDataSetState::dsInsert;
    notify(TEvent::StateChanged);
    notify(TEvent::DataSetChanged);
}

void TDataSet::Post()
{
    checkActive();
    if (!isEditing(m_state))
        return;
    notify(TEvent::UpdateData);
    if (isEditing(m_state))
        postBuffer();
}

void TDataSet::postBuffer()
{
    Raise(OnBeforePost, *this);
    if (!isEditing(m_state))
        return;
    for (const auto& field : m_fields) {
        if (field->Required() && field->DataType() != TFieldType::ftAutoInc &&
            IsNullValue(m_buffer[size_t(field->Index())]))
            throw EDatabaseError(
                QStringLiteral("Field '%1' must have a value").arg(field->FieldName()));
    }
    TRecord& record = m_records[m_cursor];
    const bool wasInsert = m_state == TDataSetState::dsInsert;
    if (wasInsert) {
        const std::int64_t rowId = insertRow(m_buffer);
        for (const auto& field : m_fields)
            if (field->DataType() == TFieldType::ftAutoInc)
                m_buffer[size_t(field->Index())] = rowId;
        record.RowId = rowId;
        std::move(m_buffer.begin(), m_buffer.end(), m_records.EditableValues(record));
        m_indexes.Added(&record);
    } else {
        updateRow(record.RowId, m_buffer, m_changed);
        // The buffer gets the old values, which the indexes still hold.
        std::swap_ranges(m_buffer.begin(), m_buffer.end(), m_records.EditableValues(record));
        m_indexes.Replaced(&record, m_buffer);
    }
    leaveEditing(wasInsert);
}

void TDataSet::leaveEditing(bool wasInsert)
{
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    m_state = TDataSetState::dsBrowse;
    notify(TEvent::StateChanged);
    // A record that came or went changes the rows; an edit changes only the current one.
    if (wasInsert)
        notify(TEvent::DataSetChanged);
    else
        notify(TEvent::RecordChanged);
}

void TDataSet::Cancel()
{
    checkActive();
    if (!isEditing(m_state))
        return;
    const bool wasInsert = m_state == TDataSetState::dsInsert;
    if (wasInsert) {
        m_records.RemoveAt(m_cursor);
        m_cursor = std::min(m_cursor, m_records.Count() - 1);
        m_eof = m_bof = m_records.Count() == 0;
    }
    leaveEditing(wasInsert);
}

void TDataSet::Delete()
{
    checkActive();
    if (m_state == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (!CanModify())
        throw EDatabaseError(
            QStringLiteral("Cannot modify a read-only table (%1)").arg(DisplayName()));
    if (m_cursor < 0)
        throw EDatabaseError(
            QStringLiteral("Cannot delete from an empty table (%1)").arg(DisplayName()));
    TRecord& record = m_records[m_cursor];
    deleteRow(record.RowId);
    const bool wasEditing = m_state == TDataSetState::dsEdit;
    m_indexes.Removed(&record);
    m_records.RemoveAt(m_cursor);
    m_cursor = std::min(m_cursor, m_records.Count() - 1);
    m_eof = m_bof = m_records.Count() == 0;
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    m_state = TDataSetState::dsBrowse;
    if (wasEditing)
        notify(TEvent::StateChanged);
    notify(TEvent::DataSetChanged);
}

void TDataSet::CheckBrowseMode()
{
    checkActive();
    if (!isEditing(m_state))
        return;
    // Each notification may have posted or cancelled already.
    notify(TEvent::CheckBrowseMode);
    if (isEditing(m_state))
        notify(TEvent::UpdateData);
    if (!isEditing(m_state))
        return;
    if (m_modified)
        postBuffer();
    else
        Cancel();
}

// --- Bound controls --------------------------------------------------------------------------

void TDataSet::controlsEnabled()
{
    const bool changed = std::exchange(m_changedWhileDisabled, false);
    notify(TEvent::StateChanged);
    if (changed && Active())
        notify(TEvent::DataSetChanged);
}

void TDataSet::addSource(TDataSource* source)
{
    m_sources.push_back(source);
}

void TDataSet::removeSource(TDataSource* source)
{
    std::erase(m_sources, source);
}

void TDataSet::notify(TEvent event, int distance, TField* field)
{
    if (m_controls.Updating()) {
        if (event != TEvent::UpdateData && event != TEvent::CheckBrowseMode)
            m_changedWhileDisabled = true;
        return;
    }
    const std::vector<TDataSource*> sources = m_sources;
    for (TDataSource* source : sources) {
        if (std::find(m_sources.begin(), m_sources.end(), source) == m_sources.end())
            continue;
        source->forEachLink([&](TDataLink* link) {
            if (event == TEvent::StateChanged) {
                link->syncState();
                return;
            }
            if (!link->Active())
                return;
            switch (event) {
            case TEvent::DataSetChanged:
                link->DataSetChanged();
                break;
            case TEvent::DataSetScrolled:
                link->DataSetScrolled(distance);
                break;
            case TEvent::RecordChanged:
                link->RecordChanged(field);
                break;
            case TEvent::UpdateData:
                link->UpdateData();
                break;
            case TEvent::CheckBrowseMode:
                link->CheckBrowseMode();
                break;
            case TEvent::StateChanged:
                break;
            }
        });
    }
}
