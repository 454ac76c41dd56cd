#include "QtPopupMenu.h"

#include <QMenu>
#include <QPixmap>

QtPopupMenu::QtPopupMenu() : FMenu(std::make_unique<QMenu>()) {
    QObject::connect(FMenu.get(), &QMenu::aboutToShow, [this] {
        if (FOnPopup) FOnPopup();
        Rebuild();
    });
}

QtPopupMenu::~QtPopupMenu() = default;

QMenu* QtPopupMenu::Menu() {
    Rebuild();
    return FMenu.get();
}

void QtPopupMenu::Rebuild() {
    FMenu->clear();
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        const TPopupMenuItem& item = FItems[i];
        if (!item.Visible) continue;
        if (item.Caption == QStringLiteral("-")) {
            FMenu->addSeparator();
            continue;
        }
        QAction* action = FMenu->addAction(item.Caption);
        action->setEnabled(item.Enabled);
        action->setCheckable(item.AutoCheck || item.Checked);
        action->setChecked(item.Checked);
        const int index = static_cast<int>(i);
        // Queued: the handler may rebuild or free this very menu.
        QObject::connect(
            action, &QAction::triggered, FMenu.get(), [this, index] { Click(index); }, Qt::QueuedConnection);
    }
}

void QtPopupMenu::Popup(QPoint screenPos) {
    FMenu->exec(screenPos);  // aboutToShow runs the popup handler and rebuilds the items
}

void QtPopupMenu::Click(int index) {
    if (index < 0 || index >= static_cast<int>(FItems.size())) return;
    TPopupMenuItem& item = FItems[static_cast<std::size_t>(index)];
    if (!item.Enabled) return;
    if (item.AutoCheck) item.Checked = !item.Checked;
    if (item.OnClick) item.OnClick();
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
