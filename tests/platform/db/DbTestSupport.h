// Helpers of the dataset tests: a temporary folder with the to-do table the program uses,
// a link that records every notification it hears, a raw SQLite connection for reading
// files back behind the dataset's back, and file checksums.
#pragma once

#include "platform/db/DataLink.h"
#include "platform/db/Table.h"
#include "support/RawDb.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

// The to-do table of the main window: KEY string 38, SUBJECT string 100, NOTES memo,
// PRIORITY integer, COMPLETIONDATE date-time.
TFieldDefs TodoFieldDefs();

// Records each notification as a line: "ActiveChanged true", "EditingChanged false",
// "DataSetChanged", "DataSetScrolled 2", "RecordChanged SUBJECT" / "RecordChanged null",
// "UpdateData", "CheckBrowseMode". The base class's chaining is not used, so each line
// is one notification.
class TRecordingLink : public TDataLink
{
public:
    QStringList Events;
    QStringList Take() { return std::exchange(Events, {}); }

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void DataSetChanged() override { Events << "DataSetChanged"; }
    void DataSetScrolled(int distance) override;
    void RecordChanged(TField* field) override;
    void UpdateData() override { Events << "UpdateData"; }
    void CheckBrowseMode() override { Events << "CheckBrowseMode"; }
};

// Each test gets a fresh folder.
class TDbTest : public ::testing::Test
{
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // A closed table of that name in the folder, not yet created.
    std::unique_ptr<TTable> NewTable(const QString& name = "tododb.db",
                                     const TFieldDefs& defs = TodoFieldDefs()) const;
    // A created and opened to-do table holding records KEY "K1".."Kn", SUBJECT "Subject i",
    // NOTES "Notes i", PRIORITY i % 5, COMPLETIONDATE 45000 + i.
    std::unique_ptr<TTable> OpenTodoTable(int records, const QString& name = "tododb.db") const;
    // The KEY values in row order, read through the dataset (which ends at the last row).
    static QStringList Keys(TDataSet& table);

    QTemporaryDir m_dir;
};
