// The to-do list: a bordered container of a column header (TTodoHeader, on top) and the
// rows (TTodoListBox, below). It holds the list's settings (painting, header, sorting,
// navigation), converts statuses and priorities to and from text, sorts the items on a
// column, and routes the inner controls' events to its own, always with itself as Sender.
//
// Editing: this list has no in-place editors. The keys and clicks that start an edit call
// StartEdit, and the moments an open editor must be closed (a header section pressed, the
// rows about to scroll) call EndEdit; both do nothing here, and a derived list with editors
// overrides them.
#pragma once

#include "comp/TodoList/TodoColumn.h"
#include "comp/TodoList/TodoDrawing.h"
#include "comp/TodoList/TodoHeader.h"
#include "comp/TodoList/TodoItem.h"
#include "comp/TodoList/TodoListBox.h"
#include "comp/TodoList/TodoText.h"
#include "platform/controls/CustomControl.h"
#include "platform/core/UpdateScope.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"

#include <QChar>
#include <cstdint>
#include <functional>
#include <optional>

class TImageList;

class TCustomTodoList : public TCustomControl
{
public:
    explicit TCustomTodoList(QWidget* parent = nullptr);
    ~TCustomTodoList() override;

    // ---- parts ----------------------------------------------------------------------------
    TTodoItemCollection& Items() { return m_list->TodoItems(); }
    TTodoColumnCollection& Columns() { return m_list->TodoColumns(); }
    TTodoListBox& List() { return *m_list; }
    TTodoHeader& Header() { return *m_header; }
    TStatusStrings& StatusStrings() { return m_statusStrings; }
    TPriorityStrings& PriorityStrings() { return m_priorityStrings; }

    // The selected item (the inner list's current row), or null.
    TTodoItem* Selected();
    void SetSelected(TTodoItem* item);
    int ItemIndex() const { return m_list->ItemIndex(); }
    void SetItemIndex(int index) { m_list->SetItemIndex(index); }

    // Batches item changes: rows are synchronised once by the last EndUpdate.
    void BeginUpdate() { m_updates.Begin(); }
    void EndUpdate() { m_updates.End(); }
    int UpdateCount() const { return m_updates.Count(); }
    // The load-completion step, run once the stored values are in: rows, header and, with
    // AutoThemeAdapt, the theme colours.
    void Loaded();

    // ---- conversions (overridable) -------------------------------------------------------
    virtual QString TodoStatusToString(TTodoStatus status);
    virtual QString TodoPriorityToString(TTodoPriority priority);
    // Raise EConversionFunctionException for an unknown text.
    virtual TTodoStatus TodoStatusFromString(const QString& text);
    virtual TTodoPriority TodoPriorityFromString(const QString& text);
    QString TodoStatusCommaText() const { return StatusCommaText(m_statusStrings); }
    QString TodoPriorityCommaText() const { return PriorityCommaText(m_priorityStrings); }
    // Major in the top byte, then minor, release and build.
    static std::uint32_t GetVersionNr();
    static QString GetVersionString();

    // Value texts as the cells show them.
    QString DateText(TDateTime value) const;
    // a after b positive, before negative, by the sort column's kind and direction.
    int CompareItems(const TTodoItem& a, const TTodoItem& b) const;

    // ---- clipboard -----------------------------------------------------------------------
    // Each does nothing without a selected row (paste: without the format on the clipboard).
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    // ---- sorting -------------------------------------------------------------------------
    bool Sorted() const { return m_sorted; } // false
    void SetSorted(bool sorted);
    int SortColumn() const { return m_sortColumn; } // 0
    void SetSortColumn(int column);
    TSortDirection SortDirection() const { return m_sortDirection; } // sdAscending
    void SetSortDirection(TSortDirection direction);
    // Sorts the items now; the selected item stays selected at its new row.
    void Sort();

    // ---- navigation and editing ------------------------------------------------------------
    // The column keyboard editing uses and the header and rows highlight; -1 for none.
    int FocusColumn() const { return m_focusColumn; } // 0
    void SetFocusColumn(int column);
    bool Editable() const { return m_editable; } // true
    void SetEditable(bool on) { m_editable = on; }
    bool AutoInsertItem() const { return m_autoInsertItem; } // true
    void SetAutoInsertItem(bool on) { m_autoInsertItem = on; }
    bool AutoDeleteItem() const { return m_autoDeleteItem; } // true
    void SetAutoDeleteItem(bool on) { m_autoDeleteItem = on; }
    bool HintShowFullText() const { return m_hintShowFullText; } // false
    void SetHintShowFullText(bool on);
    // Starts editing a cell: does nothing here (no editors in this list); a list with
    // in-place editors overrides it. key is the typed character that started the edit.
    virtual void StartEdit(int row, int column, std::optional<QChar> key, TPoint mouse,
                           bool byMouse);
    // Closes an open in-place editor and stores its value: does nothing here; a list with
    // editors overrides it. Called when a header section is pressed with the left button
    // (before the press sorts) and before the rows scroll by a scroll bar or the wheel.
    virtual void EndEdit();

    // ---- container ---------------------------------------------------------------------------
    TBorderStyle BorderStyle() const { return m_borderStyle; } // bsSingle
    void SetBorderStyle(TBorderStyle style);
    bool TabStop() const { return m_tabStop; } // false
    void SetTabStop(bool on);
    // The inner list's drag settings.
    TDragMode DragMode() const { return m_list->DragMode(); } // dmManual
    void SetDragMode(TDragMode mode) { m_list->SetDragMode(mode); }
    TCursor DragCursor() const { return m_list->DragSupport().DragCursor(); } // crDrag
    void SetDragCursor(TCursor cursor) { m_list->DragSupport().SetDragCursor(cursor); }

    // ---- header --------------------------------------------------------------------------
    int HeaderHeight() const { return m_headerHeight; } // 22
    void SetHeaderHeight(int height);
    TFont& HeaderFont() { return m_header->Font(); }
    TColor HeaderColor() const { return m_header->Color(); } // 0xFCE1CB
    void SetHeaderColor(TColor c) { m_header->SetColor(c); }
    TColor HeaderColorTo() const { return m_header->ColorTo(); } // 0xE0A57D
    void SetHeaderColorTo(TColor c) { m_header->SetColorTo(c); }
    TColor HeaderActiveColor() const { return m_header->ActiveColor(); } // 0x94E6FB
    void SetHeaderActiveColor(TColor c) { m_header->SetActiveColor(c); }
    TColor HeaderActiveColorTo() const { return m_header->ActiveColorTo(); } // 0x1595EE
    void SetHeaderActiveColorTo(TColor c) { m_header->SetActiveColorTo(c); }
    TImageList* HeaderImages() const { return m_header->Images(); } // nullptr
    void SetHeaderImages(TImageList* images) { m_header->SetImages(images); }
    bool HeaderDragDrop() const { return m_header->SectionDragDrop(); } // false
    void SetHeaderDragDrop(bool on) { m_header->SetSectionDragDrop(on); }
    bool AutoThemeAdapt() const { return m_autoThemeAdapt; } // false
    void SetAutoThemeAdapt(bool on) { m_autoThemeAdapt = on; }
    // 0 blue, 1 silver, 2 olive, 3 classic.
    void SetHeaderStyle(int style);
    // The style a theme name gives: "NormalColor" 0, "HomeStead" 2, "Metallic" 1, else 3.
    static int HeaderStyleForTheme(const QString& themeName);
    // Sections follow the columns (text, image, width), the first narrowed by the
    // horizontal scroll position.
    void UpdateHeader();

    // ---- painting ------------------------------------------------------------------------
    TColor Color() const { return m_list->Color(); } // clWindow
    void SetColor(TColor color) { m_list->SetColor(color); }
    int ItemHeight() const { return m_itemHeight; } // 22
    void SetItemHeight(int height);
    bool Preview() const { return m_preview; } // false
    void SetPreview(bool on);
    int PreviewHeight() const { return m_previewHeight; } // 0
    void SetPreviewHeight(int height);
    TFont& PreviewFont() { return m_previewFont; }         // colour clBlue
    TColor PreviewColor() const { return m_previewColor; } // clNone
    void SetPreviewColor(TColor c) { setPaint(m_previewColor, c); }
    TColor PreviewColorTo() const { return m_previewColorTo; } // clNone
    void SetPreviewColorTo(TColor c) { setPaint(m_previewColorTo, c); }
    TFont& CompletionFont() { return m_completionFont; }       // clGray, struck out
    TFont& PriorityFont() { return m_priorityFont; }           // clRed
    TColor SelectionColor() const { return m_selectionColor; } // clHighlight
    void SetSelectionColor(TColor c) { setPaint(m_selectionColor, c); }
    TColor SelectionColorTo() const { return m_selectionColorTo; } // clNone
    void SetSelectionColorTo(TColor c) { setPaint(m_selectionColorTo, c); }
    TColor SelectionFontColor() const { return m_selectionFontColor; } // clHighlightText
    void SetSelectionFontColor(TColor c) { setPaint(m_selectionFontColor, c); }
    bool ShowSelection() const { return m_showSelection; } // true
    void SetShowSelection(bool on) { setPaint(m_showSelection, on); }
    TColor ActiveColumnColor() const { return m_activeColumnColor; } // clWhite
    void SetActiveColumnColor(TColor c) { setPaint(m_activeColumnColor, c); }
    TColor ActiveItemColor() const { return m_activeItemColor; } // clNone
    void SetActiveItemColor(TColor c) { setPaint(m_activeItemColor, c); }
    TColor ActiveItemColorTo() const { return m_activeItemColorTo; } // clNone
    void SetActiveItemColorTo(TColor c) { setPaint(m_activeItemColorTo, c); }
    TGridLineStyle GridLines() const { return m_gridLines; } // glsAlways
    void SetGridLines(TGridLineStyle style) { setPaint(m_gridLines, style); }
    TColor GridLineColor() const { return m_gridLineColor; } // clSilver
    void SetGridLineColor(TColor c) { setPaint(m_gridLineColor, c); }
    bool StretchLastColumn() const { return m_stretchLastColumn; } // true
    void SetStretchLastColumn(bool on) { setPaint(m_stretchLastColumn, on); }
    bool ShowPriorityText() const { return m_showPriorityText; } // true
    void SetShowPriorityText(bool on) { setPaint(m_showPriorityText, on); }
    bool CompletionGraphic() const { return m_completionGraphic; } // true
    void SetCompletionGraphic(bool on) { setPaint(m_completionGraphic, on); }
    // Not owned; must outlive the list or be set back to null.
    TImageList* Images() const { return m_images; } // nullptr
    void SetImages(TImageList* images) { setPaint(m_images, images); }
    TBitmap& HandleGlyph() { return m_handleGlyph; } // empty: the built-in note pad
    TProgressLook& ProgressLook() { return m_progressLook; }
    TCompleteCheck& CompleteCheck() { return m_completeCheck; }
    // Date texts: the pattern, and the text of a zero date (empty: format it too).
    const QString& DateFormat() const { return m_dateFormat; } // the short date format
    void SetDateFormat(const QString& pattern) { setPaint(m_dateFormat, pattern); }
    const QString& NullDate() const { return m_nullDate; } // "None"
    void SetNullDate(const QString& text) { setPaint(m_nullDate, text); }
    bool ScrollHorizontal() const { return m_list->ScrollHorizontal(); } // false
    void SetScrollHorizontal(bool on) { m_list->SetScrollHorizontal(on); }
    // The main line of a row; the inner rows are taller by PreviewHeight with Preview on.
    int RowHeight() const { return m_itemHeight; }

    // ---- events --------------------------------------------------------------------------
    std::function<void(QWidget& sender, TTodoStatus status, QString& text)> OnStatusToString;
    std::function<void(QWidget& sender, const QString& text, TTodoStatus& status)> OnStringToStatus;
    std::function<void(QWidget& sender, TTodoPriority priority, QString& text)> OnPriorityToString;
    std::function<void(QWidget& sender, const QString& text, TTodoPriority& priority)>
        OnStringToPriority;
    std::function<void(QWidget& sender, int column)> OnHeaderClick;
    std::function<void(QWidget& sender, int column)> OnHeaderRightClick;
    std::function<void(QWidget& sender, TTodoItem* item)> OnItemSelect;
    std::function<void(QWidget& sender, TTodoItem& item, bool& allow)> OnItemInsert;
    std::function<void(QWidget& sender, TTodoItem& item, bool& allow)> OnItemDelete;
    std::function<void(QWidget& sender, int itemIndex)> OnCompleteClick;
    std::function<void(QWidget& sender)> OnEditStart;
    std::function<void(QWidget& sender)> OnEditDone;
    // The inner list's drag events, with the list as sender (DragDrop.h).
    std::function<void(QWidget& sender, QWidget* source, int x, int y, TDragState state,
                       bool& accept)>
        OnDragOver;
    std::function<void(QWidget& sender, QWidget* source, int x, int y)> OnDragDrop;
    std::function<void(QWidget& sender)> OnStartDrag;
    std::function<void(QWidget& sender, QWidget* target, int x, int y)> OnEndDrag;

    // ---- notifications (overridable) ---------------------------------------------------------
    virtual bool DoItemDelete(TTodoItem& item);
    virtual bool DoItemInsert(TTodoItem& item);
    virtual void DoItemSelect(TTodoItem* item);
    virtual void DoEditDone(TTodoData kind, TTodoItem* item);
    virtual void DoEditStart();

protected:
    void Paint(TCanvas& canvas) override;
    void Resize() override;
    void changeEvent(QEvent* event) override;

private:
    void layoutChildren();
    void updateRowHeight();
    void routeInnerEvents();
    void headerClick(int section);
    void applyThemeColors();
    template <class T>
    void setPaint(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        m_list->update();
    }

    TTodoHeader* m_header; // children
    TTodoListBox* m_list;
    TStatusStrings m_statusStrings;
    TPriorityStrings m_priorityStrings;
    TUpdateCounter m_updates;

    bool m_sorted = false;
    int m_sortColumn = 0;
    TSortDirection m_sortDirection = TSortDirection::sdAscending;
    int m_focusColumn = 0;
    bool m_editable = true;
    bool m_autoInsertItem = true;
    bool m_autoDeleteItem = true;
    bool m_hintShowFullText = false;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    bool m_tabStop = false;
    int m_headerHeight = 22;
    bool m_autoThemeAdapt = false;

    int m_itemHeight = 22;
    bool m_preview = false;
    int m_previewHeight = 0;
    TFont m_previewFont;
    TColor m_previewColor = clNone;
    TColor m_previewColorTo = clNone;
    TFont m_completionFont;
    TFont m_priorityFont;
    TColor m_selectionColor = clHighlight;
    TColor m_selectionColorTo = clNone;
    TColor m_selectionFontColor = clHighlightText;
    bool m_showSelection = true;
    TColor m_activeColumnColor = clWhite;
    TColor m_activeItemColor = clNone;
    TColor m_activeItemColorTo = clNone;
    TGridLineStyle m_gridLines = TGridLineStyle::glsAlways;
    TColor m_gridLineColor = clSilver;
    bool m_stretchLastColumn = true;
    bool m_showPriorityText = true;
    bool m_completionGraphic = true;
    TImageList* m_images = nullptr;
    TBitmap m_handleGlyph;
    TProgressLook m_progressLook;
    TCompleteCheck m_completeCheck;
    QString m_dateFormat;
    QString m_nullDate = QStringLiteral("None");
};
