#pragma once
// Popup menus and the tray icon with Qt Widgets.

#include <QSystemTrayIcon>
#include <memory>
#include <vector>

#include "IPlatform.h"

class QMenu;

class QtPopupMenu : public IPopupMenu {
public:
    QtPopupMenu();
    ~QtPopupMenu() override;
    std::vector<TPopupMenuItem>& Items() override { return FItems; }
    void SetOnPopup(std::function<void()> handler) override { FOnPopup = std::move(handler); }
    void Popup(QPoint screenPos) override;
    void Click(int index) override;
    void ClickSubItem(int index, int subIndex) override;

    // The menu as Qt shows it, rebuilt from the items (for the tray icon, which opens it itself).
    QMenu* Menu();

private:
    QMenu* ShownMenu();
    void Rebuild();
    void AddItems(QMenu* menu, const std::vector<TPopupMenuItem>& items, int parentIndex);

    std::vector<TPopupMenuItem> FItems;
    std::function<void()> FOnPopup;
    std::unique_ptr<QMenu> FMenu;
    std::vector<std::unique_ptr<QMenu>> FSubMenus;
};

class QtTrayIcon : public ITrayIcon {
public:
    QtTrayIcon();
    ~QtTrayIcon() override;
    void SetToolTip(const QString& text) override;
    void SetIcon(const QImage& icon) override;
    void SetMenu(IPopupMenu* menu) override;
    void SetOnDoubleClick(std::function<void()> handler) override { FOnDoubleClick = std::move(handler); }
    void Show() override;
    void Hide() override;
    bool IsAvailable() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

private:
    QSystemTrayIcon FIcon;
    QtPopupMenu* FMenu = nullptr;
    std::function<void()> FOnDoubleClick;
};
