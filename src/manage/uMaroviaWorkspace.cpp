// Export and import of the whole workspace (plan folder and notes) as one file.

#include <QDateTime>
#include <QFile>

#include "IPlatform.h"
#include "uBackups.h"
#include "uErrors.h"
#include "uMaroviaManage.h"
#include "uSafeSave.h"
#include "uTakeNoteManage.h"
#include "uWorkspaceFile.h"

namespace {

// Larger files are not workspaces; refusing them keeps a wrong choice from exhausting memory.
constexpr qint64 kMaxWorkspaceSize = 256LL * 1024 * 1024;

void Tell(const QString& lead, const std::exception& error) {
    const auto* own = dynamic_cast<const EMvError*>(&error);
    Platform().MessageBox(lead + (own ? own->Message() : QString::fromLocal8Bit(error.what())),
                          QStringLiteral("Marovia"), TMsgIcon::MI_Error, TMsgButtons::MB_Ok);
}

}  // namespace

QString TMaroviaManage::ExportWorkspace(const QString& AFolder) {
    try {
        // The file then holds what the desktop shows, edits since the last save included.
        FTakeNoteManage->Save();
        const QByteArray bytes =
            WorkspaceToBytes(CollectWorkspace(CurrentPlanPath(), FTakeNoteManage->FileName()));
        const QString path = AFolder + QStringLiteral("Marovia工作区-") +
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                             QStringLiteral(".xml");
        SaveFileSafely(path, bytes);
        Platform().MessageBox(QStringLiteral("工作区已导出到：\r\n") + path, QStringLiteral("Marovia"),
                              TMsgIcon::MI_Information, TMsgButtons::MB_Ok);
        return path;
    } catch (const std::exception& error) {
        Tell(QStringLiteral("导出工作区失败！错误信息如下：\r\n"), error);
        return QString();
    }
}

bool TMaroviaManage::ImportWorkspace(const QString& AFileName) {
    try {
        QFile file(AFileName);
        if (!file.open(QIODevice::ReadOnly))
            throw EXmlError(QStringLiteral("%1: %2").arg(AFileName, file.errorString()));
        if (file.size() > kMaxWorkspaceSize)
            throw EXmlError(QStringLiteral("%1: the file is too large").arg(AFileName));
        // Everything is read and checked before anything is replaced.
        const TWorkspace workspace = WorkspaceFromBytes(file.readAll(), AFileName);
        FTakeNoteManage->Save();
        TBackupStore store = FTakeNoteManage->BackupStore();
        store.Keep(TBackupKind::Notes, FTakeNoteManage->FileName());
        Backups().Keep(TBackupKind::Buttons, CurrentPlanConfigFile());
        WriteWorkspace(workspace, CurrentPlanPath(), FTakeNoteManage->FileName());
    } catch (const std::exception& error) {
        Tell(QStringLiteral("导入工作区失败！错误信息如下：\r\n"), error);
        return false;
    }
    RemoveNoteWidgets();
    ReadNotesFile(true);
    LoadFromFile();
    return true;
}
