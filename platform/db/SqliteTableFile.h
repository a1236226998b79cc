// One deskhive table file: an SQLite database holding exactly one table, marked as ours in
// its header (application_id and user_version), with the column types written so that the
// field types and sizes come back on opening. This is the only code that speaks SQL.
//
// Safety rules kept here:
//   - Open never creates or initialises anything: the file is opened read-write without
//     the create flag and probed with SQLite before it is trusted; nothing in it is
//     written on opening (no journal mode, no header change).
//   - A lock file beside the table ("<file>.lock") is held while it is open, so a second
//     deskhive cannot overwrite the first one's records; a lock left by a killed process
//     is recognised by its process id and taken over.
//   - Every statement is built only from the file's own column names, quoted; every value
//     is bound. Each write is its own transaction, committed (synchronous=FULL, rollback
//     journal) before the call returns; a failed write rolls back and raises.
#pragma once

#include "platform/db/FieldDefs.h"
#include "platform/db/FieldValue.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QLockFile;
class TRecordList;
struct sqlite3;
struct sqlite3_stmt;

class TSqliteTableFile
{
public:
    // Written into every file we make; a file without them is not ours.
    static constexpr int ApplicationId = 0x44534B48; // "DSKH"
    static constexpr int FormatVersion = 1;

    // Raises EDatabaseError for a missing file, one that is not an SQLite database, not
    // ours, damaged, locked by another deskhive, or busy beyond busyTimeoutMs.
    static std::unique_ptr<TSqliteTableFile> Open(const QString& path, int busyTimeoutMs);
    // Makes a new table file with these columns; raises when the file exists already or
    // cannot be made. The file appears complete or not at all.
    static void Create(const QString& path, const TFieldDefs& columns);

    ~TSqliteTableFile();
    TSqliteTableFile(const TSqliteTableFile&) = delete;
    TSqliteTableFile& operator=(const TSqliteTableFile&) = delete;

    const QString& Path() const { return m_path; }
    void SetBusyTimeout(int milliseconds);
    const TFieldDefs& Columns() const { return m_columns; }

    // Every row in rowid order; records is emptied first.
    void ReadAll(TRecordList& records);
    // Values are in column order; an auto-increment column's value is ignored by Insert
    // (the file assigns it: the returned rowid) and never written by Update.
    std::int64_t Insert(const std::vector<TFieldValue>& values);
    void Update(std::int64_t rowId, const std::vector<TFieldValue>& values);
    void Delete(std::int64_t rowId);

private:
    struct TStatementDeleter
    {
        void operator()(sqlite3_stmt* statement) const;
    };
    using TStatement = std::unique_ptr<sqlite3_stmt, TStatementDeleter>;
    struct TConnectionDeleter
    {
        void operator()(sqlite3* db) const;
    };
    using TConnection = std::unique_ptr<sqlite3, TConnectionDeleter>;

    TSqliteTableFile() = default;
    void readSchema();
    TStatement prepare(const QString& sql);
    void bindValues(sqlite3_stmt* statement, const std::vector<TFieldValue>& values);
    // Runs a prepared write to its end; on failure rolls back anything left open and
    // raises with the doing text ("write a record to").
    void runWrite(sqlite3_stmt* statement, const char* doing);
    [[noreturn]] void fail(int code, const QString& doing);

    QString m_path;
    QString m_tableName;
    int m_busyTimeout = 0;
    TFieldDefs m_columns;
    std::unique_ptr<QLockFile> m_lock;
    TConnection m_db;
    TStatement m_insert;
    TStatement m_update;
    TStatement m_delete;
};
