// Raw SQLite access and file checksums for the tests.
#include "support/RawDb.h"

#include <QCryptographicHash>
#include <QFile>
#include <sqlite3.h>
#include <stdexcept>

TRawDb::TRawDb(const QString& path)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db));
}

TRawDb::~TRawDb()
{
    sqlite3_close_v2(m_db);
}

void TRawDb::Exec(const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

QList<QVariantList> TRawDb::Rows(const QString& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db));
    QList<QVariantList> rows;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        QVariantList row;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_INTEGER:
                row << QVariant(qlonglong(sqlite3_column_int64(statement, c)));
                break;
            case SQLITE_FLOAT:
                row << QVariant(sqlite3_column_double(statement, c));
                break;
            case SQLITE_NULL:
                row << QVariant();
                break;
            default:
                row << QVariant(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, c))));
            }
        }
        rows << row;
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(m_db));
    return rows;
}

QVariant TRawDb::Value(const QString& sql)
{
    const QList<QVariantList> rows = Rows(sql);
    return rows.isEmpty() || rows.first().isEmpty() ? QVariant() : rows.first().first();
}

QByteArray FileChecksum(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("missing");
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
