// Sections, geometry, painting and the mouse of the header: sizing by the end border,
// clicks, and the sizing cursor.
#include "platform/controls/HeaderControl.h"

#include "platform/core/RaiseEvent.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/ImageList.h"

#include <algorithm>
#include <cstdlib>

// ---- sections ----------------------------------------------------------------------------

int THeaderSection::Index() const
{
    const auto& all = m_header->m_sections;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == this)
            return int(i);
    return -1;
}

void THeaderSection::SetText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_header->sectionChanged();
}

void THeaderSection::SetWidth(int width)
{
    width = std::clamp(width, m_minWidth, std::max(m_minWidth, m_maxWidth));
    if (width == m_width)
        return;
    m_width = width;
    m_header->sectionChanged();
}

void THeaderSection::SetImageIndex(int index)
{
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    m_header->sectionChanged();
}

void THeaderSection::SetMinWidth(int width)
{
    if (width < 0 || width == m_minWidth)
        return;
    m_minWidth = width;
    SetWidth(m_width);
}

void THeaderSection::SetMaxWidth(int width)
{
    if (width < 0 || width == m_maxWidth)
        return;
    m_maxWidth = width;
    SetWidth(m_width);
}

// ---- header ------------------------------------------------------------------------------

THeaderControl::THeaderControl(QWidget* parent) : TCustomControl(parent)
{
    SetColor(clBtnFace);
    setFocusPolicy(Qt::NoFocus);
    resize(200, 17);
}

THeaderControl::~THeaderControl() = default;

THeaderSection& THeaderControl::AddSection(const QString& text, int width)
{
    return InsertSection(SectionCount(), text, width);
}

THeaderSection& THeaderControl::InsertSection(int index, const QString& text, int width)
{
    index = std::clamp(index, 0, SectionCount());
    auto section = std::make_unique<THeaderSection>(*this);
    THeaderSection& added = *section;
    m_sections.insert(m_sections.begin() + index, std::move(section));
    // Set after insertion: each setter repaints, which is harmless here.
    added.SetText(text);
    added.SetWidth(width);
    sectionChanged();
    return added;
}

void THeaderControl::DeleteSection(int index)
{
    if (index < 0 || index >= SectionCount())
        return;
    m_sections.erase(m_sections.begin() + index);
    m_sizing = m_pressed = -1;
    sectionChanged();
}

void THeaderControl::ClearSections()
{
    if (m_sections.empty())
        return;
    m_sections.clear();
    m_sizing = m_pressed = -1;
    sectionChanged();
}

void THeaderControl::SetOrientation(THeaderOrientation orientation)
{
    if (orientation == m_orientation)
        return;
    m_orientation = orientation;
    update();
}

void THeaderControl::SetImages(TImageList* images)
{
    if (images == m_images)
        return;
    m_images = images;
    update();
}

void THeaderControl::SetAllowResize(bool allow)
{
    if (allow == m_allowResize)
        return;
    m_allowResize = allow;
    if (!allow && m_sizingCursor) {
        unsetCursor();
        m_sizingCursor = false;
    }
}

void THeaderControl::sectionChanged()
{
    update();
}

// ---- geometry ----------------------------------------------------------------------------

int THeaderControl::along(TPoint p) const
{
    return m_orientation == THeaderOrientation::hoHorizontal ? p.X : p.Y;
}

int THeaderControl::axisLength() const
{
    return m_orientation == THeaderOrientation::hoHorizontal ? width() : height();
}

int THeaderControl::sectionStart(int index) const
{
    int start = 0;
    for (int i = 0; i < index; ++i)
        start += m_sections[std::size_t(i)]->Width();
    return start;
}

int THeaderControl::SectionAt(TPoint p) const
{
    const int a = along(p);
    if (a < 0)
        return -1;
    int start = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        const int end = start + m_sections[std::size_t(i)]->Width();
        if (a < end)
            return i;
        start = end;
    }
    return -1;
}

TRect THeaderControl::SectionRect(int index) const
{
    if (index < 0 || index >= SectionCount())
        return {};
    const int start = sectionStart(index);
    const int w = m_sections[std::size_t(index)]->Width();
    if (m_orientation == THeaderOrientation::hoHorizontal)
        return {start, 0, start + w, height()};
    return {0, start, width(), start + w};
}

int THeaderControl::SizingSectionAt(TPoint p) const
{
    const int a = along(p);
    int found = -1;
    int best = SizingZone + 1;
    int end = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        end += m_sections[std::size_t(i)]->Width();
        const int distance = std::abs(a - end);
        if (distance <= SizingZone && distance <= best) {
            found = i;
            best = distance;
        }
    }
    return found;
}

// ---- painting ----------------------------------------------------------------------------

void THeaderControl::DrawSection(TCanvas& canvas, int section, const TRect& rect, bool pressed)
{
    if (OnDrawSection) {
        OnDrawSection(*this, canvas, section, rect, pressed);
        return;
    }
    TRect r = rect;
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    canvas.DrawEdge(r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    InflateRect(r, -2, 0);
    const THeaderSection& s = Section(section);
    if (m_images && s.ImageIndex() >= 0 && s.ImageIndex() < m_images->Count()) {
        const int y = r.Top + (r.Height() - m_images->Height()) / 2;
        m_images->Draw(canvas, r.Left, y, s.ImageIndex());
        r.Left += m_images->Width() + 2;
    }
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    if (pressed)
        OffsetRect(r, 1, 1);
    canvas.DrawText(s.Text(), r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void THeaderControl::Paint(TCanvas& canvas)
{
    const bool horizontal = m_orientation == THeaderOrientation::hoHorizontal;
    int end = 0;
    for (int i = 0; i < SectionCount(); ++i) {
        const TRect r = SectionRect(i);
        end = horizontal ? r.Right : r.Bottom;
        if ((horizontal ? r.Left : r.Top) >= axisLength())
            break;
        canvas.SaveState();
        DrawSection(canvas, i, r, i == m_pressed && Section(i).AllowClick());
        canvas.RestoreState();
    }
    // The rest of the strip looks like an empty header.
    if (end < axisLength()) {
        TRect rest =
            horizontal ? TRect{end, 0, width(), height()} : TRect{0, end, width(), height()};
        canvas.Brush().SetColor(Color());
        canvas.FillRect(rest);
        canvas.DrawEdge(rest, EDGE_RAISED, BF_RECT);
    }
}

// ---- mouse -------------------------------------------------------------------------------

void THeaderControl::SectionClick(int section)
{
    Raise(OnSectionClick, *this, section);
}

void THeaderControl::SectionTrack(int section, int width, TSectionTrackState state)
{
    Raise(OnSectionTrack, *this, section, width, state);
}

void THeaderControl::SectionResize(int section)
{
    Raise(OnSectionResize, *this, section);
}

void THeaderControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        const int sizing = m_allowResize ? SizingSectionAt({x, y}) : -1;
        if (sizing >= 0) {
            m_sizing = sizing;
            m_sizingOffset = along({x, y}) - (sectionStart(sizing) + Section(sizing).Width());
            // Sizing may run past the header's own edge.
            SetCapture(this);
            SectionTrack(sizing, Section(sizing).Width(), TSectionTrackState::tsTrackBegin);
        } else {
            m_pressed = SectionAt({x, y});
            if (m_pressed >= 0)
                update(ToQRect(SectionRect(m_pressed)));
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void THeaderControl::MouseMove(TShiftState shift, int x, int y)
{
    if (m_sizing >= 0) {
        THeaderSection& s = Section(m_sizing);
        const int before = s.Width();
        s.SetWidth(along({x, y}) - m_sizingOffset - sectionStart(m_sizing));
        if (s.Width() != before)
            SectionTrack(m_sizing, s.Width(), TSectionTrackState::tsTrackMove);
    } else if (!shift.Contains(TShiftStateItem::ssLeft)) {
        const bool over = m_allowResize && SizingSectionAt({x, y}) >= 0;
        if (over != m_sizingCursor) {
            m_sizingCursor = over;
            if (over)
                setCursor(TScreenCursors::Get(
                    m_orientation == THeaderOrientation::hoHorizontal ? crHSplit : crVSplit));
            else
                SetControlCursor(*this, Cursor());
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void THeaderControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        if (m_sizing >= 0) {
            const int section = m_sizing;
            m_sizing = -1;
            if (GetCapture() == this)
                ReleaseCapture();
            SectionTrack(section, Section(section).Width(), TSectionTrackState::tsTrackEnd);
            SectionResize(section);
        } else if (m_pressed >= 0) {
            const int pressed = m_pressed;
            m_pressed = -1;
            update(ToQRect(SectionRect(pressed)));
            if (SectionAt({x, y}) == pressed && Section(pressed).AllowClick())
                SectionClick(pressed);
        }
    }
    TCustomControl::MouseUp(button, shift, x, y);
}
