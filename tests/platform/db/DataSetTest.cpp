// The dataset's behaviour as the bindings rely on it: scans, the implicit post, inserting
// at the current row, bookmarks that survive deletes, Locate, and a long random run of
// edits checked against a plain list.
#include "DbTestSupport.h"
#include "platform/core/Exceptions.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Field.h"

#include <functional>
#include <random>

namespace {

using DatasetTest = TDbTest;

QString key(TDataSet& table)
{
    return table.FieldByName("KEY")->AsString();
}

void setKey(TDataSet& table, const QString& value)
{
    table.FieldByName("KEY")->SetAsString(value);
}

} // namespace

TEST_F(DatasetTest, ScanVisitsEveryRecordInTableOrder)
{
    auto table = OpenTodoTable(4);
    EXPECT_EQ(table->RecordCount(), 4);
    EXPECT_EQ(Keys(*table), (QStringList{"K1", "K2", "K3", "K4"}));
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->RecNo(), 4);

    struct Case
    {
        const char* name;
        std::function<int(TTable&)> move; // returns what the move returned, or 0
        int moved, recNo;
        bool eof, bof;
    };
    // Each starts at row 2 of 4.
    const Case cases[] = {
        {"first", [](TTable& t) { return t.First(), 0; }, 0, 1, false, true},
        {"last", [](TTable& t) { return t.Last(), 0; }, 0, 4, true, false},
        {"next", [](TTable& t) { return t.Next(), 0; }, 0, 3, false, false},
        {"move by 2", [](TTable& t) { return t.MoveBy(2); }, 2, 4, false, false},
        {"move by 10 stops at the end", [](TTable& t) { return t.MoveBy(10); }, 2, 4, true, false},
        {"move by -10 stops at the start", [](TTable& t) { return t.MoveBy(-10); }, -1, 1, false,
         true},
        {"prior onto the first row", [](TTable& t) { return t.Prior(), 0; }, 0, 1, false, false},
        {"prior from the first row",
         [](TTable& t) {
             t.First();
             t.Next();
             t.Prior();
             return t.Prior(), 0;
         },
         0, 1, false, true},
        {"next from the last row",
         [](TTable& t) {
             t.Last();
             t.Prior();
             t.Next();
             return t.Next(), 0;
         },
         0, 4, true, false},
        {"set rec no 3", [](TTable& t) { return t.SetRecNo(3), 0; }, 0, 3, false, false},
        {"set rec no 99 is clamped", [](TTable& t) { return t.SetRecNo(99), 0; }, 0, 4, false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table->SetRecNo(2);
        EXPECT_EQ(c.move(*table), c.moved);
        EXPECT_EQ(table->RecNo(), c.recNo);
        EXPECT_EQ(table->Eof(), c.eof);
        EXPECT_EQ(table->Bof(), c.bof);
    }
}

TEST_F(DatasetTest, AnEmptyTableIsAtBothEnds)
{
    auto table = OpenTodoTable(0);
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_TRUE(table->Eof());
    EXPECT_TRUE(table->Bof());
    EXPECT_EQ(table->RecNo(), 0);
    table->Next();
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(table->FieldByName("KEY")->AsString(), "");
    EXPECT_TRUE(table->GetBookmark().IsEmpty());
    EXPECT_THROW(table->Delete(), EDatabaseError);
    // Editing an empty table starts a new record, as a grid typing into it expects.
    table->Edit();
    EXPECT_EQ(table->State(), TDataSetState::dsInsert);
    EXPECT_EQ(table->RecordCount(), 1);
}

TEST_F(DatasetTest, ImplicitPostPostsAModifiedRecordAndCancelsAnUnmodifiedOne)
{
    struct Case
    {
        const char* name;
        std::function<void(TTable&)> leave;
    };
    const Case cases[] = {
        {"first", [](TTable& t) { t.First(); }},
        {"last", [](TTable& t) { t.Last(); }},
        {"next", [](TTable& t) { t.Next(); }},
        {"prior", [](TTable& t) { t.Prior(); }},
        {"move by", [](TTable& t) { t.MoveBy(1); }},
        {"set rec no", [](TTable& t) { t.SetRecNo(1); }},
        {"locate", [](TTable& t) { t.Locate("KEY", "K1"); }},
        {"go to bookmark",
         [](TTable& t) {
             // Taken in insert state: the bookmark names the pending record itself.
             t.GotoBookmark(t.GetBookmark());
         }},
        {"insert", [](TTable& t) { t.Insert(); }},
        {"append", [](TTable& t) { t.Append(); }},
        {"close", [](TTable& t) { t.Close(); }},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString table_ = QString("implicit%1").arg(++n);
        auto table = OpenTodoTable(2, table_ + ".db");
        TRawDb raw(Path(table_ + ".db"));
        auto reopenAndSettle = [&] {
            if (!table->Active())
                table->Open();
            // Insert and Append leave a fresh, unmodified record of their own.
            table->CheckBrowseMode();
        };

        // A modified insert, as the to-do list leaves it pending.
        table->SetRecNo(2);
        table->Insert();
        setKey(*table, "NEW");
        c.leave(*table);
        EXPECT_EQ(raw.Value("SELECT count(*) FROM " + table_ + " WHERE KEY = 'NEW'").toInt(), 1);
        reopenAndSettle();

        // A modified edit.
        ASSERT_TRUE(table->Locate("KEY", "K1"));
        table->Edit();
        table->FieldByName("SUBJECT")->SetAsString("edited");
        c.leave(*table);
        EXPECT_EQ(raw.Value("SELECT SUBJECT FROM " + table_ + " WHERE KEY = 'K1'").toString(),
                  "edited");
        reopenAndSettle();

        // An unmodified insert leaves nothing behind.
        const int count = table->RecordCount();
        table->Insert();
        if (QString(c.name) == "go to bookmark")
            EXPECT_THROW(c.leave(*table), EDatabaseError); // the record it named is gone
        else
            c.leave(*table);
        reopenAndSettle();
        EXPECT_EQ(table->RecordCount(), count);
        EXPECT_EQ(raw.Value("SELECT count(*) FROM " + table_).toInt(), count);
    }
}

TEST_F(DatasetTest, InsertGoesAtTheCurrentRowAndAppendAtTheEnd)
{
    auto table = OpenTodoTable(3);
    table->SetRecNo(2);
    table->Insert();
    EXPECT_EQ(table->RecNo(), 2);
    setKey(*table, "I");
    table->Post();
    EXPECT_EQ(table->RecNo(), 2);
    table->Append();
    EXPECT_EQ(table->RecNo(), 5);
    setKey(*table, "A");
    table->Post();
    EXPECT_EQ(Keys(*table), (QStringList{"K1", "I", "K2", "K3", "A"}));
    // While inserting, the grid sees the new row where it will be, empty.
    table->SetRecNo(1);
    table->Insert();
    EXPECT_EQ(table->FieldByName("KEY")->DisplayTextAt(1), "");
    EXPECT_EQ(table->FieldByName("KEY")->DisplayTextAt(2), "K1");
    table->Cancel();
    EXPECT_EQ(table->RecordCount(), 5);
    EXPECT_EQ(key(*table), "K1");
    // Reopened, the file's order shows: posted records come last.
    table->Close();
    table->Open();
    EXPECT_EQ(Keys(*table), (QStringList{"K1", "K2", "K3", "I", "A"}));
}

TEST_F(DatasetTest, DeleteMakesTheFollowingRowCurrent)
{
    auto table = OpenTodoTable(3);
    table->SetRecNo(2);
    table->Delete();
    EXPECT_EQ(key(*table), "K3");
    table->Delete();
    EXPECT_EQ(key(*table), "K1"); // the last went: the new last is current
    table->Delete();
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_TRUE(table->Eof());
    EXPECT_EQ(TRawDb(Path("tododb.db")).Value("SELECT count(*) FROM tododb").toInt(), 0);
}

TEST_F(DatasetTest, BookmarksSurviveDeletesAndInsertsAroundThem)
{
    auto table = OpenTodoTable(5);
    table->SetRecNo(3);
    TBookmark third = table->GetBookmark();
    table->SetRecNo(5);
    TBookmark fifth = table->GetBookmark();

    table->First();
    table->Delete(); // K1
    // Many inserts at one place use up the gaps between order numbers and renumber
    // everything; bookmarks must still find their records.
    table->SetRecNo(2);
    for (int i = 0; i < 70; ++i) {
        table->Insert();
        setKey(*table, QString("N%1").arg(i));
        table->Post();
    }
    EXPECT_TRUE(table->BookmarkValid(third));
    table->GotoBookmark(third);
    EXPECT_EQ(key(*table), "K3");

    table->GotoBookmark(fifth);
    table->Delete();
    EXPECT_FALSE(table->BookmarkValid(fifth));
    const int before = table->RecNo();
    EXPECT_THROW(table->GotoBookmark(fifth), EDatabaseError);
    EXPECT_EQ(table->RecNo(), before);

    table->FreeBookmark(third);
    EXPECT_TRUE(third.IsEmpty());
    EXPECT_FALSE(table->BookmarkValid(third));
    // A bookmark does not outlive the open table it was taken in.
    table->First();
    TBookmark first = table->GetBookmark();
    table->Close();
    table->Open();
    EXPECT_FALSE(table->BookmarkValid(first));
}

TEST_F(DatasetTest, LocateFindsTheFirstExactMatchAndKeepsItsIndexCurrent)
{
    auto table = OpenTodoTable(6);
    table->SetRecNo(4);
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("Subject 2");
    table->Post();

    struct Case
    {
        const char* field;
        QVariant value;
        bool found;
        QString key; // current afterwards
    };
    const Case cases[] = {
        {"KEY", "K5", true, "K5"},
        {"KEY", "k5", false, "K5"},           // case-sensitive: stays put
        {"KEY", "K5 ", false, "K5"},          // exact
        {"SUBJECT", "Subject 2", true, "K2"}, // the first of two, in row order
        {"PRIORITY", 4, true, "K4"},
        {"PRIORITY", "3", true, "K3"}, // text converts to the field's type
        {"PRIORITY", "three", false, "K3"},
        {"COMPLETIONDATE", 45006.0, true, "K6"},
        {"NOTES", QVariant(), false, "K6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.value.toString().toStdString());
        EXPECT_EQ(table->Locate(c.field, c.value), c.found);
        EXPECT_EQ(key(*table), c.key);
    }

    // The index follows posts and deletes.
    ASSERT_TRUE(table->Locate("KEY", "K1"));
    table->Edit();
    setKey(*table, "K1-renamed");
    table->Post();
    EXPECT_FALSE(table->Locate("KEY", "K1"));
    EXPECT_TRUE(table->Locate("KEY", "K1-renamed"));
    table->Delete();
    EXPECT_FALSE(table->Locate("KEY", "K1-renamed"));
    table->Append();
    setKey(*table, "K1");
    table->Post();
    table->First();
    EXPECT_TRUE(table->Locate("KEY", "K1"));
    EXPECT_EQ(table->RecNo(), table->RecordCount());
    // A null value finds a null field: the K1 appended above has no notes.
    table->First();
    EXPECT_TRUE(table->Locate("NOTES", QVariant()));
    EXPECT_EQ(key(*table), "K1");
}

TEST_F(DatasetTest, LocateFindsTheOtherOfTwoEqualRecordsAfterTheFirstIsDeleted)
{
    auto table = OpenTodoTable(3);
    // K1 as read from the file, K3 edited to share its subject; the index is built before
    // the delete.
    table->Close();
    table->Open();
    table->SetRecNo(3);
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("Subject 1");
    table->Post();
    ASSERT_TRUE(table->Locate("SUBJECT", "Subject 1"));
    EXPECT_EQ(key(*table), "K1");
    table->Delete();
    ASSERT_TRUE(table->Locate("SUBJECT", "Subject 1"));
    EXPECT_EQ(key(*table), "K3");
    // And after the second is gone too, nothing.
    table->Delete();
    EXPECT_FALSE(table->Locate("SUBJECT", "Subject 1"));
    EXPECT_EQ(Keys(*table), QStringList{"K2"});
}

TEST_F(DatasetTest, FieldByNameOfAMissingFieldRaisesTheLayersError)
{
    auto table = OpenTodoTable(1);
    EXPECT_EQ(table->FieldByName("subject"), table->FieldByName("SUBJECT"));
    EXPECT_EQ(table->FindField("DUEDATE"), nullptr);
    try {
        table->FieldByName("DUEDATE");
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Field 'DUEDATE' not found");
    }
    EXPECT_THROW(table->Locate("DUEDATE", "x"), EDatabaseError);
    EXPECT_THROW(table->Fields(5), EListError);
    table->Close();
    EXPECT_THROW(table->RecordCount(), EDatabaseError);
    EXPECT_EQ(table->FieldCount(), 0);
}

TEST_F(DatasetTest, AFailedPostKeepsTheRecordInEditStateWithItsValues)
{
    TFieldDefs defs = TodoFieldDefs();
    defs.Add("OWNER", TFieldType::ftString, 10, true);
    auto table = NewTable("tododb.db", defs);
    table->CreateTable();
    table->Open();
    table->Append();
    setKey(*table, "K1");
    try {
        table->Post();
        FAIL() << "no error";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "Field 'OWNER' must have a value");
    }
    EXPECT_EQ(table->State(), TDataSetState::dsInsert);
    EXPECT_EQ(key(*table), "K1");
    // Moving away tries the post again and fails the same way, staying put.
    EXPECT_THROW(table->First(), EDatabaseError);
    EXPECT_EQ(table->State(), TDataSetState::dsInsert);
    table->FieldByName("OWNER")->SetAsString("me");
    table->Post();
    EXPECT_EQ(TRawDb(Path("tododb.db")).Value("SELECT OWNER FROM tododb").toString(), "me");
}

TEST_F(DatasetTest, AnAutoIncrementKeyIsReadableAfterPost)
{
    auto table = NewTable("plandb.db",
                          {{"ID", TFieldType::ftAutoInc}, {"SUBJECT", TFieldType::ftString, 40}});
    table->CreateTable();
    table->Open();
    TField* id = table->FieldByName("ID");
    EXPECT_FALSE(id->CanModify());
    EXPECT_TRUE(table->FieldByName("SUBJECT")->CanModify());
    std::vector<int> ids;
    for (int i = 0; i < 3; ++i) {
        table->Append();
        EXPECT_TRUE(id->IsNull());
        EXPECT_THROW(id->SetAsInteger(7), EDatabaseError);
        table->FieldByName("SUBJECT")->SetAsString(QString("s%1").arg(i));
        table->Post();
        ids.push_back(id->AsInteger());
    }
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(table->Locate("ID", 2));
    EXPECT_EQ(table->FieldByName("SUBJECT")->AsString(), "s1");
    // Keys are never handed out twice, even after the last record was deleted.
    table->Last();
    table->Delete();
    table->Append();
    table->Post();
    EXPECT_EQ(id->AsInteger(), 4);
}

TEST_F(DatasetTest, AReadOnlyTableRefusesEveryChange)
{
    OpenTodoTable(2).reset();
    auto table = NewTable();
    table->SetReadOnly(true);
    table->Open();
    EXPECT_FALSE(table->CanModify());
    EXPECT_FALSE(table->FieldByName("KEY")->CanModify());
    EXPECT_THROW(table->Edit(), EDatabaseError);
    EXPECT_THROW(table->Append(), EDatabaseError);
    EXPECT_THROW(table->Delete(), EDatabaseError);
    EXPECT_THROW(table->SetReadOnly(false), EDatabaseError);
    EXPECT_EQ(table->RecordCount(), 2);
}

TEST_F(DatasetTest, RandomEditsMatchAPlainListAndTheFile)
{
    // Every operation of the bindings, in a long random mix, against a list of keys kept by
    // hand; the file must hold the same records afterwards.
    auto table = OpenTodoTable(20);
    QStringList model;
    for (int i = 1; i <= 20; ++i)
        model << QString("K%1").arg(i);
    std::vector<std::pair<TBookmark, QString>> bookmarks;
    std::mt19937 random(12345);
    int next = 100;
    for (int step = 0; step < 1000; ++step) {
        SCOPED_TRACE(step);
        const int row = table->RecNo() - 1;
        switch (random() % 7) {
        case 0: // insert at the current row, left pending or posted
        case 1: {
            const QString k = QString("N%1").arg(next++);
            const bool append = random() % 2;
            append ? table->Append() : table->Insert();
            setKey(*table, k);
            model.insert(append ? model.size() : std::max(row, 0), k);
            if (random() % 2)
                table->Post();
            break;
        }
        case 2: // delete
            if (!model.isEmpty()) {
                table->CheckBrowseMode();
                const int current = table->RecNo() - 1;
                table->Delete();
                model.removeAt(current);
            }
            break;
        case 3: { // locate a key and rename it
            if (model.isEmpty())
                break;
            const int target = int(random() % model.size());
            ASSERT_TRUE(table->Locate("KEY", model[target]));
            ASSERT_EQ(table->RecNo() - 1, target);
            table->Edit();
            model[target] = QString("R%1").arg(next++);
            setKey(*table, model[target]);
            break;
        }
        case 4: // move
            table->MoveBy(int(random() % 11) - 5);
            break;
        case 5: // take a bookmark
            if (!model.isEmpty())
                bookmarks.emplace_back(table->GetBookmark(), key(*table));
            break;
        case 6: // go back to a bookmark when it is still valid
            if (!bookmarks.empty()) {
                const size_t b = random() % bookmarks.size();
                table->CheckBrowseMode();
                if (table->BookmarkValid(bookmarks[b].first)) {
                    table->GotoBookmark(bookmarks[b].first);
                    // The record may have been renamed since; its row must still be right.
                    ASSERT_TRUE(model.contains(key(*table)));
                } else {
                    bookmarks.erase(bookmarks.begin() + long(b));
                }
            }
            break;
        }
        table->CheckBrowseMode();
        ASSERT_EQ(table->RecordCount(), model.size());
        if (!model.isEmpty()) {
            ASSERT_EQ(key(*table), model[table->RecNo() - 1]);
        }
    }
    EXPECT_EQ(Keys(*table), model);
    table.reset();
    QStringList inFile;
    for (const QVariantList& row : TRawDb(Path("tododb.db")).Rows("SELECT KEY FROM tododb"))
        inFile << row.first().toString();
    model.sort();
    inFile.sort();
    EXPECT_EQ(inFile, model);
}
