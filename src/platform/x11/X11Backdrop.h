#pragma once
// What lies under the desktop window when no compositing manager blends it: whether one runs (the
// owner of _NET_WM_CM_S<screen>, followed through XFixes' selection events, so that no frame asks the
// server), and the root window's background picture (_XROOTPMAP_ID / ESETROOT_PMAP_ID, read again when
// a PropertyNotify on the root says it changed, and only while it is needed).

#include <QAbstractNativeEventFilter>
#include <QImage>
#include <functional>
#include <map>

class X11Backdrop : public QAbstractNativeEventFilter {
public:
    // The one watcher of the application's display; made on first use.
    static X11Backdrop& Instance();

    bool CompositorRunning() const { return FCompositor; }
    // The root's picture in screen pixels (0xFFRRGGBB), or a null image when the root has none.
    const QImage& Picture();

    // The handler runs when the compositor comes or goes or the root's picture changes.
    int AddListener(std::function<void()> changed);
    void RemoveListener(int id);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11Backdrop();
    void Notify();
    void LoadPicture();
    // Sends the questions about the root's picture properties without waiting for the answers.
    void AskRootPicture();
    void ForgetRootPictureQuestions();

    bool FAvailable = false;
    bool FCompositor = true;
    bool FPictureStale = true;
    QImage FPicture;
    std::uint32_t FRoot = 0;
    std::uint32_t FCompositorSelection = 0;
    std::uint32_t FRootPictureAtoms[2] = {0, 0};
    // The sequence numbers of questions sent and not yet answered (0: not asked).
    bool FRootPictureAsked = false;
    unsigned int FRootPictureQuestions[2] = {0, 0};
    std::uint8_t FXFixesEvent = 0;
    int FNextListener = 1;
    std::map<int, std::function<void()>> FListeners;
};
