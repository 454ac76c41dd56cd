// The Win32 platform's screen and process parts against the real system: the work area, the
// strip reserved on the right and given back, the cursor, the working-set trimming, and how a
// crashing program ends.

#include <gtest/gtest.h>

#include <QDir>

#include <string>

#include "Win32Platform.h"
#include "Win32TestSupport.h"
#include "WorkArea.h"

namespace {

QRect SystemWorkArea() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return QRect(QPoint(area.left, area.top), QPoint(area.right - 1, area.bottom - 1));
}

// Puts the work area the test found back, whatever the test did to it.
class WorkAreaGuard {
public:
    WorkAreaGuard() : FArea(SystemWorkArea()) {}
    ~WorkAreaGuard() { Win32WorkArea::Set(FArea); }
    QRect Area() const { return FArea; }

private:
    QRect FArea;
};

}  // namespace

TEST(Win32PlatformScreen, WorkAreaScreenAndCursorAreTheSystemsValues) {
    EXPECT_EQ(Platform().WorkArea(), SystemWorkArea());
    EXPECT_EQ(Platform().ScreenSize(), QSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    ASSERT_TRUE(SetCursorPos(123, 45));
    POINT cursor{};
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(Platform().CursorPos(), QPoint(cursor.x, cursor.y));
}

TEST(Win32PlatformScreen, ReservedStripShrinksOnlyTheRightEdgeAndIsGivenBackExactly) {
    WorkAreaGuard guard;
    // A taskbar at the top: the reservation must keep its band.
    QRect start = guard.Area();
    start.setTop(start.top() + 30);
    ASSERT_TRUE(Win32WorkArea::Set(start));
    ASSERT_EQ(SystemWorkArea(), start);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);

    Platform().ReserveRightStrip(43);
    QRect reserved = start;
    reserved.setRight(screenWidth - 43 - 1);
    EXPECT_EQ(SystemWorkArea(), reserved);
    EXPECT_EQ(Platform().WorkArea(), reserved);

    // Reserving again does not shrink the area twice, nor forget the original.
    Platform().ReserveRightStrip(43);
    EXPECT_EQ(SystemWorkArea(), reserved);

    Platform().ReserveRightStrip(0);
    EXPECT_EQ(SystemWorkArea(), start);
    // Giving back twice leaves a work area changed by someone else alone.
    QRect other = start;
    other.setBottom(other.bottom() - 10);
    ASSERT_TRUE(Win32WorkArea::Set(other));
    Platform().ReserveRightStrip(0);
    EXPECT_EQ(SystemWorkArea(), other);
}

TEST(Win32PlatformScreen, ReservationStillHeldAtExitIsGivenBack) {
    WorkAreaGuard guard;
    {
        TRightStripReservation reservation;
        reservation.Reserve(43);
        EXPECT_TRUE(reservation.IsReserved());
        EXPECT_EQ(SystemWorkArea().right(), GetSystemMetrics(SM_CXSCREEN) - 43 - 1);
    }
    EXPECT_EQ(SystemWorkArea(), guard.Area());
}

TEST(Win32PlatformProcess, TrimmingHandsTheWorkingSetBack) {
    // Touch some memory so that there is something to trim.
    std::vector<char> pages(8 * 1024 * 1024, 1);
    ASSERT_EQ(pages[4096], 1);
    Platform().TrimWorkingSet();
    SIZE_T minimum = 0, maximum = 0;
    ASSERT_TRUE(GetProcessWorkingSetSize(GetCurrentProcess(), &minimum, &maximum));
    EXPECT_GT(maximum, 0u);
}

TEST(Win32PlatformProcess, ACrashingProgramEndsWithItsExceptionInsteadOfWaitingForADebugger) {
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/win32_null_read.exe");
    std::wstring commandLine = L"\"" + QDir::toNativeSeparators(program).toStdWString() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process))
        << "no crashing helper beside the tests: " << program.toStdString();
    CloseHandle(process.hThread);
    // A debugger or a "debug it?" box would keep the process alive far beyond this.
    const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    ASSERT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0)) << "the crashed program did not end";
    EXPECT_EQ(exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
}
