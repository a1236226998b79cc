// The notifications bound components hear: which arrive, in which order, in which state,
// and what disabling controls does to them.
#include "DbTestSupport.h"
#include "platform/db/DataSource.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Field.h"

#include <functional>

namespace {

class DataLinkTest : public TDbTest
{
public:
    // Three records, the second current, a recording link attached and its attach
    // notifications taken.
    void SetUp() override { Restart("tododb.db"); }
    void Restart(const QString& fileName)
    {
        m_table = OpenTodoTable(3, fileName);
        m_table->SetRecNo(2);
        m_source.SetDataSet(m_table.get());
        m_link.SetDataSource(&m_source);
        m_link.Take();
    }
    void SetSubject(const QString& text) { m_table->FieldByName("SUBJECT")->SetAsString(text); }

    std::unique_ptr<TTable> m_table;
    TDataSource m_source;
    TRecordingLink m_link;
};

} // namespace

TEST_F(DataLinkTest, EachOperationNotifiesInTheDocumentedOrder)
{
    struct Case
    {
        const char* name;
        std::function<void(DataLinkTest&)> action;
        QStringList expected;
    };
    const Case cases[] = {
        {"next", [](auto& t) { t.m_table->Next(); }, {"DataSetScrolled 1"}},
        {"prior", [](auto& t) { t.m_table->Prior(); }, {"DataSetScrolled -1"}},
        {"move by past the end", [](auto& t) { t.m_table->MoveBy(5); }, {"DataSetScrolled 1"}},
        {"first", [](auto& t) { t.m_table->First(); }, {"DataSetScrolled -1"}},
        {"set rec no to the current row", [](auto& t) { t.m_table->SetRecNo(2); }, {}},
        {"locate", [](auto& t) { t.m_table->Locate("KEY", "K3"); }, {"DataSetScrolled 1"}},
        {"edit", [](auto& t) { t.m_table->Edit(); }, {"EditingChanged true"}},
        {"set a field",
         [](auto& t) {
             t.m_table->Edit();
             t.SetSubject("x");
         },
         {"EditingChanged true", "RecordChanged SUBJECT"}},
        {"post an edit",
         [](auto& t) {
             t.m_table->Edit();
             t.SetSubject("x");
             t.m_table->Post();
         },
         {"EditingChanged true", "RecordChanged SUBJECT", "UpdateData", "EditingChanged false",
          "RecordChanged null"}},
        {"insert", [](auto& t) { t.m_table->Insert(); }, {"EditingChanged true", "DataSetChanged"}},
        {"append", [](auto& t) { t.m_table->Append(); }, {"EditingChanged true", "DataSetChanged"}},
        {"post an insert",
         [](auto& t) {
             t.m_table->Insert();
             t.m_table->FieldByName("KEY")->SetAsString("K9");
             t.m_table->Post();
         },
         {"EditingChanged true", "DataSetChanged", "RecordChanged KEY", "UpdateData",
          "EditingChanged false", "DataSetChanged"}},
        {"cancel an edit",
         [](auto& t) {
             t.m_table->Edit();
             t.m_table->Cancel();
         },
         {"EditingChanged true", "EditingChanged false", "RecordChanged null"}},
        {"cancel an insert",
         [](auto& t) {
             t.m_table->Insert();
             t.m_table->Cancel();
         },
         {"EditingChanged true", "DataSetChanged", "EditingChanged false", "DataSetChanged"}},
        {"delete", [](auto& t) { t.m_table->Delete(); }, {"DataSetChanged"}},
        {"delete while editing",
         [](auto& t) {
             t.m_table->Edit();
             t.m_table->Delete();
         },
         {"EditingChanged true", "EditingChanged false", "DataSetChanged"}},
        {"implicit post of a modified edit",
         [](auto& t) {
             t.m_table->Edit();
             t.SetSubject("x");
             t.m_table->Next();
         },
         {"EditingChanged true", "RecordChanged SUBJECT", "CheckBrowseMode", "UpdateData",
          "EditingChanged false", "RecordChanged null", "DataSetScrolled 1"}},
        {"implicit cancel of an unmodified edit",
         [](auto& t) {
             t.m_table->Edit();
             t.m_table->Next();
         },
         {"EditingChanged true", "CheckBrowseMode", "UpdateData", "EditingChanged false",
          "RecordChanged null", "DataSetScrolled 1"}},
        {"locate posts a pending insert first",
         [](auto& t) {
             t.m_table->Insert();
             t.m_table->FieldByName("KEY")->SetAsString("K9");
             t.m_table->Locate("KEY", "K1");
         },
         {"EditingChanged true", "DataSetChanged", "RecordChanged KEY", "CheckBrowseMode",
          "UpdateData", "EditingChanged false", "DataSetChanged", "DataSetScrolled -1"}},
        {"close", [](auto& t) { t.m_table->Close(); }, {"ActiveChanged false"}},
        {"close while editing a modified record",
         [](auto& t) {
             t.m_table->Edit();
             t.SetSubject("x");
             t.m_table->Close();
         },
         {"EditingChanged true", "RecordChanged SUBJECT", "CheckBrowseMode", "UpdateData",
          "EditingChanged false", "RecordChanged null", "ActiveChanged false"}},
        {"reopen",
         [](auto& t) {
             t.m_table->Close();
             t.m_table->Open();
         },
         {"ActiveChanged false", "ActiveChanged true", "DataSetChanged"}},
        {"work while disabled sends one DataSetChanged",
         [](auto& t) {
             const TUpdateScope quiet = DisabledControls(*t.m_table);
             t.m_table->First();
             t.m_table->Next();
             t.m_table->Edit();
             t.SetSubject("x");
             t.m_table->Post();
         },
         {"DataSetChanged"}},
        {"disable and enable with nothing in between",
         [](auto& t) { const TUpdateScope quiet = DisabledControls(*t.m_table); },
         {}},
        {"a state change while disabled is caught up first",
         [](auto& t) {
             const TUpdateScope quiet = DisabledControls(*t.m_table);
             t.m_table->Edit();
         },
         {"EditingChanged true", "DataSetChanged"}},
        {"closing while disabled",
         [](auto& t) {
             const TUpdateScope quiet = DisabledControls(*t.m_table);
             t.m_table->Close();
         },
         {"ActiveChanged false"}},
    };
    int fileNumber = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart(QString("case%1.db").arg(++fileNumber));
        c.action(*this);
        EXPECT_EQ(m_link.Take(), c.expected);
    }
}

TEST_F(DataLinkTest, DisableControlsNests)
{
    m_table->DisableControls();
    m_table->DisableControls();
    m_table->Next();
    m_table->EnableControls();
    EXPECT_TRUE(m_link.Take().isEmpty());
    EXPECT_TRUE(m_table->ControlsDisabled());
    m_table->EnableControls();
    EXPECT_EQ(m_link.Take(), QStringList{"DataSetChanged"});
    // A surplus EnableControls does not go below zero and sends nothing.
    m_table->EnableControls();
    m_table->DisableControls();
    m_table->Prior();
    EXPECT_TRUE(m_link.Take().isEmpty());
    m_table->EnableControls();
    EXPECT_EQ(m_link.Take(), QStringList{"DataSetChanged"});
}

TEST_F(DataLinkTest, AnErrorInsideDisabledControlsStillEnablesThemAndCatchesTheLinksUp)
{
    try {
        const TUpdateScope quiet = DisabledControls(*m_table);
        m_table->Next();
        m_table->FieldByName("NO SUCH FIELD");
        FAIL() << "no error";
    } catch (const EDatabaseError&) {
    }
    EXPECT_FALSE(m_table->ControlsDisabled());
    EXPECT_EQ(m_link.Take(), QStringList{"DataSetChanged"});
    m_table->Prior();
    EXPECT_EQ(m_link.Take(), QStringList{"DataSetScrolled -1"});
}

TEST_F(DataLinkTest, NotificationsAfterAPostSeeBrowseStateAndThePostedValues)
{
    // The planner binding acts on a record change only in browse state; it must see it.
    struct TStateLink : TDataLink
    {
        QStringList Seen;
        void note(const char* what)
        {
            Seen << QString("%1 %2 %3")
                        .arg(what)
                        .arg(int(DataSet()->State()))
                        .arg(DataSet()->FieldByName("KEY")->AsString());
        }
        void DataSetChanged() override { note("changed"); }
        void RecordChanged(TField* field) override
        {
            if (!field)
                note("record");
        }
    } link;
    link.SetDataSource(&m_source);
    m_table->Edit();
    m_table->FieldByName("KEY")->SetAsString("E1");
    m_table->Post();
    m_table->Append();
    m_table->FieldByName("KEY")->SetAsString("A1");
    link.Seen.clear();
    m_table->Post();
    EXPECT_EQ(link.Seen, QStringList{"changed 1 A1"});
}

TEST_F(DataLinkTest, UpdateDataLetsAControlWriteItsPendingEditBeforeThePost)
{
    // A control whose text was typed but not yet written: its edit must not be cancelled
    // as "unmodified" by the implicit post, nor lost by Post.
    struct TPendingEditLink : TDataLink
    {
        QString Pending;
        void UpdateData() override
        {
            if (!Pending.isEmpty())
                DataSet()->FieldByName("SUBJECT")->SetAsString(std::exchange(Pending, {}));
        }
    } control;
    control.SetDataSource(&m_source);
    m_table->Edit();
    control.Pending = "typed";
    m_table->Next();
    m_table->Prior();
    EXPECT_EQ(m_table->FieldByName("SUBJECT")->AsString(), "typed");
    m_table->Edit();
    control.Pending = "typed again";
    m_table->Post();
    m_table->Close();
    EXPECT_EQ(
        TRawDb(Path("tododb.db")).Value("SELECT SUBJECT FROM tododb WHERE KEY = 'K2'").toString(),
        "typed again");
}

TEST_F(DataLinkTest, BaseLinkReportsScrollsAndDataSetChangesAsRecordChanges)
{
    // The to-do binding relies on this default: a dataset change is a record change
    // without a field.
    struct TRecordOnlyLink : TDataLink
    {
        QStringList Seen;
        void RecordChanged(TField* field) override
        {
            Seen << (field ? field->FieldName() : QString("null"));
        }
    } link;
    link.SetDataSource(&m_source);
    m_table->Next();
    m_table->Delete();
    m_table->Edit();
    m_table->FieldByName("NOTES")->SetAsString("n");
    EXPECT_EQ(link.Seen, (QStringList{"null", "null", "NOTES"}));
}

TEST_F(DataLinkTest, AttachingAndDetachingFollowTheDataSetState)
{
    TRecordingLink late;
    m_table->Edit();
    late.SetDataSource(&m_source);
    EXPECT_EQ(late.Take(), (QStringList{"ActiveChanged true", "EditingChanged true"}));
    EXPECT_TRUE(late.Active());
    late.SetDataSource(nullptr);
    EXPECT_EQ(late.Take(), (QStringList{"EditingChanged false", "ActiveChanged false"}));

    // A link attached while controls are disabled is caught up by EnableControls.
    m_table->Cancel();
    m_link.Take();
    m_table->DisableControls();
    late.SetDataSource(&m_source);
    EXPECT_TRUE(late.Take().isEmpty());
    m_table->EnableControls();
    EXPECT_EQ(late.Take(), QStringList{"ActiveChanged true"});

    // Pointing the source at no dataset closes the view of every link on it.
    m_source.SetDataSet(nullptr);
    EXPECT_EQ(m_link.Take(), QStringList{"ActiveChanged false"});
    EXPECT_EQ(late.Take(), QStringList{"ActiveChanged false"});
    m_source.SetDataSet(m_table.get());
    EXPECT_EQ(m_link.Take(), QStringList{"ActiveChanged true"});
}

TEST_F(DataLinkTest, DestroyingTheTableOrTheSourceTellsTheLinks)
{
    m_table.reset();
    EXPECT_EQ(m_link.Take(), QStringList{"ActiveChanged false"});
    EXPECT_EQ(m_link.DataSet(), nullptr);

    auto table = OpenTodoTable(1, "other.db");
    TRecordingLink link;
    {
        TDataSource source(table.get());
        link.SetDataSource(&source);
        link.Take();
    }
    EXPECT_EQ(link.Take(), QStringList{"ActiveChanged false"});
    EXPECT_EQ(link.DataSource(), nullptr);
    // The table no longer knows the source: this must not reach a dead object.
    table->Next();
    table->Close();
}

TEST_F(DataLinkTest, ALinkDetachedByAnotherLinksHandlerIsSkipped)
{
    struct TDetachingLink : TDataLink
    {
        TDataLink* Victim = nullptr;
        void DataSetScrolled(int) override { Victim->SetDataSource(nullptr); }
    } first;
    TDataSource source(m_table.get());
    TRecordingLink second;
    first.Victim = &second;
    first.SetDataSource(&source);
    second.SetDataSource(&source);
    second.Take();
    m_table->Next();
    EXPECT_EQ(second.Take(), QStringList{"ActiveChanged false"});
}
