// The note's right-click menu and its font dialog.

#include <algorithm>
#include <cmath>

#include "uDesktopTakeNote.h"
#include "uPubFuns.h"
#include "uTakeNoteManage.h"
#include "ufrmEditTakeNote.h"
#include "vgFont.h"

namespace {

enum TNoteMenuTag { NM_NewNote = 0, NM_Edit = 1, NM_Delete = 3, NM_Font = 4, NM_Skin = 5 };

const char16_t* const kSkinCaptions[TDesktopTakeNote::SkinCount] = {u"黄色", u"粉红", u"紫色", u"绿色",
                                                                    u"蓝色", u"灰色", u"灰白"};

TPopupMenuItem MenuItem(const QString& ACaption, int ATag, std::function<void()> AOnClick) {
    TPopupMenuItem item;
    item.Caption = ACaption;
    item.Tag = ATag;
    item.OnClick = std::move(AOnClick);
    return item;
}

TDialogFont ToDialogFont(const TvgFont& AFont, TColorValue AColor) {
    TDialogFont font;
    font.Family = AFont.Family();
    font.Height = static_cast<int>(std::lround(AFont.Size()));
    font.Bold = AFont.Style() == vgFontBold || AFont.Style() == vgFontBoldItalic;
    font.Italic = AFont.Style() == vgFontItalic || AFont.Style() == vgFontBoldItalic;
    font.Underline = AFont.Style() == vgFontUnderline;
    font.StrikeOut = AFont.Style() == vgFontStrikeout;
    font.Color = AColor;
    return font;
}

// A note has one style; of a combination the dialog returns, the later of bold, underline,
// strikeout and italic wins (so bold italic ends italic).
TvgFontStyle StyleFromDialog(const TDialogFont& AFont, TvgFontStyle ACurrent) {
    TvgFontStyle style = ACurrent;
    if (!AFont.Underline && !AFont.StrikeOut) {
        if (AFont.Bold && AFont.Italic)
            style = vgFontBoldItalic;
        else if (AFont.Bold)
            style = vgFontBold;
        else if (AFont.Italic)
            style = vgFontItalic;
        else
            style = vgFontRegular;
    }
    if (AFont.Bold) style = vgFontBold;
    if (AFont.Underline) style = vgFontUnderline;
    if (AFont.StrikeOut) style = vgFontStrikeout;
    if (AFont.Italic) style = vgFontItalic;
    return style;
}

}  // namespace

IPopupMenu* TDesktopTakeNote::Menu() {
    if (!FPopupMenu) CreatePopupMenu();
    return FPopupMenu.get();
}

int TDesktopTakeNote::SkinItemIndex() {
    Menu();
    return FSkinItemParent;
}

void TDesktopTakeNote::CreatePopupMenu() {
    FPopupMenu = Platform().CreatePopupMenu();
    FPopupMenu->SetOnPopup([this] { PopupMenuPopup(); });
    std::vector<TPopupMenuItem>& items = FPopupMenu->Items();
    const auto click = [this](int tag) { return [this, tag] { MenuItemClick(tag); }; };
    items.push_back(MenuItem(QStringLiteral("编辑内容"), NM_Edit, click(NM_Edit)));
    items.push_back(MenuItem(QStringLiteral("新建便签"), NM_NewNote, click(NM_NewNote)));
    items.push_back(MenuItem(QStringLiteral("删除便签"), NM_Delete, click(NM_Delete)));
    items.push_back(MenuItem(QStringLiteral("-"), 0, nullptr));
    items.push_back(MenuItem(QStringLiteral("设置字体"), NM_Font, click(NM_Font)));
    items.push_back(MenuItem(QStringLiteral("更换背景"), NM_Skin, click(NM_Skin)));
    FSkinItemParent = static_cast<int>(items.size()) - 1;
    CreateSkinMenu(items.back());
}

void TDesktopTakeNote::CreateSkinMenu(TPopupMenuItem& AParent) {
    for (int tag = 1; tag <= SkinCount; ++tag) {
        TPopupMenuItem item =
            MenuItem(QString::fromUtf16(kSkinCaptions[tag - 1]), tag, [this, tag] { SkinItemClick(tag); });
        item.RadioItem = true;
        item.AutoCheck = true;
        item.Checked = tag == 1;
        AParent.Items.push_back(std::move(item));
    }
}

void TDesktopTakeNote::MenuItemClick(int ATag) {
    switch (ATag) {
        case NM_Edit:
            ShowEditTakeNote(this);
            break;
        case NM_NewNote:
            RaiseBuildInEvent(MVC_CreateTakeNote);
            break;
        case NM_Delete:
            SetIsDelete(true);
            RaiseBuildInEvent(MVC_DeleteTakeNote);
            break;
        case NM_Font:
            ShowFontDialog();
            break;
        default:
            break;
    }
}

void TDesktopTakeNote::SkinItemClick(int ATag) {
    SetBackImage(QString::number(ATag) + QStringLiteral(".Png"));
}

void TDesktopTakeNote::PopupMenuPopup() {
    std::vector<TPopupMenuItem>& skins = Menu()->Items().at(static_cast<std::size_t>(SkinItemIndex())).Items;
    const auto match = std::find_if(skins.begin(), skins.end(), [this](const TPopupMenuItem& item) {
        return (QString::number(item.Tag) + QStringLiteral(".png"))
                   .compare(FBackImage, Qt::CaseInsensitive) == 0;
    });
    // A name that is none of the seven leaves the marks as they are.
    if (match == skins.end()) return;
    for (TPopupMenuItem& item : skins) item.Checked = &item == &*match;
}

void TDesktopTakeNote::ShowFontDialog() {
    TvgFont& font = *ContentFont();
    TDialogFont chosen = ToDialogFont(font, TextToColor(ContentColor()));
    if (!Platform().ChooseFont(chosen)) return;

    font.SetFamily(chosen.Family);
    font.SetSize(static_cast<float>(std::abs(chosen.Height)));
    font.SetStyle(StyleFromDialog(chosen, font.Style()));
    SetContentColor(ColorToText(chosen.Color));
    if (!FTakeNoteItem) return;
    FTakeNoteItem->FontName = font.Family();
    FTakeNoteItem->FontSize = static_cast<int>(std::lround(font.Size()));
    FTakeNoteItem->FontStyle = static_cast<int>(font.Style());
    FTakeNoteItem->FontColor = static_cast<int>(chosen.Color);
}
