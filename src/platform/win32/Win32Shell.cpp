#include "Win32Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <vector>

#include "AutoStart.h"
#include "IcoFile.h"
#include "NetworkPath.h"
#include "UrlShortcut.h"

namespace {

// Shortcuts are a few hundred bytes; anything far larger is not one, and is not read whole.
constexpr qint64 kMaxShortcutSize = 4 * 1024 * 1024;
// Long enough for the longest path and argument list a shell link stores.
constexpr int kLinkTextSize = 32768;

const wchar_t* Wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

QString FromWide(const wchar_t* text) {
    return QString::fromWCharArray(text);
}

// "https:", "mailto:", "shell:"… but not a bare word; two letters at least keeps "C:" a path.
bool IsAddress(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(text).hasMatch();
}

bool IsBareName(const QString& text) {
    return !text.contains(QLatin1Char('\\')) && !text.contains(QLatin1Char('/')) &&
           !text.contains(QLatin1Char(':'));
}

bool Execute(const QString& file, const QString& params) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Wide(file), Wide(params), nullptr, SW_SHOWNORMAL));
    return result > 32;
}

struct TComApartment {
    HRESULT Result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ~TComApartment() {
        if (SUCCEEDED(Result)) CoUninitialize();
    }
};

template <typename T>
struct TComPtr {
    T* Ptr = nullptr;
    ~TComPtr() {
        if (Ptr) Ptr->Release();
    }
};

bool ReadShellLink(const QString& fileName, TShortcutTarget& target) {
    if (!EnsureComForThisThread()) return false;
    TComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.Ptr))))
        return false;
    TComPtr<IPersistFile> file;
    if (FAILED(link.Ptr->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.Ptr)))) return false;
    const QString native = QDir::toNativeSeparators(fileName);
    if (FAILED(file.Ptr->Load(Wide(native), STGM_READ))) return false;
    std::vector<wchar_t> text(kLinkTextSize, L'\0');
    WIN32_FIND_DATAW found{};
    // A link without a file-system target yields nothing here; it is still a link.
    if (link.Ptr->GetPath(text.data(), kLinkTextSize, &found, SLGP_UNCPRIORITY) != S_OK) text[0] = L'\0';
    target.Target = FromWide(text.data());
    text.assign(kLinkTextSize, L'\0');
    if (FAILED(link.Ptr->GetArguments(text.data(), kLinkTextSize))) text[0] = L'\0';
    target.Params = FromWide(text.data());
    return true;
}

bool ReadUrlFile(const QString& fileName, TShortcutTarget& target) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxShortcutSize) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    target = {ReadUrlShortcutTarget(bytes), QString()};
    return true;
}

}  // namespace

bool EnsureComForThisThread() {
    thread_local TComApartment apartment;
    // RPC_E_CHANGED_MODE: the thread is already in COM (Qt's OLE start-up uses the same STA).
    return SUCCEEDED(apartment.Result) || apartment.Result == RPC_E_CHANGED_MODE;
}

bool Win32Shell::RunFile(const QString& fileName, const QString& params) {
    if (fileName.trimmed().isEmpty()) return false;
    // A path must name something that is there; addresses and bare program names ("notepad")
    // are the shell's to find.
    if (!IsAddress(fileName) && !IsBareName(fileName) && !QFileInfo::exists(fileName)) return false;
    EnsureComForThisThread();  // ShellExecuteW may hand the launch to a shell extension
    // The parameters go to the program exactly as typed: ShellExecuteW passes them on verbatim.
    return Execute(QFileInfo::exists(fileName) ? QDir::toNativeSeparators(fileName) : fileName, params);
}

QString Win32Shell::WallPaper() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return QString();
    QString result;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, L"Wallpaper", nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> value(bytes / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, L"Wallpaper", nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                             &bytes) == ERROR_SUCCESS)
            result = FromWide(value.data());
        if (type == REG_EXPAND_SZ && !result.isEmpty()) {
            std::vector<wchar_t> expanded(kLinkTextSize, L'\0');
            if (ExpandEnvironmentStringsW(Wide(result), expanded.data(), kLinkTextSize) > 0)
                result = FromWide(expanded.data());
        }
    }
    RegCloseKey(key);
    return result;
}

unsigned Win32Shell::DesktopColor() {
    return static_cast<unsigned>(GetSysColor(COLOR_BACKGROUND)) & 0x00FFFFFFu;
}

QString Win32Shell::SpecialFolderPath(TSpecialFolder folder) {
    const int csidl =
        folder == TSpecialFolder::SF_CommonDesktop ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY;
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return QString();
    wchar_t path[MAX_PATH] = {};
    const bool found = SHGetPathFromIDListW(items, path) != FALSE;
    CoTaskMemFree(items);
    if (!found) return QString();
    QString result = FromWide(path);
    // "C:\" keeps its separator: "C:" alone would mean the drive's current folder.
    if (result.size() > 3 && result.endsWith(QLatin1Char('\\'))) result.chop(1);
    return result;
}

bool Win32Shell::ReadShortcut(const QString& fileName, TShortcutTarget& target) {
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension != QLatin1String("lnk") && extension != QLatin1String("url")) return false;
    TShortcutTarget read;
    const bool ok =
        extension == QLatin1String("lnk") ? ReadShellLink(fileName, read) : ReadUrlFile(fileName, read);
    target = ok ? read : TShortcutTarget{};
    return ok;
}

QImage Win32Shell::FileIcon(const QString& fileName) {
    if (fileName.isEmpty() || !EnsureComForThisThread()) return QImage();
    SHFILEINFOW info{};
    const QString native = QDir::toNativeSeparators(fileName);
    if (!SHGetFileInfoW(Wide(native), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_LARGEICON) || !info.hIcon)
        return QImage();
    QImage image = QImage::fromHICON(info.hIcon);
    DestroyIcon(info.hIcon);
    return image;
}

bool Win32Shell::ExtractIconToFile(const QString& sourceFile, const QString& iconFile) {
    if (QFileInfo::exists(iconFile)) QFile::remove(iconFile);
    return WriteIcoFile(FileIcon(sourceFile), iconFile);
}

bool Win32Shell::OpenDisplaySettings() {
    return Execute(QStringLiteral("rundll32.exe"), QStringLiteral("shell32.dll,Control_RunDLL desk.cpl"));
}

bool Win32Shell::IsOnNetworkDrive(const QString& path) {
    return IsNetworkPath(path);
}

bool Win32Shell::IsAutoStart() {
    return Win32AutoStart::IsEnabled();
}

bool Win32Shell::SetAutoStart(bool enabled, const QString& program) {
    return Win32AutoStart::Write(enabled, program);
}
