// The data grid over a real table: its current row and the dataset's cursor follow each
// other, typed cells reach the file on Enter or when the row is left, Escape cancels,
// Insert and Delete work only where editing is allowed, and refused input is reported
// without losing what was typed.
#include "platform/db/DBGrid.h"

#include "DbTestSupport.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

// A grid whose delete confirmation is answered by the test.
class TAnsweringGrid : public TDBGrid
{
public:
    bool Answer = true;
    int Asked = 0;

protected:
    bool confirmDelete() override
    {
        ++Asked;
        return Answer;
    }
};

class DBGridTest : public TDbTest
{
protected:
    void SetUp() override
    {
        m_table = OpenTodoTable(3);
        m_source.SetDataSet(m_table.get());
        m_grid.OnDataError = [this](TDBGrid&, const QString& message) { m_errors << message; };
        m_grid.SetDataSource(&m_source);
        m_grid.resize(500, 300);
        m_grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_grid));
        m_grid.setFocus();
    }

    void TearDown() override { m_grid.SetDataSource(nullptr); }

    int Column(const QString& field) const { return m_table->FieldByName(field)->Index(); }
    QModelIndex Cell(int row, const QString& field) const
    {
        return m_grid.model()->index(row, Column(field));
    }

    // Types text into a cell the way a user does: the first key opens the editor, the rest
    // go to it, Return closes it.
    void TypeInto(int row, const QString& field, const QString& text)
    {
        m_grid.setCurrentIndex(Cell(row, field));
        QTest::keyClick(&m_grid, text[0].toLatin1());
        auto* editor = m_grid.findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << "no cell editor opened";
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits and closes its editor through a queued call.
        QApplication::processEvents();
    }

    QVariant Stored(const QString& sql) { return TRawDb(Path("tododb.db")).Value(sql); }

    std::unique_ptr<TTable> m_table;
    TDataSource m_source;
    TAnsweringGrid m_grid;
    QStringList m_errors;
};

} // namespace

TEST_F(DBGridTest, ShowsEveryRecordAndFieldWithTitles)
{
    ASSERT_EQ(m_grid.model()->rowCount(), 3);
    ASSERT_EQ(m_grid.model()->columnCount(), 5);
    EXPECT_EQ(m_grid.model()->headerData(Column("SUBJECT"), Qt::Horizontal).toString(), "SUBJECT");
    EXPECT_EQ(Cell(1, "SUBJECT").data().toString(), "Subject 2");
    EXPECT_EQ(Cell(2, "PRIORITY").data().toString(), "3");
}

TEST_F(DBGridTest, CurrentRowAndCursorFollowEachOther)
{
    m_grid.setCurrentIndex(Cell(2, "SUBJECT"));
    EXPECT_EQ(m_table->RecNo(), 3);
    EXPECT_EQ(m_grid.model()->headerData(2, Qt::Vertical).toString(), QString(TDBGrid::BrowseMark));
    EXPECT_EQ(m_grid.model()->headerData(0, Qt::Vertical).toString(), "");

    m_table->First();
    EXPECT_EQ(m_grid.currentIndex().row(), 0);
    // The column the user was in is kept.
    EXPECT_EQ(m_grid.currentIndex().column(), Column("SUBJECT"));

    QTest::keyClick(&m_grid, Qt::Key_Down);
    EXPECT_EQ(m_table->RecNo(), 2);
}

TEST_F(DBGridTest, EnterPostsTheTypedCellToTheFile)
{
    TypeInto(1, "SUBJECT", "Renamed");
    EXPECT_EQ(m_table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Stored("SELECT SUBJECT FROM tododb WHERE KEY = 'K2'").toString(), "Renamed");
    EXPECT_EQ(Cell(1, "SUBJECT").data().toString(), "Renamed");
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(DBGridTest, LeavingTheRowPostsAndEscapeCancels)
{
    m_grid.setCurrentIndex(Cell(0, "SUBJECT"));
    m_grid.model()->setData(Cell(0, "SUBJECT"), "Changed");
    EXPECT_EQ(m_table->State(), TDataSetState::dsEdit);
    EXPECT_EQ(m_grid.model()->headerData(0, Qt::Vertical).toString(), QString(TDBGrid::EditMark));
    m_grid.setCurrentIndex(Cell(2, "SUBJECT"));
    EXPECT_EQ(Stored("SELECT SUBJECT FROM tododb WHERE KEY = 'K1'").toString(), "Changed");

    m_grid.model()->setData(Cell(2, "SUBJECT"), "Dropped");
    QTest::keyClick(&m_grid, Qt::Key_Escape);
    EXPECT_EQ(m_table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Cell(2, "SUBJECT").data().toString(), "Subject 3");
    EXPECT_EQ(Stored("SELECT SUBJECT FROM tododb WHERE KEY = 'K3'").toString(), "Subject 3");
}

TEST_F(DBGridTest, RefusedInputIsReportedAndKeepsTheRecordOpen)
{
    m_grid.setCurrentIndex(Cell(0, "PRIORITY"));
    EXPECT_FALSE(m_grid.model()->setData(Cell(0, "PRIORITY"), "not a number"));
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_EQ(Stored("SELECT PRIORITY FROM tododb WHERE KEY = 'K1'").toInt(), 1);
}

TEST_F(DBGridTest, InsertAddsARecordAndDeleteAsksFirst)
{
    m_grid.setCurrentIndex(Cell(1, "SUBJECT"));
    QTest::keyClick(&m_grid, Qt::Key_Insert);
    EXPECT_EQ(m_table->State(), TDataSetState::dsInsert);
    EXPECT_EQ(m_grid.model()->rowCount(), 4);
    EXPECT_EQ(m_grid.currentIndex().row(), 1);
    m_grid.model()->setData(Cell(1, "KEY"), "NEW");
    QTest::keyClick(&m_grid, Qt::Key_Return);
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM tododb").toInt(), 4);

    m_grid.Answer = false;
    QTest::keyClick(&m_grid, Qt::Key_Delete);
    EXPECT_EQ(m_grid.Asked, 1);
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM tododb").toInt(), 4);

    m_grid.Answer = true;
    QTest::keyClick(&m_grid, Qt::Key_Delete);
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM tododb").toInt(), 3);
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM tododb WHERE KEY = 'NEW'").toInt(), 0);
}

TEST_F(DBGridTest, AnUntouchedInsertIsDroppedWhenFocusLeaves)
{
    QLineEdit elsewhere;
    elsewhere.show();
    QTest::keyClick(&m_grid, Qt::Key_Insert);
    ASSERT_EQ(m_table->State(), TDataSetState::dsInsert);
    elsewhere.activateWindow();
    elsewhere.setFocus();
    QApplication::processEvents();
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(&m_grid, &out);
    EXPECT_EQ(m_table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(m_table->RecordCount(), 3);
}

TEST_F(DBGridTest, WithoutEditingNothingChanges)
{
    TDBGridOptions options = TDBGrid::DefaultOptions();
    options.Exclude(TDBGridOption::dgEditing);
    m_grid.SetOptions(options);
    const QByteArray before = FileChecksum(Path("tododb.db"));

    m_grid.setCurrentIndex(Cell(0, "SUBJECT"));
    EXPECT_FALSE(m_grid.model()->flags(Cell(0, "SUBJECT")) & Qt::ItemIsEditable);
    QTest::keyClick(&m_grid, 'x');
    EXPECT_EQ(m_grid.findChild<QLineEdit*>(), nullptr);
    QTest::keyClick(&m_grid, Qt::Key_Insert);
    QTest::keyClick(&m_grid, Qt::Key_Delete);
    EXPECT_EQ(m_grid.Asked, 0);
    EXPECT_EQ(m_table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(m_table->RecordCount(), 3);
    EXPECT_EQ(FileChecksum(Path("tododb.db")), before);
}
