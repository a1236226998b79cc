// What laying out and drawing a planner item's markup costs: a 200-character and a
// 2,000-character item text with tags and anchors, into a 200 x 400 rectangle, once drawn
// and once only hit-tested (the mouse-move case). The short text should stay within
// 50 microseconds per call.
#include "bench/support/GuiBenchMain.h"
#include "comp/PlanHTML/PlanHTML.h"
#include "platform/gfx/Canvas.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {

// About 200 characters of the markup an item text carries: styles, a colour, a line break,
// two anchors.
const QString shortText = QStringLiteral(
    "<B>Review</B> the <I>quarterly</I> plan with "
    "<A href=\"mailto:team@example.com\">the team</A><BR>"
    "<FONT COLOR=\"clRed\">Due friday</FONT>, see <A href=\"http://example.com/p\">notes</A>"
    " &amp; <U>agenda</U>.");

QString longText()
{
    QString s;
    while (s.size() < 2000)
        s += shortText + QLatin1Char(' ');
    return s;
}

// A planner paints many items through one canvas, so a canvas that has drawn the text
// before is the common case; the fresh-canvas variant shows the first paint of a text.
void drawMarkupFresh(benchmark::State& state, const QString& text)
{
    QImage image(220, 420, QImage::Format_RGB32);
    image.fill(Qt::white);
    TMarkupOptions options;
    const TRect bounds{0, 0, 200, 400};
    for (auto _ : state) {
        TCanvas canvas(&image);
        TMarkupResults results;
        benchmark::DoNotOptimize(DrawMarkup(canvas, text, bounds, options, results));
        benchmark::DoNotOptimize(results.Height);
    }
    state.counters["chars"] = double(text.size());
}

void drawMarkup(benchmark::State& state, const QString& text, bool hitTestOnly)
{
    QImage image(220, 420, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    TMarkupOptions options;
    options.HitTestOnly = hitTestOnly;
    options.MouseX = 60;
    options.MouseY = 20;
    const TRect bounds{0, 0, 200, 400};
    for (auto _ : state) {
        TMarkupResults results;
        benchmark::DoNotOptimize(DrawMarkup(canvas, text, bounds, options, results));
        benchmark::DoNotOptimize(results.Height);
    }
    state.counters["chars"] = double(text.size());
}

void BM_MarkupShortDraw(benchmark::State& state)
{
    drawMarkup(state, shortText, false);
}
void BM_MarkupShortHitTest(benchmark::State& state)
{
    drawMarkup(state, shortText, true);
}
void BM_MarkupLongDraw(benchmark::State& state)
{
    drawMarkup(state, longText(), false);
}
void BM_MarkupLongHitTest(benchmark::State& state)
{
    drawMarkup(state, longText(), true);
}
void BM_MarkupShortDrawFreshCanvas(benchmark::State& state)
{
    drawMarkupFresh(state, shortText);
}
BENCHMARK(BM_MarkupShortDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarkupShortDrawFreshCanvas)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarkupShortHitTest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarkupLongDraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarkupLongHitTest)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
