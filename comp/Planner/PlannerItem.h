// One appointment of the planner: where it lies in the grid (first cell, end cell and
// position), what it shows (caption, text, colours, fonts, image, shape) and how the user may
// change it. Items live in the planner's TPlannerItems collection, which creates and frees
// them; every placement change re-runs the collection's side-by-side layout, and every change
// of what the item shows invalidates the grid cells it covers.
//
// Time readers and writers (ItemStartTime, ItemEndTime and the caption texts) depend on the
// planner mode and live with the planner's time services in PlannerTime.cpp.
#pragma once

#include "comp/Planner/PlannerTypes.h"
#include "comp/planutil/PlanUtil.h"
#include "platform/controls/Cursors.h"
#include "platform/core/Color.h"
#include "platform/core/DateTime.h"
#include "platform/core/StringList.h"
#include "platform/gfx/Brush.h"
#include "platform/gfx/Font.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QObject;
class TPopupMenu;
class TCustomItemEditor;
class TCustomItemDrawTool;
class TPlannerAlarmHandler;

// When and how an item reminds its user (the timer that fires it belongs to the planner).
struct TPlannerAlarm
{
    bool Active = false;
    QString Address;
    TPlannerAlarmHandler* Handler = nullptr;
    int ID = 0;
    QString Message;
    TAlarmNotifyType NotifyType = TAlarmNotifyType::anCaption;
    int Tag = 0;
    TAlarmTime Time = TAlarmTime::atBefore;
    TDateTime TimeBefore = 0; // a duration
    TDateTime TimeAfter = 0;  // a duration

    friend bool operator==(const TPlannerAlarm&, const TPlannerAlarm&) = default;
};

// Owned by an item and released with it; nothing else reads them yet.
using TPlannerIntList = std::vector<int>;
using TPlannerBarItemList = std::vector<int>;

class TPlannerItem
{
public:
    // Items are made by their collection (TPlannerItems::Add), never on their own.
    explicit TPlannerItem(TPlannerItems& collection);
    ~TPlannerItem();
    TPlannerItem(const TPlannerItem&) = delete;
    TPlannerItem& operator=(const TPlannerItem&) = delete;

    TPlannerItems& Collection() const { return m_collection; }
    TCustomPlanner& Planner() const;
    int Index() const;

    // --- Placement --------------------------------------------------------------------
    int ItemBegin() const { return m_itemBegin; } // Display.ActiveStart
    void SetItemBegin(int cell);
    int ItemEnd() const { return m_itemEnd; } // ActiveStart + 1; exclusive
    void SetItemEnd(int cell);
    int ItemPos() const { return m_itemPos; } // 0
    void SetItemPos(int pos);
    // Whether the cell lies in [ItemBegin, ItemEnd).
    bool Covers(int cell) const { return m_itemBegin <= cell && cell < m_itemEnd; }
    // Places the item on the grid as the display now lays it out (the planner's grid update
    // runs it for every item): the minutes from the cells first unless keepMinutes, then the
    // cells from the minutes, clipped to the grid's cells with the cells outside kept as
    // BeginOffset and EndOffset; then a repaint.
    void FollowGrid(bool keepMinutes);

    // --- Caption and text -------------------------------------------------------------
    TCaptionType CaptionType() const { return m_captionType; } // ctNone
    void SetCaptionType(TCaptionType type);
    const QString& CaptionText() const { return m_captionText; } // ""
    void SetCaptionText(const QString& text);
    // The body lines; changing the list repaints the item and notifies the collection.
    TStringList& Text() { return m_text; }
    const TStringList& Text() const { return m_text; }
    void SetText(const TStringList& lines);
    TAlignment CaptionAlign() const { return m_captionAlign; } // taLeftJustify
    void SetCaptionAlign(TAlignment align);
    TAlignment Alignment() const { return m_alignment; } // taLeftJustify
    void SetAlignment(TAlignment align);
    TFont& CaptionFont() { return m_captionFont; } // the planner's Font
    void SetCaptionFont(const TFont& font);
    TFont& Font() { return m_font; } // the planner's Font
    void SetFont(const TFont& font);
    bool WordWrap() const { return m_wordWrap; } // true
    void SetWordWrap(bool on);

    // --- Colours and look -------------------------------------------------------------
    TColor Color() const { return m_color; } // clWhite
    void SetColor(TColor color);
    TColor ColorTo() const { return m_colorTo; } // clBtnFace
    void SetColorTo(TColor color);
    TColor BorderColor() const { return m_borderColor; } // clSilver
    void SetBorderColor(TColor color);
    TColor CaptionBkg() const { return m_captionBkg; } // clWhite
    void SetCaptionBkg(TColor color);
    TColor CaptionBkgTo() const { return m_captionBkgTo; } // clNone
    void SetCaptionBkgTo(TColor color);
    TBrushStyle BrushStyle() const { return m_brushStyle; } // bsSolid
    void SetBrushStyle(TBrushStyle style);
    TColor SelectColor() const { return m_selectColor; } // clInfoBk
    void SetSelectColor(TColor color);
    TColor SelectColorTo() const { return m_selectColorTo; } // clNone
    void SetSelectColorTo(TColor color);
    TColor SelectFontColor() const { return m_selectFontColor; } // clRed
    void SetSelectFontColor(TColor color);
    bool Selected() const { return m_selected; } // false
    void SetSelected(bool on);
    bool ShowSelection() const { return m_showSelection; } // true
    void SetShowSelection(bool on);
    TColor TrackColor() const { return m_trackColor; } // clBlue
    void SetTrackColor(TColor color);
    TColor TrackSelectColor() const { return m_trackSelectColor; } // clBlue
    void SetTrackSelectColor(TColor color);
    bool TrackVisible() const { return m_trackVisible; } // true
    void SetTrackVisible(bool on);
    bool Shadow() const { return m_shadow; } // true
    void SetShadow(bool on);
    TPlannerShape Shape() const { return m_shape; } // psRect
    void SetShape(TPlannerShape shape);
    int ImageID() const { return m_imageID; } // -1
    void SetImageID(int id);
    TItemImagePosition ImagePosition() const { return m_imagePosition; } // ipHorizontal
    void SetImagePosition(TItemImagePosition position);
    bool UniformBkg() const { return m_uniformBkg; } // true
    void SetUniformBkg(bool on);
    bool ShowDeleteButton() const { return m_showDeleteButton; } // false
    void SetShowDeleteButton(bool on);

    // 0..100; outside raises Exception "Completion cannot be smaller than 0" or "Completion
    // cannot be larger than 100" and keeps the old value.
    int Completion() const { return m_completion; } // 0
    void SetCompletion(int percent);
    TCompletionDisplay CompletionDisplay() const { return m_completionDisplay; } // cdNone
    void SetCompletionDisplay(TCompletionDisplay display);

    // --- Behaviour --------------------------------------------------------------------
    bool AllowOverlap() const { return m_allowOverlap; } // true unless the side bar is on top
    void SetAllowOverlap(bool on);
    // A background item is never moved or edited: turning the flag over also sets ReadOnly,
    // FixedPos and FixedSize and clears AllowOverlap (and nothing puts them back).
    bool Background() const { return m_background; } // false
    void SetBackground(bool on);
    // Shown in the header instead of the grid; Visible reads the negation.
    bool InHeader() const { return m_inHeader; } // false
    void SetInHeader(bool on);
    int Layer() const { return m_layer; } // 0
    void SetLayer(int layer);
    bool ReadOnly() const { return m_readOnly; } // false
    void SetReadOnly(bool on);
    bool FixedPos() const { return m_fixedPos; } // false
    void SetFixedPos(bool on);
    bool FixedSize() const { return m_fixedSize; } // false
    void SetFixedSize(bool on);
    bool FixedPosition() const { return m_fixedPosition; } // false
    void SetFixedPosition(bool on);
    bool FixedTime() const { return m_fixedTime; } // false
    void SetFixedTime(bool on);
    TPlannerItemEdit InplaceEdit() const { return m_inplaceEdit; } // peMemo
    void SetInplaceEdit(TPlannerItemEdit edit);
    const QString& EditMask() const { return m_editMask; } // ""
    void SetEditMask(const QString& mask);
    TCustomItemEditor* Editor() const { return m_editor; } // none
    void SetEditor(TCustomItemEditor* editor);
    TCustomItemDrawTool* DrawTool() const { return m_drawTool; } // none
    void SetDrawTool(TCustomItemDrawTool* tool);
    TPlannerAlarm& Alarm() { return *m_alarm; }
    void SetAlarm(const TPlannerAlarm& alarm);
    const QString& Attachement() const { return m_attachement; } // ""
    void SetAttachement(const QString& link);
    const QString& URL() const { return m_url; } // ""
    void SetURL(const QString& link);
    const QString& Hint() const { return m_hint; } // ""
    void SetHint(const QString& hint);
    TCursor Cursor() const { return m_cursor; } // -1
    void SetCursor(TCursor cursor);
    TPopupMenu* PopupMenu() const { return m_popupMenu; } // none
    void SetPopupMenu(TPopupMenu* menu);
    bool OwnsItemObject() const { return m_ownsItemObject; } // false
    void SetOwnsItemObject(bool on);
    const QString& Name() const { return m_name; } // "PlannerItem" + index at creation
    void SetName(const QString& name);
    int Tag() const { return m_tag; } // 0
    void SetTag(int tag);
    int DBTag() const { return m_dbTag; } // 0
    void SetDBTag(int tag);
    // False while InHeader, whatever was set.
    bool Visible() const { return m_visible && !m_inHeader; } // false at creation
    void SetVisible(bool on);

    std::function<void(TPlannerItem& sender)> OnEditModal;

    // --- Public state, not stored -----------------------------------------------------
    // Values the planner's own code keeps (placement in minutes, layout results, keys,
    // links); setting one stores it and nothing more.
    int BeginMinutes() const { return m_beginMinutes; }
    void SetBeginMinutes(int minutes) { m_beginMinutes = minutes; }
    int EndMinutes() const { return m_endMinutes; }
    void SetEndMinutes(int minutes) { m_endMinutes = minutes; }
    int BeginOffset() const { return m_beginOffset; }
    void SetBeginOffset(int cells) { m_beginOffset = cells; }
    int EndOffset() const { return m_endOffset; }
    void SetEndOffset(int cells) { m_endOffset = cells; }
    TDateTime ExactStart() const { return m_exactStart; }
    void SetExactStart(TDateTime value) { m_exactStart = value; }
    TDateTime ExactEnd() const { return m_exactEnd; }
    void SetExactEnd(TDateTime value) { m_exactEnd = value; }
    bool HasExactTimes() const { return m_hasExactTimes; }
    void SetHasExactTimes(bool on) { m_hasExactTimes = on; }
    const QString& DBKey() const { return m_dbKey; }
    void SetDBKey(const QString& key) { m_dbKey = key; }
    // Free for the user; deleted with the item when OwnsItemObject.
    QObject* ItemObject() const { return m_itemObject; }
    void SetItemObject(QObject* object) { m_itemObject = object; }
    int Conflicts() const { return m_conflicts; }
    void SetConflicts(int count) { m_conflicts = count; }
    int ConflictPos() const { return m_conflictPos; }
    void SetConflictPos(int pos) { m_conflictPos = pos; }
    int ConflictBegin() const { return m_conflictBegin; }
    int ConflictEnd() const { return m_conflictEnd; }
    bool ConflictChanged() const { return m_conflictChanged; }
    TPlannerItem* LinkedItem() const { return m_linkedItem; }
    void SetLinkedItem(TPlannerItem* item) { m_linkedItem = item; }
    TPlannerLinkType LinkType() const { return m_linkType; } // ltLinkFull
    void SetLinkType(TPlannerLinkType type) { m_linkType = type; }
    int GroupID() const { return m_groupID; } // -1
    void SetGroupID(int id) { m_groupID = id; }
    bool IsCopy() const { return m_isCopy; }
    void SetIsCopy(bool on) { m_isCopy = on; }
    bool NotDBItem() const { return m_notDBItem; }
    void SetNotDBItem(bool on) { m_notDBItem = on; }
    bool Focused() const { return m_focused; }
    // Raises OnItemEnter or OnItemExit and repaints when the value changes.
    void SetFocused(bool on);
    bool CurrentActive() const { return m_currentActive; }
    // Raises OnItemActivate or OnItemDeActivate and repaints when the value changes.
    void SetCurrentActive(bool on);
    bool Repainted() const { return m_repainted; }
    void SetRepainted(bool on) { m_repainted = on; }
    bool Flashing() const { return m_flashing; }
    void SetFlashing(bool on) { m_flashing = on; }
    TPlannerIntList& IntList() { return *m_intList; }
    TPlannerBarItemList& BarItems() { return *m_barItems; }

    // --- Operations -------------------------------------------------------------------
    // Copies every stored setting of another item (not its times outside the cells, key,
    // object, links or group), in a fixed order through the setters.
    void Assign(const TPlannerItem& source);
    // The same without placement and a few per-item settings; what the copies of a
    // multi-position item share with their lead.
    void AssignLook(const TPlannerItem& source);
    // Invalidates the cells the item covers, widened over the items it overlaps at its
    // position.
    void RepaintItem();
    // Tells the planner the item was changed by its user (ItemUpdated hook).
    void Update();
    TPlannerItem* ParentItem();
    QString NotesText() const;
    QString CaptionString();
    void PlaceUpdate(int newBegin, int newEnd);
    void PlaceUpdateClipped(int newBegin, int newEnd, int newPos, int& anchor);

    // Mode-dependent times and texts (PlannerTime.cpp).
    TDateTime ItemStartTime();
    void SetItemStartTime(TDateTime value);
    TDateTime ItemEndTime();
    void SetItemEndTime(TDateTime value);
    // What the item source stores and the caption shows: ExactStart/ExactEnd while
    // HasExactTimes (the end also while InHeader), else the computed times.
    TDateTime ItemRealStartTime();
    TDateTime ItemRealEndTime();
    QString CaptionTimeText();
    QString StartText();
    QString EndText();

private:
    // The collection creates, frees and lays out its items.
    friend class TPlannerItems;
    // The conflict layout reads the placement and writes the sub-columns.
    friend class TConflictLayout;

    // What a setting's change calls for: nothing, a repaint of the item's cells, or that and
    // the collection's change notification (for the settings the collection follows).
    enum class Report
    {
        Nothing,
        Repaint,
        Notify
    };
    void changed(Report report);
    // The shape of a setter: the same value again does nothing; a new one is stored and
    // reported.
    template <class T>
    void set(T& member, const T& value, Report report)
    {
        if (member == value)
            return;
        member = value;
        changed(report);
    }
    void recomputeBeginMinutes();
    void recomputeEndMinutes();
    void propagateLink(bool beginChanged, bool endChanged, std::int64_t delta);
    void propagatePos(std::int64_t delta);
    void setVisibleRaw(bool on);

    TPlannerItems& m_collection;

    int m_itemBegin = 0;
    int m_itemEnd = 1;
    int m_itemPos = 0;
    TCaptionType m_captionType = TCaptionType::ctNone;
    QString m_captionText;
    TStringList m_text;
    TAlignment m_captionAlign = TAlignment::taLeftJustify;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TFont m_captionFont;
    TFont m_font;
    bool m_wordWrap = true;
    TColor m_color = clWhite;
    TColor m_colorTo = clBtnFace;
    TColor m_borderColor = clSilver;
    TColor m_captionBkg = clWhite;
    TColor m_captionBkgTo = clNone;
    TBrushStyle m_brushStyle = TBrushStyle::bsSolid;
    TColor m_selectColor = clInfoBk;
    TColor m_selectColorTo = clNone;
    TColor m_selectFontColor = clRed;
    bool m_selected = false;
    bool m_showSelection = true;
    TColor m_trackColor = clBlue;
    TColor m_trackSelectColor = clBlue;
    bool m_trackVisible = true;
    bool m_shadow = true;
    TPlannerShape m_shape = TPlannerShape::psRect;
    int m_imageID = -1;
    TItemImagePosition m_imagePosition = TItemImagePosition::ipHorizontal;
    bool m_uniformBkg = true;
    bool m_showDeleteButton = false;
    int m_completion = 0;
    TCompletionDisplay m_completionDisplay = TCompletionDisplay::cdNone;
    bool m_allowOverlap = true;
    bool m_background = false;
    bool m_inHeader = false;
    int m_layer = 0;
    bool m_readOnly = false;
    bool m_fixedPos = false;
    bool m_fixedSize = false;
    bool m_fixedPosition = false;
    bool m_fixedTime = false;
    TPlannerItemEdit m_inplaceEdit = TPlannerItemEdit::peMemo;
    QString m_editMask;
    TCustomItemEditor* m_editor = nullptr;
    TCustomItemDrawTool* m_drawTool = nullptr;
    std::unique_ptr<TPlannerAlarm> m_alarm;
    QString m_attachement;
    QString m_url;
    QString m_hint;
    TCursor m_cursor = -1;
    TPopupMenu* m_popupMenu = nullptr;
    bool m_ownsItemObject = false;
    QString m_name;
    int m_tag = 0;
    int m_dbTag = 0;
    bool m_visible = false;

    int m_beginMinutes = 0;
    int m_endMinutes = 0;
    int m_beginOffset = 0;
    int m_endOffset = 0;
    TDateTime m_exactStart = 0;
    TDateTime m_exactEnd = 0;
    bool m_hasExactTimes = false;
    QString m_dbKey;
    QObject* m_itemObject = nullptr;
    int m_conflicts = 0;
    int m_conflictPos = 0;
    int m_conflictBegin = 0;
    int m_conflictEnd = 0;
    bool m_conflictChanged = false;
    TPlannerItem* m_linkedItem = nullptr;
    TPlannerLinkType m_linkType = TPlannerLinkType::ltLinkFull;
    int m_groupID = -1;
    bool m_isCopy = false;
    bool m_notDBItem = false;
    bool m_focused = false;
    bool m_currentActive = false;
    bool m_repainted = false;
    bool m_flashing = false;
    std::unique_ptr<TPlannerIntList> m_intList;
    std::unique_ptr<TPlannerBarItemList> m_barItems;
    // The index the collection gave the item; kept current by the collection.
    int m_index = -1;
};
