// The auto-complete pop-up of the typed edit: a hint-style top-level window with a 1-pixel
// border and a drop shadow that holds a sorted, owner-drawn list of the matching entries. Each row
// remembers the index of the entry it came from, so that the edit can pick the matching value. The
// window never takes the activation from the edit while the user types; the edit drives the
// list with the keys and hears when a row is chosen.
#pragma once

#include "platform/controls/CustomListBox.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class TLookupListBox : public TCustomListBox
{
public:
    explicit TLookupListBox(QWidget* parent = nullptr);

    // Replaces the rows; they are kept sorted by text without case (equal texts in the order
    // given).
    void SetRows(std::vector<std::pair<QString, int>> rows);
    const QString& RowText(int row) const { return m_rows.at(size_t(row)).first; }
    int RowEntry(int row) const { return m_rows.at(size_t(row)).second; }

    // Enter in the list or a mouse release on a row.
    std::function<void(TLookupListBox& sender)> OnChoose;

protected:
    void DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state) override;
    void KeyDown(int& key, TShiftState shift) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    std::vector<std::pair<QString, int>> m_rows;
};

class TListHintWindow : public QWidget
{
public:
    explicit TListHintWindow(QWidget* parent = nullptr);
    ~TListHintWindow() override;

    TLookupListBox* ListControl() const { return m_list; }
    // The drop shadow: a window of its own behind this one, ShadowOffset pixels to the right
    // and down, shown and moved with it.
    static constexpr int ShadowOffset = 4;
    QWidget* Shadow() const { return m_shadow.get(); }

    // After the window hid itself because another window took the activation.
    std::function<void()> OnDeactivate;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    // The bottom-right corner of the list is the window's sizing grip.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool gripMouse(QMouseEvent* event);
    void placeShadow();

    TLookupListBox* m_list; // child
    std::unique_ptr<QWidget> m_shadow;
    bool m_sizing = false;
    QPoint m_sizeFrom;
    QSize m_sizeStart;
};
