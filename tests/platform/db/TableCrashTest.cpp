// Crash safety: a child process (this test program again, running only the child test)
// posts records and edits and reports each one after Post returned; it is killed with
// SIGKILL at random moments, over and over on the same file. Every reported post must be
// in the file afterwards, the file must pass SQLite's integrity check, and the lock left
// behind by each killed child must not keep the next one out.
#include "DbTestSupport.h"
#include "platform/db/Field.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <cstdio>
#include <random>

namespace {

const char* const ChildVariable = "DESKHIVE_CRASH_CHILD_TABLE";

using TableCrashTest = TDbTest;

} // namespace

// Does nothing in a normal run; in the child it posts until it is killed.
TEST(TableCrashChild, PostsUntilKilled)
{
    const QString path = qEnvironmentVariable(ChildVariable);
    if (path.isEmpty())
        GTEST_SKIP() << "runs only as the child of KilledWhilePostingLosesNoPostedRecord";
    TTable table;
    table.SetDatabaseName(QFileInfo(path).path());
    table.SetTableName(QFileInfo(path).fileName());
    table.Open();
    // The counter record is the first; each round appends one record and edits the counter.
    for (int round = table.FieldByName("PRIORITY")->AsInteger() + 1;; ++round) {
        const QString key = QString("R%1-%2").arg(QCoreApplication::applicationPid()).arg(round);
        table.Append();
        table.FieldByName("KEY")->SetAsString(key);
        table.FieldByName("SUBJECT")->SetAsString(QString("round %1").arg(round));
        table.Post();
        std::printf("POSTED APPEND %s\n", key.toUtf8().constData());
        std::fflush(stdout);
        table.First();
        table.Edit();
        table.FieldByName("PRIORITY")->SetAsInteger(round);
        table.Post();
        std::printf("POSTED EDIT %d\n", round);
        std::fflush(stdout);
    }
}

TEST_F(TableCrashTest, KilledWhilePostingLosesNoPostedRecord)
{
    {
        auto table = OpenTodoTable(1);
        table->Edit();
        table->FieldByName("PRIORITY")->SetAsInteger(0);
        table->Post();
    }
    const QString path = Path("tododb.db");
    std::mt19937 random(20240305);
    QStringList appended;
    int lastEdit = 0;
    for (int kill = 0; kill < 20; ++kill) {
        SCOPED_TRACE(kill);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(ChildVariable, path);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=TableCrashChild.PostsUntilKilled"});
        ASSERT_TRUE(child.waitForStarted(10000));
        // Let it get going, then kill it somewhere in the middle of a post.
        QByteArray output;
        while (!output.contains("POSTED EDIT") && child.state() == QProcess::Running) {
            child.waitForReadyRead(100);
            output += child.readAllStandardOutput();
        }
        QThread::usleep(random() % 30000);
        child.kill(); // SIGKILL
        ASSERT_TRUE(child.waitForFinished(10000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit)
            << child.readAllStandardError().toStdString();
        output += child.readAllStandardOutput();
        // Only whole lines count: a line cut by the kill was never fully reported.
        const QList<QByteArray> lines = output.left(output.lastIndexOf('\n') + 1).split('\n');
        for (const QByteArray& line : lines) {
            if (line.startsWith("POSTED APPEND "))
                appended << QString::fromUtf8(line.mid(14));
            else if (line.startsWith("POSTED EDIT "))
                lastEdit = std::max(lastEdit, line.mid(12).toInt());
        }
    }
    ASSERT_GT(appended.size(), 20);

    TRawDb raw(path);
    EXPECT_EQ(raw.Value("PRAGMA integrity_check").toString(), "ok");
    QSet<QString> inFile;
    for (const QVariantList& row : raw.Rows("SELECT KEY FROM tododb"))
        inFile.insert(row.first().toString());
    for (const QString& key : appended)
        EXPECT_TRUE(inFile.contains(key)) << key.toStdString();
    // The counter may be one edit ahead of the last report, never behind it.
    const int counter = raw.Value("SELECT PRIORITY FROM tododb WHERE KEY = 'K1'").toInt();
    EXPECT_GE(counter, lastEdit);
    EXPECT_LE(counter, lastEdit + 1);
    // And our own open finds it usable, the last child's lock notwithstanding.
    auto table = NewTable();
    table->Open();
    EXPECT_EQ(table->RecordCount(), inFile.size());
}
