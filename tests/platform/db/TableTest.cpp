// Table files: making them, refusing every file that is not a usable deskhive table
// without touching it, writing through at once and only what changed, quoting names, the
// lock against a second deskhive and stale or broken lock files, and another program
// holding the file busy or deleting a record.
#include "DbTestSupport.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Field.h"
#include "platform/db/SqliteTableFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

using TableTest = TDbTest;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString openError(TTable& table)
{
    try {
        table.Open();
    } catch (const EDatabaseError& error) {
        return error.Message();
    }
    return "opened";
}

} // namespace

TEST_F(TableTest, CreateTableMakesAMarkedFileThatOpensEmpty)
{
    auto table = NewTable();
    EXPECT_FALSE(table->Exists());
    table->CreateTable();
    EXPECT_TRUE(table->Exists());
    EXPECT_EQ(table->FileName(), Path("tododb.db"));
    {
        TRawDb raw(Path("tododb.db"));
        EXPECT_EQ(raw.Value("PRAGMA application_id").toInt(), TSqliteTableFile::ApplicationId);
        EXPECT_EQ(raw.Value("PRAGMA user_version").toInt(), TSqliteTableFile::FormatVersion);
        EXPECT_EQ(raw.Value("PRAGMA journal_mode").toString(), "delete");
        EXPECT_EQ(
            raw.Value("SELECT type FROM pragma_table_info('tododb') WHERE name = 'KEY'").toString(),
            "VARCHAR(38)");
    }
    table->Open();
    EXPECT_TRUE(table->IsEmpty());
    EXPECT_EQ(table->FieldCount(), 5);
    // Never over an existing file, open or not.
    EXPECT_THROW(table->CreateTable(), EDatabaseError);
    table->Close();
    const QByteArray sum = FileChecksum(Path("tododb.db"));
    EXPECT_THROW(table->CreateTable(), EDatabaseError);
    EXPECT_EQ(FileChecksum(Path("tododb.db")), sum);
    EXPECT_FALSE(QFileInfo::exists(Path("tododb.db.new")));

    auto noFields = NewTable("none.db", {});
    EXPECT_THROW(noFields->CreateTable(), EDatabaseError);
    EXPECT_FALSE(noFields->Exists());
    auto noFolder = NewTable("missing/x.db");
    EXPECT_THROW(noFolder->CreateTable(), EDatabaseError);
}

TEST_F(TableTest, OpeningAndClosingAGoodFileChangesNoByte)
{
    OpenTodoTable(3).reset();
    const QByteArray sum = FileChecksum(Path("tododb.db"));
    auto table = NewTable();
    table->Open();
    table->Next();
    table->Edit();
    table->Cancel();
    table->Close();
    EXPECT_EQ(FileChecksum(Path("tododb.db")), sum);
    EXPECT_FALSE(QFileInfo::exists(Path("tododb.db.lock")));
}

TEST_F(TableTest, BadFilesFailCleanlyAndStayAsTheyWere)
{
    // A good table of ours to damage in various ways.
    OpenTodoTable(300, "good.db").reset();
    QFile good(Path("good.db"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray goodBytes = good.readAll();

    struct Case
    {
        const char* name;
        std::function<void(const QString& path)> make; // nullptr: no file at all
        const char* messagePart;
    };
    const Case cases[] = {
        {"missing file", nullptr, "does not exist"},
        {"empty file", [](const QString& p) { writeFile(p, QByteArray()); }, "is empty"},
        {"garbage bytes",
         [](const QString& p) { writeFile(p, QByteArray(4096, '\x5a') + "not a database"); },
         "not an SQLite database"},
        {"text that starts like SQLite",
         [](const QString& p) { writeFile(p, QByteArray("SQLite format 3") + QByteArray(200, 0)); },
         "not an SQLite database"},
        {"another program's database",
         [](const QString& p) {
             writeFile(p, QByteArray());
             TRawDb(p).Exec("CREATE TABLE notes (x)");
         },
         "another program"},
        {"our file with a second table",
         [&](const QString& p) {
             writeFile(p, goodBytes);
             TRawDb(p).Exec("CREATE TABLE extra (x)");
         },
         "2 tables"},
        {"our file lacking a field the program needs",
         [&](const QString& p) {
             writeFile(p, goodBytes);
             TRawDb(p).Exec("ALTER TABLE good DROP COLUMN NOTES");
         },
         "Field 'NOTES' not found"},
        {"our file with a field of another type",
         [&](const QString& p) {
             writeFile(p, goodBytes);
             TRawDb raw(p);
             raw.Exec("ALTER TABLE good DROP COLUMN PRIORITY");
             raw.Exec("ALTER TABLE good ADD COLUMN PRIORITY TEXT");
         },
         "is Memo, not Integer"},
        {"our file with a column type we never write",
         [&](const QString& p) {
             writeFile(p, goodBytes);
             TRawDb(p).Exec("ALTER TABLE good ADD COLUMN ODD BLOB");
         },
         "do not use"},
        {"a damaged page",
         [&](const QString& p) {
             QByteArray bytes = goodBytes;
             bytes.replace(2 * 4096, 4096, QByteArray(4096, '\xff'));
             writeFile(p, bytes);
         },
         "damaged"},
        {"cut short", [&](const QString& p) { writeFile(p, goodBytes.left(goodBytes.size() / 2)); },
         "damaged"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path(QString("bad%1.db").arg(++n));
        if (c.make)
            c.make(path);
        const QByteArray before = FileChecksum(path);
        TTable table;
        table.SetDatabaseName(m_dir.path());
        table.SetTableName(QFileInfo(path).fileName());
        table.FieldDefs() = TodoFieldDefs();
        const QString message = openError(table);
        EXPECT_TRUE(message.contains(c.messagePart)) << message.toStdString();
        EXPECT_FALSE(table.Active());
        EXPECT_EQ(table.FieldCount(), 0);
        EXPECT_EQ(FileChecksum(path), before);
        EXPECT_EQ(QFileInfo::exists(path), bool(c.make));
        EXPECT_FALSE(QFileInfo::exists(path + "-journal"));
        EXPECT_FALSE(QFileInfo::exists(path + ".lock"));
    }
}

TEST_F(TableTest, PostAndDeleteAreInTheFileWhenTheyReturn)
{
    auto table = OpenTodoTable(2);
    TRawDb raw(Path("tododb.db"));
    auto subjects = [&] {
        QStringList list;
        for (const QVariantList& row : raw.Rows("SELECT SUBJECT FROM tododb ORDER BY rowid"))
            list << row.first().toString();
        return list;
    };
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("first, edited");
    EXPECT_EQ(subjects(), (QStringList{"Subject 1", "Subject 2"}));
    table->Post();
    EXPECT_EQ(subjects(), (QStringList{"first, edited", "Subject 2"}));
    table->Append();
    table->FieldByName("SUBJECT")->SetAsString("it's \"quoted\"; DROP TABLE tododb; --");
    table->Post();
    EXPECT_EQ(subjects(), (QStringList{"first, edited", "Subject 2",
                                       "it's \"quoted\"; DROP TABLE tododb; --"}));
    table->First();
    table->Delete();
    EXPECT_EQ(subjects(), (QStringList{"Subject 2", "it's \"quoted\"; DROP TABLE tododb; --"}));
    // Nothing is held between writes: another program can take the write lock at once.
    raw.Exec("BEGIN IMMEDIATE");
    raw.Exec("ROLLBACK");
    EXPECT_EQ(raw.Value("PRAGMA integrity_check").toString(), "ok");
}

TEST_F(TableTest, FieldNamesCanNeverChangeAStatement)
{
    auto table = OpenTodoTable(2);
    table->Close();
    const QByteArray sum = FileChecksum(Path("tododb.db"));
    const QString evil = "SUBJECT\" = '' ; DROP TABLE tododb; --";
    table->Open();
    EXPECT_THROW(table->FieldByName(evil), EDatabaseError);
    EXPECT_THROW(table->Locate(evil, "x"), EDatabaseError);
    table->Close();
    table->FieldDefs().Add(evil, TFieldType::ftMemo);
    EXPECT_TRUE(openError(*table).contains("not found"));
    EXPECT_EQ(FileChecksum(Path("tododb.db")), sum);

    // A table whose own column names look like SQL works like any other.
    const TFieldDefs odd{{"a\"b", TFieldType::ftString, 10},
                         {"x); DROP TABLE t; --", TFieldType::ftInteger},
                         {"select", TFieldType::ftMemo}};
    auto strange = NewTable("str\"ange.db", odd);
    strange->CreateTable();
    strange->Open();
    strange->Append();
    strange->FieldByName("a\"b")->SetAsString("v");
    strange->FieldByName("x); DROP TABLE t; --")->SetAsInteger(7);
    strange->FieldByName("select")->SetAsString("s");
    strange->Post();
    strange->Edit();
    strange->FieldByName("select")->SetAsString("t");
    strange->Post();
    EXPECT_TRUE(strange->Locate("x); DROP TABLE t; --", 7));
    strange->Close();
    strange->Open();
    EXPECT_EQ(strange->FieldByName("a\"b")->AsString(), "v");
    EXPECT_EQ(strange->FieldByName("select")->AsString(), "t");
    TRawDb raw(Path("str\"ange.db"));
    EXPECT_EQ(raw.Value("SELECT count(*) FROM sqlite_schema WHERE type = 'table'").toInt(), 1);
}

TEST_F(TableTest, ASecondDeskhiveCannotOpenATableInUse)
{
    auto first = OpenTodoTable(1);
    EXPECT_TRUE(QFileInfo::exists(Path("tododb.db.lock")));
    auto second = NewTable();
    EXPECT_TRUE(openError(*second).contains("in use by another running deskhive"));
    EXPECT_THROW(second->CreateTable(), EDatabaseError);
    // The first keeps working, and once it closes the second gets in.
    first->Edit();
    first->FieldByName("SUBJECT")->SetAsString("mine");
    first->Post();
    first->Close();
    EXPECT_FALSE(QFileInfo::exists(Path("tododb.db.lock")));
    second->Open();
    EXPECT_EQ(second->FieldByName("SUBJECT")->AsString(), "mine");
}

TEST_F(TableTest, ABusyFileGivesAnErrorAfterTheBoundedWaitAndLeavesTheRecordUnposted)
{
    auto table = OpenTodoTable(1);
    table->SetBusyTimeout(50);
    TRawDb other(Path("tododb.db"));
    other.Exec("BEGIN EXCLUSIVE");

    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("waiting");
    try {
        table->Post();
        FAIL() << "posted through an exclusive lock";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().contains("another program holds it locked"))
            << error.Message().toStdString();
    }
    EXPECT_EQ(table->State(), TDataSetState::dsEdit);
    EXPECT_TRUE(table->Modified());
    EXPECT_EQ(table->FieldByName("SUBJECT")->AsString(), "waiting");
    EXPECT_THROW(table->Delete(), EDatabaseError);
    EXPECT_EQ(table->RecordCount(), 1);

    // Opening waits the same bounded time.
    table->Cancel();
    table->Close();
    EXPECT_TRUE(openError(*table).contains("locked"));

    other.Exec("ROLLBACK");
    table->Open();
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("waiting");
    table->Post();
    EXPECT_EQ(other.Value("SELECT SUBJECT FROM tododb").toString(), "waiting");
}

TEST_F(TableTest, NamesChangeOnlyWhileClosed)
{
    auto table = OpenTodoTable(0);
    EXPECT_THROW(table->SetTableName("other.db"), EDatabaseError);
    EXPECT_THROW(table->SetDatabaseName("/"), EDatabaseError);
    EXPECT_EQ(table->TableName(), "tododb.db");
    table->Close();
    table->SetTableName("");
    EXPECT_THROW(table->Open(), EDatabaseError);
}

TEST_F(TableTest, APendingRecordIsSavedWhenTheTableIsDestroyed)
{
    auto table = OpenTodoTable(1);
    table->Append();
    table->FieldByName("KEY")->SetAsString("pending");
    table.reset();
    EXPECT_EQ(TRawDb(Path("tododb.db"))
                  .Value("SELECT count(*) FROM tododb WHERE KEY = 'pending'")
                  .toInt(),
              1);
}

TEST_F(TableTest, AnEditOfARecordAnotherProgramDeletedRaisesAndStaysPending)
{
    auto table = OpenTodoTable(2);
    TRawDb(Path("tododb.db")).Exec("DELETE FROM tododb WHERE KEY = 'K1'");
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("lost?");
    try {
        table->Post();
        FAIL() << "a post into a deleted record reported success";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().contains("no longer in the file"))
            << error.Message().toStdString();
    }
    EXPECT_EQ(table->State(), TDataSetState::dsEdit);
    EXPECT_EQ(table->FieldByName("SUBJECT")->AsString(), "lost?");
    // Nothing else was touched meanwhile, and nothing came back.
    TRawDb raw(Path("tododb.db"));
    EXPECT_EQ(raw.Value("SELECT COUNT(*) FROM tododb").toInt(), 1);
    EXPECT_EQ(raw.Value("SELECT SUBJECT FROM tododb").toString(), "Subject 2");
}

TEST_F(TableTest, APostWritesOnlyTheFieldsThatWereSet)
{
    auto table = OpenTodoTable(1);
    // Another program changes a field of the same record after it was read.
    TRawDb raw(Path("tododb.db"));
    raw.Exec("UPDATE tododb SET NOTES = 'written elsewhere', PRIORITY = 4");
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("mine");
    table->Post();
    EXPECT_EQ(raw.Rows("SELECT SUBJECT, NOTES, PRIORITY FROM tododb").first(),
              (QVariantList{"mine", "written elsewhere", 4}));
    // A post with nothing set writes nothing at all.
    raw.Exec("UPDATE tododb SET SUBJECT = 'theirs'");
    table->Edit();
    table->Post();
    EXPECT_EQ(raw.Value("SELECT SUBJECT FROM tododb").toString(), "theirs");
}

TEST_F(TableTest, TheDefaultBusyWaitRidesOutALockAnotherProgramHoldsBriefly)
{
    auto table = OpenTodoTable(1);
    EXPECT_EQ(table->BusyTimeout(), 2000);
    // Another program takes the write lock and lets go of it a little later, while the
    // post waits for it.
    std::promise<void> locked;
    std::thread other([&] {
        TRawDb raw(Path("tododb.db"));
        raw.Exec("BEGIN EXCLUSIVE");
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        raw.Exec("ROLLBACK");
    });
    locked.get_future().wait();
    table->Edit();
    table->FieldByName("SUBJECT")->SetAsString("after the wait");
    EXPECT_NO_THROW(table->Post());
    other.join();
    EXPECT_EQ(TRawDb(Path("tododb.db")).Value("SELECT SUBJECT FROM tododb").toString(),
              "after the wait");
}

TEST_F(TableTest, ALockFileThatNamesNoLiveProcessIsTakenOverAndABrokenOneIsNamed)
{
    OpenTodoTable(1).reset();
    const QString lockPath = Path("tododb.db.lock");
    // A process that has ended: its id names nobody.
    QProcess ended;
    ended.start("true");
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());

    struct Case
    {
        const char* name;
        std::function<void()> make;
        const char* refusal; // nullptr: the lock is stale and taken over
    };
    int held = -1; // a descriptor holding the lock file locked, as a running deskhive does
    const Case cases[] = {
        {"empty", [&] { writeFile(lockPath, QByteArray()); }, nullptr},
        {"garbage", [&] { writeFile(lockPath, QByteArray("\x01\x02 not a lock\n")); }, nullptr},
        {"process id 0", [&] { writeFile(lockPath, "0\ndeskhive\n\n"); }, nullptr},
        {"a killed process",
         [&] { writeFile(lockPath, QByteArray::number(deadPid) + "\ndeskhive\n\n"); }, nullptr},
        {"a folder", [&] { ASSERT_TRUE(QDir().mkdir(lockPath)); },
         "is a folder, not the lock file"},
        {"unreadable but held",
         [&] {
             writeFile(lockPath, QByteArray());
             held = ::open(QFile::encodeName(lockPath).constData(), O_RDWR);
             ASSERT_GE(held, 0);
             ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
         },
         "held open by another program"},
    };
    const QByteArray sum = FileChecksum(Path("tododb.db"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.make();
        auto table = NewTable();
        const QString message = openError(*table);
        if (c.refusal) {
            EXPECT_TRUE(message.contains(c.refusal)) << message.toStdString();
            // Which file to remove, by its full name.
            EXPECT_TRUE(message.contains(lockPath)) << message.toStdString();
            EXPECT_TRUE(QFileInfo::exists(lockPath));
        } else {
            EXPECT_EQ(message, "opened");
            // Ours now, and gone when the table closes.
            QFile lock(lockPath);
            ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
            EXPECT_EQ(lock.readLine().trimmed().toLongLong(), QCoreApplication::applicationPid());
            lock.close();
            table->Close();
            EXPECT_FALSE(QFileInfo::exists(lockPath));
        }
        EXPECT_EQ(FileChecksum(Path("tododb.db")), sum);
        if (held >= 0)
            ::close(std::exchange(held, -1));
        QDir().rmdir(lockPath);
        QFile::remove(lockPath);
    }
}
