// Fields: their types and sizes as the file gives them back, the conversions between
// stored values and what callers read and write, and date-times that SQLite's own date
// functions read and that come back exactly.
#include "platform/db/Field.h"

#include "DbTestSupport.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/db/DatabaseError.h"

#include <cmath>
#include <functional>

namespace {

// One table with a column of every type, one record in edit state.
class FieldTest : public TDbTest
{
protected:
    static TFieldDefs AllTypes()
    {
        return {{"ID", TFieldType::ftAutoInc},    {"NAME", TFieldType::ftString, 5},
                {"MEMO", TFieldType::ftMemo},     {"COUNT", TFieldType::ftInteger},
                {"DONE", TFieldType::ftBoolean},  {"RATE", TFieldType::ftFloat},
                {"WHEN", TFieldType::ftDateTime}, {"DAY", TFieldType::ftDate},
                {"CLOCK", TFieldType::ftTime},    {"MUST", TFieldType::ftInteger, 0, true}};
    }
    void SetUp() override
    {
        m_table = NewTable("types.db", AllTypes());
        m_table->CreateTable();
        m_table->Open();
        m_table->Append();
        F("MUST")->SetAsInteger(0);
    }
    TField* F(const char* name) { return m_table->FieldByName(name); }

    std::unique_ptr<TTable> m_table;
};

} // namespace

TEST(FieldDefsTest, RefusesWhatCannotBeCreated)
{
    struct Case
    {
        const char* name;
        std::function<void(TFieldDefs&)> add;
    };
    const Case cases[] = {
        {"empty name", [](TFieldDefs& d) { d.Add(" ", TFieldType::ftInteger); }},
        {"duplicate in another case", [](TFieldDefs& d) { d.Add("key", TFieldType::ftMemo); }},
        {"string without size", [](TFieldDefs& d) { d.Add("S", TFieldType::ftString); }},
        {"second auto-increment", [](TFieldDefs& d) { d.Add("ID2", TFieldType::ftAutoInc); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFieldDefs defs{{"KEY", TFieldType::ftString, 38}, {"ID", TFieldType::ftAutoInc}};
        const TFieldDefs before = defs;
        EXPECT_THROW(c.add(defs), EDatabaseError);
        EXPECT_EQ(defs, before);
    }
    EXPECT_THROW(TFieldDefs().Items(0), EListError);
}

TEST_F(FieldTest, TypesSizesAndRequiredComeBackFromTheFile)
{
    m_table->Cancel();
    m_table->Close();
    TTable reopened;
    reopened.SetDatabaseName(m_dir.path());
    reopened.SetTableName("types.db");
    reopened.Open();
    TFieldDefs found;
    for (int i = 0; i < reopened.FieldCount(); ++i)
        found.Add(reopened.Fields(i)->Def());
    EXPECT_EQ(found, AllTypes());
    EXPECT_EQ(reopened.Fields(1)->Index(), 1);
}

TEST_F(FieldTest, ConversionsBetweenStoredValuesAndTheTypesAskedFor)
{
    struct Case
    {
        const char* field;
        std::function<void(TField*)> set;
        QString asString;
        std::function<void(TField*)> check;
    };
    const Case cases[] = {
        {"NAME", [](TField* f) { f->SetAsInteger(42); }, "42",
         [](TField* f) {
             EXPECT_EQ(f->AsInteger(), 42);
             EXPECT_EQ(f->AsFloat(), 42.0);
         }},
        {"NAME", [](TField* f) { f->SetAsBoolean(true); }, "True",
         [](TField* f) { EXPECT_TRUE(f->AsBoolean()); }},
        // Strings are cut to their size.
        {"NAME", [](TField* f) { f->SetAsString("abcdefgh"); }, "abcde", nullptr},
        // ... but never in the middle of a character outside the basic plane.
        {"NAME", [](TField* f) { f->SetAsString(QString("abcd") + QChar(0xD83D) + QChar(0xDE00)); },
         "abcd", nullptr},
        {"MEMO", [](TField* f) { f->SetAsString(QString(5000, 'm')); }, QString(5000, 'm'),
         nullptr},
        {"COUNT", [](TField* f) { f->SetAsString(" 17 "); }, "17",
         [](TField* f) {
             EXPECT_EQ(f->AsInteger(), 17);
             EXPECT_TRUE(f->AsBoolean());
             EXPECT_EQ(f->AsFloat(), 17.0);
         }},
        {"COUNT", [](TField* f) { f->SetAsFloat(2.6); }, "3", nullptr},
        {"COUNT", [](TField* f) { f->SetAsString(""); }, "",
         [](TField* f) {
             EXPECT_TRUE(f->IsNull());
             EXPECT_EQ(f->AsInteger(), 0);
         }},
        {"DONE", [](TField* f) { f->SetAsString("yes"); }, "True",
         [](TField* f) { EXPECT_EQ(f->AsInteger(), 1); }},
        {"DONE", [](TField* f) { f->SetAsInteger(0); }, "False",
         [](TField* f) { EXPECT_FALSE(f->AsBoolean()); }},
        {"RATE", [](TField* f) { f->SetAsString("2.5"); }, "2.5",
         [](TField* f) {
             EXPECT_EQ(f->AsFloat(), 2.5);
             EXPECT_EQ(f->AsInteger(), 3);
         }},
        {"WHEN", [](TField* f) { f->SetAsDateTime(EncodeDateTime(2024, 3, 5, 14, 30, 0, 0)); },
         "3/5/2024 2:30:00 PM",
         [](TField* f) {
             EXPECT_EQ(f->AsFloat(), StoredDateTime(EncodeDateTime(2024, 3, 5, 14, 30, 0, 0)));
         }},
        {"WHEN", [](TField* f) { f->SetEditText("3/6/2024"); }, "3/6/2024",
         [](TField* f) { EXPECT_EQ(f->AsDateTime(), EncodeDate(2024, 3, 6)); }},
        // A date field keeps the day, a time field the time of day.
        {"DAY", [](TField* f) { f->SetAsDateTime(EncodeDateTime(2024, 3, 5, 14, 30, 0, 0)); },
         "3/5/2024", [](TField* f) { EXPECT_EQ(f->AsDateTime(), EncodeDate(2024, 3, 5)); }},
        {"CLOCK", [](TField* f) { f->SetAsDateTime(EncodeDateTime(2024, 3, 5, 14, 30, 0, 0)); },
         "2:30:00 PM", [](TField* f) { EXPECT_NEAR(f->AsDateTime(), 14.5 / 24, 1e-9); }},
        {"RATE", [](TField* f) { f->SetAsFloat(std::nan("")); }, "",
         [](TField* f) { EXPECT_TRUE(f->IsNull()); }},
        {"MEMO", [](TField* f) { f->SetValue(QVariant(3.5)); }, "3.5", nullptr},
        {"DONE", [](TField* f) { f->SetValue(QVariant(true)); }, "True",
         [](TField* f) { EXPECT_EQ(f->Value(), QVariant(true)); }},
    };
    for (const Case& c : cases) {
        TField* field = F(c.field);
        SCOPED_TRACE(std::string(c.field) + " " + c.asString.left(20).toStdString());
        c.set(field);
        EXPECT_EQ(field->AsString(), c.asString);
        EXPECT_EQ(field->DisplayText(), c.asString);
        if (c.check)
            c.check(field);
        // What the file gives back after posting and reopening is what was read.
        const QVariant before = field->Value();
        m_table->Post();
        m_table->Close();
        m_table->Open();
        m_table->Last();
        EXPECT_EQ(m_table->FieldByName(c.field)->Value(), before);
        m_table->Append();
        F("MUST")->SetAsInteger(0);
    }
}

TEST_F(FieldTest, WrongTypesAndBadTextRaiseAndChangeNothing)
{
    F("COUNT")->SetAsInteger(5);
    struct Case
    {
        const char* name;
        std::function<void()> act;
        bool isConvertError;
    };
    const Case cases[] = {
        {"integer as date-time", [&] { F("COUNT")->AsDateTime(); }, false},
        {"date-time as integer", [&] { F("WHEN")->SetAsInteger(1); }, false},
        {"Boolean as float", [&] { F("DONE")->AsFloat(); }, false},
        {"date-time as Boolean", [&] { F("WHEN")->SetAsBoolean(true); }, false},
        {"text that is no number", [&] { F("COUNT")->SetAsString("five"); }, true},
        {"text that is no Boolean", [&] { F("DONE")->SetAsString("maybe"); }, true},
        {"text that is no date", [&] { F("WHEN")->SetAsString("31/31/2024"); }, true},
        {"a variant that is no number", [&] { F("COUNT")->SetValue(QVariant("x")); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.isConvertError)
            EXPECT_THROW(c.act(), EConvertError);
        else
            EXPECT_THROW(c.act(), EDatabaseError);
        EXPECT_EQ(F("COUNT")->AsInteger(), 5);
    }
    try {
        F("COUNT")->AsDateTime();
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Cannot access field 'COUNT' as type DateTime");
    }
}

TEST_F(FieldTest, SettingNeedsEditStateAndAModifiableField)
{
    m_table->Post();
    EXPECT_THROW(F("COUNT")->SetAsInteger(1), EDatabaseError);
    m_table->Edit();
    F("COUNT")->SetReadOnly(true);
    EXPECT_FALSE(F("COUNT")->CanModify());
    EXPECT_THROW(F("COUNT")->SetAsInteger(1), EDatabaseError);
    EXPECT_THROW(F("ID")->SetAsInteger(1), EDatabaseError);
    EXPECT_FALSE(m_table->Modified());
    F("NAME")->Clear();
    EXPECT_TRUE(m_table->Modified());
    EXPECT_TRUE(F("NAME")->IsNull());
}

TEST_F(FieldTest, DateTimesAreJulianDaysThatRoundTripExactly)
{
    // Whole milliseconds across the calendar, and values with no round fraction at all.
    const TDateTime values[] = {
        EncodeDateTime(2024, 2, 29, 23, 59, 59, 999),
        EncodeDateTime(1, 1, 1, 0, 0, 0, 1),
        EncodeDateTime(9999, 12, 31, 12, 0, 0, 0),
        EncodeDateTime(1899, 12, 29, 6, 0, 0, 0),
        45123.123456789012,
        0.0,
    };
    for (TDateTime value : values) {
        SCOPED_TRACE(value);
        F("WHEN")->SetAsDateTime(value);
        const TDateTime inMemory = F("WHEN")->AsDateTime();
        int y, m, d, h, n, s, ms, y2, m2, d2, h2, n2, s2, ms2;
        DecodeDateTime(value, y, m, d, h, n, s, ms);
        DecodeDateTime(inMemory, y2, m2, d2, h2, n2, s2, ms2);
        EXPECT_EQ(std::tuple(y, m, d, h, n, s, ms), std::tuple(y2, m2, d2, h2, n2, s2, ms2));
        m_table->Post();
        const qlonglong id = F("ID")->Value().toLongLong();
        m_table->Close();
        m_table->Open();
        ASSERT_TRUE(m_table->Locate("ID", id));
        EXPECT_EQ(F("WHEN")->AsDateTime(), inMemory); // bit for bit
        // Posting it unchanged writes the same bits again.
        m_table->Edit();
        F("WHEN")->SetAsDateTime(F("WHEN")->AsDateTime());
        m_table->Post();
        m_table->Close();
        m_table->Open();
        ASSERT_TRUE(m_table->Locate("ID", id));
        EXPECT_EQ(F("WHEN")->AsDateTime(), inMemory);
        m_table->Append();
        F("MUST")->SetAsInteger(0);
    }
    // SQLite's own date functions read the stored values.
    m_table->Cancel();
    m_table->First();
    m_table->Edit();
    F("WHEN")->SetAsDateTime(EncodeDateTime(2024, 3, 5, 14, 30, 15, 0));
    m_table->Post();
    TRawDb raw(Path("types.db"));
    EXPECT_EQ(raw.Value("SELECT datetime(\"WHEN\") FROM types WHERE ID = 1").toString(),
              "2024-03-05 14:30:15");
    EXPECT_EQ(raw.Value("SELECT typeof(\"WHEN\") FROM types WHERE ID = 1").toString(), "real");
}

TEST_F(FieldTest, DisplayTextAtReadsAnyRowWithoutMovingAndShowsTheEditBuffer)
{
    F("NAME")->SetAsString("one");
    m_table->Post();
    m_table->Append();
    F("MUST")->SetAsInteger(0);
    F("NAME")->SetAsString("two");
    m_table->Post();
    m_table->First();
    m_table->Edit();
    F("NAME")->SetAsString("uno");
    EXPECT_EQ(F("NAME")->DisplayTextAt(1), "uno");
    EXPECT_EQ(F("NAME")->DisplayTextAt(2), "two");
    EXPECT_FALSE(F("NAME")->IsNullAt(2));
    EXPECT_TRUE(F("MEMO")->IsNullAt(2));
    EXPECT_EQ(m_table->RecNo(), 1);
    EXPECT_THROW(F("NAME")->DisplayTextAt(3), EListError);
    m_table->Cancel();
    EXPECT_EQ(F("NAME")->DisplayTextAt(1), "one");
}
