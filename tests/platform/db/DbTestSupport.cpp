// Dataset test helpers.
#include "DbTestSupport.h"

#include "platform/db/Field.h"

#include <QFile>
#include <stdexcept>

TFieldDefs TodoFieldDefs()
{
    return {{"KEY", TFieldType::ftString, 38},
            {"SUBJECT", TFieldType::ftString, 100},
            {"NOTES", TFieldType::ftMemo},
            {"PRIORITY", TFieldType::ftInteger},
            {"COMPLETIONDATE", TFieldType::ftDateTime}};
}

void TRecordingLink::ActiveChanged()
{
    Events << QString("ActiveChanged %1").arg(Active() ? "true" : "false");
}

void TRecordingLink::EditingChanged()
{
    Events << QString("EditingChanged %1").arg(Editing() ? "true" : "false");
}

void TRecordingLink::DataSetScrolled(int distance)
{
    Events << QString("DataSetScrolled %1").arg(distance);
}

void TRecordingLink::RecordChanged(TField* field)
{
    Events << QString("RecordChanged %1").arg(field ? field->FieldName() : QString("null"));
}

std::unique_ptr<TTable> TDbTest::NewTable(const QString& name, const TFieldDefs& defs) const
{
    auto table = std::make_unique<TTable>();
    table->SetDatabaseName(m_dir.path());
    table->SetTableName(name);
    table->FieldDefs() = defs;
    return table;
}

std::unique_ptr<TTable> TDbTest::OpenTodoTable(int records, const QString& name) const
{
    auto table = NewTable(name);
    table->CreateTable();
    table->Open();
    for (int i = 1; i <= records; ++i) {
        table->Append();
        table->FieldByName("KEY")->SetAsString(QString("K%1").arg(i));
        table->FieldByName("SUBJECT")->SetAsString(QString("Subject %1").arg(i));
        table->FieldByName("NOTES")->SetAsString(QString("Notes %1").arg(i));
        table->FieldByName("PRIORITY")->SetAsInteger(i % 5);
        table->FieldByName("COMPLETIONDATE")->SetAsDateTime(45000 + i);
        table->Post();
    }
    table->First();
    return table;
}

QStringList TDbTest::Keys(TDataSet& table)
{
    QStringList keys;
    for (table.First(); !table.Eof(); table.Next())
        keys << table.FieldByName("KEY")->AsString();
    return keys;
}
