// The table's names, its column requirements, and its storage through the table file.
#include "platform/db/Table.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/SqliteTableFile.h"

#include <QDir>
#include <QFileInfo>

TTable::TTable() = default;

TTable::~TTable()
{
    closeForDestruction();
}

void TTable::checkClosed(const char* what) const
{
    if (Active())
        throw EDatabaseError(QStringLiteral("Cannot change %1 of an open table (%2)")
                                 .arg(QLatin1String(what), DisplayName()));
}

void TTable::SetDatabaseName(const QString& folder)
{
    if (folder == m_databaseName)
        return;
    checkClosed("DatabaseName");
    m_databaseName = folder;
}

void TTable::SetTableName(const QString& name)
{
    if (name == m_tableName)
        return;
    checkClosed("TableName");
    m_tableName = name;
}

QString TTable::FileName() const
{
    const QDir folder(m_databaseName.isEmpty() ? QDir::currentPath() : m_databaseName);
    return QDir::cleanPath(folder.absoluteFilePath(m_tableName));
}

bool TTable::Exists() const
{
    return !m_tableName.isEmpty() && QFileInfo(FileName()).isFile();
}

void TTable::SetBusyTimeout(int milliseconds)
{
    // A negative wait would mean "fail at once" to SQLite; say so with 0.
    m_busyTimeout = std::max(0, milliseconds);
    if (m_file)
        m_file->SetBusyTimeout(m_busyTimeout);
}

void TTable::CreateTable()
{
    checkClosed("the file");
    if (m_tableName.isEmpty())
        throw EDatabaseError(QStringLiteral("Cannot create a table without a TableName"));
    TSqliteTableFile::Create(FileName(), m_fieldDefs);
}

void TTable::openStorage(TFieldDefs& columns, TRecordList& records)
{
    if (m_tableName.isEmpty())
        throw EDatabaseError(QStringLiteral("Cannot open a table without a TableName"));
    std::unique_ptr<TSqliteTableFile> file = TSqliteTableFile::Open(FileName(), m_busyTimeout);
    for (const TFieldDef& wanted : m_fieldDefs) {
        const TFieldDef* found = file->Columns().Find(wanted.Name);
        if (!found)
            throw EDatabaseError(QStringLiteral("Field '%1' not found in table file '%2'")
                                     .arg(wanted.Name, FileName()));
        if (found->DataType != wanted.DataType)
            throw EDatabaseError(QStringLiteral("Field '%1' of table file '%2' is %3, not %4")
                                     .arg(wanted.Name, FileName(), FieldTypeName(found->DataType),
                                          FieldTypeName(wanted.DataType)));
    }
    file->ReadAll(records);
    columns = file->Columns();
    m_file = std::move(file);
}

void TTable::closeStorage()
{
    m_file.reset();
}

std::int64_t TTable::insertRow(const std::vector<TFieldValue>& values)
{
    return m_file->Insert(values);
}

void TTable::updateRow(std::int64_t rowId, const std::vector<TFieldValue>& values,
                       const std::vector<bool>& changed)
{
    m_file->Update(rowId, values, changed);
}

void TTable::deleteRow(std::int64_t rowId)
{
    m_file->Delete(rowId);
}
