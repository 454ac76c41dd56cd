// The layered host window against the real window system: its styles, its owner under the
// shell's desktop window, the z-order it keeps, the presented pixels, its input region, mouse
// capture, the OLE drop target that takes drops from other programs and the WM_CLOSE that ends the
// program.

#include <gtest/gtest.h>

#include <QPainter>

#include <ole2.h>

#include "Win32HostWindow.h"
#include "Win32TestSupport.h"

namespace {

struct RecordingClient : IHostWindowClient {
    int Downs = 0, Ups = 0, Moves = 0, Wheels = 0, Exposed = 0;
    QPointF LastPos;
    int LastWheel = 0;
    void HostMouseDown(TMouseButton, TShiftState, QPointF pos) override {
        ++Downs;
        LastPos = pos;
    }
    void HostMouseMove(TShiftState, QPointF) override { ++Moves; }
    void HostMouseUp(TMouseButton, TShiftState, QPointF pos) override {
        ++Ups;
        LastPos = pos;
    }
    void HostMouseWheel(TShiftState, int delta, QPointF) override {
        ++Wheels;
        LastWheel = delta;
    }
    void HostMouseLeave() override {}
    void HostKeyDown(int, QChar, TShiftState) override {}
    void HostKeyUp(int, QChar, TShiftState) override {}
    void HostResized(QSize) override {}
    void HostExposed() override { ++Exposed; }
};

// A window of the shell desktop's class, as Explorer makes it.
class FakeProgman {
public:
    FakeProgman() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"Progman";
        RegisterClassW(&windowClass);
        Handle = CreateWindowExW(0, L"Progman", L"Program Manager", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    ~FakeProgman() {
        DestroyWindow(Handle);
        UnregisterClassW(L"Progman", GetModuleHandleW(nullptr));
    }
    HWND Handle = nullptr;
};

// An ordinary window of another "program" above which the desktop window must stay below.
HWND CreateOrdinaryWindow() {
    HWND window = CreateWindowExW(0, L"Static", L"ordinary", WS_POPUP | WS_VISIBLE, 200, 200, 50, 50, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

bool IsBelow(HWND lower, HWND upper) {
    for (HWND window = GetWindow(upper, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
        if (window == lower) return true;
    return false;
}

void PaintFrame(Win32HostWindow& window, const QRect& opaque, QColor color) {
    const QRegion all(QRect(QPoint(0, 0), window.Geometry().size()));
    QImage* image = window.BeginPaint(all);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->format(), QImage::Format_ARGB32_Premultiplied);
    image->fill(Qt::transparent);
    QPainter painter(image);
    painter.fillRect(opaque, color);
    painter.end();
    window.EndPaint(all);
}

// The window's picture as the screen shows it.
QImage CaptureWindow(HWND window, QSize size) {
    RECT rect{};
    GetWindowRect(window, &rect);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.width();
    info.bmiHeader.biHeight = -size.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HDC screen = GetDC(nullptr);
    const bool printed = BitBlt(dc, 0, 0, size.width(), size.height(), screen, rect.left, rect.top,
                                SRCCOPY | CAPTUREBLT) != FALSE;
    ReleaseDC(nullptr, screen);
    GdiFlush();
    QImage result;
    if (printed)
        result = QImage(static_cast<const uchar*>(bits), size.width(), size.height(), size.width() * 4,
                        QImage::Format_RGB32)
                     .copy();
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return result;
}

// A drop target that takes nothing, to find out whether a window has one already.
class RefusingDropTarget : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
    ULONG STDMETHODCALLTYPE Release() override { return --FReferences; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }

private:
    ULONG FReferences = 1;  // on the stack: never deleted through Release
};

}  // namespace

TEST(Win32HostWindowStyle, DesktopWindowIsALayeredToolWindowOwnedUnderProgman) {
    FakeProgman progman;
    ASSERT_NE(progman.Handle, nullptr);
    Win32HostWindow window(THostWindowKind::HW_Desktop, [] {});
    window.Show();  // Qt resets the owner on show; the window sets it again
    const LONG_PTR style = GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_EX_LAYERED);
    EXPECT_TRUE(style & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(style & WS_EX_APPWINDOW);
    ASSERT_NE(window.OwnerHandle(), nullptr);
    EXPECT_EQ(GetAncestor(window.OwnerHandle(), GA_PARENT), progman.Handle);
    // Owned through the owner, whose own top-level window is the shell's desktop.
    const HWND owner = GetWindow(window.Handle(), GW_OWNER);
    EXPECT_TRUE(owner == window.OwnerHandle() || owner == progman.Handle);
}

TEST(Win32HostWindowStyle, WithoutProgmanTheWindowIsAnUnownedTopLevelOne) {
    ASSERT_EQ(FindWindowW(L"Progman", nullptr), nullptr);
    Win32HostWindow window(THostWindowKind::HW_Desktop, [] {});
    window.Show();
    EXPECT_EQ(window.OwnerHandle(), nullptr);
    EXPECT_EQ(GetWindow(window.Handle(), GW_OWNER), nullptr);
    EXPECT_EQ(GetAncestor(window.Handle(), GA_PARENT), GetDesktopWindow());
}

TEST(Win32HostWindowStyle, ToolKindIsLayeredButAnOrdinaryWindow) {
    Win32HostWindow window(THostWindowKind::HW_Tool, [] {});
    const LONG_PTR style = GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_EX_LAYERED);
    EXPECT_FALSE(style & WS_EX_TOOLWINDOW);
    EXPECT_EQ(window.OwnerHandle(), nullptr);
}

TEST(Win32HostWindowZOrder, EveryZOrderChangePutsTheDesktopWindowBackAtTheBottom) {
    Win32HostWindow window(THostWindowKind::HW_Desktop, [] {});
    window.SetGeometry(QRect(0, 0, 120, 80));
    window.Show();
    HWND ordinary = CreateOrdinaryWindow();
    ASSERT_NE(ordinary, nullptr);
    // (Without activation: under wine the X window manager raises an activated window itself.)
    SetWindowPos(window.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(IsBelow(window.Handle(), ordinary));
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(IsBelow(window.Handle(), ordinary));
    // Activated and raised: once the activation has been handled it is back at the bottom.
    BringWindowToTop(window.Handle());
    EXPECT_TRUE(WaitFor([&] { return IsBelow(window.Handle(), ordinary); }, 5000));
    EXPECT_FALSE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    // A pure move stays a move.
    SetWindowPos(window.Handle(), nullptr, 7, 9, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT rect{};
    GetWindowRect(window.Handle(), &rect);
    EXPECT_EQ(QPoint(rect.left, rect.top), QPoint(7, 9));
    EXPECT_EQ(QSize(rect.right - rect.left, rect.bottom - rect.top), QSize(120, 80));
    DestroyWindow(ordinary);
}

TEST(Win32HostWindowPresent, PresentedPixelsAndInputRegionFollowTheFrameBuffer) {
    Win32HostWindow window(THostWindowKind::HW_Desktop, [] {});
    window.SetGeometry(QRect(0, 0, 64, 48));
    window.Show();
    const QRect drawn(10, 12, 20, 8);
    PaintFrame(window, drawn, QColor(255, 0, 0));
    EXPECT_EQ(window.PresentedFrames(), 1u);
    EXPECT_EQ(window.InputRegion(), QRegion(drawn));

    // The screen shows what was presented (the X server behind wine catches up at its own pace).
    QImage shown;
    EXPECT_TRUE(WaitFor(
        [&] {
            shown = CaptureWindow(window.Handle(), QSize(64, 48));
            return !shown.isNull() && shown.pixel(15, 15) == qRgb(255, 0, 0);
        },
        10000))
        << std::hex << (shown.isNull() ? 0u : shown.pixel(15, 15));

    // A second frame moves the drawn part; only the dirty part is sent, the region follows.
    const QRect moved(30, 20, 10, 10);
    const QRegion dirty = QRegion(drawn) + QRegion(moved);
    QImage* image = window.BeginPaint(dirty);
    ASSERT_NE(image, nullptr);
    QPainter painter(image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(drawn, Qt::transparent);
    painter.fillRect(moved, QColor(0, 0, 255));
    painter.end();
    window.EndPaint(dirty);
    EXPECT_EQ(window.PresentedFrames(), 2u);
    EXPECT_EQ(window.InputRegion(), QRegion(moved));
    QImage again;
    EXPECT_TRUE(WaitFor(
        [&] {
            again = CaptureWindow(window.Handle(), QSize(64, 48));
            return !again.isNull() && again.pixel(35, 25) == qRgb(0, 0, 255);
        },
        10000));
    // The old square is transparent now: what shows there is no longer red.
    EXPECT_NE(again.pixel(15, 15), qRgb(255, 0, 0));
}

TEST(Win32HostWindowInput, PressCapturesTheMouseUntilTheReleaseAndTheWheelArrives) {
    Win32HostWindow window(THostWindowKind::HW_Tool, [] {});
    RecordingClient client;
    window.SetClient(&client);
    window.SetGeometry(QRect(20, 20, 80, 60));
    window.Show();
    PaintFrame(window, QRect(0, 0, 80, 60), QColor(0, 128, 0));

    SendMessageW(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    ASSERT_TRUE(WaitFor([&] { return client.Downs == 1; }, 5000));
    EXPECT_EQ(client.LastPos, QPointF(5, 6));
    EXPECT_EQ(GetCapture(), window.Handle());

    SendMessageW(window.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(70, 50));
    ASSERT_TRUE(WaitFor([&] { return client.Ups == 1; }, 5000));
    EXPECT_EQ(client.LastPos, QPointF(70, 50));
    EXPECT_NE(GetCapture(), window.Handle());

    // The wheel arrives with its position in screen pixels.
    SendMessageW(window.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50));
    ASSERT_TRUE(WaitFor([&] { return client.Wheels == 1; }, 5000));
    EXPECT_EQ(client.LastWheel, WHEEL_DELTA);
    window.SetClient(nullptr);
}

TEST(Win32HostWindowInput, CloseRequestEndsTheProgramAndKeepsTheWindow) {
    FakeProgman progman;
    int closes = 0;
    Win32HostWindow window(THostWindowKind::HW_Desktop, [&] { ++closes; });
    window.SetGeometry(QRect(0, 0, 30, 30));
    window.Show();
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(IsWindow(window.Handle()));
    // taskkill also closes the hidden owner: that must not take the desktop window with it.
    ASSERT_NE(window.OwnerHandle(), nullptr);
    SendMessageW(window.OwnerHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(closes, 2);
    EXPECT_TRUE(IsWindow(window.OwnerHandle()));
    EXPECT_TRUE(IsWindow(window.Handle()));
}

TEST(Win32HostWindowDrop, BothKindsHaveTheOleDropTargetOtherProgramsDropOn) {
    for (const THostWindowKind kind : {THostWindowKind::HW_Desktop, THostWindowKind::HW_Tool}) {
        Win32HostWindow window(kind, [] {});
        window.Show();
        RefusingDropTarget probe;
        const HRESULT result = RegisterDragDrop(window.Handle(), &probe);
        if (SUCCEEDED(result)) RevokeDragDrop(window.Handle());
        EXPECT_EQ(result, DRAGDROP_E_ALREADYREGISTERED) << "kind " << static_cast<int>(kind);
    }
}
