// Saving the fields into the list ("保存信息") and choosing the program and the icon.

#include <QDir>
#include <QFileInfo>

#include "IPlatform.h"
#include "uImageFiles.h"
#include "uManageButtonModel.h"
#include "uMaroviaManage.h"
#include "uSameText.h"

namespace {

const QString kImageFilter = QStringLiteral("PNG图标 (*.png);;ICON图标 (*.ico)");
#ifdef Q_OS_WIN
const QString kFileFilter = QStringLiteral("EXE文件 (*.exe);;所有文件 (*)");
#else
// Linux programs have no extension: every file first, so that a folder like /usr/bin shows what it
// holds, then the programs by their executable mark, the menu entries, and Windows programs.
const QString kFileFilter = QStringLiteral("所有文件 (*);;") + ExecutableFilesKind() +
                            QStringLiteral(";;应用程序 (*.desktop);;EXE文件 (*.exe)");
#endif

QString FileExt(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
}

}  // namespace

void TManageButtonModel::BtnWorkOkClick() {
    if (FSaveMode == SM_Edit)
        EditButtonInfo();
    else
        AddButtonInfo();
}

void TManageButtonModel::AddButtonInfo() {
    const QString name = TrimText(FName);
    if (name.isEmpty()) {
        Hint(QStringLiteral("按钮名称不能为空！"));
        FocusField(MF_Name);
        return;
    }
    if (ButtonNameExists(name)) {
        Hint(QStringLiteral("按钮名称已经存在！"));
        FocusField(MF_Name);
        return;
    }
    const QString fileName = TrimText(FFileName);
    if (fileName.isEmpty()) {
        Hint(QStringLiteral("执行文件不能为空！"));
        FocusField(MF_FileName);
        return;
    }
    TButtonRow row;
    row.Caption = name;
    row.PlaceText = PlaceItems().value(FPlaceIndex);
    row.RunAskText = BoolToYesNo(FRunAsk);
    row.FileName = fileName;
    row.CmdLine = TrimText(FCmdLine);
    StoreNewRowPicture(row);
    FRows.push_back(std::move(row));
    FApplyEnabled = true;
    ClearButtonInfo();
}

void TManageButtonModel::StoreNewRowPicture(TButtonRow& ARow) {
    if (!FPicture) return;
    try {
        const QString path = FManage.NewImageFileName(FPicture->Kind());
        FPicture->SaveToFile(path);
        ARow.Picture = FPicture;
        ARow.ImagePath = path;
    } catch (const std::exception& error) {
        // The button is still added, without a picture; the user must know why it has none.
        ARow.Picture.reset();
        ARow.ImagePath.clear();
        Hint(QStringLiteral("保存图片失败！错误信息如下：\r\n") + ErrorMessage(error));
    }
}

void TManageButtonModel::EditButtonInfo() {
    if (FItemIndex < 0) return;
    TButtonRow& row = FRows[static_cast<std::size_t>(FItemIndex)];
    row.Caption = TrimText(FName);
    row.PlaceText = PlaceItems().value(FPlaceIndex);
    row.RunAskText = BoolToYesNo(FRunAsk);
    row.FileName = TrimText(FFileName);
    row.CmdLine = TrimText(FCmdLine);
    // Without a picture there is nothing to store, and the row keeps the file it already names.
    if (FPicture) StoreEditedRowPicture(row);
    FApplyEnabled = true;
}

void TManageButtonModel::StoreEditedRowPicture(TButtonRow& ARow) {
    const TImageKind kind = FPicture->Kind();
    const QString ext = GetImageFileExt(kind);
    QString path = ARow.ImagePath;
    // A name read from the file may point anywhere; the dialog writes only into the plan folder,
    // and never through a symbolic link, whose target may lie anywhere: a new file is written
    // instead, and the link goes at "应用" (only the link, never its target).
    const auto throughLink = [](const QString& file) { return QFileInfo(file).isSymLink(); };
    if (!IsInsideFolder(path, FManage.CurrentPlanPath())) path.clear();
    if (!path.isEmpty() && throughLink(path)) {
        FTempImageList << path;
        path.clear();
    }
    if (path.isEmpty()) {
        path = FManage.NewImageFileName(kind);
    } else if (!SameText(FileExt(path), ext)) {
        // The same GUID name with the new kind's extension; the old file goes at "应用".
        FTempImageList << path;
        path = ChangeFileExt(path, ext);
        if (throughLink(path)) path = FManage.NewImageFileName(kind);
    }
    try {
        FPicture->SaveToFile(path);
        ARow.Picture = FPicture;
        ARow.ImagePath = path;
        // Changing a picture's kind back and forth names a file that was queued; it is in use again.
        FTempImageList.removeAll(path);
    } catch (const std::exception& error) {
        // The old file is untouched by a failed save: the row keeps the picture it had, and that
        // file must not be queued for deletion.
        FTempImageList.removeAll(ARow.ImagePath);
        Hint(QStringLiteral("保存图片失败！错误信息如下：\r\n") + ErrorMessage(error));
    }
}

void TManageButtonModel::BEdtFileNameButtonClick() {
    // Kept as the system writes paths (backslashes on Windows), as a dropped file is: Desktop.xml
    // then reads as the user and the platform's other tools expect.
    const QString fileName = QDir::toNativeSeparators(Platform().OpenFileName(kFileFilter));
    if (fileName.isEmpty()) return;
    FFileName = fileName;
    // A menu entry names itself; the user's own name, once typed, is kept.
    if (TrimText(FName).isEmpty()) {
        const QString name = Platform().Shell().ShortcutName(fileName);
        if (!name.isEmpty()) FName = name;
    }
    const QImage icon = Platform().Shell().FileIcon(fileName);
    if (icon.isNull())
        FPicture.reset();
    else
        FPicture = TButtonPicture::FromIcon(icon);
}

void TManageButtonModel::BtnChageIconClick() {
    const QString fileName = Platform().OpenFileName(kImageFilter);
    if (fileName.isEmpty()) return;
    FPicture.reset();
    try {
        FPicture = TButtonPicture::LoadFromFile(fileName);
    } catch (const std::exception& error) {
        Hint(QStringLiteral("加载图片失败！错误信息如下：\r\n") + ErrorMessage(error));
    }
}
