// Layout and painting of the balloon: icon and title on the first line, the text below,
// inside a rounded frame whose tip (a small triangle at the top-left) marks the point.
#include "platform/controls/BalloonHint.h"

#include "platform/gfx/Canvas.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QStyle>

namespace {

constexpr int kMargin = 8;
constexpr int kTip = 10; // height of the tip above the body
constexpr int kIconSize = 16;
constexpr unsigned kTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

QStyle::StandardPixmap iconPixmap(TBalloonIcon icon)
{
    switch (icon) {
    case TBalloonIcon::biWarning:
        return QStyle::SP_MessageBoxWarning;
    case TBalloonIcon::biError:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

TFont titleFont(const TFont& base)
{
    TFont f = base;
    f.SetStyle(f.Style() + TFontStyle::fsBold);
    return f;
}

} // namespace

TBalloonHint::TBalloonHint(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void TBalloonHint::SetTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    update();
}

void TBalloonHint::SetText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void TBalloonHint::SetIcon(TBalloonIcon icon)
{
    if (icon == m_icon)
        return;
    m_icon = icon;
    update();
}

void TBalloonHint::SetColor(TColor color)
{
    if (color == m_color || color == clNone)
        return;
    m_color = color;
    update();
}

void TBalloonHint::SetTextColor(TColor color)
{
    if (color == m_textColor || color == clNone)
        return;
    m_textColor = color;
    update();
}

QSize TBalloonHint::layoutSize() const
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    TRect text{0, 0, MaxTextWidth, 0};
    canvas.DrawText(m_text, text, kTextFlags | DT_CALCRECT);
    canvas.Font() = titleFont(canvas.Font());
    TRect title{0, 0, MaxTextWidth, 0};
    canvas.DrawText(m_title, title, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int iconW = m_icon == TBalloonIcon::biNone ? 0 : kIconSize + 4;
    const int firstLine = std::max(title.Height(), m_icon == TBalloonIcon::biNone ? 0 : kIconSize);
    const int w = std::max(iconW + title.Width(), text.Width()) + 2 * kMargin;
    const int h = firstLine + (m_text.isEmpty() ? 0 : text.Height() + 4) + 2 * kMargin + kTip;
    return {w, h};
}

void TBalloonHint::ShowAt(TPoint screen)
{
    if (m_title.isEmpty() && m_text.isEmpty()) {
        hide();
        return;
    }
    const QSize size = layoutSize();
    // The tip sits kMargin in from the left edge.
    setGeometry(screen.X - kMargin, screen.Y, size.width(), size.height());
    show();
    update();
}

void TBalloonHint::Pop()
{
    hide();
}

void TBalloonHint::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    // Outside the rounded body the window shows the desktop: plain window colour here.
    canvas.Brush().SetColor(clWindow);
    canvas.FillRect({0, 0, width(), height()});
    const TRect body{0, kTip, width(), height()};
    canvas.Brush().SetColor(m_color);
    canvas.Pen().SetColor(clInfoText);
    canvas.RoundRect(body, 10, 10);
    const TPoint tip[] = {{kMargin, 0}, {kMargin, kTip + 1}, {kMargin + kTip, kTip + 1}};
    canvas.Polygon(tip);

    int x = kMargin;
    const int y = kTip + kMargin;
    if (m_icon != TBalloonIcon::biNone) {
        const QIcon icon = QApplication::style()->standardIcon(iconPixmap(m_icon));
        canvas.DrawImage(x, y, icon.pixmap(kIconSize, kIconSize).toImage());
        x += kIconSize + 4;
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const TFont plain = canvas.Font();
    canvas.Font() = titleFont(plain);
    canvas.Font().SetColor(m_textColor);
    TRect title{x, y, width() - kMargin, y + std::max(kIconSize, canvas.TextHeight("Wg"))};
    canvas.DrawText(m_title, title, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    canvas.Font() = plain;
    canvas.Font().SetColor(m_textColor);
    TRect text{kMargin, title.Bottom + 4, width() - kMargin, height() - kMargin};
    canvas.DrawText(m_text, text, kTextFlags);
}
