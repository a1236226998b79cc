// One deskhive table file: an SQLite database holding exactly one table, marked as ours in
// its header (application_id and user_version), with the column types written so that the
// field types and sizes come back on opening. This is the only code that speaks SQL.
//
// Safety rules kept here:
//   - Open never creates or initialises anything: the file is opened read-write without
//     the create flag and probed with SQLite before it is trusted; nothing in it is
//     written on opening (no journal mode, no header change).
//   - A lock file beside the table ("<file>.lock") is held while it is open, so a second
//     deskhive cannot overwrite the first one's records. A lock that names no live process
//     is stale and taken over: one left by a killed process, and an empty or unreadable one
//     that no process holds. A folder in its place is named in the error, to be removed.
//   - Every statement is built only from the file's own column names, quoted; every value
//     is bound. Each write is its own transaction, committed (synchronous=FULL, rollback
//     journal) before the call returns; a failed write rolls back and raises.
//   - An update writes only the columns it is given as changed, so a value another tool
//     stored with a type of its own (a text in a date-time column, a blob) stays as it is.
//     Such a value is read as it is stored (a text stays a text, a fraction in an integer
//     column a fraction), never converted to the column's type.
#pragma once

#include "platform/db/FieldDefs.h"
#include "platform/db/FieldValue.h"

#include <QString>
#include <cstdint>
#include <map>
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
    // (the file assigns it: the returned rowid) and never written by Update. Update writes
    // the columns whose changed flag is set, nothing when none is, and raises when the row
    // is no longer in the file.
    std::int64_t Insert(const std::vector<TFieldValue>& values);
    void Update(std::int64_t rowId, const std::vector<TFieldValue>& values,
                const std::vector<bool>& changed);
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
    // The insert and delete statements, prepared once the schema is known.
    void prepareWrites();
    // The update of exactly these columns (a flag per column), prepared on first use.
    sqlite3_stmt* updateStatement(const std::vector<bool>& columns);
    TStatement prepare(const QString& sql);
    // Binds the values of the columns whose flag is set (all when columns is empty) to the
    // parameters 1, 2, ... in column order; returns how many were bound.
    int bindValues(sqlite3_stmt* statement, const std::vector<TFieldValue>& values,
                   const std::vector<bool>& columns = {});
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
    TStatement m_delete;
    std::map<std::vector<bool>, TStatement> m_updates;
};
