// A stand-in program for launch tests: writes its own command line, exactly as the system handed
// it over (GetCommandLineW, UTF-16), to the file named by MAROVIA_RECORDER_OUT, then exits. The
// file appears whole (written aside, then renamed) and a second start cannot overwrite it.

#include <windows.h>

int wmain() {
    wchar_t out[32768];
    const DWORD length = GetEnvironmentVariableW(L"MAROVIA_RECORDER_OUT", out, 32760);
    if (length == 0 || length >= 32760) return 2;
    wchar_t part[32768];
    lstrcpyW(part, out);
    lstrcatW(part, L".part");
    HANDLE file = CreateFileW(part, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const wchar_t* line = GetCommandLineW();
    DWORD written = 0;
    const DWORD bytes = static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t));
    const bool ok = WriteFile(file, line, bytes, &written, nullptr) && written == bytes;
    CloseHandle(file);
    if (!ok) return 1;
    // Without MOVEFILE_REPLACE_EXISTING: a second start leaves its .part behind for the test to see.
    return MoveFileExW(part, out, 0) ? 0 : 1;
}
