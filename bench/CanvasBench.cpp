// What the canvas wrapper costs over raw QPainter calls: one planner-sized picture (800 x 600,
// a 7 x 48 grid of filled cells with grid lines, 300 items with frames and caption bars,
// about 3,000 short text runs) painted once through TCanvas and once with the same calls
// made on QPainter directly. The wrapper should stay within 10 % of the raw figure.
#include "bench/support/GuiBenchMain.h"
#include "platform/gfx/Canvas.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int pictureWidth = 800;
constexpr int pictureHeight = 600;
constexpr int days = 7;
constexpr int rows = 48;
constexpr int cellWidth = pictureWidth / days;
constexpr int cellHeight = pictureHeight / rows;
constexpr int itemCount = 300;
constexpr int linesPerItem = 8;

struct Item
{
    TRect rect;
    QString caption;
    std::vector<QString> lines;
};

const std::vector<Item>& items()
{
    static const std::vector<Item> list = [] {
        std::vector<Item> out;
        for (int i = 0; i < itemCount; ++i) {
            const int day = i % days;
            const int row = (i * 7) % (rows - 4);
            const int slot = (i / days) % 3;
            const int slotWidth = cellWidth / 3;
            Item item;
            item.rect = {day * cellWidth + slot * slotWidth + 1, row * cellHeight + 1,
                         day * cellWidth + (slot + 1) * slotWidth - 2, (row + 4) * cellHeight - 1};
            item.caption = QStringLiteral("%1:30").arg(8 + i % 10);
            for (int l = 0; l < linesPerItem; ++l)
                item.lines.push_back(QStringLiteral("Task %1").arg(i * 10 + l));
            out.push_back(std::move(item));
        }
        return out;
    }();
    return list;
}

const std::vector<QString>& labels()
{
    static const std::vector<QString> list = [] {
        std::vector<QString> out;
        for (int r = 0; r < rows; ++r)
            out.push_back(QStringLiteral("%1:%2").arg(r / 2).arg(r % 2 ? "30" : "00"));
        return out;
    }();
    return list;
}

void paintThroughCanvas(QImage& image)
{
    TCanvas cv(&image);
    cv.Font().SetName(QStringLiteral("Tahoma"));
    cv.Pen().SetColor(clSilver);
    for (int d = 0; d < days; ++d) {
        for (int r = 0; r < rows; ++r) {
            const TRect cell = Bounds(d * cellWidth, r * cellHeight, cellWidth, cellHeight);
            cv.Brush().SetColor(r >= 16 && r < 36 ? RGB(255, 255, 225) : RGB(245, 245, 245));
            cv.FillRect(cell);
            cv.MoveTo(cell.Right - 1, cell.Top);
            cv.LineTo(cell.Right - 1, cell.Bottom);
            cv.MoveTo(cell.Left, cell.Bottom - 1);
            cv.LineTo(cell.Right, cell.Bottom - 1);
            cv.Brush().SetStyle(TBrushStyle::bsClear);
            cv.TextOut(cell.Left + 2, cell.Top, labels()[std::size_t(r)]);
            cv.Brush().SetStyle(TBrushStyle::bsSolid);
        }
    }
    const int lineHeight = cv.TextHeight(QStringLiteral("gh"));
    for (const Item& item : items()) {
        cv.Brush().SetColor(clWhite);
        cv.FillRect(item.rect);
        cv.Brush().SetColor(clBlack);
        cv.FrameRect(item.rect);
        const TRect caption{item.rect.Left + 1, item.rect.Top + 1, item.rect.Right - 1,
                            item.rect.Top + 1 + lineHeight};
        cv.Brush().SetColor(RGB(200, 220, 255));
        cv.FillRect(caption);
        cv.Brush().SetStyle(TBrushStyle::bsClear);
        cv.TextOut(caption.Left + 2, caption.Top, item.caption);
        TRect line{item.rect.Left + 2, caption.Bottom, item.rect.Right - 2, 0};
        for (const QString& text : item.lines) {
            line.Bottom = line.Top + lineHeight;
            cv.DrawText(text, line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            line.Top = line.Bottom;
        }
        cv.Brush().SetStyle(TBrushStyle::bsSolid);
    }
}

void paintWithQPainter(QImage& image, const QFont& font)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font);
    const QColor grid(192, 192, 192);
    for (int d = 0; d < days; ++d) {
        for (int r = 0; r < rows; ++r) {
            const QRect cell(d * cellWidth, r * cellHeight, cellWidth, cellHeight);
            p.fillRect(cell, r >= 16 && r < 36 ? QColor(255, 255, 225) : QColor(245, 245, 245));
            p.fillRect(QRect(cell.right(), cell.top(), 1, cellHeight), grid);
            p.fillRect(QRect(cell.left(), cell.bottom(), cellWidth, 1), grid);
            p.setPen(Qt::black);
            p.drawText(QPoint(cell.left() + 2, cell.top() + p.fontMetrics().ascent()),
                       labels()[std::size_t(r)]);
        }
    }
    const QFontMetrics fm(font);
    const int lineHeight = fm.ascent() + fm.descent();
    for (const Item& item : items()) {
        const QRect body = ToQRect(item.rect);
        p.fillRect(body, Qt::white);
        p.fillRect(QRect(body.left(), body.top(), body.width(), 1), Qt::black);
        p.fillRect(QRect(body.left(), body.bottom(), body.width(), 1), Qt::black);
        p.fillRect(QRect(body.left(), body.top() + 1, 1, body.height() - 2), Qt::black);
        p.fillRect(QRect(body.right(), body.top() + 1, 1, body.height() - 2), Qt::black);
        const QRect caption(body.left() + 1, body.top() + 1, body.width() - 2, lineHeight);
        p.fillRect(caption, QColor(200, 220, 255));
        p.setPen(Qt::black);
        p.drawText(QPoint(caption.left() + 2, caption.top() + fm.ascent()), item.caption);
        QRect line(body.left() + 2, caption.bottom() + 1, body.width() - 4, lineHeight);
        for (const QString& text : item.lines) {
            p.drawText(line, Qt::AlignLeft | Qt::TextSingleLine, text);
            line.translate(0, lineHeight);
        }
    }
}

void BM_PlannerThroughTCanvas(benchmark::State& state)
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        paintThroughCanvas(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PlannerThroughTCanvas)->Unit(benchmark::kMillisecond);

void BM_PlannerRawQPainter(benchmark::State& state)
{
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    TFont f;
    f.SetName(QStringLiteral("Tahoma"));
    const QFont font = f.ToQFont();
    for (auto _ : state) {
        paintWithQPainter(image, font);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PlannerRawQPainter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunGuiBenchmarks(argc, argv);
}
