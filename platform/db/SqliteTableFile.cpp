// The SQLite side of a table: probing and opening, the schema, loading, bound writes, and
// making new files.
#include "platform/db/SqliteTableFile.h"

#include "platform/db/DatabaseError.h"
#include "platform/db/Field.h"
#include "platform/db/RecordList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString quoted(const QString& identifier)
{
    QString text = identifier;
    text.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The column type we write for each field type; readColumnType is its inverse.
QString declaredType(const TFieldDef& def)
{
    switch (def.DataType) {
    case TFieldType::ftString:
        return QStringLiteral("VARCHAR(%1)").arg(def.Size);
    case TFieldType::ftMemo:
        return QStringLiteral("TEXT");
    case TFieldType::ftInteger:
        return QStringLiteral("INTEGER");
    case TFieldType::ftAutoInc:
        // The rowid itself, never reused after a delete.
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case TFieldType::ftBoolean:
        return QStringLiteral("BOOLEAN");
    case TFieldType::ftFloat:
        return QStringLiteral("DOUBLE");
    case TFieldType::ftDateTime:
        return QStringLiteral("DATETIME");
    case TFieldType::ftDate:
        return QStringLiteral("DATE");
    case TFieldType::ftTime:
        return QStringLiteral("TIME");
    }
    return QString();
}

bool readColumnType(const QString& declared, bool primaryKey, TFieldDef& def)
{
    const QString type = declared.trimmed().toUpper();
    static const QRegularExpression varchar(
        QStringLiteral("^VARCHAR\\s*\\(\\s*(\\d{1,9})\\s*\\)$"));
    if (const auto match = varchar.match(type); match.hasMatch()) {
        def.DataType = TFieldType::ftString;
        def.Size = match.captured(1).toInt();
        return def.Size > 0;
    }
    def.Size = 0;
    struct TName
    {
        const char* name;
        TFieldType type;
    };
    static const TName names[] = {
        {"TEXT", TFieldType::ftMemo},       {"BOOLEAN", TFieldType::ftBoolean},
        {"DOUBLE", TFieldType::ftFloat},    {"DATETIME", TFieldType::ftDateTime},
        {"DATE", TFieldType::ftDate},       {"TIME", TFieldType::ftTime},
        {"INTEGER", TFieldType::ftInteger},
    };
    for (const TName& name : names) {
        if (type != QLatin1String(name.name))
            continue;
        // Our only key column is the auto-increment rowid.
        if (primaryKey && name.type != TFieldType::ftInteger)
            return false;
        def.DataType = primaryKey ? TFieldType::ftAutoInc : name.type;
        return true;
    }
    return false;
}

bool isTextType(TFieldType type)
{
    return type == TFieldType::ftString || type == TFieldType::ftMemo;
}

bool isDateTimeType(TFieldType type)
{
    return type == TFieldType::ftDateTime || type == TFieldType::ftDate ||
           type == TFieldType::ftTime;
}

bool isBusy(int code)
{
    return (code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED;
}

bool isDamaged(int code)
{
    return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB;
}

// A lock file that names no process (empty, cut short, written by something else) is stale
// when no process holds it: every deskhive keeps its own lock file locked (flock) for as long
// as it has the table open, from the moment it made the file. Removes such a file and says
// whether it did; leaves one that is held, which is a deskhive just writing its name into it.
bool removeUnheldLock(const QString& lockPath)
{
    const QByteArray name = QFile::encodeName(lockPath);
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT; // gone meanwhile: nothing left in the way
    const bool unheld = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool removed = unheld && ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

std::unique_ptr<QLockFile> takeLock(const QString& path)
{
    const QString lockPath = path + QStringLiteral(".lock");
    if (QFileInfo(lockPath).isDir())
        throw EDatabaseError(QStringLiteral("Cannot open table file '%1': '%2' is a folder, not "
                                            "the lock file deskhive keeps beside the table. "
                                            "Remove the folder '%2' and start again.")
                                 .arg(path, lockPath));
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Held for as long as the table is open, however long that is: only a lock whose
    // process is gone counts as stale, never an old one.
    lock->setStaleLockTime(0);
    // Twice at most: once more after removing a stale lock that Qt did not recognise.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock->tryLock(0))
            return lock;
        if (lock->error() != QLockFile::LockFailedError)
            break;
        qint64 pid = 0;
        QString host, app;
        if (lock->getLockInfo(&pid, &host, &app) && pid > 0)
            throw EDatabaseError(
                QStringLiteral("Table file '%1' is in use by another running deskhive (process "
                               "%2%3)")
                    .arg(path)
                    .arg(pid)
                    .arg(host.isEmpty() ? QString() : QStringLiteral(" on ") + host));
        if (!removeUnheldLock(lockPath))
            throw EDatabaseError(QStringLiteral("Cannot open table file '%1': its lock file '%2' "
                                                "names no process but is held open by another "
                                                "program. If no deskhive is running, remove "
                                                "'%2' and start again.")
                                     .arg(path, lockPath));
    }
    throw EDatabaseError(QStringLiteral("Cannot lock table file '%1': the lock file '%2' cannot "
                                        "be made or removed")
                             .arg(path, lockPath));
}

} // namespace

void TSqliteTableFile::TStatementDeleter::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

void TSqliteTableFile::TConnectionDeleter::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

TSqliteTableFile::~TSqliteTableFile()
{
    // Statements first: the connection cannot close while they exist.
    m_insert.reset();
    m_updates.clear();
    m_delete.reset();
    m_db.reset();
}

void TSqliteTableFile::SetBusyTimeout(int milliseconds)
{
    m_busyTimeout = milliseconds;
    sqlite3_busy_timeout(m_db.get(), milliseconds);
}

void TSqliteTableFile::fail(int code, const QString& doing)
{
    const QString detail = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db.get()))
                                : QString::fromUtf8(sqlite3_errstr(code));
    // No statement of ours leaves a transaction behind, whatever failed.
    if (m_db && !sqlite3_get_autocommit(m_db.get()))
        sqlite3_exec(m_db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    if (isBusy(code))
        throw EDatabaseError(QStringLiteral("Cannot %1 table file '%2': another program holds "
                                            "it locked (waited %3 ms)")
                                 .arg(doing, m_path)
                                 .arg(m_busyTimeout));
    if (isDamaged(code))
        throw EDatabaseError(QStringLiteral("Cannot %1 table file '%2': the file is damaged (%3)")
                                 .arg(doing, m_path, detail));
    throw EDatabaseError(
        QStringLiteral("Cannot %1 table file '%2': %3").arg(doing, m_path, detail));
}

TSqliteTableFile::TStatement TSqliteTableFile::prepare(const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc =
        sqlite3_prepare_v2(m_db.get(), text.constData(), int(text.size()), &statement, nullptr);
    TStatement owned(statement);
    if (rc != SQLITE_OK)
        fail(rc, QStringLiteral("read"));
    return owned;
}

std::unique_ptr<TSqliteTableFile> TSqliteTableFile::Open(const QString& path, int busyTimeoutMs)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw EDatabaseError(QStringLiteral("Table file '%1' does not exist").arg(path));
    if (!info.isFile())
        throw EDatabaseError(QStringLiteral("'%1' is not a table file but a folder").arg(path));
    if (info.size() == 0)
        throw EDatabaseError(
            QStringLiteral("Table file '%1' is empty: it is not a deskhive table").arg(path));

    std::unique_ptr<TSqliteTableFile> file(new TSqliteTableFile());
    file->m_path = path;
    file->m_busyTimeout = busyTimeoutMs;
    file->m_lock = takeLock(path);

    // Only the user interface thread ever touches a table, so SQLite's own locking of the
    // connection is pure cost. Never SQLITE_OPEN_CREATE: a file that is not there stays so.
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(
        QFile::encodeName(path).constData(), &db,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_NOMUTEX, nullptr);
    file->m_db.reset(db);
    if (rc != SQLITE_OK)
        file->fail(rc, QStringLiteral("open"));
    if (sqlite3_db_readonly(db, "main") == 1)
        throw EDatabaseError(QStringLiteral("Table file '%1' is write-protected").arg(path));
    sqlite3_busy_timeout(db, busyTimeoutMs);

    // The header decides whether this is ours, before anything else is read or trusted.
    auto pragmaValue = [&](const char* sql) {
        TStatement statement = file->prepare(QString::fromLatin1(sql));
        const int step = sqlite3_step(statement.get());
        if (step != SQLITE_ROW) {
            if ((step & 0xff) == SQLITE_NOTADB)
                throw EDatabaseError(
                    QStringLiteral("'%1' is not a deskhive table file (not an SQLite database)")
                        .arg(path));
            file->fail(step, QStringLiteral("read"));
        }
        return sqlite3_column_int(statement.get(), 0);
    };
    if (pragmaValue("PRAGMA application_id") != ApplicationId)
        throw EDatabaseError(
            QStringLiteral("'%1' is a database of another program, not a deskhive table file")
                .arg(path));
    const int version = pragmaValue("PRAGMA user_version");
    if (version > FormatVersion)
        throw EDatabaseError(
            QStringLiteral("Table file '%1' was made by a newer deskhive (format %2)")
                .arg(path)
                .arg(version));
    if (version < 1)
        throw EDatabaseError(
            QStringLiteral("Table file '%1' is not a complete deskhive table file").arg(path));
    // A connection setting, not a change to the file.
    sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    file->readSchema();
    file->prepareWrites();
    return file;
}

void TSqliteTableFile::readSchema()
{
    {
        TStatement tables = prepare(QStringLiteral(
            "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
            "ESCAPE '\\'"));
        QStringList names;
        int rc;
        while ((rc = sqlite3_step(tables.get())) == SQLITE_ROW)
            names << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(tables.get(), 0)));
        if (rc != SQLITE_DONE)
            fail(rc, QStringLiteral("read"));
        if (names.size() != 1)
            throw EDatabaseError(QStringLiteral("Table file '%1' holds %2 tables instead of one")
                                     .arg(m_path)
                                     .arg(names.size()));
        m_tableName = names.first();
    }
    TStatement info =
        prepare(QStringLiteral("SELECT name, type, \"notnull\", pk FROM pragma_table_info(?1)"));
    const QByteArray table = m_tableName.toUtf8();
    sqlite3_bind_text(info.get(), 1, table.constData(), int(table.size()), SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(info.get())) == SQLITE_ROW) {
        auto text = [&](int column) {
            return QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(info.get(), column)));
        };
        TFieldDef def;
        def.Name = text(0);
        def.Required = sqlite3_column_int(info.get(), 2) != 0;
        if (!readColumnType(text(1), sqlite3_column_int(info.get(), 3) != 0, def))
            throw EDatabaseError(QStringLiteral("Field '%1' of table file '%2' has the type '%3', "
                                                "which deskhive tables do not use")
                                     .arg(def.Name, m_path, text(1)));
        if (def.DataType == TFieldType::ftAutoInc)
            def.Required = false;
        try {
            m_columns.Add(def);
        } catch (const EDatabaseError& error) {
            throw EDatabaseError(
                QStringLiteral("Table file '%1' is not usable: %2").arg(m_path, error.Message()));
        }
    }
    if (rc != SQLITE_DONE)
        fail(rc, QStringLiteral("read"));
    if (m_columns.IsEmpty())
        throw EDatabaseError(QStringLiteral("Table file '%1' has no fields").arg(m_path));
}

void TSqliteTableFile::prepareWrites()
{
    // Every name in them is a column of this very table.
    const QString table = quoted(m_tableName);
    QStringList names, marks;
    for (const TFieldDef& def : m_columns) {
        if (def.DataType == TFieldType::ftAutoInc)
            continue;
        names << quoted(def.Name);
        marks << QStringLiteral("?%1").arg(marks.size() + 1);
    }
    m_insert = prepare(names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                       : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                             .arg(table, names.join(QLatin1String(", ")),
                                                  marks.join(QLatin1String(", "))));
    m_delete = prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(table));
}

sqlite3_stmt* TSqliteTableFile::updateStatement(const std::vector<bool>& columns)
{
    TStatement& statement = m_updates[columns];
    if (!statement) {
        QStringList sets;
        for (int c = 0; c < m_columns.Count(); ++c)
            if (columns[size_t(c)])
                sets << QStringLiteral("%1 = ?%2")
                            .arg(quoted(m_columns[c].Name))
                            .arg(sets.size() + 1);
        statement = prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                .arg(quoted(m_tableName), sets.join(QLatin1String(", ")))
                                .arg(sets.size() + 1));
    }
    return statement.get();
}

void TSqliteTableFile::ReadAll(TRecordList& records)
{
    QStringList names;
    for (const TFieldDef& def : m_columns)
        names << quoted(def.Name);
    TStatement select = prepare(QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
                                    .arg(names.join(QLatin1String(", ")), quoted(m_tableName)));
    std::vector<TFieldType> types;
    for (const TFieldDef& def : m_columns)
        types.push_back(def.DataType);
    sqlite3_stmt* st = select.get();
    const int columns = int(types.size());
    records.Reset(columns);
    std::vector<TLoadedValue> row(static_cast<size_t>(columns));
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            // One look-up of the column, then the value's own accessors: the column_*
            // calls would each look the column up again and check for a failed
            // allocation.
            sqlite3_value* cell = sqlite3_column_value(st, c + 1);
            TLoadedValue& value = row[size_t(c)];
            if (sqlite3_value_type(cell) == SQLITE_NULL) {
                value.Kind = TLoadedValue::TKind::Null;
                continue;
            }
            const int stored = sqlite3_value_type(cell);
            const TFieldType type = types[size_t(c)];
            const bool whole = type == TFieldType::ftInteger || type == TFieldType::ftAutoInc ||
                               type == TFieldType::ftBoolean;
            if (stored == SQLITE_TEXT || stored == SQLITE_BLOB || isTextType(type)) {
                // A text in a number or date column (another tool's doing) stays a text.
                value.Kind = TLoadedValue::TKind::Text;
                value.Text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
                value.Size = sqlite3_value_bytes(cell);
                // Only converting a number to text can fail, and only for want of memory.
                if (!value.Text)
                    fail(SQLITE_NOMEM, QStringLiteral("read"));
            } else if (whole && stored == SQLITE_INTEGER) {
                value.Kind = TLoadedValue::TKind::Whole;
                value.Whole = sqlite3_value_int64(cell);
                if (type == TFieldType::ftBoolean)
                    value.Whole = value.Whole != 0 ? 1 : 0;
            } else {
                // A fraction in a whole-number column stays a fraction.
                value.Kind = TLoadedValue::TKind::Real;
                value.Real = sqlite3_value_double(cell);
                if (isDateTimeType(type))
                    value.Real -= JulianDayOffset;
            }
        }
        records.AppendLoaded(sqlite3_column_int64(st, 0), row.data());
    }
    if (rc != SQLITE_DONE)
        fail(rc, QStringLiteral("read"));
}

int TSqliteTableFile::bindValues(sqlite3_stmt* statement, const std::vector<TFieldValue>& values,
                                 const std::vector<bool>& columns)
{
    int parameter = 0;
    for (int c = 0; c < m_columns.Count(); ++c) {
        const TFieldDef& def = m_columns[c];
        if (def.DataType == TFieldType::ftAutoInc || (!columns.empty() && !columns[size_t(c)]))
            continue;
        ++parameter;
        const TFieldValue& value = values[size_t(c)];
        if (IsNullValue(value)) {
            sqlite3_bind_null(statement, parameter);
        } else if (const auto* whole = std::get_if<std::int64_t>(&value)) {
            sqlite3_bind_int64(statement, parameter, *whole);
        } else if (const auto* real = std::get_if<double>(&value)) {
            sqlite3_bind_double(statement, parameter,
                                isDateTimeType(def.DataType) ? *real + JulianDayOffset : *real);
        } else if (const auto* stored = std::get_if<TStoredText>(&value)) {
            sqlite3_bind_text(statement, parameter, stored->Data, stored->Size, SQLITE_TRANSIENT);
        } else {
            const QByteArray text = std::get<QString>(value).toUtf8();
            sqlite3_bind_text(statement, parameter, text.constData(), int(text.size()),
                              SQLITE_TRANSIENT);
        }
    }
    return parameter;
}

void TSqliteTableFile::runWrite(sqlite3_stmt* statement, const char* doing)
{
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (rc != SQLITE_DONE)
        fail(rc, QString::fromLatin1(doing));
}

std::int64_t TSqliteTableFile::Insert(const std::vector<TFieldValue>& values)
{
    bindValues(m_insert.get(), values);
    runWrite(m_insert.get(), "add a record to");
    return sqlite3_last_insert_rowid(m_db.get());
}

void TSqliteTableFile::Update(std::int64_t rowId, const std::vector<TFieldValue>& values,
                              const std::vector<bool>& changed)
{
    std::vector<bool> columns(size_t(m_columns.Count()), false);
    bool any = false;
    for (int c = 0; c < m_columns.Count(); ++c) {
        columns[size_t(c)] = size_t(c) < changed.size() && changed[size_t(c)] &&
                             m_columns[c].DataType != TFieldType::ftAutoInc;
        any = any || columns[size_t(c)];
    }
    if (!any)
        return;
    sqlite3_stmt* update = updateStatement(columns);
    sqlite3_bind_int64(update, bindValues(update, values, columns) + 1, rowId);
    runWrite(update, "write a record to");
    if (sqlite3_changes(m_db.get()) != 1)
        throw EDatabaseError(
            QStringLiteral("Cannot write a record to table file '%1': the record is no longer "
                           "in the file")
                .arg(m_path));
}

void TSqliteTableFile::Delete(std::int64_t rowId)
{
    sqlite3_bind_int64(m_delete.get(), 1, rowId);
    runWrite(m_delete.get(), "delete a record from");
    if (sqlite3_changes(m_db.get()) != 1)
        throw EDatabaseError(
            QStringLiteral("Cannot delete a record from table file '%1': the record is no "
                           "longer in the file")
                .arg(m_path));
}

void TSqliteTableFile::Create(const QString& path, const TFieldDefs& columns)
{
    if (columns.IsEmpty())
        throw EDatabaseError(
            QStringLiteral("Cannot create table file '%1' without fields").arg(path));
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        throw EDatabaseError(QStringLiteral("Cannot create table file '%1': the folder does not "
                                            "exist")
                                 .arg(path));
    // Held while making the file, so two programs starting at once cannot both make it.
    const std::unique_ptr<QLockFile> lock = takeLock(path);
    if (info.exists())
        throw EDatabaseError(QStringLiteral("Table file '%1' already exists").arg(path));

    // Made under another name and renamed when complete: a crash leaves no half-made table
    // under the real name.
    const QString building = path + QStringLiteral(".new");
    QFile::remove(building);
    QFile::remove(building + QStringLiteral("-journal"));
    QStringList columnSql;
    for (const TFieldDef& def : columns)
        columnSql << quoted(def.Name) + QLatin1Char(' ') + declaredType(def) +
                         (def.Required && def.DataType != TFieldType::ftAutoInc
                              ? QStringLiteral(" NOT NULL")
                              : QString());
    const QString tableName =
        info.completeBaseName().isEmpty() ? QStringLiteral("records") : info.completeBaseName();
    const QString sql = QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; "
                                       "BEGIN; CREATE TABLE %1 (%2); PRAGMA application_id=%3; "
                                       "PRAGMA user_version=%4; COMMIT;")
                            .arg(quoted(tableName), columnSql.join(QLatin1String(", ")))
                            .arg(ApplicationId)
                            .arg(FormatVersion);
    {
        sqlite3* db = nullptr;
        int rc = sqlite3_open_v2(QFile::encodeName(building).constData(), &db,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXRESCODE,
                                 nullptr);
        char* error = nullptr;
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString detail =
            error ? QString::fromUtf8(error) : QString::fromUtf8(db ? sqlite3_errmsg(db) : "");
        sqlite3_free(error);
        if (rc == SQLITE_OK)
            rc = sqlite3_close(db);
        else
            sqlite3_close_v2(db);
        if (rc != SQLITE_OK) {
            QFile::remove(building);
            throw EDatabaseError(
                QStringLiteral("Cannot create table file '%1': %2").arg(path, detail));
        }
    }
    if (!QFile::rename(building, path)) {
        QFile::remove(building);
        throw EDatabaseError(QStringLiteral("Cannot create table file '%1': %2")
                                 .arg(path, QFileInfo::exists(path)
                                                ? QStringLiteral("it appeared meanwhile")
                                                : QStringLiteral("the file cannot be renamed")));
    }
    // The new name must survive a power cut as well as the contents.
    const int dir = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}
