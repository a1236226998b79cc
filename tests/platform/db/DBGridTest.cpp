// The data grid over a real table: its current row and the dataset's cursor follow each
// other, typed cells reach the file on Enter or when the row is left, Escape cancels,
// Insert and Delete work only where editing is allowed, refused input is reported
// without losing what was typed, memo cells take several lines, and a date shown in any
// locale can be typed back as it is shown.
#include "platform/db/DBGrid.h"

#include "DbTestSupport.h"
#include "platform/core/DateFormat.h"
#include "platform/core/Exceptions.h"
#include "platform/db/DataSource.h"
#include "platform/db/Field.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
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

    // The cell editor open at the current cell (a closed one lingers until the event loop
    // deletes it, so it is not looked for among the grid's children).
    template <class Editor = QLineEdit>
    Editor* OpenEditor() const
    {
        return qobject_cast<Editor*>(m_grid.indexWidget(m_grid.currentIndex()));
    }

    // Types text into a cell the way a user does: the first key opens the editor, the rest
    // go to it, Return closes it.
    void TypeInto(int row, const QString& field, const QString& text)
    {
        m_grid.setCurrentIndex(Cell(row, field));
        QTest::keyClick(&m_grid, text[0].toLatin1());
        auto* editor = OpenEditor();
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

TEST_F(DBGridTest, ARefusedCellKeepsItsEditorItsTextAndTheCursor)
{
    const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Tab};
    for (Qt::Key key : keys) {
        SCOPED_TRACE(key);
        m_errors.clear();
        m_grid.setCurrentIndex(Cell(0, "PRIORITY"));
        QTest::keyClick(&m_grid, 'x');
        auto* editor = OpenEditor();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, "lii");
        QTest::keyClick(editor, key);
        QApplication::processEvents();
        ASSERT_EQ(m_errors.size(), 1);
        EXPECT_TRUE(m_grid.EditorOpen());
        EXPECT_EQ(m_grid.EditorText(), "xlii");
        EXPECT_EQ(m_grid.currentIndex(), Cell(0, "PRIORITY"));
        // Mended, it goes through.
        editor->selectAll();
        QTest::keyClicks(editor, "42");
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_FALSE(m_grid.EditorOpen());
        EXPECT_EQ(Stored("SELECT PRIORITY FROM tododb WHERE KEY = 'K1'").toInt(), 42);
        EXPECT_EQ(m_errors.size(), 1);
    }
}

TEST_F(DBGridTest, ThePostedRecordKeepsTheColumnTheUserWasIn)
{
    m_grid.setCurrentIndex(Cell(1, "SUBJECT"));
    QTest::keyClick(&m_grid, Qt::Key_Insert);
    EXPECT_EQ(m_grid.currentIndex(), Cell(1, "SUBJECT"));
    TypeInto(1, "SUBJECT", "New one");
    EXPECT_EQ(m_table->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM tododb WHERE SUBJECT = 'New one'").toInt(), 1);
    EXPECT_EQ(m_grid.currentIndex(), Cell(1, "SUBJECT"));
    // Deleting a record does not move the user to the first column either.
    QTest::keyClick(&m_grid, Qt::Key_Delete);
    EXPECT_EQ(m_grid.currentIndex().column(), Column("SUBJECT"));
}

TEST_F(DBGridTest, AMemoCellTakesALineBreakWithShiftEnter)
{
    m_grid.setCurrentIndex(Cell(0, "NOTES"));
    QTest::keyClick(&m_grid, 'a');
    auto* memo = OpenEditor<QPlainTextEdit>();
    ASSERT_NE(memo, nullptr);
    QTest::keyClicks(memo, "bc");
    QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(memo, "def");
    EXPECT_TRUE(m_grid.EditorOpen());
    EXPECT_EQ(Stored("SELECT NOTES FROM tododb WHERE KEY = 'K1'").toString(), "Notes 1");
    QTest::keyClick(memo, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(m_grid.EditorOpen());
    EXPECT_EQ(Stored("SELECT NOTES FROM tododb WHERE KEY = 'K1'").toString(), "abc\ndef");
    EXPECT_EQ(m_errors, QStringList());
}

TEST_F(DBGridTest, APostFromElsewhereTakesTheTextOfAnOpenEditor)
{
    m_grid.model()->setData(Cell(0, "PRIORITY"), "3");
    ASSERT_EQ(m_table->State(), TDataSetState::dsEdit);
    m_grid.setCurrentIndex(Cell(0, "SUBJECT"));
    QTest::keyClick(&m_grid, 'T');
    QTest::keyClicks(OpenEditor(), "yped");
    m_table->Post();
    EXPECT_EQ(Stored("SELECT SUBJECT || PRIORITY FROM tododb WHERE KEY = 'K1'").toString(),
              "Typed3");

    // Text the field refuses stops the post, and nothing is lost.
    m_grid.CancelEditor();
    m_grid.model()->setData(Cell(0, "SUBJECT"), "Again");
    m_grid.setCurrentIndex(Cell(0, "COMPLETIONDATE"));
    QTest::keyClick(&m_grid, '3');
    QTest::keyClicks(OpenEditor(), "1/31/2026");
    EXPECT_THROW(m_table->Post(), EConvertError);
    EXPECT_EQ(m_table->State(), TDataSetState::dsEdit);
    EXPECT_EQ(m_grid.EditorText(), "31/31/2026");
    EXPECT_EQ(Stored("SELECT SUBJECT FROM tododb WHERE KEY = 'K1'").toString(), "Typed");
}

TEST_F(DBGridTest, ADateShownInAnyLocaleIsTakenBackAsShownAndARefusalShowsTheForm)
{
    const TFixedClock clock(EncodeDateTime(2026, 6, 1, 12, 0, 0, 0));
    const TDateTime value = EncodeDateTime(1950, 12, 15, 22, 30, 5, 0);
    m_table->First();
    m_table->Edit();
    m_table->FieldByName("COMPLETIONDATE")->SetAsDateTime(value);
    m_table->Post();
    // Month names, two-digit years, 12-hour times, trailing separators.
    const QLocale locales[] = {QLocale::c(), QLocale("en_US"), QLocale("de_DE"), QLocale("ko_KR"),
                               QLocale("hu_HU")};
    int row = 1;
    for (const QLocale& locale : locales) {
        SCOPED_TRACE(locale.name().toStdString());
        const TFormatSettingsGuard settings(TFormatSettings::FromLocale(locale));
        m_grid.viewport()->update();
        const QString shown = Cell(0, "COMPLETIONDATE").data().toString();
        // Typed into another record's cell, it gives that record the same value.
        TypeInto(row, "COMPLETIONDATE", shown);
        ASSERT_EQ(m_errors, QStringList()) << shown.toStdString();
        const double stored =
            Stored(QString("SELECT COMPLETIONDATE FROM tododb WHERE KEY = 'K%1'").arg(row + 1))
                .toDouble();
        EXPECT_NEAR(stored - JulianDayOffset, value, 0.5 / SecsPerDay) << shown.toStdString();
        row = row % 2 + 1;

        // A text that is no date names the form and gives an example that is taken.
        m_grid.model()->setData(Cell(row, "COMPLETIONDATE"), "31/31/31/31");
        ASSERT_EQ(m_errors.size(), 1);
        const QString message = m_errors.takeFirst();
        EXPECT_TRUE(message.contains("Type ") && message.contains(", for example "))
            << message.toStdString();
        const QString example = message.section(", for example ", 1);
        EXPECT_NO_THROW(m_table->FieldByName("COMPLETIONDATE")->SetEditText(example))
            << example.toStdString();
        m_table->Cancel();
    }
}
