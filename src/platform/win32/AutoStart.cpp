#include "AutoStart.h"

#include <QDir>

#include <windows.h>

#include <vector>

namespace {

const wchar_t* const kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const kApprovedKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t* const kValueName = L"Marovia";

// The value's bytes and type; nothing when the key or the value is missing.
bool ReadValue(const wchar_t* keyPath, std::vector<BYTE>& data, DWORD& type) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExW(key, kValueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data.assign(size, 0);
        ok = RegQueryValueExW(key, kValueName, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
        data.resize(size);
    }
    RegCloseKey(key);
    return ok;
}

// Removing a value that is not there (or a key that does not exist) is no failure.
bool DeleteValue(const wchar_t* keyPath) {
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LSTATUS deleted = RegDeleteValueW(key, kValueName);
    RegCloseKey(key);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool HasCommand(const std::vector<BYTE>& data, DWORD type) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (c == L'\0') return false;
        if (c != L' ' && c != L'\t') return true;
    }
    return false;
}

// Task Manager writes 02 (or 06) for an entry that runs and 03 (or 07) for one switched off.
bool IsSwitchedOff() {
    std::vector<BYTE> data;
    DWORD type = 0;
    return ReadValue(kApprovedKey, data, type) && type == REG_BINARY && !data.empty() && (data[0] & 1);
}

}  // namespace

namespace Win32AutoStart {

QString Command(const QString& program) {
    return QLatin1Char('"') + QDir::toNativeSeparators(program) + QLatin1Char('"');
}

bool IsEnabled() {
    std::vector<BYTE> data;
    DWORD type = 0;
    return ReadValue(kRunKey, data, type) && HasCommand(data, type) && !IsSwitchedOff();
}

bool Write(bool enabled, const QString& program) {
    if (!enabled) return DeleteValue(kRunKey) && DeleteValue(kApprovedKey);
    if (program.isEmpty()) return false;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const QString command = Command(program);
    const LSTATUS written =
        RegSetValueExW(key, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.utf16()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    // Asked to start at login, it must: an earlier "switched off" from Task Manager no longer holds.
    return written == ERROR_SUCCESS && DeleteValue(kApprovedKey);
}

}  // namespace Win32AutoStart
