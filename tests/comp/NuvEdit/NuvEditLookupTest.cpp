// The auto-complete list (when it shows, what it lists, where it stands, the keys that move
// in it, choosing with and without Multi and a value list, the history) and persistence of
// the text and the lists in a real INI file and in the native store, both in a temporary
// folder.
#include "NuvEditFixture.h"
#include "comp/NuvEdit/ListHintWindow.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

class NuvEditLookup : public NuvEditFixture
{
protected:
    void SetUp() override
    {
        NuvEditFixture::SetUp();
        m_window->show();
        edit->Lookup().SetEnabled(true);
        edit->Lookup().SetDisplayList({QStringLiteral("banana"), QStringLiteral("apricot"),
                                       QStringLiteral("apple"), QStringLiteral("Avocado")});
    }
    TLookupListBox* list() const { return edit->LookupPopup()->ListControl(); }
    QStringList rows() const
    {
        QStringList r;
        for (int i = 0; i < list()->Count(); ++i)
            r << list()->RowText(i);
        return r;
    }
};

TEST_F(NuvEditLookup, ShowsMatchesAfterNumChars)
{
    type(QStringLiteral("a"));
    EXPECT_FALSE(edit->LookupShown());
    type(QStringLiteral("p"));
    ASSERT_TRUE(edit->LookupShown());
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("apple"), QStringLiteral("apricot")}));
    EXPECT_EQ(list()->ItemIndex(), 0);
    // Placed under the edit, as high as its rows.
    const QPoint origin = edit->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(edit->LookupPopup()->y(), origin.y() + edit->height() - 6);
    EXPECT_EQ(edit->LookupPopup()->height(), 2 * 12 + 4);
    EXPECT_GE(edit->LookupPopup()->width(), 60);
    key(Qt::Key_Return);
    EXPECT_FALSE(edit->LookupShown());
    EXPECT_EQ(edit->Text(), QStringLiteral("apple"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("apple"));
}

TEST_F(NuvEditLookup, ShadowFollowsTheList)
{
    const QWidget* shadow = edit->LookupPopup()->Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_FALSE(shadow->isVisible());
    type(QStringLiteral("ap"));
    ASSERT_TRUE(edit->LookupShown());
    EXPECT_TRUE(shadow->isVisible());
    const int d = TListHintWindow::ShadowOffset;
    EXPECT_EQ(shadow->geometry(), edit->LookupPopup()->geometry().translated(d, d));
    type(QStringLiteral("r"));
    EXPECT_EQ(shadow->geometry(), edit->LookupPopup()->geometry().translated(d, d))
        << "moved and sized with the list";
    key(Qt::Key_Return);
    EXPECT_FALSE(shadow->isVisible());
}

TEST_F(NuvEditLookup, CaseSensitivityAndNoMatch)
{
    type(QStringLiteral("AV"));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("Avocado")});
    edit->SetText(QString());
    edit->Lookup().SetCaseSensitive(true);
    type(QStringLiteral("av"));
    EXPECT_FALSE(edit->LookupShown());
    type(QStringLiteral("\b\b"));
    type(QStringLiteral("Av"));
    EXPECT_TRUE(edit->LookupShown());
    type(QStringLiteral("\b"));
    EXPECT_FALSE(edit->LookupShown()) << "shorter than NumChars";
}

TEST_F(NuvEditLookup, NavigationKeys)
{
    TStringList many;
    for (int i = 0; i < 10; ++i)
        many.Add(QStringLiteral("item%1").arg(i));
    edit->Lookup().SetDisplayList(many);
    type(QStringLiteral("it"));
    ASSERT_EQ(list()->Count(), 10);
    EXPECT_EQ(edit->LookupPopup()->height(), 4 * 12 + 4);
    struct Step
    {
        Qt::Key key;
        int row;
    } steps[] = {
        {Qt::Key_Up, 0},   {Qt::Key_Down, 1},   {Qt::Key_PageDown, 5}, {Qt::Key_PageDown, 9},
        {Qt::Key_Down, 9}, {Qt::Key_PageUp, 5}, {Qt::Key_PageUp, 1},   {Qt::Key_PageUp, 0},
        {Qt::Key_End, 9},  {Qt::Key_Home, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.key);
        key(s.key);
        EXPECT_EQ(list()->ItemIndex(), s.row);
    }
    EXPECT_EQ(edit->Text(), QStringLiteral("it")) << "the keys move in the list only";
    key(Qt::Key_End);
    key(Qt::Key_Return);
    EXPECT_EQ(edit->Text(), QStringLiteral("item9"));
}

TEST_F(NuvEditLookup, MultiCompletesTheLastEntry)
{
    edit->Lookup().SetMulti(true);
    edit->Lookup().SetDisplayList(
        {QStringLiteral("green"), QStringLiteral("grey"), QStringLiteral("red")});
    type(QStringLiteral("red;gr"));
    ASSERT_TRUE(edit->LookupShown());
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("green"), QStringLiteral("grey")}));
    key(Qt::Key_Return);
    EXPECT_EQ(edit->Text(), QStringLiteral("red;green;"));
    EXPECT_EQ(edit->cursorPosition(), 10);
}

TEST_F(NuvEditLookup, ValueListAndSelectEvent)
{
    edit->Lookup().SetDisplayList(
        {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    edit->Lookup().SetValueList({QStringLiteral("1")});
    type(QStringLiteral("on"));
    key(Qt::Key_Return);
    EXPECT_EQ(edit->Text(), QStringLiteral("1"));
    edit->SetText(QString());
    type(QStringLiteral("th"));
    key(Qt::Key_Return);
    EXPECT_EQ(edit->Text(), QStringLiteral("three")) << "beyond the value list";

    edit->OnLookupSelect = [](QWidget&, QString& v) { v = v.toUpper(); };
    edit->SetText(QString());
    type(QStringLiteral("tw"));
    key(Qt::Key_Return);
    EXPECT_EQ(edit->Text(), QStringLiteral("TWO"));
}

TEST_F(NuvEditLookup, MouseReleaseChooses)
{
    type(QStringLiteral("ap"));
    ASSERT_TRUE(edit->LookupShown());
    QTest::mouseClick(list(), Qt::LeftButton, {}, QPoint(5, 12 + 5));
    EXPECT_EQ(edit->Text(), QStringLiteral("apricot"));
    EXPECT_FALSE(edit->LookupShown());
}

TEST_F(NuvEditLookup, EscapeClosesTheList)
{
    edit->SetText(QStringLiteral("start"));
    enter();
    type(QStringLiteral("ap"));
    ASSERT_TRUE(edit->LookupShown());
    key(Qt::Key_Escape);
    EXPECT_FALSE(edit->LookupShown());
    EXPECT_EQ(edit->Text(), QStringLiteral("start"));
}

TEST_F(NuvEditLookup, ChoosingWithTheMouseKeepsTheTextOfEntryForEscape)
{
    edit->SetText(QStringLiteral("start"));
    enter();
    type(QStringLiteral("ap"));
    ASSERT_TRUE(edit->LookupShown());
    QApplication::setActiveWindow(edit->LookupPopup());
    if (QApplication::activeWindow() != edit->LookupPopup())
        GTEST_SKIP() << "the platform does not activate the list";
    int exits = 0;
    edit->OnExit = [&](QWidget&) { ++exits; };
    leave(); // into the list: the edit is not left
    EXPECT_TRUE(edit->Focused());
    QTest::mouseClick(list(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(exits, 0) << "choosing brings the focus back without leaving";
    enter(Qt::ActiveWindowFocusReason); // the focus comes back
    EXPECT_EQ(edit->Text(), QStringLiteral("apple"));
    key(Qt::Key_Escape);
    EXPECT_EQ(edit->Text(), QStringLiteral("start"));
}

TEST_F(NuvEditLookup, MovingTheWindowClosesTheList)
{
    type(QStringLiteral("ap"));
    ASSERT_TRUE(edit->LookupShown());
    m_window->move(m_window->pos() + QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_FALSE(edit->LookupShown());
}

TEST_F(NuvEditLookup, HistoryAddsOnce)
{
    edit->Lookup().SetHistory(true);
    enter();
    type(QStringLiteral("  cherry "));
    leave();
    enter();
    leave();
    EXPECT_EQ(edit->Lookup().DisplayList().Count(), 5);
    EXPECT_EQ(edit->Lookup().DisplayList()[4], QStringLiteral("cherry"));
    EXPECT_FALSE(edit->LookupShown()) << "leaving hides the list";
}

class NuvEditPersistence : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    std::unique_ptr<TNuvEdit> makeEdit(const QString& iniPath)
    {
        auto e = std::make_unique<TNuvEdit>();
        e->setObjectName(QStringLiteral("NameEdit"));
        e->Persistence().SetEnable(true);
        e->Persistence().SetKey(iniPath);
        e->Persistence().SetSection(QStringLiteral("Form1"));
        e->Lookup().SetEnabled(true);
        e->Lookup().SetHistory(true);
        return e;
    }
    QTemporaryDir m_dir;
};

TEST_F(NuvEditPersistence, IniRoundTrip)
{
    const QString ini = m_dir.filePath(QStringLiteral("edits.ini"));
    {
        auto e = makeEdit(ini);
        e->SetPrefix(QStringLiteral("<"));
        e->SetText(QStringLiteral("kept"));
        e->Lookup().SetDisplayList(
            {QStringLiteral("a1"), QStringLiteral("b2"), QStringLiteral("c3")});
        e->Lookup().SetValueList(
            {QStringLiteral("v1"), QStringLiteral("v2"), QStringLiteral("v3")});
    } // destroyed: saved
    {
        QSettings raw(ini, QSettings::IniFormat);
        raw.beginGroup(QStringLiteral("Form1"));
        EXPECT_EQ(raw.value(QStringLiteral("LOOKUPCOUNT")).toInt(), 3);
        EXPECT_EQ(raw.value(QStringLiteral("LOOKUPDISPL1")).toString(), QStringLiteral("a1"));
        EXPECT_EQ(raw.value(QStringLiteral("LOOKUPDISPL3")).toString(), QStringLiteral("c3"));
        EXPECT_EQ(raw.value(QStringLiteral("LOOKUPVAL1")).toString(), QStringLiteral("v1"));
        EXPECT_EQ(raw.value(QStringLiteral("LOOKUPVAL3")).toString(), QStringLiteral("v3"));
        EXPECT_FALSE(raw.contains(QStringLiteral("LOOKUPVAL4")));
        EXPECT_EQ(raw.value(QStringLiteral("NameEdit")).toString(), QStringLiteral("<kept"));
    }
    auto e = makeEdit(ini);
    e->Loaded();
    EXPECT_EQ(e->Lookup().DisplayList().Lines(),
              (QStringList{QStringLiteral("a1"), QStringLiteral("b2"), QStringLiteral("c3")}));
    EXPECT_EQ(e->Lookup().ValueList().Lines(),
              (QStringList{QStringLiteral("v1"), QStringLiteral("v2"), QStringLiteral("v3")}));
    EXPECT_EQ(e->QLineEdit::text(), QStringLiteral("<kept"));
    e->Persistence().SetEnable(false);
}

TEST_F(NuvEditPersistence, ShorterValueListLeavesNoOldValues)
{
    const QString ini = m_dir.filePath(QStringLiteral("values.ini"));
    {
        auto e = makeEdit(ini);
        e->Lookup().SetDisplayList({QStringLiteral("a1"), QStringLiteral("b2")});
        e->Lookup().SetValueList({QStringLiteral("v1"), QStringLiteral("v2")});
    }
    {
        auto e = makeEdit(ini);
        e->Lookup().SetDisplayList({QStringLiteral("a1"), QStringLiteral("b2")});
        e->Lookup().SetValueList({QStringLiteral("w1")});
    }
    auto e = makeEdit(ini);
    e->Loaded();
    EXPECT_EQ(e->Lookup().ValueList().Lines(), QStringList{QStringLiteral("w1")});
    e->Persistence().SetEnable(false);
}

TEST_F(NuvEditPersistence, MissingEntryAndDamagedCount)
{
    const QString ini = m_dir.filePath(QStringLiteral("other.ini"));
    {
        QSettings raw(ini, QSettings::IniFormat);
        raw.setValue(QStringLiteral("Form1/LOOKUPCOUNT"), QStringLiteral("lots"));
    }
    auto e = makeEdit(ini);
    e->SetText(QStringLiteral("unchanged"));
    e->Loaded();
    EXPECT_EQ(e->Text(), QStringLiteral("unchanged"));
    EXPECT_EQ(e->Lookup().DisplayList().Count(), 0);
    e->Persistence().SetEnable(false);
}

TEST_F(NuvEditPersistence, HandWrittenCommasAreText)
{
    // Another program writes plain INI lines; a comma in them is no list separator here. The
    // reader drops the blanks around the commas, and one after each is put back.
    const QString ini = m_dir.filePath(QStringLiteral("plain.ini"));
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Form1]\r\nNameEdit=red, green\r\nLOOKUPCOUNT=1\r\n"
                "LOOKUPDISPL1=a, b\r\nLOOKUPVAL1=1, 2\r\n");
    }
    auto e = makeEdit(ini);
    e->Loaded();
    EXPECT_EQ(e->QLineEdit::text(), QStringLiteral("red, green"));
    EXPECT_EQ(e->Lookup().DisplayList().Lines(), QStringList{QStringLiteral("a, b")});
    EXPECT_EQ(e->Lookup().ValueList().Lines(), QStringList{QStringLiteral("1, 2")});
    e->Persistence().SetEnable(false);
}

TEST_F(NuvEditPersistence, EmptyKeyIsTheProgramPathWithIni)
{
    auto e = makeEdit(QString());
    e->Loaded(); // reads only: nothing is written next to the program
    const QFileInfo program(QCoreApplication::applicationFilePath());
    EXPECT_EQ(e->Persistence().Key(), program.absolutePath() + QStringLiteral("/") +
                                          program.fileName() + QStringLiteral(".INI"));
    e->Persistence().SetEnable(false);
}

TEST_F(NuvEditPersistence, NativeStoreUnderTheKeyPath)
{
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    {
        auto e = makeEdit(QStringLiteral("Software\\deskhive\\tests"));
        e->Persistence().SetLocation(TPersistenceLocation::plRegistry);
        e->SetText(QStringLiteral("native"));
        e->Lookup().SetDisplayList({QStringLiteral("x")});
    }
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope,
                      QStringLiteral("Software/deskhive"), QStringLiteral("tests"));
        EXPECT_TRUE(raw.fileName().startsWith(m_dir.path())) << raw.fileName().toStdString();
        EXPECT_EQ(raw.value(QStringLiteral("Form1/NameEdit")).toString(), QStringLiteral("native"));
        EXPECT_EQ(raw.value(QStringLiteral("Form1/LOOKUPDISPL1")).toString(), QStringLiteral("x"));
    }
    auto e = makeEdit(QStringLiteral("Software\\deskhive\\tests"));
    e->Persistence().SetLocation(TPersistenceLocation::plRegistry);
    e->Loaded();
    EXPECT_EQ(e->Text(), QStringLiteral("native"));
    EXPECT_EQ(e->Lookup().DisplayList().Count(), 1);
    e->Persistence().SetEnable(false);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home);
}

} // namespace
