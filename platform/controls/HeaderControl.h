// A sectioned header: a row (or, upright, a column) of sections with a text, a width and an
// image, laid end to end from the control's start. The user sizes a section by dragging its
// end border (the sizing cursor shows within SizingZone pixels of it) and clicks sections;
// painting is virtual per section, so a derived header draws its own look.
//
// Geometry runs along the header's axis: x for hoHorizontal, y for hoVertical. "Width" of a
// section is always its extent along that axis.
#pragma once

#include "platform/controls/CustomControl.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TImageList;
class THeaderControl;

enum class THeaderOrientation
{
    hoHorizontal,
    hoVertical
};

enum class TSectionTrackState
{
    tsTrackBegin,
    tsTrackMove,
    tsTrackEnd
};

class THeaderSection
{
public:
    explicit THeaderSection(THeaderControl& header) : m_header(&header) {}

    int Index() const;
    const QString& Text() const { return m_text; } // ""
    void SetText(const QString& text);
    int Width() const { return m_width; }           // 50
    void SetWidth(int width);                       // kept within MinWidth .. MaxWidth
    int ImageIndex() const { return m_imageIndex; } // -1
    void SetImageIndex(int index);
    int MinWidth() const { return m_minWidth; } // 0
    void SetMinWidth(int width);
    int MaxWidth() const { return m_maxWidth; } // 10000
    void SetMaxWidth(int width);
    bool AllowClick() const { return m_allowClick; } // true
    void SetAllowClick(bool allow) { m_allowClick = allow; }

private:
    THeaderControl* m_header;
    QString m_text;
    int m_width = 50;
    int m_imageIndex = -1;
    int m_minWidth = 0;
    int m_maxWidth = 10000;
    bool m_allowClick = true;
};

class THeaderControl : public TCustomControl
{
public:
    explicit THeaderControl(QWidget* parent = nullptr);
    ~THeaderControl() override;

    // Sections.
    int SectionCount() const { return int(m_sections.size()); } // 0
    THeaderSection& Section(int index) { return *m_sections.at(std::size_t(index)); }
    const THeaderSection& Section(int index) const { return *m_sections.at(std::size_t(index)); }
    // Adds a section at the end (or before index); returns it.
    THeaderSection& AddSection(const QString& text = {}, int width = 50);
    THeaderSection& InsertSection(int index, const QString& text = {}, int width = 50);
    void DeleteSection(int index); // an index out of range is ignored
    void ClearSections();

    THeaderOrientation Orientation() const { return m_orientation; } // hoHorizontal
    void SetOrientation(THeaderOrientation orientation);
    // Section images; not owned, and must outlive the header or be set back to null.
    TImageList* Images() const { return m_images; } // nullptr
    void SetImages(TImageList* images);
    // Whether the user may size sections with the mouse.
    bool AllowResize() const { return m_allowResize; } // true
    void SetAllowResize(bool allow);
    // Pixels on either side of a section's end border that grab it for sizing.
    static constexpr int SizingZone = 3;

    // Geometry in client pixels. SectionAt is -1 past the last section.
    int SectionAt(TPoint p) const;
    TRect SectionRect(int index) const;
    // The section whose end border lies within SizingZone of p, or -1; among borders that
    // coincide (zero-width sections) the last, so that a collapsed section can be widened.
    int SizingSectionAt(TPoint p) const;
    // The section being sized by the user, or -1.
    int SizingSection() const { return m_sizing; }
    // The section held down by the left button (drawn pressed), or -1.
    int PressedSection() const { return m_pressed; }

    // Replaces the default look of one section when assigned.
    std::function<void(QWidget& sender, TCanvas& canvas, int section, const TRect& rect,
                       bool pressed)>
        OnDrawSection;
    // A left press and release on the same section, not on a sizing border.
    std::function<void(QWidget& sender, int section)> OnSectionClick;
    // While the user drags a border: begin, every width change, end.
    std::function<void(QWidget& sender, int section, int width, TSectionTrackState state)>
        OnSectionTrack;
    // After the user sized a section (at the release).
    std::function<void(QWidget& sender, int section)> OnSectionResize;

protected:
    friend class THeaderSection;
    // The default raises OnDrawSection when assigned, else draws a raised button face with
    // the image and the text.
    virtual void DrawSection(TCanvas& canvas, int section, const TRect& rect, bool pressed);
    virtual void SectionClick(int section);
    virtual void SectionTrack(int section, int width, TSectionTrackState state);
    virtual void SectionResize(int section);
    void sectionChanged();

    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    int along(TPoint p) const;
    int sectionStart(int index) const;
    int axisLength() const;

    std::vector<std::unique_ptr<THeaderSection>> m_sections;
    THeaderOrientation m_orientation = THeaderOrientation::hoHorizontal;
    TImageList* m_images = nullptr;
    bool m_allowResize = true;
    int m_sizing = -1;
    int m_sizingOffset = 0; // pointer minus border at the press, kept while dragging
    int m_pressed = -1;
    bool m_sizingCursor = false;
};
