// An item's settings, placement, linked-item propagation, copies between items and the
// operations that place it after a user's move or size.
#include "comp/Planner/PlannerItem.h"

#include "comp/Planner/Planner.h"
#include "comp/Planner/PlannerItems.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Math.h"
#include "platform/core/RaiseEvent.h"

#include <QObject>
#include <algorithm>
#include <climits>
#include <cstdint>

TPlannerItem::TPlannerItem(TPlannerItems& collection)
    : m_collection(collection), m_captionFont(collection.Planner().Font()),
      m_font(collection.Planner().Font()), m_alarm(std::make_unique<TPlannerAlarm>()),
      m_intList(std::make_unique<TPlannerIntList>()),
      m_barItems(std::make_unique<TPlannerBarItemList>()), m_index(collection.Count())
{
    TCustomPlanner& planner = collection.Planner();
    m_itemBegin = planner.Display().ActiveStart();
    m_itemEnd = m_itemBegin < INT_MAX ? m_itemBegin + 1 : m_itemBegin;
    m_allowOverlap = planner.Sidebar().Position() != TSideBarPosition::spTop;
    m_name = QStringLiteral("PlannerItem%1").arg(m_index);
    recomputeBeginMinutes();
    recomputeEndMinutes();
    m_text.OnChange = [this](TStringList&) { changed(Report::Notify); };
    m_font.OnChange = [this](TFont&) { changed(Report::Notify); };
    m_captionFont.OnChange = [this](TFont&) { changed(Report::Notify); };
}

TPlannerItem::~TPlannerItem()
{
    m_text.OnChange = nullptr;
    m_font.OnChange = nullptr;
    m_captionFont.OnChange = nullptr;
    if (m_ownsItemObject)
        delete m_itemObject;
}

TCustomPlanner& TPlannerItem::Planner() const
{
    return m_collection.Planner();
}

int TPlannerItem::Index() const
{
    return m_index;
}

void TPlannerItem::changed(Report report)
{
    if (report == Report::Nothing)
        return;
    RepaintItem();
    if (report == Report::Notify)
        m_collection.ItemChanged(*this);
}

void TPlannerItem::recomputeBeginMinutes()
{
    m_beginMinutes = Planner().Display().CellMinutes(m_itemBegin);
}

void TPlannerItem::recomputeEndMinutes()
{
    m_endMinutes = Planner().Display().CellMinutes(std::int64_t(m_itemEnd) + m_endOffset);
}

// --- Placement --------------------------------------------------------------------------

void TPlannerItem::SetItemBegin(int cell)
{
    propagateLink(true, false, std::int64_t(cell) - m_itemBegin);
    // Hidden while it moves, so that the old area is repainted as well as the new one.
    setVisibleRaw(false);
    m_itemBegin = cell < 0 ? 0 : cell;
    recomputeBeginMinutes();
    setVisibleRaw(true);
    m_collection.UpdateConflictsWhereChanged();
}

void TPlannerItem::SetItemEnd(int cell)
{
    propagateLink(false, true, std::int64_t(cell) - m_itemEnd);
    const bool wasVisible = m_visible;
    setVisibleRaw(false);
    m_itemEnd = cell;
    recomputeEndMinutes();
    setVisibleRaw(wasVisible);
    m_collection.UpdateConflictsWhereChanged();
}

void TPlannerItem::SetItemPos(int pos)
{
    if (pos == m_itemPos)
        return;
    propagatePos(std::int64_t(pos) - m_itemPos);
    RepaintItem();
    m_itemPos = pos;
    setVisibleRaw(true);
    m_collection.UpdateConflictsWhereChanged();
    RepaintItem();
}

void TPlannerItem::FollowGrid(bool keepMinutes)
{
    TCustomPlanner& planner = Planner();
    const TPlannerDisplay& d = planner.Display();
    if (!keepMinutes) {
        recomputeBeginMinutes();
        recomputeEndMinutes();
    }
    // In 64 bits: minutes and offsets from far-out stored values may not fit an int once
    // subtracted. The start is the real one, the cells clipped before the grid included;
    // the end minutes include the cells clipped after it.
    const std::int64_t unit = d.DisplayUnit();
    const std::int64_t start = std::int64_t(m_beginMinutes) - unit * m_beginOffset;
    const std::int64_t b = start - d.DisplayOffset();
    const std::int64_t e = std::int64_t(m_endMinutes) - d.DisplayOffset();
    const std::int64_t first = b / unit - d.DisplayStart();
    const std::int64_t end = e / unit - d.DisplayStart() + (e % unit != 0 ? 1 : 0);
    const std::int64_t count = planner.Grid().CellCount();
    // Clipped as the time setters clip: a start before the grid begins at its first cell,
    // whose minutes the start then has; an end past the grid ends with its last cell.
    m_itemBegin = HoldInt(std::max<std::int64_t>(first, 0));
    m_beginOffset = HoldInt(std::max<std::int64_t>(-first, 0));
    m_beginMinutes = first < 0 ? d.CellMinutes(0) : HoldInt(start);
    m_itemEnd = HoldInt(std::min(end, count));
    m_endOffset = HoldInt(std::max<std::int64_t>(end - count, 0));
    RepaintItem();
}

void TPlannerItem::setVisibleRaw(bool on)
{
    if (on == m_visible)
        return;
    m_visible = on;
    RepaintItem();
}

void TPlannerItem::SetVisible(bool on)
{
    setVisibleRaw(on);
}

// A linked move inside a batch ends one level of it before the follower moves, so that the
// follower is laid out where its leader left it when that was the last level.
static void releaseBatchLevel(TPlannerItems& items)
{
    items.EndUpdate();
}

void TPlannerItem::propagateLink(bool beginChanged, bool endChanged, std::int64_t delta)
{
    TCustomPlanner& planner = Planner();
    if (!m_linkedItem || planner.LinkPropagating() || delta == 0 || m_linkedItem == this)
        return;
    releaseBatchLevel(m_collection);

    TPlannerItem& linked = *m_linkedItem;
    std::int64_t newBegin = linked.m_itemBegin;
    std::int64_t newEnd = linked.m_itemEnd;
    bool moveBegin = false;
    bool moveEnd = false;
    switch (m_linkType) {
    case TPlannerLinkType::ltLinkFull:
        moveBegin = beginChanged;
        moveEnd = endChanged;
        break;
    case TPlannerLinkType::ltLinkBeginMove:
        moveBegin = moveEnd = beginChanged;
        break;
    case TPlannerLinkType::ltLinkEndMove:
        moveBegin = moveEnd = endChanged;
        break;
    case TPlannerLinkType::ltLinkEndOnly:
        moveEnd = endChanged;
        break;
    case TPlannerLinkType::ltLinkBeginOnly:
        moveBegin = beginChanged;
        break;
    }
    if (!moveBegin && !moveEnd)
        return;
    if (moveBegin)
        newBegin += delta;
    if (moveEnd)
        newEnd += delta;
    const TPlannerDisplay& d = planner.Display();
    auto outside = [&](std::int64_t v) { return v < d.DisplayStart() || v > d.DisplayEnd(); };
    if ((moveBegin && outside(newBegin)) || (moveEnd && outside(newEnd)))
        return;

    TCustomPlanner::TLinkPropagation following(planner);
    if (moveBegin)
        linked.SetItemBegin(int(newBegin));
    if (moveEnd)
        linked.SetItemEnd(int(newEnd));
}

void TPlannerItem::propagatePos(std::int64_t delta)
{
    TCustomPlanner& planner = Planner();
    if (!m_linkedItem || planner.LinkPropagating() || delta == 0 || m_linkedItem == this)
        return;
    releaseBatchLevel(m_collection);
    // A position that no int can hold is no position to follow to.
    const std::int64_t newPos = m_linkedItem->m_itemPos + delta;
    if (newPos < INT_MIN || newPos > INT_MAX)
        return;
    TCustomPlanner::TLinkPropagation following(planner);
    m_linkedItem->SetItemPos(int(newPos));
}

// --- Caption and text -------------------------------------------------------------------

void TPlannerItem::SetCaptionType(TCaptionType type)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_captionType = type;
    changed(Report::Notify);
}

void TPlannerItem::SetCaptionText(const QString& text)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_captionText = text;
    changed(Report::Notify);
}

void TPlannerItem::SetText(const TStringList& lines)
{
    m_text.Assign(lines);
}

void TPlannerItem::SetCaptionAlign(TAlignment align)
{
    set(m_captionAlign, align, Report::Repaint);
}

void TPlannerItem::SetAlignment(TAlignment align)
{
    set(m_alignment, align, Report::Repaint);
}

void TPlannerItem::SetCaptionFont(const TFont& font)
{
    // Reported also when unchanged: an assignment counts as a change even when the
    // description was the same; a different one reports itself through the font's own change.
    if (m_captionFont == font)
        changed(Report::Notify);
    else
        m_captionFont.Assign(font);
}

void TPlannerItem::SetFont(const TFont& font)
{
    // Reported also when unchanged, as for the caption font.
    if (m_font == font)
        changed(Report::Notify);
    else
        m_font.Assign(font);
}

void TPlannerItem::SetWordWrap(bool on)
{
    set(m_wordWrap, on, Report::Repaint);
}

// --- Colours and look -------------------------------------------------------------------

void TPlannerItem::SetColor(TColor color)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_color = color;
    changed(Report::Notify);
}

void TPlannerItem::SetColorTo(TColor color)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_colorTo = color;
    changed(Report::Notify);
}

void TPlannerItem::SetBorderColor(TColor color)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_borderColor = color;
    changed(Report::Notify);
}

void TPlannerItem::SetCaptionBkg(TColor color)
{
    set(m_captionBkg, color, Report::Repaint);
}

void TPlannerItem::SetCaptionBkgTo(TColor color)
{
    set(m_captionBkgTo, color, Report::Repaint);
}

void TPlannerItem::SetBrushStyle(TBrushStyle style)
{
    set(m_brushStyle, style, Report::Repaint);
}

void TPlannerItem::SetSelectColor(TColor color)
{
    set(m_selectColor, color, Report::Repaint);
}

void TPlannerItem::SetSelectColorTo(TColor color)
{
    set(m_selectColorTo, color, Report::Repaint);
}

void TPlannerItem::SetSelectFontColor(TColor color)
{
    set(m_selectFontColor, color, Report::Repaint);
}

void TPlannerItem::SetSelected(bool on)
{
    set(m_selected, on, Report::Repaint);
}

void TPlannerItem::SetShowSelection(bool on)
{
    set(m_showSelection, on, Report::Repaint);
}

void TPlannerItem::SetTrackColor(TColor color)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_trackColor = color;
    changed(Report::Notify);
}

void TPlannerItem::SetTrackSelectColor(TColor color)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_trackSelectColor = color;
    changed(Report::Notify);
}

void TPlannerItem::SetTrackVisible(bool on)
{
    set(m_trackVisible, on, Report::Repaint);
}

void TPlannerItem::SetShadow(bool on)
{
    set(m_shadow, on, Report::Repaint);
}

void TPlannerItem::SetShape(TPlannerShape shape)
{
    set(m_shape, shape, Report::Repaint);
}

void TPlannerItem::SetImageID(int id)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_imageID = id;
    changed(Report::Notify);
}

void TPlannerItem::SetImagePosition(TItemImagePosition position)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_imagePosition = position;
    changed(Report::Notify);
}

void TPlannerItem::SetUniformBkg(bool on)
{
    set(m_uniformBkg, on, Report::Nothing);
}

void TPlannerItem::SetShowDeleteButton(bool on)
{
    set(m_showDeleteButton, on, Report::Repaint);
}

void TPlannerItem::SetCompletion(int percent)
{
    if (percent < 0)
        throw Exception(QStringLiteral("Completion cannot be smaller than 0"));
    if (percent > 100)
        throw Exception(QStringLiteral("Completion cannot be larger than 100"));
    set(m_completion, percent, Report::Repaint);
}

void TPlannerItem::SetCompletionDisplay(TCompletionDisplay display)
{
    set(m_completionDisplay, display, Report::Repaint);
}

// --- Behaviour --------------------------------------------------------------------------

void TPlannerItem::SetAllowOverlap(bool on)
{
    // Reported also when unchanged: the collection hears of every assignment.
    m_allowOverlap = on;
    changed(Report::Notify);
}

void TPlannerItem::SetBackground(bool on)
{
    // Reported also when unchanged: the collection hears of every assignment. Only a new
    // value fixes the item.
    if (on != m_background) {
        m_background = on;
        m_readOnly = true;
        m_fixedPos = true;
        m_fixedSize = true;
        m_allowOverlap = false;
    }
    changed(Report::Notify);
}

void TPlannerItem::SetInHeader(bool on)
{
    if (on == m_inHeader)
        return;
    // The grid cells the item leaves (or takes) are repainted directly: RepaintItem of an
    // in-header item repaints the header instead.
    TPlannerGrid& grid = Planner().Grid();
    if (!m_collection.Updating() && !m_collection.IsTemplate())
        grid.InvalidateCells(m_itemPos, m_itemBegin, m_itemEnd);
    m_inHeader = on;
    m_visible = !on;
    if (!m_collection.Updating() && !m_collection.IsTemplate()) {
        grid.InvalidateCells(m_itemPos, m_itemBegin, m_itemEnd);
        Planner().update();
    }
    if (!m_collection.IsTemplate())
        Planner().ItemInHeaderChanged(*this);
    m_collection.UpdateConflictsWhereChanged();
}

void TPlannerItem::SetLayer(int layer)
{
    set(m_layer, layer, Report::Repaint);
}

// Settings that change how the item is edited, hinted or kept, not how it looks.

void TPlannerItem::SetReadOnly(bool on)
{
    set(m_readOnly, on, Report::Nothing);
}

void TPlannerItem::SetFixedPos(bool on)
{
    set(m_fixedPos, on, Report::Nothing);
}

void TPlannerItem::SetFixedSize(bool on)
{
    set(m_fixedSize, on, Report::Nothing);
}

void TPlannerItem::SetFixedPosition(bool on)
{
    set(m_fixedPosition, on, Report::Nothing);
}

void TPlannerItem::SetFixedTime(bool on)
{
    set(m_fixedTime, on, Report::Nothing);
}

void TPlannerItem::SetInplaceEdit(TPlannerItemEdit edit)
{
    set(m_inplaceEdit, edit, Report::Nothing);
}

void TPlannerItem::SetEditMask(const QString& mask)
{
    set(m_editMask, mask, Report::Nothing);
}

void TPlannerItem::SetEditor(TCustomItemEditor* editor)
{
    set(m_editor, editor, Report::Nothing);
}

void TPlannerItem::SetAlarm(const TPlannerAlarm& alarm)
{
    set(*m_alarm, alarm, Report::Nothing);
}

void TPlannerItem::SetHint(const QString& hint)
{
    set(m_hint, hint, Report::Nothing);
}

void TPlannerItem::SetCursor(TCursor cursor)
{
    set(m_cursor, cursor, Report::Nothing);
}

void TPlannerItem::SetPopupMenu(TPopupMenu* menu)
{
    set(m_popupMenu, menu, Report::Nothing);
}

void TPlannerItem::SetOwnsItemObject(bool on)
{
    set(m_ownsItemObject, on, Report::Nothing);
}

void TPlannerItem::SetName(const QString& name)
{
    set(m_name, name, Report::Nothing);
}

void TPlannerItem::SetTag(int tag)
{
    set(m_tag, tag, Report::Nothing);
}

void TPlannerItem::SetDBTag(int tag)
{
    set(m_dbTag, tag, Report::Nothing);
}

void TPlannerItem::SetDrawTool(TCustomItemDrawTool* tool)
{
    set(m_drawTool, tool, Report::Repaint);
}

void TPlannerItem::SetAttachement(const QString& link)
{
    set(m_attachement, link, Report::Repaint);
}

void TPlannerItem::SetURL(const QString& link)
{
    set(m_url, link, Report::Repaint);
}

void TPlannerItem::SetFocused(bool on)
{
    TCustomPlanner& planner = Planner();
    if (on == m_focused || planner.Destroying())
        return;
    m_focused = on;
    if (on)
        Raise(planner.OnItemEnter, planner, *this);
    else
        Raise(planner.OnItemExit, planner, *this);
    RepaintItem();
}

void TPlannerItem::SetCurrentActive(bool on)
{
    if (on == m_currentActive)
        return;
    m_currentActive = on;
    TCustomPlanner& planner = Planner();
    if (on)
        Raise(planner.OnItemActivate, planner, *this);
    else
        Raise(planner.OnItemDeActivate, planner, *this);
    RepaintItem();
}

// --- Copies -----------------------------------------------------------------------------

void TPlannerItem::Assign(const TPlannerItem& s)
{
    if (&s == this)
        return;
    SetItemPos(s.m_itemPos);
    SetItemBegin(s.m_itemBegin);
    SetItemEnd(s.m_itemEnd);
    SetColor(s.m_color);
    SetColorTo(s.m_colorTo);
    SetBorderColor(s.m_borderColor);
    SetCompletion(s.m_completion);
    SetCompletionDisplay(s.m_completionDisplay);
    SetCursor(s.m_cursor);
    SetText(s.m_text);
    SetReadOnly(s.m_readOnly);
    SetFixedSize(s.m_fixedSize);
    SetFixedPos(s.m_fixedPos);
    SetFixedPosition(s.m_fixedPosition);
    SetCaptionType(s.m_captionType);
    SetImageID(s.m_imageID);
    SetImagePosition(s.m_imagePosition);
    SetAlignment(s.m_alignment);
    SetName(s.m_name);
    SetVisible(s.m_visible);
    SetTag(s.m_tag);
    SetTrackColor(s.m_trackColor);
    SetTrackSelectColor(s.m_trackSelectColor);
    SetTrackVisible(s.m_trackVisible);
    SetCaptionText(s.m_captionText);
    SetEditMask(s.m_editMask);
    SetInplaceEdit(s.m_inplaceEdit);
    SetLayer(s.m_layer);
    SetFont(s.m_font);
    SetBackground(s.m_background);
    SetAllowOverlap(s.m_allowOverlap);
    SetSelected(s.m_selected);
    SetSelectColor(s.m_selectColor);
    SetSelectColorTo(s.m_selectColorTo);
    SetCaptionBkg(s.m_captionBkg);
    SetCaptionBkgTo(s.m_captionBkgTo);
    SetCaptionAlign(s.m_captionAlign);
    SetCaptionFont(s.m_captionFont);
    SetBrushStyle(s.m_brushStyle);
    SetInHeader(s.m_inHeader);
    SetOwnsItemObject(s.m_ownsItemObject);
    SetShowDeleteButton(s.m_showDeleteButton);
    SetSelectFontColor(s.m_selectFontColor);
    SetShape(s.m_shape);
    SetPopupMenu(s.m_popupMenu);
    SetShowSelection(s.m_showSelection);
    SetDBTag(s.m_dbTag);
    SetWordWrap(s.m_wordWrap);
    SetAttachement(s.m_attachement);
    SetURL(s.m_url);
    SetUniformBkg(s.m_uniformBkg);
    SetAlarm(*s.m_alarm);
    SetShadow(s.m_shadow);
    SetEditor(s.m_editor);
    SetDrawTool(s.m_drawTool);
    SetHint(s.m_hint);
}

void TPlannerItem::AssignLook(const TPlannerItem& s)
{
    if (&s == this)
        return;
    SetColor(s.m_color);
    SetColorTo(s.m_colorTo);
    SetBorderColor(s.m_borderColor);
    SetCursor(s.m_cursor);
    SetText(s.m_text);
    SetReadOnly(s.m_readOnly);
    SetFixedSize(s.m_fixedSize);
    SetFixedPos(s.m_fixedPos);
    SetFixedPosition(s.m_fixedPosition);
    SetCaptionType(s.m_captionType);
    SetImageID(s.m_imageID);
    SetAlignment(s.m_alignment);
    SetName(s.m_name);
    SetVisible(s.m_visible);
    SetTag(s.m_tag);
    SetTrackColor(s.m_trackColor);
    SetTrackSelectColor(s.m_trackSelectColor);
    SetTrackVisible(s.m_trackVisible);
    SetCaptionText(s.m_captionText);
    SetEditMask(s.m_editMask);
    SetInplaceEdit(s.m_inplaceEdit);
    SetLayer(s.m_layer);
    SetFont(s.m_font);
    SetBackground(s.m_background);
    SetAllowOverlap(s.m_allowOverlap);
    SetSelected(s.m_selected);
    SetSelectColor(s.m_selectColor);
    SetSelectColorTo(s.m_selectColorTo);
    SetCaptionBkg(s.m_captionBkg);
    SetCaptionBkgTo(s.m_captionBkgTo);
    SetCaptionAlign(s.m_captionAlign);
    SetCaptionFont(s.m_captionFont);
    SetBrushStyle(s.m_brushStyle);
    SetInHeader(s.m_inHeader);
    SetOwnsItemObject(s.m_ownsItemObject);
    SetShowDeleteButton(s.m_showDeleteButton);
    SetShape(s.m_shape);
    SetPopupMenu(s.m_popupMenu);
    SetShowSelection(s.m_showSelection);
    SetDBTag(s.m_dbTag);
    SetWordWrap(s.m_wordWrap);
    SetAttachement(s.m_attachement);
    SetURL(s.m_url);
    SetUniformBkg(s.m_uniformBkg);
    SetAlarm(*s.m_alarm);
    SetEditor(s.m_editor);
    SetDrawTool(s.m_drawTool);
}

// --- Operations -------------------------------------------------------------------------

void TPlannerItem::RepaintItem()
{
    if (m_collection.IsTemplate() || m_collection.Updating())
        return;
    TCustomPlanner& planner = Planner();
    if (m_inHeader) {
        planner.update();
        return;
    }
    int from = m_itemBegin;
    int to = m_itemEnd;
    for (int i = 0; i < m_collection.Count(); ++i) {
        const TPlannerItem& other = m_collection.Items(i);
        if (&other != this && other.m_itemPos == m_itemPos && m_collection.IsVisibleItem(other))
            TPlannerItems::WidenRepaint(m_itemBegin, m_itemEnd, other.m_itemBegin, other.m_itemEnd,
                                        from, to);
    }
    planner.Grid().InvalidateCells(m_itemPos, from, to);
}

void TPlannerItem::Update()
{
    Planner().ItemUpdated(*this);
}

TPlannerItem* TPlannerItem::ParentItem()
{
    if (!m_isCopy)
        return this;
    for (int i = 0; i < m_collection.Count(); ++i) {
        TPlannerItem& other = m_collection.Items(i);
        if (other.m_groupID == m_groupID && !other.m_isCopy)
            return &other;
    }
    return this;
}

QString TPlannerItem::NotesText() const
{
    return m_text.Lines().join(QLatin1Char('\r'));
}

QString TPlannerItem::CaptionString()
{
    if (m_isCopy) {
        TPlannerItem* parent = ParentItem();
        if (parent != this)
            return parent->CaptionString();
    }
    switch (m_captionType) {
    case TCaptionType::ctNone:
    case TCaptionType::ctText:
        return m_captionText;
    case TCaptionType::ctTime:
        return CaptionTimeText();
    case TCaptionType::ctTimeText:
        return CaptionTimeText() + QLatin1Char(' ') + m_captionText;
    }
    return m_captionText;
}

void TPlannerItem::PlaceUpdate(int newBegin, int newEnd)
{
    m_hasExactTimes = false;
    int newPos = m_itemPos;
    TCustomPlanner& planner = Planner();
    Raise(planner.OnItemPlaceUpdate, planner, *this, newBegin, newEnd, newPos);
    if (newBegin != m_itemBegin)
        SetItemBegin(newBegin);
    if (newEnd != m_itemEnd)
        SetItemEnd(newEnd);
    if (newPos != m_itemPos)
        SetItemPos(newPos);
}

void TPlannerItem::PlaceUpdateClipped(int newBegin, int newEnd, int newPos, int& anchor)
{
    TCustomPlanner& planner = Planner();
    Raise(planner.OnItemPlaceUpdate, planner, *this, newBegin, newEnd, newPos);
    // Worked out in 64 bits and held at the ends, so that no cell value can overflow.
    using I64 = std::int64_t;
    I64 b = newBegin;
    I64 e = newEnd;
    I64 a = anchor;
    I64 beginOffset = m_beginOffset;
    I64 endOffset = m_endOffset;
    const I64 delta = b - m_itemBegin;
    const I64 length = I64(m_itemEnd) - m_itemBegin + beginOffset + endOffset;
    m_hasExactTimes = false;

    if (beginOffset != 0) {
        beginOffset -= delta;
        if (beginOffset < 0) {
            // Moved on by more than was hidden: the begin advances by the excess.
            b = m_itemBegin - beginOffset;
            e = b + length;
            beginOffset = 0;
            a -= delta;
        } else {
            // The visible begin stays where it is; the hidden part shrinks or grows.
            b -= delta;
            a -= delta;
            e = m_itemEnd + delta;
        }
    }
    if (endOffset != 0) {
        endOffset += delta;
        if (endOffset < 0) {
            e = m_itemEnd + endOffset;
            endOffset = 0;
        } else {
            e = m_itemEnd + endOffset;
            b = m_itemBegin + delta;
        }
    }
    if (b < 0) {
        beginOffset = -b;
        b = 0;
        a -= delta;
    }
    if (e < 1) {
        b = 0;
        e = 1;
        beginOffset = length - 1;
        endOffset = 0;
        a -= delta;
    }
    const I64 count = planner.Grid().CellCount();
    if (e > count) {
        endOffset = e - count;
        e = count;
    }
    m_beginOffset = HoldInt(beginOffset);
    m_endOffset = HoldInt(endOffset);
    anchor = HoldInt(a);
    SetItemBegin(HoldInt(b));
    SetItemEnd(HoldInt(e));
    SetItemPos(newPos);
}
