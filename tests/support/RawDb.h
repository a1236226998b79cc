// A connection of its own to a table file, as another program would have: the tests read
// files back behind the dataset's back through it. Also a checksum to show that a file was
// left exactly as it was.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

struct sqlite3;

// A connection of its own to a table file, as another program would have.
class TRawDb
{
public:
    explicit TRawDb(const QString& path);
    ~TRawDb();
    TRawDb(const TRawDb&) = delete;
    TRawDb& operator=(const TRawDb&) = delete;

    // Raises std::runtime_error with SQLite's message on failure.
    void Exec(const QString& sql);
    // The first column of the first row, null when there is none.
    QVariant Value(const QString& sql);
    // Every row, each column as a QVariant.
    QList<QVariantList> Rows(const QString& sql);

private:
    sqlite3* m_db = nullptr;
};

QByteArray FileChecksum(const QString& path);
