#include <gtest/gtest.h>

#include <QActionGroup>
#include <QApplication>
#include <QMenu>

#include <memory>

#include "IPlatform.h"
#include "QtPopupMenu.h"

namespace {

std::vector<TPopupMenuItem> Colours(std::vector<int>& clicked) {
    std::vector<TPopupMenuItem> items;
    for (int tag = 1; tag <= 3; ++tag) {
        TPopupMenuItem item;
        item.Caption = QString::number(tag);
        item.Tag = tag;
        item.AutoCheck = true;
        item.RadioItem = true;
        item.Checked = tag == 1;
        item.OnClick = [&clicked, tag] { clicked.push_back(tag); };
        items.push_back(std::move(item));
    }
    return items;
}

QString Checks(const std::vector<TPopupMenuItem>& items) {
    QString marks;
    for (const TPopupMenuItem& item : items) marks += item.Checked ? 'x' : '.';
    return marks;
}

}  // namespace

TEST(PopupMenuItems, ARadioItemChecksItselfAndClearsItsNeighbours) {
    std::vector<int> clicked;
    std::vector<TPopupMenuItem> items = Colours(clicked);
    ClickMenuItem(items, 2);
    EXPECT_EQ(Checks(items), "..x");
    ClickMenuItem(items, 2);  // choosing the chosen one keeps it
    EXPECT_EQ(Checks(items), "..x");
    items[0].Enabled = false;
    ClickMenuItem(items, 0);
    EXPECT_EQ(Checks(items), "..x");
    ClickMenuItem(items, 7);  // outside the list: nothing
    EXPECT_EQ(clicked, (std::vector<int>{3, 3}));
}

TEST(PopupMenuItems, AHandlerMayEmptyTheMenuItBelongsTo) {
    std::vector<TPopupMenuItem> items(1);
    bool ran = false;
    items[0].OnClick = [&] {
        items.clear();
        ran = true;
    };
    ClickMenuItem(items, 0);
    EXPECT_TRUE(ran);
}

TEST(QtPopupMenuItems, AnItemWithItemsBecomesASubMenuOfExclusiveChoices) {
    std::vector<int> clicked;
    QtPopupMenu menu;
    TPopupMenuItem parent;
    parent.Caption = QStringLiteral("更换背景");
    parent.Items = Colours(clicked);
    TPopupMenuItem edit;
    edit.Caption = QStringLiteral("编辑内容");
    menu.Items().push_back(std::move(edit));
    menu.Items().push_back(std::move(parent));

    QMenu* shown = menu.Menu();
    ASSERT_EQ(shown->actions().size(), 2);
    QMenu* sub = shown->actions()[1]->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->title(), "更换背景");
    ASSERT_EQ(sub->actions().size(), 3);
    ASSERT_NE(sub->actions()[0]->actionGroup(), nullptr);
    EXPECT_TRUE(sub->actions()[0]->actionGroup()->isExclusive());
    EXPECT_TRUE(sub->actions()[0]->isChecked());

    menu.ClickSubItem(1, 1);
    EXPECT_EQ(clicked, std::vector<int>{2});
    EXPECT_EQ(Checks(menu.Items()[1].Items), ".x.");
    sub = menu.Menu()->actions()[1]->menu();  // rebuilt from the items
    EXPECT_TRUE(sub->actions()[1]->isChecked());
    EXPECT_FALSE(sub->actions()[0]->isChecked());
}

TEST(QtPopupMenuItems, AMenuMakesItsWidgetOnlyWhenItIsFirstShown) {
    const qsizetype before = QApplication::allWidgets().size();
    std::vector<std::unique_ptr<QtPopupMenu>> menus;
    for (int i = 0; i < 50; ++i) {
        menus.push_back(std::make_unique<QtPopupMenu>());
        TPopupMenuItem item;
        item.Caption = QStringLiteral("编辑内容");
        menus.back()->Items().push_back(std::move(item));
    }
    EXPECT_EQ(QApplication::allWidgets().size(), before);

    // Opening still refreshes the items first, then shows them.
    QtPopupMenu& menu = *menus.front();
    menu.SetOnPopup([&menu] { menu.Items()[0].Caption = QStringLiteral("新建便签"); });
    QMenu* shown = menu.Menu();
    EXPECT_EQ(QApplication::allWidgets().size(), before + 1);
    ASSERT_EQ(shown->actions().size(), 1);
    EXPECT_EQ(shown->actions()[0]->text(), "编辑内容");
    Q_EMIT shown->aboutToShow();
    ASSERT_EQ(shown->actions().size(), 1);
    EXPECT_EQ(shown->actions()[0]->text(), "新建便签");
    EXPECT_EQ(menu.Menu(), shown);
}
