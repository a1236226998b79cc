// The packed form that loaded records are kept in: every kind of value must come back from
// the file exactly as it went in, texts of every length (one-, two- and three-byte length
// prefixes, a memo big enough for a block of its own), in tables that fill several arenas,
// and with edited and inserted records living beside packed ones.
#include "DbTestSupport.h"
#include "platform/core/DateTime.h"
#include "platform/db/Field.h"

#include <bit>
#include <cstdint>
#include <limits>

namespace {

using DatasetRecordStoreTest = TDbTest;

void expectRow(TDataSet& table, const QVariantList& row, const QString& where)
{
    for (int f = 0; f < table.FieldCount(); ++f) {
        TField* field = table.Fields(f);
        SCOPED_TRACE((where + " field " + field->FieldName()).toStdString());
        const QVariant& wanted = row[f];
        ASSERT_EQ(field->IsNull(), wanted.isNull());
        ASSERT_EQ(field->IsNullAt(table.RecNo()), wanted.isNull());
        if (wanted.isNull())
            continue;
        const QVariant got = field->Value();
        switch (field->DataType()) {
        case TFieldType::ftString:
        case TFieldType::ftMemo:
            ASSERT_EQ(got.toString(), wanted.toString());
            ASSERT_EQ(field->DisplayTextAt(table.RecNo()), wanted.toString());
            break;
        case TFieldType::ftFloat:
        case TFieldType::ftDateTime:
        case TFieldType::ftDate:
        case TFieldType::ftTime:
            // Bit for bit, which also tells 0.0 from -0.0.
            ASSERT_EQ(std::bit_cast<std::uint64_t>(got.toDouble()),
                      std::bit_cast<std::uint64_t>(wanted.toDouble()))
                << got.toDouble() << " vs " << wanted.toDouble();
            break;
        default:
            ASSERT_EQ(got.toLongLong(), wanted.toLongLong());
            break;
        }
    }
}

// Every row of the dataset against the model, in row order.
void expectRows(TDataSet& table, const QList<QVariantList>& model)
{
    ASSERT_EQ(table.RecordCount(), model.size());
    int row = 0;
    for (table.First(); !table.Eof(); table.Next(), ++row)
        ASSERT_NO_FATAL_FAILURE(expectRow(table, model[row], QString("row %1").arg(row + 1)));
}

// The file read through a connection of its own, date-times made TDateTime.
QList<QVariantList> fileRows(const QString& path, const TFieldDefs& defs)
{
    QStringList names;
    for (const TFieldDef& def : defs)
        names << '"' + def.Name + '"';
    QList<QVariantList> rows = TRawDb(path).Rows(
        QString("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(names.join(", "), "tododb"));
    for (QVariantList& row : rows)
        for (int f = 0; f < defs.Count(); ++f)
            if (defs[f].DataType == TFieldType::ftDateTime && !row[f].isNull())
                row[f] = row[f].toDouble() - JulianDayOffset;
    return rows;
}

TEST_F(DatasetRecordStoreTest, EveryKindOfValueComesBackFromTheFileAsWritten)
{
    const TFieldDefs defs = {{"ID", TFieldType::ftAutoInc},    {"NAME", TFieldType::ftString, 8},
                             {"MEMO", TFieldType::ftMemo},     {"COUNT", TFieldType::ftInteger},
                             {"DONE", TFieldType::ftBoolean},  {"RATE", TFieldType::ftFloat},
                             {"WHEN", TFieldType::ftDateTime}, {"DAY", TFieldType::ftDate},
                             {"CLOCK", TFieldType::ftTime}};
    constexpr std::int64_t minWhole = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t maxWhole = std::numeric_limits<std::int64_t>::max();
    const QString longMemo = QString("Grüße 𝄞 ").repeated(40); // 400 UTF-8 bytes and more
    // NAME, MEMO, COUNT, DONE, RATE, WHEN, DAY, CLOCK; ID is the file's.
    const QList<QVariantList> cases = {
        {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
         QVariant()},
        {"", "", 0, false, 0.0, 0.0, 0.0, 0.0},
        {"😀a𝄞", "日本語 😀\n\ttabs", qlonglong(minWhole), true, -2.75,
         EncodeDateTime(1, 1, 1, 0, 0, 0, 1), EncodeDate(1899, 12, 30), 0.5},
        {"x", longMemo, qlonglong(maxWhole), false, std::numeric_limits<double>::max(),
         EncodeDateTime(9999, 12, 31, 23, 59, 59, 999), EncodeDate(2024, 2, 29), 0.999988},
        {QVariant(), "127 bytes " + QString(117, 'a'), -1, QVariant(),
         std::numeric_limits<double>::denorm_min(), 45123.123456789012, QVariant(), QVariant()},
        {"12345678", "128 bytes " + QString(118, 'b'), qlonglong(1) << 53, true, -1.5e-300,
         -693593.25, EncodeDate(1, 1, 1), QVariant()},
    };
    // What each record holds once posted: date-times rounded as the file keeps them.
    QList<QVariantList> posted;
    {
        std::unique_ptr<TTable> table = NewTable("types.db", defs);
        table->CreateTable();
        table->Open();
        for (const QVariantList& values : cases) {
            table->Append();
            for (int f = 0; f < values.size(); ++f)
                table->Fields(f + 1)->SetValue(values[f]);
            table->Post();
            QVariantList row;
            for (int f = 0; f < table->FieldCount(); ++f)
                row << table->Fields(f)->Value();
            // Texts and whole numbers are kept as given.
            for (int f : {0, 1, 2})
                ASSERT_EQ(row[f + 1], values[f]);
            posted << row;
        }
    }
    std::unique_ptr<TTable> table = NewTable("types.db", defs);
    table->Open();
    ASSERT_EQ(table->RecordCount(), cases.size());
    ASSERT_NO_FATAL_FAILURE(expectRows(*table, posted));
}

TEST_F(DatasetRecordStoreTest, ManyLoadedRowsMatchTheFileBesideEditedAndInsertedOnes)
{
    // Enough rows to fill the small arenas and several huge ones, texts from empty to
    // three-byte lengths, ASCII and not, and one memo that gets a block of its own.
    NewTable()->CreateTable();
    const QString path = Path("tododb.db");
    {
        TRawDb raw(path);
        raw.Exec("BEGIN");
        raw.Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12000) "
                 "INSERT INTO tododb SELECT 'K' || i, "
                 "CASE WHEN i % 11 = 0 THEN '' ELSE 'S😀' || i END, "
                 "CASE WHEN i % 7 = 0 THEN NULL ELSE substr(replace(hex(zeroblob(i % 300)), '0', "
                 "CASE WHEN i % 2 = 0 THEN 'x' ELSE 'é' END), 1, i % 300) END, "
                 "CASE WHEN i % 13 = 0 THEN NULL ELSE (i - 6000) * 1537228672809129 END, "
                 "CASE WHEN i % 17 = 0 THEN NULL ELSE 2460018.5 + i / 24.0 END FROM n");
        raw.Exec("INSERT INTO tododb VALUES ('BIG', 's', replace(hex(zeroblob(400000)), '0', "
                 "'ab'), 9223372036854775807, 0.0)");
        raw.Exec("INSERT INTO tododb VALUES ('WIDE', NULL, replace(hex(zeroblob(10000)), '0', "
                 "'ü'), -9223372036854775808, NULL)");
        raw.Exec("INSERT INTO tododb SELECT 'K' || (rowid + 20000), SUBJECT, NOTES, PRIORITY, "
                 "COMPLETIONDATE FROM tododb WHERE rowid <= 3000");
        raw.Exec("COMMIT");
    }
    const TFieldDefs defs = TodoFieldDefs();
    QList<QVariantList> model = fileRows(path, defs);
    ASSERT_EQ(model.size(), 15002);

    std::unique_ptr<TTable> table = NewTable();
    table->Open();
    ASSERT_NO_FATAL_FAILURE(expectRows(*table, model));

    // An edit in the middle, another of the long memo's record, an insert near the top.
    table->SetRecNo(6001);
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("Edited 𝄞");
    table->FieldByName("NOTES")->Clear();
    table->FieldByName("PRIORITY")->SetValue(qlonglong(-42));
    table->Post();
    model[6000][1] = "Edited 𝄞";
    model[6000][2] = QVariant();
    model[6000][3] = -42;
    ASSERT_TRUE(table->Locate("KEY", "BIG"));
    table->Edit();
    table->FieldByName("NOTES")->SetAsString("short now");
    table->Post();
    model[12000][2] = "short now";
    table->SetRecNo(10);
    table->Insert();
    table->FieldByName("KEY")->SetAsString("NEW");
    table->FieldByName("NOTES")->SetAsString("");
    table->FieldByName("COMPLETIONDATE")->SetAsDateTime(45000.25);
    table->Post();
    const QVariantList inserted = {"NEW", QVariant(), "", QVariant(), 45000.25};
    model.insert(9, inserted);
    table->SetRecNo(101);
    table->Delete();
    model.removeAt(100);
    ASSERT_NO_FATAL_FAILURE(expectRows(*table, model));
    // The rows beside the edited one, read without moving, as a grid does.
    ASSERT_TRUE(table->Locate("KEY", "K6001"));
    const int edited = table->RecNo();
    EXPECT_EQ(table->FieldByName("SUBJECT")->DisplayTextAt(edited - 1), "S😀6000");
    EXPECT_EQ(table->FieldByName("SUBJECT")->DisplayTextAt(edited), "Edited 𝄞");
    EXPECT_EQ(table->FieldByName("SUBJECT")->DisplayTextAt(edited + 1), "S😀6002");
    EXPECT_TRUE(table->Locate("KEY", "K20500"));
    EXPECT_TRUE(table->Locate("NOTES", "short now"));

    // Reopened, the file's order puts the inserted record last.
    table->Close();
    model.removeAt(9);
    model.append(inserted);
    table->Open();
    ASSERT_NO_FATAL_FAILURE(expectRows(*table, model));
    ASSERT_NO_FATAL_FAILURE(expectRows(*table, fileRows(path, defs)));
}

// A read goes on from where the last read of the same packed row stopped. Reads in any
// order, across rows as a grid makes them, during and after an edit of that row, and
// after a reopen that puts other rows where the old ones were must each find their own
// value.
TEST_F(DatasetRecordStoreTest, FieldsReadInAnyOrderFindTheirOwnValues)
{
    NewTable()->CreateTable();
    const QString path = Path("tododb.db");
    TRawDb(path).Exec("INSERT INTO tododb VALUES ('A', 'one', 'a first memo', 1, 2460000.5), "
                      "('BBBBBBBB', NULL, 'ü', 22, NULL), "
                      "('CCC', 'three threes', NULL, NULL, 2460002.25)");
    const TFieldDefs defs = TodoFieldDefs();
    QList<QVariantList> model = fileRows(path, defs);
    std::unique_ptr<TTable> table = NewTable();
    table->Open();
    auto expectAt = [&](int recNo, int f, const QString& where) {
        SCOPED_TRACE(QString("%1: row %2 field %3").arg(where).arg(recNo).arg(f).toStdString());
        TField* field = table->Fields(f);
        const QVariant& wanted = model[recNo - 1][f];
        ASSERT_EQ(field->IsNullAt(recNo), wanted.isNull());
        if (recNo != table->RecNo())
            table->SetRecNo(recNo);
        const QVariant got = field->Value();
        ASSERT_EQ(got.isNull(), wanted.isNull());
        if (field->DataType() == TFieldType::ftString || field->DataType() == TFieldType::ftMemo) {
            ASSERT_EQ(got.toString(), wanted.toString());
        } else if (!wanted.isNull()) {
            ASSERT_EQ(got.toDouble(), wanted.toDouble());
        }
    };
    // (row, field) in the order read.
    const QList<QList<std::pair<int, int>>> orders = {
        {{1, 4}, {1, 0}, {1, 3}, {1, 1}, {1, 2}},         // back to the start after the last
        {{2, 2}, {2, 2}, {2, 1}, {2, 1}, {2, 0}},         // the same field twice
        {{1, 1}, {2, 2}, {1, 3}, {3, 4}, {2, 0}, {3, 2}}, // across rows, as a grid paints
        {{3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4}, {1, 4}}, // in order, then another row
    };
    auto readAll = [&](const QString& where) {
        for (const auto& order : orders)
            for (const auto& [recNo, f] : order)
                ASSERT_NO_FATAL_FAILURE(expectAt(recNo, f, where));
    };
    ASSERT_NO_FATAL_FAILURE(readAll("loaded"));

    table->SetRecNo(2);
    ASSERT_NO_FATAL_FAILURE(expectAt(2, 1, "before the edit"));
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("now set");
    model[1][1] = "now set";
    ASSERT_NO_FATAL_FAILURE(expectAt(2, 2, "editing"));
    ASSERT_NO_FATAL_FAILURE(expectAt(2, 1, "editing"));
    table->Post();
    ASSERT_NO_FATAL_FAILURE(readAll("posted"));

    // Half way through the first row, then the same table reopened with longer texts in
    // front: the first row is likely to land where the old one was.
    ASSERT_NO_FATAL_FAILURE(expectAt(1, 1, "before the reopen"));
    table->Close();
    TRawDb(path).Exec("UPDATE tododb SET KEY = KEY || 'longer key', SUBJECT = 'x'");
    model = fileRows(path, defs);
    table->Open();
    ASSERT_NO_FATAL_FAILURE(expectAt(1, 2, "reopened"));
    ASSERT_NO_FATAL_FAILURE(readAll("reopened"));
}

} // namespace
