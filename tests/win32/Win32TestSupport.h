#pragma once
// Small helpers of the Win32 platform tests.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>

#include <windows.h>

#include <functional>

inline const wchar_t* Wide(const QString& text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// Handles Qt's and the system's events until `done` holds or the time is up; for what another
// process or the window system does at its own pace.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 20000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}
