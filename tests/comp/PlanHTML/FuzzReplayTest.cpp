// Replays every stored fuzz input, the seeds and each input that ever made a fuzz target
// fail, through the entry functions the targets use, so that a fault found once stays
// fixed. A crash or sanitizer report fails this test like any other.
#include "fuzz/FuzzEntries.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Entry = void (*)(const std::uint8_t*, std::size_t);

struct Target
{
    const char* name;
    Entry entry;
};

const Target targets[] = {
    {"draw_markup", fuzzentry::DrawMarkupInput},
    {"strip_markup", fuzzentry::StripMarkupInput},
    {"match_filter", fuzzentry::MatchFilterInput},
    {"parse_short_date", fuzzentry::ParseShortDateInput},
};

QString fuzzRoot()
{
    // The build names the source tree: __FILE__ may be relative to the build folder (a
    // compiler cache rewrites it so), and tests run from anywhere.
    return QDir(QStringLiteral(DESKHIVE_SOURCE_DIR)).filePath(QStringLiteral("fuzz"));
}

int replay(const Target& t, const QString& folder)
{
    int count = 0;
    QDirIterator it(QDir(fuzzRoot()).filePath(folder + QLatin1Char('/') + QLatin1String(t.name)),
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        t.entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                std::size_t(bytes.size()));
        ++count;
    }
    return count;
}

TEST(FuzzReplay, SeedsAndFormerCrashesRunClean)
{
    for (const Target& t : targets) {
        SCOPED_TRACE(t.name);
        // Every target has seeds; a missing folder would silently test nothing.
        EXPECT_GT(replay(t, QStringLiteral("corpus")), 0);
        replay(t, QStringLiteral("crashes"));
    }
}

} // namespace
