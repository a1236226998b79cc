// The main window over real table files in a temporary working folder: first start makes
// both tables, an existing table is reopened from the working directory, the planner grid
// writes typed cells into plandb.db, the to-do grid is read-only, and a file that cannot
// be opened is reported by name and left exactly as it was.
#include "WorkingFolder.h"
#include "app/MainWindow.h"
#include "platform/db/DBGrid.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Field.h"
#include "support/RawDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using FormCreateTest = TWorkingFolderTest;

QStringList ColumnNames(const QString& file, const QString& table)
{
    QStringList names;
    for (const QVariantList& row : TRawDb(file).Rows("PRAGMA table_info(" + table + ")"))
        names << row[1].toString();
    return names;
}

} // namespace

TEST_F(FormCreateTest, FirstStartCreatesBothTablesInTheWorkingFolder)
{
    TForm1 form;
    form.FormCreate();

    EXPECT_TRUE(form.Table1().Active());
    EXPECT_TRUE(form.Table2().Active());
    // The stored relative folder is replaced by the absolute working directory.
    EXPECT_EQ(QDir(form.Table1().DatabaseName()).absolutePath(), QDir(m_dir.path()).absolutePath());
    EXPECT_TRUE(QDir::isAbsolutePath(form.Table2().DatabaseName()));
    EXPECT_EQ(form.Table2().TableName(), "plandb.db");

    EXPECT_EQ(ColumnNames(Path("tododb.db"), "tododb"),
              QStringList({"KEY", "SUBJECT", "NOTES", "PRIORITY", "COMPLETIONDATE"}));
    EXPECT_EQ(ColumnNames(Path("plandb.db"), "plandb"),
              QStringList({"PLANNERKEY", "STARTTIME", "ENDTIME", "SUBJECT", "NOTES"}));
}

TEST_F(FormCreateTest, ReopensExistingTablesAndShowsTheirRecords)
{
    {
        TForm1 first;
        first.FormCreate();
        TTable& todo = first.Table1();
        todo.Append();
        todo.FieldByName("KEY")->SetAsString("{K}");
        todo.FieldByName("SUBJECT")->SetAsString("Call the plumber");
        todo.Post();
    }
    TForm1 second;
    second.FormCreate();
    ASSERT_EQ(second.DBGrid1()->model()->rowCount(), 1);
    const int subject = second.Table1().FieldByName("SUBJECT")->Index();
    EXPECT_EQ(second.DBGrid1()->model()->index(0, subject).data().toString(), "Call the plumber");
}

TEST_F(FormCreateTest, TypingIntoThePlannerGridChangesPlandb)
{
    TForm1 form;
    form.FormCreate();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.PageControl2()->setCurrentWidget(form.TabSheet4());
    TDBGrid* grid = form.DBGrid2();
    grid->setFocus();

    QTest::keyClick(grid, Qt::Key_Insert);
    const int subject = form.Table2().FieldByName("SUBJECT")->Index();
    grid->setCurrentIndex(grid->model()->index(0, subject));
    QTest::keyClick(grid, 'L');
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "unch with Ann");
    QTest::keyClick(editor, Qt::Key_Return);
    // The cell editor commits through a queued call.
    QCoreApplication::processEvents();

    TRawDb raw(Path("plandb.db"));
    EXPECT_EQ(raw.Value("SELECT COUNT(*) FROM plandb").toInt(), 1);
    EXPECT_EQ(raw.Value("SELECT SUBJECT FROM plandb").toString(), "Lunch with Ann");
}

TEST_F(FormCreateTest, TheTodoGridRefusesEdits)
{
    TForm1 form;
    form.FormCreate();
    TTable& todo = form.Table1();
    todo.Append();
    todo.FieldByName("SUBJECT")->SetAsString("Keep me");
    todo.Post();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.PageControl1()->setCurrentWidget(form.TabSheet2());
    TDBGrid* grid = form.DBGrid1();
    grid->setFocus();
    const QModelIndex cell = grid->model()->index(0, todo.FieldByName("SUBJECT")->Index());
    grid->setCurrentIndex(cell);

    EXPECT_FALSE(grid->model()->flags(cell) & Qt::ItemIsEditable);
    QTest::keyClick(grid, 'x');
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(grid->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(todo.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(TRawDb(Path("tododb.db")).Value("SELECT SUBJECT FROM tododb").toString(), "Keep me");
}

TEST_F(FormCreateTest, AFileThatCannotBeOpenedIsNamedAndLeftAsItWas)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"garbage", QByteArray("this is not a table file at all\n").repeated(50)},
        {"empty", QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile file(Path("tododb.db"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(c.bytes);
        }
        const QByteArray before = FileChecksum(Path("tododb.db"));
        TForm1 form;
        try {
            form.FormCreate();
            ADD_FAILURE() << "opened a broken table file";
        } catch (const EDatabaseError& e) {
            EXPECT_TRUE(e.Message().contains("tododb.db")) << e.what();
        }
        EXPECT_EQ(FileChecksum(Path("tododb.db")), before);
    }
}

TEST_F(FormCreateTest, AStartThatFailsMakesNoFile)
{
    // The to-do table is missing, the planner table is broken: nothing may be made.
    {
        QFile file(Path("plandb.db"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("not a table\n").repeated(100));
    }
    const QByteArray before = FileChecksum(Path("plandb.db"));
    TForm1 form;
    try {
        form.FormCreate();
        ADD_FAILURE() << "opened a broken table file";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains("plandb.db")) << e.what();
    }
    EXPECT_FALSE(QFileInfo::exists(Path("tododb.db")));
    EXPECT_FALSE(QFileInfo::exists(Path("tododb.db.lock")));
    EXPECT_EQ(FileChecksum(Path("plandb.db")), before);
    EXPECT_FALSE(form.Table1().Active());
}

TEST_F(FormCreateTest, ATableLackingAFieldIsRefused)
{
    {
        TTable planner;
        planner.SetDatabaseName(m_dir.path());
        planner.SetTableName("plandb.db");
        planner.FieldDefs() = {{"PLANNERKEY", TFieldType::ftString, 38},
                               {"SUBJECT", TFieldType::ftString, 255}};
        planner.CreateTable();
    }
    const QByteArray before = FileChecksum(Path("plandb.db"));
    TForm1 form;
    EXPECT_THROW(form.FormCreate(), EDatabaseError);
    EXPECT_EQ(FileChecksum(Path("plandb.db")), before);
}
