// The auto-complete pop-up window and its list of matches.
#include "comp/NuvEdit/ListHintWindow.h"

#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DrawFlags.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int RowHeight = 12;
constexpr int GripSize = 10;
} // namespace

TLookupListBox::TLookupListBox(QWidget* parent) : TCustomListBox(parent)
{
    SetItemHeight(RowHeight);
    Font().SetName(QStringLiteral("Arial"));
    Font().SetSize(8);
    setFocusPolicy(Qt::ClickFocus);
}

void TLookupListBox::SetRows(std::vector<std::pair<QString, int>> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    m_rows = std::move(rows);
    SetCount(int(m_rows.size()));
    update();
}

void TLookupListBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)
{
    const bool selected = state.Contains(TOwnerDrawStateItem::odSelected);
    canvas.Brush().SetColor(selected ? clHighlight : Color());
    canvas.FillRect(rect);
    if (index < 0 || index >= int(m_rows.size()))
        return;
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(selected ? clHighlightText : clWindowText);
    canvas.SetBkMode(TBkMode::bkTransparent);
    TRect r{rect.Left + 2, rect.Top, rect.Right, rect.Bottom};
    canvas.DrawText(m_rows[size_t(index)].first, r,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TLookupListBox::KeyDown(int& key, TShiftState shift)
{
    if (key == VK_RETURN) {
        key = 0;
        Raise(OnChoose, *this);
        return;
    }
    TCustomListBox::KeyDown(key, shift);
}

void TLookupListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomListBox::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbLeft && ItemIndex() >= 0)
        Raise(OnChoose, *this);
}

namespace {

// The shadow behind the pop-up: a half-transparent dark band where the windowing system
// blends windows, an opaque one where it does not; it never takes the mouse or the
// activation.
class TShadowWindow : public QWidget
{
public:
    explicit TShadowWindow(QWidget* owner)
        : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                             Qt::WindowTransparentForInput)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 0, 80));
    }
};

} // namespace

TListHintWindow::TListHintWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_list(new TLookupListBox(this)), m_shadow(std::make_unique<TShadowWindow>(parent))
{
    // The user keeps typing in the edit while the list is shown.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_list->move(1, 1);
    m_list->installEventFilter(this);
    resize(60, 4 * RowHeight + 4);
}

TListHintWindow::~TListHintWindow() = default;

void TListHintWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_list->setGeometry(1, 1, std::max(0, width() - 2), std::max(0, height() - 2));
    placeShadow();
}

void TListHintWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    placeShadow();
}

void TListHintWindow::showEvent(QShowEvent* event)
{
    placeShadow();
    m_shadow->show();
    QWidget::showEvent(event);
    // The shadow stays behind the list.
    raise();
}

void TListHintWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_shadow->hide();
}

void TListHintWindow::placeShadow()
{
    m_shadow->setGeometry(geometry().translated(ShadowOffset, ShadowOffset));
}

void TListHintWindow::paintEvent(QPaintEvent*)
{
    TCanvas canvas(this);
    canvas.Brush().SetColor(clWindowFrame);
    canvas.FrameRect(TRect{0, 0, width(), height()});
}

bool TListHintWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        m_list->setFocus(Qt::ActiveWindowFocusReason);
    else if (event->type() == QEvent::WindowDeactivate && isVisible()) {
        hide();
        Raise(OnDeactivate);
    }
    return QWidget::event(event);
}

bool TListHintWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
         event->type() == QEvent::MouseButtonRelease))
        return gripMouse(static_cast<QMouseEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool TListHintWindow::gripMouse(QMouseEvent* event)
{
    const QPoint global = event->globalPosition().toPoint();
    const QPoint p = mapFromGlobal(global);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (event->button() == Qt::LeftButton && p.x() >= width() - GripSize &&
            p.y() >= height() - GripSize) {
            m_sizing = true;
            m_sizeFrom = global;
            m_sizeStart = size();
            return true;
        }
        return false;
    case QEvent::MouseMove:
        if (!m_sizing)
            return false;
        resize(std::max(20, m_sizeStart.width() + global.x() - m_sizeFrom.x()),
               std::max(RowHeight + 4, m_sizeStart.height() + global.y() - m_sizeFrom.y()));
        return true;
    case QEvent::MouseButtonRelease:
        if (!m_sizing)
            return false;
        m_sizing = false;
        return true;
    default:
        return false;
    }
}
