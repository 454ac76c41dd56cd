#include "uDesktopLinks.h"

#include <QDir>
#include <QFileInfo>

#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "uMaroviaManage.h"
#include "uPathInfo.h"
#include "uPubFuns.h"

namespace {

// Only A–Z: other letters keep their case, as in every name comparison of the program.
QString LowerLatin(QString AText) {
    for (QChar& c : AText)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + ('a' - 'A'));
    return AText;
}

QString ExtensionOf(const QString& AFileName) {
    const int dot = AFileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : LowerLatin(AFileName.mid(dot));
}

// A shell shortcut (.lnk, which the file information treats as a link on Windows) is a file of
// its own, whatever it points at: a folder, a program that is gone, a place of the shell. A
// symbolic link counts as what it points at; a folder named "x.lnk" is no shortcut.
bool IsShortcutFile(const QFileInfo& AInfo) {
    return AInfo.isShortcut() || AInfo.isFile();
}

}  // namespace

bool IsDesktopLinkFile(const QString& AFileName) {
    const QString ext = ExtensionOf(AFileName);
    // Linux desktops keep their launchers as .desktop files; the shell helpers read them too.
    return ext == QLatin1String(".lnk") || ext == QLatin1String(".url") || ext == QLatin1String(".desktop");
}

QString DesktopLinkButtonName(const QString& ALinkFile) {
    const QString name = QFileInfo(ALinkFile).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return LowerLatin(dot < 0 ? name : name.left(dot));
}

QStringList TMaroviaManage::GetDesktopLinkList() {
    QStringList list;
    for (int folder : {CSIDL_DESKTOP, CSIDL_COMMON_DESKTOPDIRECTORY}) {
        const QString path = GetSpecialFolderPath(folder);
        // A machine without such a folder has an empty path; "" + "/" would scan the root.
        if (!path.isEmpty()) AddLinkFiles(path + QLatin1Char('/'), list);
    }
    return list;
}

void TMaroviaManage::AddLinkFiles(const QString& ADir, QStringList& AList) {
    // Without QDir::Hidden, hidden entries are left out. QDir::System lists what the listing
    // would take for dangling links, among them Windows shortcuts whose target is gone;
    // IsShortcutFile then keeps those and leaves out sockets, devices and dangling symbolic
    // links. Unsorted keeps the file system's order.
    const QDir dir(ADir);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (!IsDesktopLinkFile(entry.fileName())) continue;
        const QString path = ADir + entry.fileName();
        if (!IsShortcutFile(QFileInfo(path))) continue;
        // The path keeps its letters: on a case-sensitive file system a lowered path names
        // another file, or none.
        AList.append(path);
    }
}

int LoadDesktopLinksInto(TVGDesktopPanel& APanel) {
    int count = 0;
    const QStringList links = TMaroviaManage::GetDesktopLinkList();
    for (const QString& link : links) {
        QString target;
        QString params;
        if (!ResolveShortcut(link, target, params)) continue;
        const QString name = DesktopLinkButtonName(link);
        const QString iconFile = PathInfo->TempImagePath() + name + GetImageFileExt(IK_Ico);
        // A failed extraction leaves the button without a picture; nothing to report.
        ExtractIconToFile(link, iconFile);
        auto* button = new TVGDesktopButton(&APanel);
        button->SetButtonName(name);
        button->SetFileName(target);
        button->SetCmdLine(params);
        button->SetIsRunAsk(false);
        button->SetPlace(BP_Desktop);
        button->SetImageFile(iconFile);
        button->SetIsDesktopLink(true);
        APanel.AddDesktopButton(button);
        ++count;
    }
    return count;
}
