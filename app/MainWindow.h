// The main window: a strip with the preview switch and a usage hint, the to-do tab set
// above the planner tab set. Each tab set has a second tab with the raw table in a data
// grid: the to-do table read-only, the planner table editable. FormCreate opens both tables
// from the working directory, creating them on first start.
//
// Records: a new record posted to either table without a key gets a fresh braced GUID, the
// key the bindings find records by, and a new record left entirely empty is dropped instead
// of saved. Closing the window saves a record still being edited (and the text of a cell
// editor still open); when that fails the user is told why and chooses to retry, to discard
// the record and close, or to go back to the window. The question comes through
// AskRetryDiscardCancel and does not block.
//
// The window starts with the focus on its first control; Tab follows the screen from the
// check box through each tab bar to the page below it.
#pragma once

#include "platform/db/DataSource.h"
#include "platform/db/Table.h"
#include "platform/gfx/ImageList.h"

#include <QWidget>

class TDBGrid;

class QCheckBox;
class QFrame;
class QLabel;
class QTabWidget;

class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Reopens both tables from the process's current working directory (an absolute path);
    // a table file that is missing is created first with the fields the window needs, once
    // the files that exist are known to open. Raises EDatabaseError, naming the file and the
    // reason, when one cannot be opened; no file is made then.
    void FormCreate();

    // Where the window's frame goes on a screen with that available area: the stored outer
    // size, cut to the area when it is larger, centred, and never beyond the area's edges.
    static QRect FramePlacement(const QSize& outer, const QRect& available);

    // The table files and the fields their bindings read and write.
    static const QString TodoTableName;    // "tododb.db"
    static const QString PlannerTableName; // "plandb.db"
    static TFieldDefs TodoFieldDefs();
    static TFieldDefs PlannerFieldDefs();

    // The size of the whole window, frame included, that the client area is derived from.
    static constexpr int OuterWidth = 607;
    static constexpr int OuterHeight = 652;

    QFrame* Panel1() const { return m_panel1; }
    QCheckBox* CheckBox1() const { return m_checkBox1; }
    QLabel* Label1() const { return m_label1; }
    QTabWidget* PageControl1() const { return m_pageControl1; }
    QWidget* TabSheet1() const { return m_tabSheet1; }
    QWidget* TabSheet2() const { return m_tabSheet2; }
    QTabWidget* PageControl2() const { return m_pageControl2; }
    QWidget* TabSheet3() const { return m_tabSheet3; }
    QWidget* TabSheet4() const { return m_tabSheet4; }
    const TImageList& ImageList1() const { return m_imageList1; }
    TDBGrid* DBGrid1() const { return m_dbGrid1; }
    TDBGrid* DBGrid2() const { return m_dbGrid2; }
    TTable& Table1() { return m_table1; }
    TTable& Table2() { return m_table2; }
    TDataSource& DataSource1() { return m_dataSource1; }
    TDataSource& DataSource2() { return m_dataSource2; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createPanel();
    void createPageControls();
    void createDataAccess();
    void orderFocusChain();
    void fitFrameAndCentre();
    // Writes open cell editors and posts both tables' pending records; raises what fails.
    void savePending();
    void discardPending();

    bool m_asking = false; // the question about an unsaved record is open

    // Children are owned by the window through Qt's parent chain.
    QFrame* m_panel1 = nullptr;
    QCheckBox* m_checkBox1 = nullptr;
    QLabel* m_label1 = nullptr;
    QTabWidget* m_pageControl1 = nullptr;
    QWidget* m_tabSheet1 = nullptr;
    QWidget* m_tabSheet2 = nullptr;
    QTabWidget* m_pageControl2 = nullptr;
    QWidget* m_tabSheet3 = nullptr;
    QWidget* m_tabSheet4 = nullptr;
    TImageList m_imageList1;
    TDBGrid* m_dbGrid1 = nullptr;
    TDBGrid* m_dbGrid2 = nullptr;

    // Declared before their sources, so the sources (which detach every link) go first.
    TTable m_table1;
    TTable m_table2;
    TDataSource m_dataSource1;
    TDataSource m_dataSource2;

    bool m_placed = false;
};
