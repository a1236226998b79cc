// What the to-do list's sort and paint cost: sorting 100,000 items by subject (strings by
// the locale's collation) and by priority (five values, many equal), each within 300 ms,
// and one full paint of a 600 x 400 list with a row per line, within 4 ms.
#include "bench/support/GuiBenchMain.h"
#include "comp/TodoList/TodoList.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

constexpr int ItemCount = 100000;

QString subjectFor(std::mt19937& random)
{
    static const char* const words[] = {"Call",  "review", "plan",   "Order", "fix",
                                        "write", "Budget", "garden", "tax",   "meeting"};
    QString s;
    for (int w = 0; w < 3; ++w) {
        if (w > 0)
            s += QLatin1Char(' ');
        s += QLatin1String(words[random() % 10]);
    }
    return s + QLatin1Char(' ') + QString::number(random() % 100000);
}

void fill(TCustomTodoList& list, std::vector<QString>& subjects,
          std::vector<TTodoPriority>& priorities)
{
    std::mt19937 random(42);
    list.BeginUpdate();
    for (int i = 0; i < ItemCount; ++i) {
        subjects.push_back(subjectFor(random));
        priorities.push_back(TTodoPriority(random() % 5));
        TTodoItem& item = list.Items().Add();
        item.SetSubject(subjects.back());
        item.SetPriority(priorities.back());
    }
    list.EndUpdate();
}

void sortBy(benchmark::State& state, TTodoData kind)
{
    TCustomTodoList list;
    std::vector<QString> subjects;
    std::vector<TTodoPriority> priorities;
    fill(list, subjects, priorities);
    list.Columns()[1].SetTodoData(kind);
    list.SetSortColumn(1);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < ItemCount; ++i) {
            list.Items()[i].SetSubject(subjects[std::size_t(i)]);
            list.Items()[i].SetPriority(priorities[std::size_t(i)]);
        }
        list.SetItemIndex(ItemCount / 2);
        state.ResumeTiming();
        list.Sort();
    }
    state.counters["items"] = ItemCount;
}

void BM_SortBySubject(benchmark::State& state)
{
    sortBy(state, TTodoData::tdSubject);
}
BENCHMARK(BM_SortBySubject)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

void BM_SortByPriority(benchmark::State& state)
{
    sortBy(state, TTodoData::tdPriority);
}
BENCHMARK(BM_SortByPriority)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

void BM_PaintList600x400(benchmark::State& state)
{
    TCustomTodoList list;
    list.resize(600, 400);
    list.show(); // lays out the header and the rows
    const TTodoData kinds[] = {TTodoData::tdNotes, TTodoData::tdPriority, TTodoData::tdDueDate};
    for (TTodoData kind : kinds)
        list.Columns().Add().SetTodoData(kind);
    std::mt19937 random(7);
    for (int i = 0; i < 40; ++i) {
        TTodoItem& item = list.Items().Add();
        item.SetSubject(subjectFor(random));
        item.Notes().SetText(QStringLiteral("First line of the notes\r\nsecond"));
        item.SetCompletion(int(random() % 101));
        item.SetPriority(TTodoPriority(random() % 5));
        item.SetDueDate(46000 + i);
    }
    list.SetSelectionColorTo(0xFFEEDD);
    list.SetItemIndex(3);
    // Rendering sends the paint events a screen update would: the border, the header and
    // the double-buffered rows.
    QImage image(list.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        list.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintList600x400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
