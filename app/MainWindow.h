// The main window: a strip with the preview switch and a usage hint, the to-do tab set
// above the planner tab set. Each tab set has a second tab with the raw table in a data
// grid: the to-do table read-only, the planner table editable. FormCreate opens both tables
// from the working directory, creating them on first start.
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
    // a table file that is missing is created first with the fields the window needs.
    // Raises EDatabaseError, naming the file and the reason, when one cannot be opened.
    void FormCreate();

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

private:
    void createPanel();
    void createPageControls();
    void createDataAccess();
    void fitFrameAndCentre();

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
