// Painting and placement of the hint window.
#include "platform/controls/HintWindow.h"

#include "platform/gfx/Canvas.h"

#include <QTimer>

namespace {

// Room between the frame and the text, as hints have always had it.
constexpr int kMarginX = 3;
constexpr int kMarginY = 1;
constexpr unsigned kTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

} // namespace

THintWindow::THintWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint), m_pause(std::make_unique<QTimer>())
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_pause->setSingleShot(true);
    QObject::connect(m_pause.get(), &QTimer::timeout, this,
                     [this] { ActivateHint(m_rect, m_text); });
}

THintWindow::~THintWindow() = default;

void THintWindow::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

TRect THintWindow::CalcHintRect(int maxWidth, const QString& text) const
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    TRect r{0, 0, std::max(1, maxWidth - 2 * kMarginX - 2), 0};
    canvas.DrawText(text, r, kTextFlags | DT_CALCRECT);
    return {0, 0, r.Width() + 2 * kMarginX + 2, r.Height() + 2 * kMarginY + 2};
}

void THintWindow::ActivateHint(const TRect& rect, const QString& text)
{
    m_pause->stop();
    m_rect = rect;
    m_text = text;
    setGeometry(ToQRect(rect));
    show();
    update();
}

void THintWindow::ActivateHintDelayed(const TRect& rect, const QString& text, int pauseMs)
{
    if (pauseMs <= 0) {
        ActivateHint(rect, text);
        return;
    }
    m_rect = rect;
    m_text = text;
    m_pause->start(pauseMs);
}

bool THintWindow::Pending() const
{
    return m_pause->isActive();
}

void THintWindow::CancelHint()
{
    m_pause->stop();
    hide();
}

void THintWindow::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    TRect r{0, 0, width(), height()};
    canvas.Brush().SetColor(m_color);
    canvas.FillRect(r);
    canvas.Brush().SetColor(clWindowFrame);
    canvas.FrameRect(r);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(clInfoText);
    TRect text{r.Left + kMarginX + 1, r.Top + kMarginY + 1, r.Right - kMarginX - 1,
               r.Bottom - kMarginY - 1};
    canvas.DrawText(m_text, text, kTextFlags);
}
