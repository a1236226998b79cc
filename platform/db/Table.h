// A table: the dataset of one deskhive table file, named by a folder and a file name.
//
//     TTable table;
//     table.SetDatabaseName(QDir::currentPath());
//     table.SetTableName("tododb.db");
//     if (!table.Exists()) {
//         table.FieldDefs() = {{"KEY", TFieldType::ftString, 38}, {"SUBJECT", ...}};
//         table.CreateTable();
//     }
//     table.SetActive(true);
//
// Opening never makes a file: a missing, empty, foreign (not SQLite, or SQLite of another
// program), damaged or incomplete file, one that lacks a field of FieldDefs, and one that
// another running deskhive has open all raise EDatabaseError and leave the file exactly
// as it was. While open, the table holds "<file>.lock" beside the file.
//
// Every Post and Delete is in the file, synced to disk, before it returns: a posted record
// survives the program being killed the moment after.
#pragma once

#include "platform/db/DataSet.h"
#include "platform/db/FieldDefs.h"

#include <QString>
#include <memory>

class TSqliteTableFile;

class TTable : public TDataSet
{
public:
    TTable();
    // Closes; a modified record still pending is posted if the file takes it.
    ~TTable() override;

    // --- The file -----------------------------------------------------------------------
    // The folder holding the table file; "" (the default) is the current directory. Both
    // names can only change while the table is closed (EDatabaseError otherwise).
    const QString& DatabaseName() const { return m_databaseName; }
    void SetDatabaseName(const QString& folder);
    // The file's name within the folder, such as "tododb.db"; "" by default.
    const QString& TableName() const { return m_tableName; }
    void SetTableName(const QString& name);
    // The folder and the name joined.
    QString FileName() const;
    bool Exists() const;

    // How long a write or an open waits for another program's lock on the file before
    // giving up with EDatabaseError (milliseconds; 2000). Takes effect at once, open or not.
    int BusyTimeout() const { return m_busyTimeout; }
    void SetBusyTimeout(int milliseconds);

    // --- Columns ------------------------------------------------------------------------
    // Empty by default. For CreateTable: the columns of the new file. When opening: the
    // columns the caller relies on; each must exist in the file with the same type
    // (string sizes come from the file). The file's own columns, all of them, are the
    // fields of the open table (Fields(), TField::Def()).
    TFieldDefs& FieldDefs() { return m_fieldDefs; }
    const TFieldDefs& FieldDefs() const { return m_fieldDefs; }
    // Makes a new table file from FieldDefs; only while closed. Raises EDatabaseError when
    // the file exists (it is never overwritten), FieldDefs is empty, or the file cannot be
    // made.
    void CreateTable();

    QString DisplayName() const override { return FileName(); }

protected:
    void openStorage(TFieldDefs& columns, TRecordList& records) override;
    void closeStorage() override;
    std::int64_t insertRow(const std::vector<TFieldValue>& values) override;
    void updateRow(std::int64_t rowId, const std::vector<TFieldValue>& values,
                   const std::vector<bool>& changed) override;
    void deleteRow(std::int64_t rowId) override;

private:
    void checkClosed(const char* what) const;

    QString m_databaseName;
    QString m_tableName;
    int m_busyTimeout = 2000;
    TFieldDefs m_fieldDefs;
    std::unique_ptr<TSqliteTableFile> m_file;
};
