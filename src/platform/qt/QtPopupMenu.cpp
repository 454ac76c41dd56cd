#include "QtPopupMenu.h"

#include <QActionGroup>
#include <QMenu>
#include <QPixmap>

QtPopupMenu::QtPopupMenu() = default;

QtPopupMenu::~QtPopupMenu() = default;

QMenu* QtPopupMenu::ShownMenu() {
    // Made on first use: every note has a menu, and thousands of notes would otherwise keep as many
    // widgets that are never opened.
    if (!FMenu) {
        FMenu = std::make_unique<QMenu>();
        QObject::connect(FMenu.get(), &QMenu::aboutToShow, [this] {
            if (FOnPopup) FOnPopup();
            Rebuild();
        });
    }
    return FMenu.get();
}

QMenu* QtPopupMenu::Menu() {
    ShownMenu();
    Rebuild();
    return FMenu.get();
}

void QtPopupMenu::Rebuild() {
    FMenu->clear();
    // Not shown while their parent menu is being rebuilt, so they can go now.
    FSubMenus.clear();
    AddItems(FMenu.get(), FItems, -1);
}

void QtPopupMenu::AddItems(QMenu* menu, const std::vector<TPopupMenuItem>& items, int parentIndex) {
    QActionGroup* radios = nullptr;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TPopupMenuItem& item = items[i];
        if (!item.Visible) continue;
        if (item.Caption == QStringLiteral("-")) {
            menu->addSeparator();
            continue;
        }
        const int index = static_cast<int>(i);
        if (!item.Items.empty() && parentIndex < 0) {
            auto sub = std::make_unique<QMenu>(item.Caption);
            sub->setEnabled(item.Enabled);
            AddItems(sub.get(), item.Items, index);
            menu->addMenu(sub.get());
            FSubMenus.push_back(std::move(sub));
            continue;
        }
        QAction* action = menu->addAction(item.Caption);
        action->setEnabled(item.Enabled);
        action->setCheckable(item.AutoCheck || item.Checked);
        action->setChecked(item.Checked);
        if (item.RadioItem) {
            if (!radios) radios = new QActionGroup(menu);
            radios->addAction(action);
        }
        // Queued: the handler may rebuild or free this very menu.
        if (parentIndex < 0)
            QObject::connect(
                action, &QAction::triggered, FMenu.get(), [this, index] { Click(index); },
                Qt::QueuedConnection);
        else
            QObject::connect(
                action, &QAction::triggered, FMenu.get(),
                [this, parentIndex, index] { ClickSubItem(parentIndex, index); }, Qt::QueuedConnection);
    }
}

void QtPopupMenu::Popup(QPoint screenPos) {
    ShownMenu()->exec(screenPos);  // aboutToShow runs the popup handler and rebuilds the items
}

void QtPopupMenu::Click(int index) {
    ClickMenuItem(FItems, index);
}

void QtPopupMenu::ClickSubItem(int index, int subIndex) {
    if (index < 0 || index >= static_cast<int>(FItems.size())) return;
    ClickMenuItem(FItems[static_cast<std::size_t>(index)].Items, subIndex);
}

QtTrayIcon::QtTrayIcon() {
    QObject::connect(&FIcon, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick && FOnDoubleClick) FOnDoubleClick();
    });
}

QtTrayIcon::~QtTrayIcon() = default;

void QtTrayIcon::SetToolTip(const QString& text) {
    FIcon.setToolTip(text);
}

void QtTrayIcon::SetIcon(const QImage& icon) {
    FIcon.setIcon(QIcon(QPixmap::fromImage(icon)));
}

void QtTrayIcon::SetMenu(IPopupMenu* menu) {
    FMenu = dynamic_cast<QtPopupMenu*>(menu);
    FIcon.setContextMenu(FMenu ? FMenu->Menu() : nullptr);
}

void QtTrayIcon::Show() {
    FIcon.show();
}

void QtTrayIcon::Hide() {
    FIcon.hide();
}
