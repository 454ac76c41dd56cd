// The Windows shell services against the real system calls: launching with the parameters as the
// user typed them, shell links, internet shortcuts, the wallpaper setting, the special folders
// and icons.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "Win32Shell.h"
#include "Win32TestSupport.h"
#include "uLaunchTarget.h"

namespace {

QString RecorderPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/win32_recorder.exe");
}

QString ReadUtf16File(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    const QByteArray bytes = file.readAll();
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
}

// A copy of the recorder in a folder whose name has blanks and Chinese, as users' folders do.
class RecorderSandbox {
public:
    RecorderSandbox() {
        Folder = FTemp.path() + QStringLiteral("/录制 程序 dir");
        QDir().mkpath(Folder);
        Program = Folder + QStringLiteral("/记录 器.exe");
        Ok = QFile::copy(RecorderPath(), Program);
        Output = FTemp.path() + QStringLiteral("/commandline.bin");
        SetEnvironmentVariableW(L"MAROVIA_RECORDER_OUT", Wide(QDir::toNativeSeparators(Output)));
    }
    ~RecorderSandbox() { SetEnvironmentVariableW(L"MAROVIA_RECORDER_OUT", nullptr); }

    QString Folder, Program, Output;
    bool Ok = false;

private:
    QTemporaryDir FTemp;
};

// Splits a recorded command line into the quoted program and the rest after the one blank.
bool SplitRecorded(const QString& line, QString& program, QString& rest) {
    if (!line.startsWith(QLatin1Char('"'))) return false;
    const qsizetype close = line.indexOf(QLatin1Char('"'), 1);
    if (close < 0) return false;
    program = line.mid(1, close - 1);
    rest = line.mid(close + 1);
    if (!rest.isEmpty() && rest.startsWith(QLatin1Char(' '))) rest.remove(0, 1);
    return true;
}

class RegistryValueGuard {
public:
    RegistryValueGuard(HKEY root, const wchar_t* path, const wchar_t* name) : FName(name) {
        FOpened = RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &FKey,
                                  nullptr) == ERROR_SUCCESS;
        if (!FOpened) return;
        DWORD size = 0;
        if (RegQueryValueExW(FKey, FName, nullptr, &FType, nullptr, &size) != ERROR_SUCCESS) return;
        FValue.resize(size);
        FHad = RegQueryValueExW(FKey, FName, nullptr, &FType, reinterpret_cast<BYTE*>(FValue.data()),
                                &size) == ERROR_SUCCESS;
    }
    ~RegistryValueGuard() {
        if (!FOpened) return;
        if (FHad)
            RegSetValueExW(FKey, FName, 0, FType, reinterpret_cast<const BYTE*>(FValue.constData()),
                           static_cast<DWORD>(FValue.size()));
        else
            RegDeleteValueW(FKey, FName);
        RegCloseKey(FKey);
    }
    bool SetString(const QString& value, DWORD type = REG_SZ) {
        return RegSetValueExW(FKey, FName, 0, type, reinterpret_cast<const BYTE*>(value.utf16()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    bool SetDword(DWORD value) {
        return RegSetValueExW(FKey, FName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                              sizeof(value)) == ERROR_SUCCESS;
    }
    bool SetBinary(const QByteArray& value) {
        return RegSetValueExW(FKey, FName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(value.constData()),
                              static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
    }
    // What is there now, read afresh: the type and the text of a string value.
    bool Read(DWORD& type, QString& text) const {
        DWORD size = 0;
        if (RegQueryValueExW(FKey, FName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
        QByteArray bytes(static_cast<qsizetype>(size), '\0');
        if (RegQueryValueExW(FKey, FName, nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) !=
            ERROR_SUCCESS)
            return false;
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), size / 2);
        while (text.endsWith(QChar(u'\0'))) text.chop(1);
        return true;
    }
    bool Opened() const { return FOpened; }

private:
    const wchar_t* FName;
    HKEY FKey = nullptr;
    bool FOpened = false;
    bool FHad = false;
    DWORD FType = REG_SZ;
    QByteArray FValue;
};

bool WriteShellLink(const QString& linkFile, const QString& target, const QString& arguments) {
    if (!EnsureComForThisThread()) return false;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    bool ok = SUCCEEDED(link->SetPath(Wide(QDir::toNativeSeparators(target)))) &&
              SUCCEEDED(link->SetArguments(Wide(arguments))) &&
              SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    if (ok) ok = SUCCEEDED(file->Save(Wide(QDir::toNativeSeparators(linkFile)), TRUE));
    if (file) file->Release();
    link->Release();
    return ok;
}

}  // namespace

TEST(Win32ShellLaunch, ParametersReachTheProgramExactlyAsTyped) {
    RecorderSandbox sandbox;
    ASSERT_TRUE(sandbox.Ok) << "no recorder beside the tests: " << RecorderPath().toStdString();
    // Blanks, quotes, Chinese and every character a command interpreter would act on. Were the
    // line handed to cmd, "& ..." would start a second program and cut the recorded line short.
    const QString params = QStringLiteral(
        "\"C:\\Program Files\\a b\" 中文 参数 a\"b \"\" ^& & \"%1\" second | more < in > out ^ %PATH% %% "
        "100%");
    const QString line = params.arg(QDir::toNativeSeparators(sandbox.Program));

    Win32Shell shell;
    ASSERT_TRUE(shell.RunFile(sandbox.Program, line));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(sandbox.Output); }));
    const QString recorded = ReadUtf16File(sandbox.Output);
    QString program, rest;
    ASSERT_TRUE(SplitRecorded(recorded, program, rest)) << recorded.toStdString();
    EXPECT_EQ(QFileInfo(program).fileName().toLower(), QStringLiteral("记录 器.exe"));
    EXPECT_EQ(rest, line);
    // One start only: a second one would have left its .part file (the output already exists).
    QCoreApplication::processEvents();
    EXPECT_FALSE(QFileInfo::exists(sandbox.Output + QStringLiteral(".part")));
}

TEST(Win32ShellLaunch, EmptyParametersGiveTheBareProgram) {
    RecorderSandbox sandbox;
    ASSERT_TRUE(sandbox.Ok);
    ASSERT_TRUE(Win32Shell().RunFile(sandbox.Program, QString()));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(sandbox.Output); }));
    QString program, rest;
    ASSERT_TRUE(SplitRecorded(ReadUtf16File(sandbox.Output), program, rest));
    EXPECT_EQ(rest.trimmed(), QString());
}

TEST(Win32ShellLaunch, MissingFilesFail) {
    QTemporaryDir temp;
    Win32Shell shell;
    EXPECT_FALSE(shell.RunFile(temp.path() + QStringLiteral("/nothing here.exe"), QStringLiteral("x")));
    EXPECT_FALSE(shell.RunFile(QStringLiteral("C:\\no such folder\\no such program.exe"), QString()));
    EXPECT_FALSE(shell.RunFile(QStringLiteral("no_such_program_of_marovia_tests"), QString()));
    EXPECT_FALSE(shell.RunFile(QStringLiteral("  "), QString()));
}

TEST(Win32ShellShortcuts, ShellLinkWrittenWithIShellLinkIsReadBack) {
    QTemporaryDir temp;
    // Wine keeps a link's local path in the ANSI code page: the target's name stays ASCII here.
    const QString target = temp.path() + QStringLiteral("/target program.exe");
    ASSERT_TRUE(QFile::copy(RecorderPath(), target));
    const QString arguments = QStringLiteral("-open \"文件 名.txt\" /x %1");
    const QString link = temp.path() + QStringLiteral("/快捷 方式.LNK");
    ASSERT_TRUE(WriteShellLink(link, target, arguments));

    TShortcutTarget read{QStringLiteral("old"), QStringLiteral("old")};
    ASSERT_TRUE(Win32Shell().ReadShortcut(link, read));
    EXPECT_EQ(QFileInfo(read.Target).canonicalFilePath(), QFileInfo(target).canonicalFilePath())
        << read.Target.toStdString();
    EXPECT_EQ(read.Params, arguments);
}

TEST(Win32ShellShortcuts, DamagedShellLinkFailsAndClearsTheOutputs) {
    QTemporaryDir temp;
    const QString link = temp.path() + QStringLiteral("/broken.lnk");
    QFile file(link);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a shell link at all");
    file.close();
    TShortcutTarget read{QStringLiteral("old"), QStringLiteral("old")};
    EXPECT_FALSE(Win32Shell().ReadShortcut(link, read));
    EXPECT_EQ(read.Target, QString());
    EXPECT_EQ(read.Params, QString());
}

TEST(Win32ShellShortcuts, InternetShortcutIsReadAsIni) {
    QTemporaryDir temp;
    const QString url = temp.path() + QStringLiteral("/网站.url");
    QFile file(url);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "[DEFAULT]\r\nBASEURL=http://wrong.example/\r\n[InternetShortcut]\r\n"
        "URL=https://example.com/a?b=1&c=%E4%B8%AD\r\nIconIndex=0\r\n");
    file.close();
    TShortcutTarget read{QStringLiteral("old"), QStringLiteral("old")};
    ASSERT_TRUE(Win32Shell().ReadShortcut(url, read));
    EXPECT_EQ(read.Target, QStringLiteral("https://example.com/a?b=1&c=%E4%B8%AD"));
    EXPECT_EQ(read.Params, QString());
}

TEST(Win32ShellShortcuts, OtherFilesAreNoShortcutsAndLeaveTheOutputs) {
    QTemporaryDir temp;
    const QString text = temp.path() + QStringLiteral("/a.txt");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[InternetShortcut]\r\nURL=https://example.com/\r\n");
    file.close();
    TShortcutTarget read{QStringLiteral("old"), QStringLiteral("params")};
    EXPECT_FALSE(Win32Shell().ReadShortcut(text, read));
    EXPECT_EQ(read.Target, QStringLiteral("old"));
    EXPECT_EQ(read.Params, QStringLiteral("params"));
}

TEST(Win32ShellSettings, WallPaperIsTheRegistryValue) {
    RegistryValueGuard guard(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper");
    ASSERT_TRUE(guard.Opened());
    const QString picture = QStringLiteral("C:\\壁纸 文件夹\\海边.bmp");
    ASSERT_TRUE(guard.SetString(picture));
    Win32Shell shell;
    EXPECT_EQ(shell.WallPaper(), picture);
    ASSERT_TRUE(guard.SetString(QString()));
    EXPECT_EQ(shell.WallPaper(), QString());
    // A value of the wrong type is no picture (and no failure).
    ASSERT_TRUE(guard.SetDword(7));
    EXPECT_EQ(shell.WallPaper(), QString());
}

TEST(Win32ShellSettings, DesktopColorIsTheSystemBackgroundColor) {
    EXPECT_EQ(Win32Shell().DesktopColor(), static_cast<unsigned>(GetSysColor(COLOR_BACKGROUND)) & 0xFFFFFFu);
}

TEST(Win32ShellNetwork, SharesAndRemoteDrivesAreNetworkPathsLocalDisksAreNot) {
    Win32Shell shell;
    for (const char* share : {"\\\\server\\share\\tool.exe", "//server/share/tool.exe",
                              "\\\\?\\UNC\\server\\share\\a.txt", "\\\\?\\unc\\nas\\b"})
        EXPECT_TRUE(shell.IsOnNetworkDrive(QString::fromUtf8(share))) << share;
    for (const char* local : {"C:\\windows\\notepad.exe", "c:/windows/notepad.exe", "\\\\?\\C:\\windows",
                              "relative\\tool.exe", "C:file.txt", ""})
        EXPECT_FALSE(shell.IsOnNetworkDrive(QString::fromUtf8(local))) << local;
    // Every drive letter as the system types it: a remote one (the test prefix maps one) is a
    // share in each way of writing a path on it.
    int remote = 0;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', 0};
        const bool isRemote = GetDriveTypeW(root) == DRIVE_REMOTE;
        remote += isRemote ? 1 : 0;
        const QString drive = QString(QChar(letter)) + QLatin1Char(':');
        for (const QString& path : {drive + "\\dir\\app.exe", drive.toLower() + "/dir/app.exe", drive + "\\",
                                    "\\\\?\\" + drive + "\\dir"})
            EXPECT_EQ(shell.IsOnNetworkDrive(path), isRemote) << path.toStdString();
    }
    if (remote == 0) GTEST_SKIP() << "no network drive on this system to try";
}

// The test prefix maps N: to a network share (scripts/wine-run); C: is the system's disk and Z:
// wine's view of the Unix file system, both local. A missing target on the share is not looked at
// (the share may be gone for the moment), one on a local disk is told as missing.
TEST(Win32ShellNetwork, TheMappedNetworkDriveIsAShareAndItsTargetsAreNotChecked) {
    if (GetDriveTypeW(L"N:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "this system has no drive N:";
    EXPECT_EQ(GetDriveTypeW(L"N:\\"), static_cast<UINT>(DRIVE_REMOTE));
    Win32Shell shell;
    const QString gone = QStringLiteral(":\\不在 的 文件夹\\gone program.exe");
    EXPECT_TRUE(shell.IsOnNetworkDrive(QStringLiteral("N") + gone));
    EXPECT_TRUE(shell.IsOnNetworkDrive(QStringLiteral("n:/tools/app.exe")));
    EXPECT_FALSE(shell.IsOnNetworkDrive(QStringLiteral("C") + gone));
    EXPECT_FALSE(shell.IsOnNetworkDrive(QStringLiteral("Z") + gone));
    EXPECT_FALSE(shell.IsOnNetworkDrive(QStringLiteral("C:\\windows\\notepad.exe")));

    EXPECT_EQ(CheckLaunchTarget(QStringLiteral("N") + gone), TTargetState::TS_NotChecked);
    EXPECT_EQ(CheckLaunchTarget(QStringLiteral("C") + gone), TTargetState::TS_Missing);
    EXPECT_EQ(CheckLaunchTarget(QStringLiteral("Z") + gone), TTargetState::TS_Missing);
    EXPECT_EQ(CheckLaunchTarget(QStringLiteral("C:\\windows\\notepad.exe")), TTargetState::TS_Present);
    // One that is there on the share is not asked about either.
    QTemporaryDir temp(QStringLiteral("N:/marovia-test-XXXXXX"));
    ASSERT_TRUE(temp.isValid());
    const QString present = temp.path() + QStringLiteral("/tool.exe");
    ASSERT_TRUE(QFile::copy(RecorderPath(), present));
    EXPECT_TRUE(QFileInfo::exists(present));
    EXPECT_EQ(CheckLaunchTarget(present), TTargetState::TS_NotChecked);
    EXPECT_EQ(CheckLaunchTarget(QDir::toNativeSeparators(present)), TTargetState::TS_NotChecked);
}

TEST(Win32ShellSettings, BothDesktopFoldersAreRealFoldersWithoutTrailingSeparator) {
    Win32Shell shell;
    for (const TSpecialFolder folder : {TSpecialFolder::SF_Desktop, TSpecialFolder::SF_CommonDesktop}) {
        const QString path = shell.SpecialFolderPath(folder);
        ASSERT_FALSE(path.isEmpty());
        EXPECT_FALSE(path.endsWith(QLatin1Char('\\'))) << path.toStdString();
        EXPECT_TRUE(QFileInfo(path).isDir()) << path.toStdString();
    }
    EXPECT_NE(shell.SpecialFolderPath(TSpecialFolder::SF_Desktop),
              shell.SpecialFolderPath(TSpecialFolder::SF_CommonDesktop));
}

TEST(Win32ShellIcons, IconOfAProgramIsWrittenAsIcoOverAnOldFile) {
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("ico"))
        << "the qico image format plugin is missing";
    QTemporaryDir temp;
    const QString icon = temp.path() + QStringLiteral("/图标.Ico");
    QFile old(icon);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();

    Win32Shell shell;
    ASSERT_TRUE(shell.ExtractIconToFile(RecorderPath(), icon));
    QImageReader reader(icon, "ico");
    const QImage read = reader.read();
    ASSERT_FALSE(read.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(read.size(), shell.FileIcon(RecorderPath()).size());
    EXPECT_GE(read.width(), 16);
}

TEST(Win32ShellIcons, NoIconForAMissingFileAndTheOldIconFileIsGone) {
    QTemporaryDir temp;
    const QString icon = temp.path() + QStringLiteral("/old.ico");
    QFile old(icon);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    Win32Shell shell;
    EXPECT_TRUE(shell.FileIcon(temp.path() + QStringLiteral("/missing.exe")).isNull());
    EXPECT_FALSE(shell.ExtractIconToFile(temp.path() + QStringLiteral("/missing.exe"), icon));
    EXPECT_FALSE(QFileInfo::exists(icon));
}

namespace {

const wchar_t* const kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const kApprovedKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

}  // namespace

TEST(Win32ShellAutoStart, SetReadAndRemovedThroughTheRunKey) {
    RegistryValueGuard run(HKEY_CURRENT_USER, kRunKey, L"Marovia");
    RegistryValueGuard approved(HKEY_CURRENT_USER, kApprovedKey, L"Marovia");
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(approved.Opened());
    Win32Shell shell;
    ASSERT_TRUE(shell.SetAutoStart(false, QString()));
    EXPECT_FALSE(shell.IsAutoStart());

    // The program's own path as Qt gives it (forward slashes), in a folder with blanks and Chinese.
    ASSERT_TRUE(shell.SetAutoStart(true, QStringLiteral("C:/Program Files/马罗 维亚/marovia.exe")));
    DWORD type = 0;
    QString command;
    ASSERT_TRUE(run.Read(type, command));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(command, QStringLiteral("\"C:\\Program Files\\马罗 维亚\\marovia.exe\""));
    EXPECT_TRUE(shell.IsAutoStart());

    ASSERT_TRUE(shell.SetAutoStart(false, QStringLiteral("C:/Program Files/马罗 维亚/marovia.exe")));
    EXPECT_FALSE(run.Read(type, command)) << command.toStdString();
    EXPECT_FALSE(shell.IsAutoStart());
    // Nothing left to remove is no failure.
    EXPECT_TRUE(shell.SetAutoStart(false, QString()));
}

TEST(Win32ShellAutoStart, AnEntrySwitchedOffInTaskManagerIsOffUntilSetAgain) {
    RegistryValueGuard run(HKEY_CURRENT_USER, kRunKey, L"Marovia");
    RegistryValueGuard approved(HKEY_CURRENT_USER, kApprovedKey, L"Marovia");
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(approved.Opened());
    Win32Shell shell;
    ASSERT_TRUE(shell.SetAutoStart(true, QStringLiteral("C:\\Marovia\\marovia.exe")));
    QByteArray switchedOff(12, '\0');
    switchedOff[0] = 3;
    ASSERT_TRUE(approved.SetBinary(switchedOff));
    EXPECT_FALSE(shell.IsAutoStart());
    QByteArray switchedOn(12, '\0');
    switchedOn[0] = 2;
    ASSERT_TRUE(approved.SetBinary(switchedOn));
    EXPECT_TRUE(shell.IsAutoStart());

    ASSERT_TRUE(approved.SetBinary(switchedOff));
    ASSERT_TRUE(shell.SetAutoStart(true, QStringLiteral("C:\\Marovia\\marovia.exe")));
    EXPECT_TRUE(shell.IsAutoStart());
    DWORD type = 0;
    QString value;
    EXPECT_FALSE(approved.Read(type, value));
}

TEST(Win32ShellAutoStart, AnEmptyOrNonTextRunValueStartsNothing) {
    RegistryValueGuard run(HKEY_CURRENT_USER, kRunKey, L"Marovia");
    RegistryValueGuard approved(HKEY_CURRENT_USER, kApprovedKey, L"Marovia");
    ASSERT_TRUE(run.Opened());
    ASSERT_TRUE(approved.Opened());
    Win32Shell shell;
    ASSERT_TRUE(shell.SetAutoStart(false, QString()));
    ASSERT_TRUE(run.SetString(QStringLiteral("  ")));
    EXPECT_FALSE(shell.IsAutoStart());
    ASSERT_TRUE(run.SetDword(1));
    EXPECT_FALSE(shell.IsAutoStart());
    ASSERT_TRUE(run.SetString(QStringLiteral("\"C:\\x\\marovia.exe\""), REG_EXPAND_SZ));
    EXPECT_TRUE(shell.IsAutoStart());
    // No program, nothing written.
    EXPECT_FALSE(shell.SetAutoStart(true, QString()));
}
