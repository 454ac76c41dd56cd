#include "uDropToAdd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <vector>

#include "IPlatform.h"
#include "TVGBaseButton.h"
#include "TVGDesktopPanel.h"
#include "TVGDockPanel.h"
#include "TVGSidePanel.h"
#include "uBackups.h"
#include "uErrors.h"
#include "uLaunchTarget.h"
#include "uMaroviaManage.h"
#include "uPubFuns.h"
#include "uSameText.h"
#include "uXmlDesktop.h"
#include "uXmlDocument.h"
#include "vgLayout.h"

namespace {

// The dock's buttons stand this far above its strip; a drop on them is a drop on the dock.
constexpr float kDockRowRise = 30;
constexpr float kDockButtonPitch = 64 + 4;
constexpr float kSideButtonPitch = 40 + 2;

bool Contains(const TvgRect& R, const TvgPoint& P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

// Before the button whose first half is under the point, after the one whose second half is.
int RowIndex(float ALocal, float APitch, int ACount) {
    const int index = static_cast<int>(std::floor((ALocal + APitch / 2) / APitch));
    return std::clamp(index, 0, ACount);
}

// One entry of the plan's file, read whole before anything is written.
struct TPlanEntry {
    QString Name;
    int Place = 0;
    bool IsRunAsk = false;
    QString FileName;
    QString CmdLine;
    QString Image;
};

std::vector<TPlanEntry> ReadPlanEntries(const QString& AFileName) {
    std::vector<TPlanEntry> entries;
    if (!QFileInfo::exists(AFileName)) return entries;
    const IXMLDesktopPtr desktop = LoadDesktop(AFileName);
    const IXMLDesktop_MVButtonsPtr buttons = desktop->MVButtons();
    for (int i = 0; i < buttons->Count(); ++i) {
        const IXMLDesktop_MVButtons_MVButtonPtr item = buttons->Item(i);
        entries.push_back({item->Name(), item->Place(), item->IsRunAsk(), item->FileName(), item->CmdLine(),
                           item->Image()});
    }
    return entries;
}

// The file position of the spot's button: before the entry of that place it names, or after the
// place's last entry (at the end when the place has none).
std::size_t FilePositionFor(const std::vector<TPlanEntry>& AEntries, const TDropSpot& ASpot) {
    int seen = 0;
    std::size_t afterLast = AEntries.size();
    bool any = false;
    for (std::size_t i = 0; i < AEntries.size(); ++i) {
        if ((AEntries[i].Place & 0xFF) != ASpot.Place) continue;
        if (seen == ASpot.Index) return i;
        ++seen;
        afterLast = i + 1;
        any = true;
    }
    return any ? afterLast : AEntries.size();
}

bool NameTaken(const QString& AName, const std::vector<TPlanEntry>& AEntries) {
    if (SameText(AName, QStringLiteral("Win桌面文件"))) return true;
    for (const TPlanEntry& entry : AEntries)
        if (SameText(entry.Name, AName)) return true;
    return false;
}

// Names are unique within a plan: a second "Firefox" becomes "Firefox (2)".
QString UniqueName(const QString& AName, const std::vector<TPlanEntry>& AEntries) {
    if (!NameTaken(AName, AEntries)) return AName;
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(AName).arg(n);
        if (!NameTaken(candidate, AEntries)) return candidate;
    }
}

void SavePlan(const QString& AFileName, const std::vector<TPlanEntry>& AEntries) {
    const IXMLDesktopPtr desktop = NewDesktop();
    const IXMLDesktop_MVButtonsPtr buttons = desktop->MVButtons();
    for (const TPlanEntry& entry : AEntries) {
        const IXMLDesktop_MVButtons_MVButtonPtr item = buttons->Add();
        item->SetName(entry.Name);
        item->SetPlace(entry.Place);
        item->SetIsRunAsk(entry.IsRunAsk);
        item->SetFileName(entry.FileName);
        item->SetCmdLine(entry.CmdLine);
        item->SetImage(entry.Image);
    }
    try {
        // The version being replaced stays restorable from the tray's "恢复备份".
        Backups().Keep(TBackupKind::Buttons, AFileName);
    } catch (const std::exception&) {
        // A backup that cannot be written does not stop the drop; the save reports a full disk.
    }
    desktop->OwnerDocument()->SaveToFile(AFileName);
}

QString ErrorText(const std::exception& AError) {
    if (const auto* own = dynamic_cast<const EMvError*>(&AError)) return own->Message();
    return QString::fromLocal8Bit(AError.what());
}

void Tell(const QString& AText) {
    Platform().MessageBox(AText, QStringLiteral("提示"), TMsgIcon::MI_Warning, TMsgButtons::MB_Ok);
}

std::optional<TDroppedButton> AddressButton(const QString& AItem, QString& AReason) {
    const QUrl url(AItem.trimmed());
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
         scheme != QLatin1String("ftp"))) {
        AReason = QStringLiteral("“%1”不是文件、文件夹或网址，无法添加按钮。").arg(AItem);
        return std::nullopt;
    }
    QString name = url.host();
    if (name.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) name = name.mid(4);
    return TDroppedButton{name, AItem.trimmed(), QString(), QString()};
}

std::optional<TDroppedButton> ShortcutButton(const QFileInfo& AInfo, QString& AReason) {
    const QString path = AInfo.absoluteFilePath();
    TShortcutTarget target;
    if (!Platform().Shell().ReadShortcut(path, target) || target.Target.trimmed().isEmpty()) {
        AReason = QStringLiteral("无法读取快捷方式“%1”，无法添加按钮。").arg(path);
        return std::nullopt;
    }
    QString name = Platform().Shell().ShortcutName(path);
    if (name.isEmpty()) name = AInfo.completeBaseName();
    // A shell link shows its target's icon when the target is at hand; other shortcuts carry
    // their own (a .desktop entry's Icon=).
    QString iconSource = path;
    if (AInfo.suffix().compare(QLatin1String("lnk"), Qt::CaseInsensitive) == 0 &&
        CheckLaunchTarget(target.Target) == TTargetState::TS_Present)
        iconSource = target.Target;
    return TDroppedButton{name, target.Target, target.Params, iconSource};
}

}  // namespace

std::optional<TDropSpot> DropSpotAt(const TMaroviaManage& AManage, const TvgPoint& P) {
    TVGDockPanel* dock = AManage.DockPanel();
    if (dock->Visible()) {
        TvgRect area = dock->AbsoluteRect();
        area.Top -= kDockRowRise;
        if (Contains(area, P))
            return TDropSpot{BP_Dock, RowIndex(dock->Panel()->AbsoluteToLocal(P).X, kDockButtonPitch,
                                               dock->ButtonCount())};
    }
    TVGSidePanel* side = AManage.SidePanel();
    if (side->Visible() && Contains(side->AbsoluteRect(), P))
        return TDropSpot{BP_ToolBar,
                         RowIndex(side->AbsoluteToLocal(P).Y, kSideButtonPitch, side->ButtonCount())};
    TVGDesktopPanel* desktop = AManage.DesktopPanel();
    if (!desktop->Visible() || !Contains(desktop->AbsoluteRect(), P)) return std::nullopt;
    // Before the desktop button under the point; after the last one on an empty cell.
    int index = 0;
    for (int i = 0; i < AManage.ButtonCount(); ++i) {
        TVGBaseButton* button = AManage.GetButton(i);
        if (button->Place() != BP_Desktop || button->Parent() != desktop) continue;
        if (Contains(button->AbsoluteRect(), P)) return TDropSpot{BP_Desktop, index};
        if (!button->IsSystemButton()) ++index;
    }
    return TDropSpot{BP_Desktop, index};
}

std::optional<TDroppedButton> DroppedButtonFor(const QString& AItem, bool AIsAddress, QString& AReason) {
    if (AIsAddress) return AddressButton(AItem, AReason);
    const QFileInfo info(AItem);
    // On Windows the file information follows a shell shortcut (.lnk) as a link: the shortcut is a
    // file of its own there whatever it points at, and the shell reads it.
    const bool shellShortcut = info.isShortcut();
    if (!shellShortcut && !info.exists()) {
        AReason = QStringLiteral("“%1”不存在，无法添加按钮。").arg(AItem);
        return std::nullopt;
    }
    if (!shellShortcut && !info.isFile() && !info.isDir()) {
        AReason = QStringLiteral("“%1”不是文件或文件夹，无法添加按钮。").arg(AItem);
        return std::nullopt;
    }
    const QString ext = info.suffix().toLower();
    if (shellShortcut || (info.isFile() && (ext == QLatin1String("desktop") || ext == QLatin1String("lnk") ||
                                            ext == QLatin1String("url"))))
        return ShortcutButton(info, AReason);
    const QString path = info.absoluteFilePath();
    QString name = info.isDir() ? info.fileName() : info.completeBaseName();
    if (name.isEmpty()) name = info.fileName();
    if (name.isEmpty()) name = path;  // the root folder
    // Stored as the system writes paths (backslashes on Windows), as a shell link gives its target.
    return TDroppedButton{name, QDir::toNativeSeparators(path), QString(), path};
}

int AddDroppedButtons(TMaroviaManage& AManage, const TDropData& AData, const TvgPoint& P) {
    const std::optional<TDropSpot> spot = DropSpotAt(AManage, P);
    if (!spot) return 0;
    QStringList refused;
    std::vector<TDroppedButton> items;
    const auto take = [&](const QString& item, bool isAddress) {
        QString reason;
        if (auto button = DroppedButtonFor(item, isAddress, reason))
            items.push_back(*button);
        else
            refused << reason;
    };
    for (const QString& file : AData.LocalFiles) take(file, false);
    for (const QString& address : AData.Addresses) take(address, true);
    if (items.empty()) {
        if (!refused.isEmpty()) Tell(refused.join(QStringLiteral("\r\n")));
        return 0;
    }

    const QString planFile = AManage.CurrentPlanConfigFile();
    std::vector<TPlanEntry> entries;
    try {
        entries = ReadPlanEntries(planFile);
    } catch (const std::exception& error) {
        // Writing back only what could be read would cost the user the rest.
        Tell(
            QStringLiteral("添加按钮失败！按钮文件无法完整读取，请先在“管理按钮”中查看。错误信息如下：\r\n") +
            ErrorText(error));
        return 0;
    }
    std::size_t at = FilePositionFor(entries, *spot);
    QStringList icons;
    for (const TDroppedButton& item : items) {
        TPlanEntry entry{
            UniqueName(item.Name, entries), spot->Place, false, item.FileName, item.CmdLine, QString()};
        if (!item.IconSource.isEmpty()) {
            // Stored as the manage dialog stores a program's icon: an .ico under a new GUID name.
            const QString iconFile = AManage.NewImageFileName(IK_Ico);
            if (ExtractIconToFile(item.IconSource, iconFile)) {
                entry.Image = QFileInfo(iconFile).fileName();
                icons << iconFile;
            }
        }
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at++), entry);
    }
    try {
        SavePlan(planFile, entries);
    } catch (const std::exception& error) {
        for (const QString& icon : icons) QFile::remove(icon);
        Tell(QStringLiteral("添加按钮失败！错误信息如下：\r\n") + ErrorText(error));
        return 0;
    }
    AManage.LoadFromFile();
    if (!refused.isEmpty()) Tell(refused.join(QStringLiteral("\r\n")));
    return static_cast<int>(items.size());
}
