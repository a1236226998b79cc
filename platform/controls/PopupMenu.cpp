// The menu is rebuilt as a QMenu at every Popup, so items changed by OnPopup (the planner
// prepares item menus there) always show as they are.
#include "platform/controls/PopupMenu.h"

#include "platform/core/RaiseEvent.h"

#include <QAction>
#include <QMenu>

TPopupMenu::TPopupMenu() = default;

TPopupMenu::~TPopupMenu() = default;

TMenuItem& TPopupMenu::Add(const QString& caption, std::function<void(TMenuItem&)> onClick)
{
    auto item = std::make_shared<TMenuItem>();
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    m_items.push_back(std::move(item));
    return *m_items.back();
}

void TPopupMenu::Clear()
{
    m_items.clear();
    if (m_menu)
        m_menu->clear();
}

void TPopupMenu::Popup(int x, int y)
{
    Raise(OnPopup, *this);
    m_menu = std::make_unique<QMenu>();
    for (auto& item : m_items) {
        if (!item->Visible())
            continue;
        if (item->IsSeparator()) {
            m_menu->addSeparator();
            continue;
        }
        QAction* action = m_menu->addAction(item->Caption());
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked());
        action->setChecked(item->Checked());
        std::weak_ptr<TMenuItem> target = item;
        // Queued: the handler may clear or rebuild this very menu.
        QObject::connect(
            action, &QAction::triggered, m_menu.get(),
            [target] {
                if (auto alive = target.lock())
                    Raise(alive->OnClick, *alive);
            },
            Qt::QueuedConnection);
    }
    m_menu->popup(QPoint(x, y));
}
