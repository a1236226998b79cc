// Values another tool stored in a table with types of their own - a text in a date-time
// column, a word in an integer column, a fraction in an integer one, a blob - are shown as
// they are, refuse to be read as what they are not, and survive an edit of another field of
// their record byte for byte.
#include "DbTestSupport.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Field.h"

#include <functional>

namespace {

class ForeignValueTest : public TDbTest
{
protected:
    static TFieldDefs Defs()
    {
        return {{"KEY", TFieldType::ftString, 38},     {"SUBJECT", TFieldType::ftString, 40},
                {"NOTES", TFieldType::ftMemo},         {"PRIORITY", TFieldType::ftInteger},
                {"DONE", TFieldType::ftBoolean},       {"RATE", TFieldType::ftFloat},
                {"STARTTIME", TFieldType::ftDateTime}, {"DAY", TFieldType::ftDate}};
    }
    // One record of plain values and one whose fields another tool filled with values of
    // the wrong kinds.
    void SetUp() override
    {
        m_table = NewTable("plandb.db", Defs());
        m_table->CreateTable();
        TRawDb raw(Path("plandb.db"));
        raw.Exec("INSERT INTO plandb VALUES ('{A}', 'plain', 'n', 2, 1, 0.5, 2461389.5, "
                 "2461389.5)");
        raw.Exec("INSERT INTO plandb VALUES ('{B}', 'odd', x'00ff10', 'high', 'True', 'fast', "
                 "'2026-12-15 10:00', 'abc')");
        raw.Exec("INSERT INTO plandb VALUES ('{C}', 'odd too', 'n', 2.75, 0.5, x'0102', "
                 "x'41424344', '15 Dec 2026')");
        m_table->Open();
    }

    // Every column of a record as SQLite has it: its storage class and its bytes.
    QStringList StoredRow(const QString& key)
    {
        QStringList columns;
        for (const TFieldDef& def : Defs())
            columns << QString("typeof(\"%1\") || ':' || hex(\"%1\")").arg(def.Name);
        const QList<QVariantList> rows =
            TRawDb(Path("plandb.db"))
                .Rows(
                    QString("SELECT %1 FROM plandb WHERE KEY = '%2'").arg(columns.join(", "), key));
        QStringList row;
        for (const QVariant& value : rows.first())
            row << value.toString();
        return row;
    }

    TField* F(const char* name) { return m_table->FieldByName(name); }

    std::unique_ptr<TTable> m_table;
};

} // namespace

TEST_F(ForeignValueTest, AValueOfAnotherKindShowsAsItIsAndRefusesToBeReadAsWhatItIsNot)
{
    struct Case
    {
        const char* key;
        const char* field;
        QString shown;
        std::function<void(TField*)> read; // must raise EDatabaseError naming the value
    };
    const Case cases[] = {
        {"{B}", "STARTTIME", "2026-12-15 10:00", [](TField* f) { f->AsDateTime(); }},
        {"{B}", "DAY", "abc", [](TField* f) { f->AsFloat(); }},
        {"{B}", "PRIORITY", "high", [](TField* f) { f->AsInteger(); }},
        {"{B}", "DONE", "True", [](TField* f) { f->AsBoolean(); }},
        {"{B}", "RATE", "fast", [](TField* f) { f->AsFloat(); }},
        {"{C}", "PRIORITY", "2.75", [](TField* f) { f->AsInteger(); }},
        {"{C}", "DONE", "0.5", [](TField* f) { f->AsBoolean(); }},
        {"{C}", "STARTTIME", "ABCD", [](TField* f) { f->AsDateTime(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.field);
        ASSERT_TRUE(m_table->Locate("KEY", c.key));
        TField* field = F(c.field);
        EXPECT_EQ(field->AsString(), c.shown);
        EXPECT_EQ(field->DisplayTextAt(m_table->RecNo()), c.shown);
        EXPECT_EQ(field->Value().toString(), c.shown);
        try {
            c.read(field);
            ADD_FAILURE() << "read a foreign value as a number";
        } catch (const EDatabaseError& error) {
            EXPECT_TRUE(error.Message().startsWith(
                QString("Field '%1' holds '%2', which cannot be read as ").arg(c.field, c.shown)))
                << error.Message().toStdString();
        }
    }
    // The plain record reads as before.
    ASSERT_TRUE(m_table->Locate("KEY", "{A}"));
    EXPECT_EQ(F("PRIORITY")->AsInteger(), 2);
    EXPECT_TRUE(F("DONE")->AsBoolean());
    EXPECT_EQ(F("STARTTIME")->AsDateTime(), EncodeDate(2026, 12, 15));
}

TEST_F(ForeignValueTest, EditingAnotherFieldLeavesEveryForeignValueByteForByte)
{
    for (const char* key : {"{B}", "{C}"}) {
        SCOPED_TRACE(key);
        const QStringList before = StoredRow(key);
        ASSERT_TRUE(m_table->Locate("KEY", key));
        m_table->Edit();
        F("SUBJECT")->SetAsString("renamed");
        m_table->Post();
        // Reopened, and edited once more: the values read back are no excuse to write them.
        m_table->Close();
        m_table->Open();
        ASSERT_TRUE(m_table->Locate("KEY", key));
        m_table->Edit();
        F("NOTES")->SetAsString("new notes");
        m_table->Post();

        const QStringList after = StoredRow(key);
        QStringList expected = before;
        expected[1] = "text:" + QString("renamed").toUtf8().toHex().toUpper();
        expected[2] = "text:" + QString("new notes").toUtf8().toHex().toUpper();
        EXPECT_EQ(after, expected) << after.join(" | ").toStdString() << "\n"
                                   << expected.join(" | ").toStdString();
    }
}

TEST_F(ForeignValueTest, AForeignValueTheUserReplacesIsWrittenInTheFieldsType)
{
    ASSERT_TRUE(m_table->Locate("KEY", "{B}"));
    m_table->Edit();
    F("PRIORITY")->SetAsInteger(3);
    F("STARTTIME")->SetAsDateTime(EncodeDateTime(2026, 12, 15, 10, 0, 0, 0));
    m_table->Post();
    EXPECT_EQ(F("PRIORITY")->AsInteger(), 3);
    const QVariantList row =
        TRawDb(Path("plandb.db"))
            .Rows("SELECT typeof(PRIORITY), typeof(STARTTIME), typeof(DAY) FROM plandb WHERE "
                  "KEY = '{B}'")
            .first();
    EXPECT_EQ(row, (QVariantList{"integer", "real", "text"}));
}
