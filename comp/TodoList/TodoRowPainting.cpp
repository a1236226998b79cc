// Painting the rows: cell by cell in column order (font, colours, background, content by
// kind), the preview line, the filler right of the last column, the dotted row grid, and the
// grid of the empty area below the rows.
#include "comp/TodoList/TodoImages.h"
#include "comp/TodoList/TodoList.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/ImageList.h"

#include <algorithm>

namespace {

unsigned alignFlag(TAlignment a)
{
    return a == TAlignment::taRightJustify ? DT_RIGHT
           : a == TAlignment::taCenter     ? DT_CENTER
                                           : DT_LEFT;
}

bool currentToday(const TTodoItem& item, TDateTime today)
{
    const double created = Int(item.CreationDate());
    const double due = Int(item.DueDate());
    return created == today || due == today || (created <= today && due >= today);
}

// A vertical 16-band gradient, or a plain fill in the first colour when the second is clNone.
void overlay(TCanvas& canvas, TColor from, TColor to, const TRect& r)
{
    if (to == clNone) {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(from);
        canvas.FillRect(r);
        return;
    }
    DrawGradient(canvas, from, to, false, r, 16);
}

void dottedPen(TCanvas& canvas, TColor color)
{
    canvas.Pen().SetStyle(TPenStyle::psDot);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(color);
}

} // namespace

void TTodoListBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)
{
    if (index < 0 || index >= m_items.Count())
        return;
    TCustomTodoList& list = m_list;
    const TTodoItem& item = m_items[index];
    const TDateTime today = Int(Now());
    const int rowHeight = list.RowHeight();
    const bool selected = state.Contains(TOwnerDrawStateItem::odSelected) && list.ShowSelection();
    const bool selectionGradient = selected && list.SelectionColorTo() != clNone;
    const bool activeItem = !state.Contains(TOwnerDrawStateItem::odSelected) &&
                            list.ActiveItemColor() != clNone && currentToday(item, today);
    const bool grid = list.GridLines() != TGridLineStyle::glsNone;
    // The client rectangle already leaves out a vertical scroll bar shown for tall rows.
    const int clientRight = ClientRect().Right;

    int x = rect.Left - (m_scrollHorizontal ? HorzScrollPos() : 0);
    for (int c = 0; c < m_columns.Count(); ++c) {
        const TTodoColumnItem& column = m_columns[c];
        const bool last = c == m_columns.Count() - 1;
        const int cellLeft = x;
        int cellRight = cellLeft + column.Width();
        if (last && !m_scrollHorizontal && list.StretchLastColumn() && cellRight < clientRight)
            cellRight = clientRight;

        // Font and colours.
        if (item.Complete())
            canvas.Font().Assign(list.CompletionFont());
        else if (item.Priority() == TTodoPriority::tpHigh ||
                 item.Priority() == TTodoPriority::tpHighest)
            canvas.Font().Assign(list.PriorityFont());
        else
            canvas.Font().Assign(column.Font());
        TColor brush = column.Color();
        bool gradient = false;
        if (selected) {
            brush = list.SelectionColor();
            canvas.Font().SetColor(list.SelectionFontColor());
            gradient = selectionGradient;
        }
        if (c == list.FocusColumn() && hasFocus() &&
            state.Contains(TOwnerDrawStateItem::odSelected) && list.Editable()) {
            brush = list.ActiveColumnColor();
            canvas.Font().SetColor(list.Font().Color());
            gradient = false;
        }
        const unsigned flags =
            alignFlag(column.Alignment()) | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;

        // Background.
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Pen().SetStyle(TPenStyle::psSolid);
        canvas.Pen().SetColor(brush);
        const TRect background{cellLeft, rect.Top, last ? rect.Right : cellRight,
                               rect.Top + rowHeight};
        if (gradient) {
            DrawGradient(canvas, list.SelectionColor(), list.SelectionColorTo(), false,
                         {background.Left, background.Top, background.Right, background.Bottom - 1},
                         16);
            canvas.Brush().SetStyle(TBrushStyle::bsClear);
        } else {
            canvas.Brush().SetColor(brush);
            canvas.FillRect(background);
        }

        TRect content{cellLeft, rect.Top, cellRight, rect.Top + rowHeight};
        const TTodoData kind = column.TodoData();
        if (kind != TTodoData::tdCompletion)
            OffsetRect(content, 1, 1);
        if (grid)
            OffsetRect(content, 1, 1);
        if (activeItem) {
            overlay(canvas, list.ActiveItemColor(), list.ActiveItemColorTo(), content);
            canvas.Brush().SetStyle(TBrushStyle::bsClear);
        }

        const auto text = [&](const QString& s, TRect r) {
            canvas.SetBkMode(TBkMode::bkTransparent);
            canvas.DrawText(s, r, flags);
        };
        switch (kind) {
        case TTodoData::tdSubject:
            text(item.Subject(), content);
            break;
        case TTodoData::tdResource:
            text(item.Resource(), content);
            break;
        case TTodoData::tdProject:
            text(item.Project(), content);
            break;
        case TTodoData::tdCategory:
            text(item.Category(), content);
            break;
        case TTodoData::tdNotes:
            text(NotesCellText(item), content);
            break;
        case TTodoData::tdCompletion:
            if (list.CompletionGraphic())
                DrawProgressBar(canvas, content, item.Complete() ? 100 : item.Completion(), brush,
                                list.ProgressLook());
            else
                text(CompletionText(item), content);
            break;
        case TTodoData::tdPriority: {
            const TImageList& images = TodoPriorityImages();
            const int spare = std::max(0, content.Width() - images.Width());
            const int d = column.Alignment() == TAlignment::taLeftJustify    ? 0
                          : column.Alignment() == TAlignment::taRightJustify ? spare
                                                                             : spare / 2;
            images.Draw(canvas, content.Left + d, content.Top, 4 - int(item.Priority()));
            if (list.ShowPriorityText()) {
                TRect r = content;
                if (column.Alignment() == TAlignment::taRightJustify)
                    r.Right -= images.Width() + 2;
                else
                    r.Left = content.Left + d + images.Width() + 2;
                text(list.TodoPriorityToString(item.Priority()), r);
            }
            break;
        }
        case TTodoData::tdDueDate:
            text(list.DateText(item.DueDate()), content);
            break;
        case TTodoData::tdCompletionDate:
            text(list.DateText(item.CompletionDate()), content);
            break;
        case TTodoData::tdCreationDate:
            text(list.DateText(item.CreationDate()), content);
            break;
        case TTodoData::tdStatus:
            text(list.TodoStatusToString(item.Status()), content);
            break;
        case TTodoData::tdImage:
            if (list.Images() && item.ImageIndex() >= 0)
                list.Images()->Draw(canvas, content.Left, content.Top, item.ImageIndex());
            break;
        case TTodoData::tdComplete:
            DrawCompleteCheck(canvas, content, column.Alignment(), item.Complete(),
                              list.CompleteCheck());
            break;
        case TTodoData::tdTotalTime:
            text(TotalTimeText(item.TotalTime()), content);
            break;
        case TTodoData::tdHandle:
            DrawHandle(canvas, content, column.Alignment(), list.HandleGlyph());
            break;
        }
        x = cellRight;
    }

    // Preview line: unmoved by horizontal scrolling.
    if (list.Preview()) {
        canvas.Font().Assign(list.PreviewFont());
        TColor brush = list.PreviewColor() != clNone ? list.PreviewColor() : Color();
        if (selected) {
            canvas.Font().SetColor(list.SelectionFontColor());
            brush = list.SelectionColor();
        }
        const TRect preview{rect.Left, rect.Top + rowHeight, rect.Right, rect.Bottom};
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        if (list.PreviewColor() != clNone && list.PreviewColorTo() != clNone && !selected) {
            DrawGradient(canvas, list.PreviewColor(), list.PreviewColorTo(), false, preview, 16);
        } else {
            canvas.Brush().SetColor(brush);
            canvas.FillRect(preview);
        }
        TRect r{preview.Left, preview.Top + 1, preview.Right, preview.Bottom};
        canvas.SetBkMode(TBkMode::bkTransparent);
        canvas.DrawText(item.Notes().Text(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }

    // Filler right of the last column.
    if (x < rect.Right) {
        const TRect filler{x, rect.Top, rect.Right, rect.Top + rowHeight};
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        if (selected && selectionGradient) {
            DrawGradient(canvas, list.SelectionColor(), list.SelectionColorTo(), false,
                         {filler.Left, filler.Top, filler.Right, filler.Bottom - 1}, 16);
        } else {
            canvas.Brush().SetColor(selected ? list.SelectionColor() : Color());
            canvas.FillRect(filler);
        }
        if (activeItem)
            overlay(canvas, list.ActiveItemColor(), list.ActiveItemColorTo(), filler);
    }

    // Row grid.
    if (grid) {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        dottedPen(canvas, list.GridLineColor());
        canvas.MoveTo(rect.Left, rect.Bottom - 1);
        canvas.LineTo(rect.Right, rect.Bottom - 1);
        if (!list.Preview()) {
            int boundary = rect.Left;
            for (int c = 0; c + 1 < m_columns.Count(); ++c) {
                boundary += m_columns[c].Width();
                canvas.MoveTo(boundary, rect.Top);
                canvas.LineTo(boundary, rect.Bottom);
            }
        }
        canvas.Pen().SetStyle(TPenStyle::psSolid);
    }
}

void TTodoListBox::DrawEmptyArea(TCanvas& canvas, const TRect& rect)
{
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
}

void TTodoListBox::drawEmptyAreaGrid(TCanvas& canvas)
{
    const TRect client = ClientRect();
    dottedPen(canvas, m_list.GridLineColor());
    const int rowHeight = ItemHeight();
    // Only below the last row: the rows draw their own grid.
    const int rowsBottom = std::max(0, (Count() - TopIndex()) * rowHeight);
    for (int y = rowHeight - 1; y < client.Bottom; y += rowHeight) {
        if (y < rowsBottom)
            continue;
        canvas.MoveTo(0, y);
        canvas.LineTo(client.Right, y);
    }
    if (!m_list.Preview() && rowsBottom < client.Bottom) {
        int boundary = 0;
        for (int c = 0; c + 1 < m_columns.Count(); ++c) {
            boundary += m_columns[c].Width();
            canvas.MoveTo(boundary, rowsBottom);
            canvas.LineTo(boundary, client.Bottom);
        }
    }
    canvas.Pen().SetStyle(TPenStyle::psSolid);
}

void TTodoListBox::Paint(TCanvas& canvas)
{
    TCustomListBox::Paint(canvas);
    if (m_list.GridLines() == TGridLineStyle::glsAlways)
        drawEmptyAreaGrid(canvas);
}
