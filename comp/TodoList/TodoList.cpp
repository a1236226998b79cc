// The container: construction with the defaults, layout and border, the settings that do
// more than store, conversions, the clipboard keys' operations, the header's clicks and
// theme colours, and the overridable notifications.
#include "comp/TodoList/TodoList.h"

#include "comp/TodoList/TodoClipboard.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Themes.h"

#include <QApplication>
#include <QEvent>
#include <QStyle>

TCustomTodoList::TCustomTodoList(QWidget* parent)
    : TCustomControl(parent), m_header(new TTodoHeader(this)), m_list(new TTodoListBox(*this))
{
    m_updates.SetOnRelease([this] {
        m_list->UpdateRowCount();
        m_list->update();
    });
    m_dateFormat = FormatSettings().ShortDateFormat;
    m_previewFont.SetColor(clBlue);
    m_completionFont.SetColor(clGray);
    m_completionFont.SetStyle(TFontStyles{TFontStyle::fsStrikeOut});
    m_priorityFont.SetColor(clRed);
    for (TFont* font : {&m_previewFont, &m_completionFont, &m_priorityFont})
        font->OnChange = [this](TFont&) { m_list->update(); };
    m_handleGlyph.OnChange = [this](TBitmap&) { m_list->update(); };
    m_progressLook.OnChange = [this](TProgressLook&) { m_list->update(); };
    m_completeCheck.OnChange = [this](TCompleteCheck&) { m_list->update(); };
    Font().OnChange = [this](TFont& font) { m_list->Font().Assign(font); };

    m_list->SetDoubleBuffered(true);
    setFocusPolicy(Qt::NoFocus);
    SetTabStop(false);
    updateRowHeight();

    TTodoColumnItem& handle = Columns().Add();
    handle.SetTodoData(TTodoData::tdHandle);
    handle.SetWidth(32);
    TTodoColumnItem& subject = Columns().Add();
    subject.SetCaption(QStringLiteral("Subject"));
    TTodoColumnItem& completion = Columns().Add();
    completion.SetTodoData(TTodoData::tdCompletion);
    completion.SetCaption(QStringLiteral("Completion"));

    m_header->SetOrientation(THeaderOrientation::hoHorizontal);
    SetHeaderStyle(0);
    routeInnerEvents();
    resize(250, 200);
    layoutChildren();
    UpdateHeader();
}

TCustomTodoList::~TCustomTodoList()
{
    // The rows go first, while the settings they paint with are still here.
    delete m_list;
    m_list = nullptr;
}

void TCustomTodoList::routeInnerEvents()
{
    m_header->OnClick = [this](QWidget&, int section) { headerClick(section); };
    m_header->OnRightClick = [this](QWidget&, int section) {
        Raise(OnHeaderRightClick, *this, section);
    };
    m_header->OnSectionTrack = [this](QWidget&, int section, int width, TSectionTrackState) {
        if (section >= 0 && section < Columns().Count())
            Columns()[section].SetWidth(section == 0 ? width + m_list->HorzScrollPos() : width);
    };
    m_header->OnDragDrop = [this](QWidget&, int from, int to) {
        Columns().Move(from, to);
        UpdateHeader();
    };
    TControlDragSupport& drag = m_list->DragSupport();
    drag.OnDragOver = [this](QWidget&, QWidget* source, int x, int y, TDragState state,
                             bool& accept) {
        accept = bool(OnDragOver);
        Raise(OnDragOver, *this, source, x, y, state, accept);
    };
    drag.OnDragDrop = [this](QWidget&, QWidget* source, int x, int y) {
        Raise(OnDragDrop, *this, source, x, y);
    };
    drag.OnStartDrag = [this](QWidget&) { Raise(OnStartDrag, *this); };
    drag.OnEndDrag = [this](QWidget&, QWidget* target, int x, int y) {
        Raise(OnEndDrag, *this, target, x, y);
    };
    m_list->OnClick = [this](QWidget&) { Raise(OnClick, *this); };
    m_list->OnDblClick = [this](QWidget&) { Raise(OnDblClick, *this); };
    m_list->OnMouseDown = [this](QWidget&, TMouseButton b, TShiftState s, int x, int y) {
        Raise(OnMouseDown, *this, b, s, x, y);
    };
    m_list->OnMouseMove = [this](QWidget&, TShiftState s, int x, int y) {
        Raise(OnMouseMove, *this, s, x, y);
    };
    m_list->OnMouseUp = [this](QWidget&, TMouseButton b, TShiftState s, int x, int y) {
        Raise(OnMouseUp, *this, b, s, x, y);
    };
    m_list->OnKeyPress = [this](QWidget&, QChar& key) { Raise(OnKeyPress, *this, key); };
    m_list->OnKeyUp = [this](QWidget&, int& key, TShiftState s) { Raise(OnKeyUp, *this, key, s); };
    m_list->OnEnter = [this](QWidget&) { Raise(OnEnter, *this); };
    m_list->OnExit = [this](QWidget&) { Raise(OnExit, *this); };
    // OnKeyDown is raised by the inner list itself, at its place among the list's keys.
}

// ---- layout and border -------------------------------------------------------------------

void TCustomTodoList::layoutChildren()
{
    const int b = m_borderStyle == TBorderStyle::bsSingle ? 1 : 0;
    const int w = std::max(0, width() - 2 * b);
    const int headerHeight = std::min(m_headerHeight, std::max(0, height() - 2 * b));
    m_header->setGeometry(b, b, w, headerHeight);
    m_list->setGeometry(b, b + headerHeight, w, std::max(0, height() - 2 * b - headerHeight));
}

void TCustomTodoList::Resize()
{
    layoutChildren();
    TCustomControl::Resize();
}

void TCustomTodoList::Paint(TCanvas& canvas)
{
    if (m_borderStyle != TBorderStyle::bsSingle)
        return;
    canvas.Brush().SetColor(clGray);
    canvas.FrameRect({0, 0, width(), height()});
}

void TCustomTodoList::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    layoutChildren();
    update();
}

void TCustomTodoList::SetTabStop(bool on)
{
    m_tabStop = on;
    // The container itself never takes the focus; the rows do unless TabStop is off, and
    // then only by a click.
    m_list->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomTodoList::SetHeaderHeight(int height)
{
    if (height < 0 || height == m_headerHeight)
        return;
    m_headerHeight = height;
    layoutChildren();
}

void TCustomTodoList::changeEvent(QEvent* event)
{
    TCustomControl::changeEvent(event);
    const QEvent::Type type = event->type();
    if (m_autoThemeAdapt && (type == QEvent::StyleChange || type == QEvent::FontChange ||
                             type == QEvent::ThemeChange || type == QEvent::ApplicationFontChange))
        applyThemeColors();
}

// ---- updates -----------------------------------------------------------------------------

void TCustomTodoList::Loaded()
{
    m_list->UpdateRowCount();
    UpdateHeader();
    if (m_autoThemeAdapt)
        applyThemeColors();
}

TTodoItem* TCustomTodoList::Selected()
{
    const int index = m_list->ItemIndex();
    return index >= 0 && index < Items().Count() ? &Items()[index] : nullptr;
}

void TCustomTodoList::SetSelected(TTodoItem* item)
{
    m_list->SetItemIndex(item && &item->Collection() == &Items() ? item->Index() : -1);
}

// ---- painting settings that reach the rows' height ---------------------------------------

void TCustomTodoList::updateRowHeight()
{
    m_list->SetItemHeight(m_itemHeight + (m_preview ? m_previewHeight : 0));
    m_list->update();
}

void TCustomTodoList::SetItemHeight(int height)
{
    if (height < 1 || height == m_itemHeight)
        return;
    m_itemHeight = height;
    updateRowHeight();
}

void TCustomTodoList::SetPreview(bool on)
{
    if (on == m_preview)
        return;
    m_preview = on;
    updateRowHeight();
}

void TCustomTodoList::SetPreviewHeight(int height)
{
    if (height < 0 || height == m_previewHeight)
        return;
    m_previewHeight = height;
    updateRowHeight();
}

// ---- conversions -------------------------------------------------------------------------

QString TCustomTodoList::TodoStatusToString(TTodoStatus status)
{
    QString text = m_statusStrings.Text(status);
    Raise(OnStatusToString, *this, status, text);
    return text;
}

QString TCustomTodoList::TodoPriorityToString(TTodoPriority priority)
{
    QString text = m_priorityStrings.Text(priority);
    Raise(OnPriorityToString, *this, priority, text);
    return text;
}

TTodoStatus TCustomTodoList::TodoStatusFromString(const QString& text)
{
    QString lowered;
    TTodoStatus status = StatusFromText(m_statusStrings, text, lowered);
    Raise(OnStringToStatus, *this, lowered, status);
    return status;
}

TTodoPriority TCustomTodoList::TodoPriorityFromString(const QString& text)
{
    QString lowered;
    TTodoPriority priority = PriorityFromText(m_priorityStrings, text, lowered);
    Raise(OnStringToPriority, *this, lowered, priority);
    return priority;
}

namespace {
constexpr int VersionMajor = 1, VersionMinor = 0, VersionRelease = 0, VersionBuild = 1;
} // namespace

std::uint32_t TCustomTodoList::GetVersionNr()
{
    return std::uint32_t(VersionMajor) << 24 | std::uint32_t(VersionMinor) << 16 |
           std::uint32_t(VersionRelease) << 8 | std::uint32_t(VersionBuild);
}

QString TCustomTodoList::GetVersionString()
{
    return QStringLiteral("%1.%2.%3.%4 December 2026")
        .arg(VersionMajor)
        .arg(VersionMinor)
        .arg(VersionRelease)
        .arg(VersionBuild);
}

QString TCustomTodoList::DateText(TDateTime value) const
{
    return TodoDateText(value, m_dateFormat, m_nullDate);
}

// ---- clipboard ---------------------------------------------------------------------------

void TCustomTodoList::CopyToClipboard()
{
    if (TTodoItem* item = Selected())
        CopyTodoItemToClipboard(*item);
}

void TCustomTodoList::CutToClipboard()
{
    if (TTodoItem* item = Selected()) {
        CopyTodoItemToClipboard(*item);
        Items().Delete(item->Index());
    }
}

void TCustomTodoList::PasteFromClipboard()
{
    PasteTodoItemFromClipboard(Items());
}

// ---- sorting settings --------------------------------------------------------------------

void TCustomTodoList::SetSorted(bool sorted)
{
    m_sorted = sorted;
    m_header->SetSortShow(sorted);
    m_header->update();
    if (sorted)
        Sort();
}

void TCustomTodoList::SetSortColumn(int column)
{
    if (column == m_sortColumn)
        return;
    m_sortColumn = column;
    m_header->SetSortedSection(column);
    if (m_sorted && column >= 0)
        Sort();
}

void TCustomTodoList::SetSortDirection(TSortDirection direction)
{
    if (direction == m_sortDirection)
        return;
    m_sortDirection = direction;
    m_header->SetSortDirection(direction);
    if (m_sorted)
        Sort();
}

// ---- navigation --------------------------------------------------------------------------

void TCustomTodoList::SetFocusColumn(int column)
{
    if (column == m_focusColumn)
        return;
    m_focusColumn = column;
    m_header->SetActiveColumn(column);
    m_list->InvalidateItem(m_list->ItemIndex());
}

void TCustomTodoList::SetHintShowFullText(bool on)
{
    m_hintShowFullText = on;
    if (!on)
        m_list->CancelHint();
}

void TCustomTodoList::StartEdit(int, int, std::optional<QChar>, TPoint, bool)
{
    // No in-place editors in this list: nothing starts.
}

void TCustomTodoList::EndEdit()
{
    // No in-place editors in this list: nothing is open.
}

// ---- header ------------------------------------------------------------------------------

void TCustomTodoList::UpdateHeader()
{
    if (!m_list)
        return;
    TTodoColumnCollection& columns = Columns();
    while (m_header->SectionCount() > columns.Count())
        m_header->DeleteSection(m_header->SectionCount() - 1);
    while (m_header->SectionCount() < columns.Count())
        m_header->AddSection();
    for (int i = 0; i < columns.Count(); ++i) {
        THeaderSection& section = m_header->Section(i);
        section.SetText(columns[i].Caption());
        section.SetImageIndex(columns[i].ImageIndex());
        section.SetWidth(columns[i].Width());
    }
    if (m_header->SectionCount() > 0)
        m_header->Section(0).SetWidth(columns[0].Width() - m_list->HorzScrollPos());
    m_header->update();
}

void TCustomTodoList::headerClick(int section)
{
    // The header reports the press and the release; only the press closes an open editor
    // and may change the order.
    if (m_header->Pressing())
        EndEdit();
    if (m_header->Pressing() && section >= 0 && section < Columns().Count()) {
        const TRect r = m_header->SectionRect(section);
        const int x = m_header->LastPressX();
        const bool clearOfBorders = x > r.Left + 4 && x < r.Right - 4;
        if (clearOfBorders && Columns()[section].TodoData() != TTodoData::tdHandle) {
            if (section != m_sortColumn)
                SetSortColumn(section);
            else
                SetSortDirection(m_sortDirection == TSortDirection::sdAscending
                                     ? TSortDirection::sdDescending
                                     : TSortDirection::sdAscending);
        }
    }
    Raise(OnHeaderClick, *this, section);
}

void TCustomTodoList::SetHeaderStyle(int style)
{
    struct Colors
    {
        TColor from, to;
    };
    static const Colors styles[] = {
        {0xFCE1CB, 0xE0A57D}, {0xECE2E1, 0xB39698}, {0xCFF0EA, 0x8CC0B1}};
    if (style >= 0 && style <= 2) {
        m_header->SetColor(styles[style].from);
        m_header->SetColorTo(styles[style].to);
        m_header->SetActiveColor(0x94E6FB);
        m_header->SetActiveColorTo(0x1595EE);
    } else if (style == 3) {
        m_header->SetColor(clGray);
        m_header->SetColorTo(clGray);
        m_header->SetActiveColor(0xD8D5D4);
        m_header->SetActiveColorTo(0xD8D5D4);
    }
}

int TCustomTodoList::HeaderStyleForTheme(const QString& themeName)
{
    if (themeName == QLatin1String("NormalColor"))
        return 0;
    if (themeName == QLatin1String("HomeStead"))
        return 2;
    if (themeName == QLatin1String("Metallic"))
        return 1;
    return 3;
}

void TCustomTodoList::applyThemeColors()
{
    // Without visual styles there is no active theme.
    const QString theme = UseVisualStyles() ? style()->name() : QString();
    SetHeaderStyle(HeaderStyleForTheme(theme));
}

// ---- notifications -----------------------------------------------------------------------

bool TCustomTodoList::DoItemDelete(TTodoItem& item)
{
    bool allow = true;
    Raise(OnItemDelete, *this, item, allow);
    return allow;
}

bool TCustomTodoList::DoItemInsert(TTodoItem& item)
{
    bool allow = true;
    Raise(OnItemInsert, *this, item, allow);
    return allow;
}

void TCustomTodoList::DoItemSelect(TTodoItem* item)
{
    Raise(OnItemSelect, *this, item);
}

void TCustomTodoList::DoEditDone(TTodoData, TTodoItem*)
{
    Raise(OnEditDone, *this);
}

void TCustomTodoList::DoEditStart()
{
    Raise(OnEditStart, *this);
}
