// The main window's components, their placement and look.
#include "app/MainWindow.h"

#include "app/AppImages.h"
#include "platform/controls/ErrorBox.h"
#include "platform/core/Color.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Guid.h"
#include "platform/db/DBGrid.h"
#include "platform/db/Field.h"
#include "platform/gfx/Font.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int panelHeight = 33;
constexpr int todoPagesHeight = 297;

// Captions are stored with "&" marking a mnemonic and "&&" standing for "&"; a label that
// has no mnemonic target shows them as plain text.
QString displayCaption(const QString& caption)
{
    QString shown;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

QWidget* addTab(QTabWidget* pages, const QString& caption, const QIcon& icon = {})
{
    auto* sheet = new QWidget(pages);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    pages->addTab(sheet, icon, caption);
    return sheet;
}

void closeAndName(TTable& table, const QString& name, const TFieldDefs& needed)
{
    table.SetActive(false);
    table.SetDatabaseName(QDir::currentPath());
    table.SetTableName(name);
    table.FieldDefs() = needed;
}

// The bindings find every record by its key and have no use for a record without one, so
// the raw grids may not make such records either.
void keepNewRecordsUsable(TDataSet& table, const QString& keyField)
{
    if (table.State() != TDataSetState::dsInsert)
        return;
    bool empty = true;
    for (int i = 0; i < table.FieldCount() && empty; ++i)
        empty = table.Fields(i)->AsString().isEmpty();
    if (empty) {
        table.Cancel();
        return;
    }
    TField* key = table.FindField(keyField);
    if (key && key->CanModify() && key->AsString().trimmed().isEmpty())
        key->SetAsString(NewGuidString());
}

} // namespace

const QString TForm1::TodoTableName = QStringLiteral("tododb.db");
const QString TForm1::PlannerTableName = QStringLiteral("plandb.db");

TFieldDefs TForm1::TodoFieldDefs()
{
    return {{"KEY", TFieldType::ftString, 38},
            {"SUBJECT", TFieldType::ftString, 255},
            {"NOTES", TFieldType::ftMemo},
            {"PRIORITY", TFieldType::ftInteger},
            {"COMPLETIONDATE", TFieldType::ftDateTime}};
}

TFieldDefs TForm1::PlannerFieldDefs()
{
    return {{"PLANNERKEY", TFieldType::ftString, 38},
            {"STARTTIME", TFieldType::ftDateTime},
            {"ENDTIME", TFieldType::ftDateTime},
            {"SUBJECT", TFieldType::ftString, 255},
            {"NOTES", TFieldType::ftMemo}};
}

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Velko TDBPlanner & TDBTodoList drag & drop demo"));

    TFont font;
    font.SetName(QStringLiteral("MS Sans Serif"));
    font.SetHeight(-11);
    font.SetColor(clWindowText);
    setFont(font.ToQFont());

    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(clBtnFace));
    pal.setColor(QPalette::WindowText, ToQColor(font.Color()));
    setPalette(pal);
    setAutoFillBackground(true);

    FillHeaderImages(m_imageList1);
    createPanel();
    createPageControls();
    createDataAccess();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_panel1);
    layout->addWidget(m_pageControl1);
    layout->addWidget(m_pageControl2, 1);

    orderFocusChain();
    // Until the frame is known the client area takes the whole outer size.
    resize(OuterWidth, OuterHeight);
}

void TForm1::orderFocusChain()
{
    // As the controls stand on the screen: the strip, then each tab set (its tab bar takes
    // the focus) with the grid on its page.
    QWidget* const chain[] = {m_checkBox1, m_pageControl1, m_dbGrid1, m_pageControl2, m_dbGrid2};
    for (size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

TForm1::~TForm1()
{
    // The grids' links go before the tables and sources they listen to.
    delete m_dbGrid1;
    delete m_dbGrid2;
}

void TForm1::createDataAccess()
{
    // The stored directory is the program's own folder; FormCreate replaces it by the
    // absolute working directory before anything is opened.
    m_table1.SetDatabaseName(QStringLiteral("."));
    m_table1.SetTableName(TodoTableName);
    m_table2.SetDatabaseName(QStringLiteral("."));
    m_table2.SetTableName(QStringLiteral("plandb.DB"));
    m_dataSource1.SetDataSet(&m_table1);
    m_dataSource2.SetDataSet(&m_table2);
    m_table1.OnBeforePost = [](TDataSet& table) { keepNewRecordsUsable(table, "KEY"); };
    m_table2.OnBeforePost = [](TDataSet& table) { keepNewRecordsUsable(table, "PLANNERKEY"); };

    m_dbGrid1 = new TDBGrid(m_tabSheet2);
    m_dbGrid1->setObjectName(QStringLiteral("DBGrid1"));
    TDBGridOptions readOnly = TDBGrid::DefaultOptions();
    readOnly.Exclude(TDBGridOption::dgEditing);
    m_dbGrid1->SetOptions(readOnly);
    m_dbGrid1->SetDataSource(&m_dataSource1);
    m_tabSheet2->layout()->addWidget(m_dbGrid1);

    m_dbGrid2 = new TDBGrid(m_tabSheet4);
    m_dbGrid2->setObjectName(QStringLiteral("DBGrid2"));
    m_dbGrid2->SetDataSource(&m_dataSource2);
    m_tabSheet4->layout()->addWidget(m_dbGrid2);
}

void TForm1::FormCreate()
{
    closeAndName(m_table1, TodoTableName, TodoFieldDefs());
    closeAndName(m_table2, PlannerTableName, PlannerFieldDefs());
    TTable* const tables[] = {&m_table1, &m_table2};
    if (!m_table1.Exists() || !m_table2.Exists()) {
        // A start that is going to fail on a broken file leaves the folder as it was: every
        // file there is opened once (unseen by the grids) before a missing one is made.
        for (TTable* table : tables) {
            if (!table->Exists())
                continue;
            const TUpdateScope quiet = DisabledControls(*table);
            table->Open();
            table->Close();
        }
        for (TTable* table : tables)
            if (!table->Exists())
                table->CreateTable();
    }
    for (TTable* table : tables)
        table->Open();
}

void TForm1::savePending()
{
    for (TDBGrid* grid : {m_dbGrid1, m_dbGrid2})
        grid->CommitEditor();
    for (TTable* table : {&m_table1, &m_table2})
        if (table->Active())
            table->CheckBrowseMode();
}

void TForm1::discardPending()
{
    for (TDBGrid* grid : {m_dbGrid1, m_dbGrid2})
        grid->CancelEditor();
    for (TTable* table : {&m_table1, &m_table2})
        if (table->Active())
            table->Cancel();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_asking)
        return;
    try {
        savePending();
    } catch (const Exception& error) {
        m_asking = true;
        AskRetryDiscardCancel(
            this,
            QStringLiteral("%1\n\nThe record you were editing is not saved. Retry saves it "
                           "again, Discard closes without it, Cancel goes back to the window.")
                .arg(error.Message()),
            [this](TRetryAnswer answer) {
                m_asking = false;
                if (answer == TRetryAnswer::Discard)
                    discardPending();
                if (answer != TRetryAnswer::Cancel)
                    close();
            });
        return;
    }
    event->accept();
}

void TForm1::createPanel()
{
    m_panel1 = new QFrame(this);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFrameShape(QFrame::NoFrame);
    m_panel1->setFixedHeight(panelHeight);

    m_checkBox1 = new QCheckBox(QStringLiteral("Show preview"), m_panel1);
    m_checkBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_checkBox1->setGeometry(8, 5, 97, 17);
    m_checkBox1->setChecked(false);
    m_checkBox1->setLayoutDirection(Qt::LeftToRight);

    m_label1 = new QLabel(
        displayCaption(QStringLiteral("Use Ins / Del to create or delete todo items. Drag && drop "
                                      "todo items by handle to the DBPlanner")),
        m_panel1);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setTextFormat(Qt::PlainText);
    m_label1->move(136, 6);
    m_label1->adjustSize();
}

void TForm1::createPageControls()
{
    const QIcon tableIcon = TableTabIcon();

    m_pageControl1 = new QTabWidget(this);
    m_pageControl1->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl1->setFixedHeight(todoPagesHeight);
    m_tabSheet1 = addTab(m_pageControl1, QStringLiteral("DBTodoList"));
    m_tabSheet2 = addTab(m_pageControl1, QStringLiteral("Todo Database"), tableIcon);
    m_pageControl1->setCurrentWidget(m_tabSheet1);

    m_pageControl2 = new QTabWidget(this);
    m_pageControl2->setObjectName(QStringLiteral("PageControl2"));
    m_tabSheet3 = addTab(m_pageControl2, QStringLiteral("DBPlanner"));
    m_tabSheet4 = addTab(m_pageControl2, QStringLiteral("Planner database"), tableIcon);
    m_pageControl2->setCurrentWidget(m_tabSheet3);

    m_tabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    m_tabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    m_tabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    m_tabSheet4->setObjectName(QStringLiteral("TabSheet4"));
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        fitFrameAndCentre();
        m_checkBox1->setFocus(Qt::ActiveWindowFocusReason);
    }
}

QRect TForm1::FramePlacement(const QSize& outer, const QRect& available)
{
    QRect frame(QPoint(), outer.boundedTo(available.size()));
    frame.moveCenter(available.center());
    // Odd sizes round the centre; the edges win over it.
    frame.moveLeft(
        std::clamp(frame.left(), available.left(), available.right() - frame.width() + 1));
    frame.moveTop(
        std::clamp(frame.top(), available.top(), available.bottom() - frame.height() + 1));
    return frame;
}

void TForm1::fitFrameAndCentre()
{
    // The stored size is the outer one; the window manager's frame is known only once the
    // window is shown, so the client area is shrunk by it here. Centred regardless of any
    // stored position, and kept on a screen too small for it.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area =
        screen ? screen->availableGeometry() : QRect(QPoint(), QSize(OuterWidth, OuterHeight));
    const QRect placed = FramePlacement(QSize(OuterWidth, OuterHeight), area);
    resize(placed.size() - frame);
    move(placed.topLeft());
}
