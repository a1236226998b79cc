// Records the user makes in the window's raw grids: closing the window never drops one
// that is not saved yet (it is saved, or the user decides what happens to it when the file
// refuses it), a new record without a key gets one, and an empty one is not saved.
#include "WorkingFolder.h"
#include "app/MainWindow.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Guid.h"
#include "platform/db/DBGrid.h"
#include "platform/db/Field.h"
#include "support/RawDb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace {

// The window on a fresh working folder, showing the planner's raw grid with the focus in it.
class PendingRecordTest : public TWorkingFolderTest
{
protected:
    void SetUp() override
    {
        TWorkingFolderTest::SetUp();
        OpenWindow();
    }
    void OpenWindow()
    {
        m_form = std::make_unique<TForm1>();
        m_form->FormCreate();
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->PageControl2()->setCurrentWidget(m_form->TabSheet4());
        Grid()->setFocus();
    }

    TDBGrid* Grid() const { return m_form->DBGrid2(); }
    TTable& Table() const { return m_form->Table2(); }
    QModelIndex Cell(int row, const char* field) const
    {
        return Grid()->model()->index(row, Table().FieldByName(field)->Index());
    }
    // Types into a cell as a user does; Return finishes the cell only when asked to.
    void Type(int row, const char* field, const QString& text, bool finish)
    {
        Grid()->setCurrentIndex(Cell(row, field));
        QTest::keyClick(Grid(), text[0].toLatin1());
        auto* editor = qobject_cast<QLineEdit*>(Grid()->indexWidget(Grid()->currentIndex()));
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, text.mid(1));
        if (finish) {
            QTest::keyClick(editor, Qt::Key_Return);
            QApplication::processEvents();
        }
    }
    // The question the window asks, if one is open.
    static QMessageBox* Question()
    {
        return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    }
    QList<QVariantList> Stored()
    {
        return TRawDb(Path("plandb.db")).Rows("SELECT PLANNERKEY, SUBJECT FROM plandb");
    }

    std::unique_ptr<TForm1> m_form;
};

} // namespace

TEST_F(PendingRecordTest, ClosingSavesARecordStillBeingEditedAndTheTextOfAnOpenEditor)
{
    QTest::keyClick(Grid(), Qt::Key_Insert);
    Type(0, "SUBJECT", "Dentist", true);
    ASSERT_EQ(Stored().size(), 1);
    Type(0, "SUBJECT", "Dentist at 9", false);
    ASSERT_TRUE(Grid()->EditorOpen());

    EXPECT_TRUE(m_form->close());
    EXPECT_EQ(Question(), nullptr);
    EXPECT_EQ(Stored().first().at(1).toString(), "Dentist at 9");
}

TEST_F(PendingRecordTest, ClosingWhileTheFileIsLockedAsksAndLosesNothingUnseen)
{
    struct Case
    {
        QMessageBox::StandardButton answer;
        bool closed;
        int savedAfterwards; // records in the file once the lock is gone and all is done
    };
    const Case cases[] = {
        {QMessageBox::Retry, true, 1},
        {QMessageBox::Discard, true, 0},
        {QMessageBox::Cancel, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        if (!m_form)
            OpenWindow();
        Table().SetBusyTimeout(20);
        // Another program holds the file locked while the window closes.
        TRawDb other(Path("plandb.db"));
        other.Exec("BEGIN EXCLUSIVE");
        QTest::keyClick(Grid(), Qt::Key_Insert);
        Grid()->model()->setData(Cell(0, "SUBJECT"), "Call the plumber");
        ASSERT_EQ(Table().State(), TDataSetState::dsInsert);
        EXPECT_FALSE(m_form->close());
        QMessageBox* question = Question();
        ASSERT_NE(question, nullptr);
        EXPECT_TRUE(question->text().contains("locked")) << question->text().toStdString();
        EXPECT_TRUE(question->text().contains("not saved"));
        EXPECT_EQ(question->font(), m_form->font());
        // Asking again while the question is open does not stack another one.
        EXPECT_FALSE(m_form->close());
        EXPECT_EQ(Question(), question);
        EXPECT_EQ(Table().State(), TDataSetState::dsInsert);
        EXPECT_EQ(Table().FieldByName("SUBJECT")->AsString(), "Call the plumber");

        other.Exec("ROLLBACK");
        question->button(c.answer)->click();
        QApplication::processEvents();
        EXPECT_EQ(m_form->isVisible(), !c.closed);
        if (!c.closed) {
            // Back in the window with the record as it was; closing now saves it.
            EXPECT_EQ(Table().FieldByName("SUBJECT")->AsString(), "Call the plumber");
            EXPECT_TRUE(m_form->close());
        }
        const QList<QVariantList> rows = Stored();
        ASSERT_EQ(rows.size(), c.savedAfterwards);
        if (!rows.isEmpty()) {
            EXPECT_EQ(rows.first().at(1).toString(), "Call the plumber");
            EXPECT_TRUE(IsGuidString(rows.first().at(0).toString()));
        }
        m_form.reset();
        other.Exec("DELETE FROM plandb");
    }
}

TEST_F(PendingRecordTest, AnInvalidDateInAnOpenEditorIsNotDroppedOnClose)
{
    QTest::keyClick(Grid(), Qt::Key_Insert);
    Type(0, "SUBJECT", "Review", true);
    Type(0, "STARTTIME", "31/31/2026", false);

    EXPECT_FALSE(m_form->close());
    QMessageBox* question = Question();
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(question->text().contains("'31/31/2026' is not a valid date and time"))
        << question->text().toStdString();
    question->button(QMessageBox::Cancel)->click();
    QApplication::processEvents();
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_EQ(Grid()->EditorText(), "31/31/2026");

    EXPECT_FALSE(m_form->close());
    Question()->button(QMessageBox::Discard)->click();
    QApplication::processEvents();
    EXPECT_FALSE(m_form->isVisible());
    const QList<QVariantList> start =
        TRawDb(Path("plandb.db")).Rows("SELECT SUBJECT, STARTTIME FROM plandb");
    ASSERT_EQ(start.size(), 1);
    EXPECT_EQ(start.first(), (QVariantList{"Review", QVariant()}));
}

TEST_F(PendingRecordTest, ANewRecordWithoutAKeyGetsOneAndAnEmptyOneIsNotSaved)
{
    struct Case
    {
        const char* name;
        const char* key;     // typed into PLANNERKEY, nullptr for nothing
        const char* subject; // typed into SUBJECT, nullptr for nothing
        bool saved;
    };
    const Case cases[] = {
        {"nothing typed", nullptr, nullptr, false},
        {"a subject only", nullptr, "Walk the dog", true},
        {"a key typed", "{MINE}", "Feed the cat", true},
        {"a blank key", " ", "Water plants", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int before = int(Stored().size());
        QTest::keyClick(Grid(), Qt::Key_Insert);
        if (c.key)
            Type(Grid()->currentIndex().row(), "PLANNERKEY", c.key, true);
        if (c.subject)
            Type(Grid()->currentIndex().row(), "SUBJECT", c.subject, true);
        QTest::keyClick(Grid(), Qt::Key_Return);
        EXPECT_EQ(Table().State(), TDataSetState::dsBrowse);
        const QList<QVariantList> rows = TRawDb(Path("plandb.db"))
                                             .Rows(QString("SELECT PLANNERKEY FROM plandb WHERE "
                                                           "SUBJECT = '%1'")
                                                       .arg(c.subject));
        EXPECT_EQ(Stored().size(), before + (c.saved ? 1 : 0));
        if (!c.saved)
            continue;
        ASSERT_EQ(rows.size(), 1);
        const QString key = rows.first().first().toString();
        if (c.key && QString(c.key).trimmed().size() > 0)
            EXPECT_EQ(key, c.key);
        else
            EXPECT_TRUE(IsGuidString(key)) << key.toStdString();
    }
    EXPECT_EQ(Table().RecordCount(), 3);
}
