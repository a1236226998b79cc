// The pop-up (context) menu: a list of items with captions and click handlers, popped up at
// a screen point. A caption "-" is a separator and "&" marks the access key, as menus have
// always stored them. The menu shows without blocking: Popup returns at once and the chosen
// item's OnClick runs later from the event loop.
#pragma once

#include "platform/core/Rect.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QMenu;

class TMenuItem
{
public:
    const QString& Caption() const { return m_caption; } // ""
    void SetCaption(const QString& caption) { m_caption = caption; }
    bool Enabled() const { return m_enabled; } // true
    void SetEnabled(bool on) { m_enabled = on; }
    bool Visible() const { return m_visible; } // true
    void SetVisible(bool on) { m_visible = on; }
    bool Checked() const { return m_checked; } // false
    void SetChecked(bool on) { m_checked = on; }
    bool IsSeparator() const { return m_caption == QLatin1String("-"); }

    std::function<void(TMenuItem& sender)> OnClick;

private:
    QString m_caption;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_checked = false;
};

class TPopupMenu
{
public:
    TPopupMenu();
    ~TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    int Count() const { return int(m_items.size()); }
    TMenuItem& Item(int index) { return *m_items.at(std::size_t(index)); }
    TMenuItem& Add(const QString& caption, std::function<void(TMenuItem&)> onClick = {});
    void Clear();

    // Shows the menu at the screen point, after OnPopup (which may still change items).
    void Popup(int x, int y);
    // The menu on screen while it shows, or null; for tests that pick an entry.
    QMenu* Menu() const { return m_menu.get(); }

    std::function<void(TPopupMenu& sender)> OnPopup;

private:
    // Shared so that a click queued before Clear finds its item gone rather than freed.
    std::vector<std::shared_ptr<TMenuItem>> m_items;
    std::unique_ptr<QMenu> m_menu;
};
