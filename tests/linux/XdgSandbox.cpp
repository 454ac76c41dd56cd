#include "XdgSandbox.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

namespace {

QString MakeRoot() {
    QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/marovia-xdg-XXXXXX";
    return QString::fromLocal8Bit(mkdtemp(pattern.data()));
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
}

XdgSandbox Create() {
    XdgSandbox sandbox;
    sandbox.Root = MakeRoot();
    sandbox.ConfigHome = sandbox.Root + "/config";
    sandbox.DataHome = sandbox.Root + "/data";
    sandbox.Home = sandbox.Root + "/home";
    for (const QString& folder : {sandbox.ConfigHome, sandbox.DataHome + "/applications", sandbox.Home})
        QDir().mkpath(folder);
    qputenv("XDG_CONFIG_HOME", sandbox.ConfigHome.toLocal8Bit());
    qputenv("XDG_DATA_HOME", sandbox.DataHome.toLocal8Bit());
    // The system's MIME database and settings schemas stay visible; its applications and
    // default handlers do not.
    QDir().mkpath(sandbox.Root + "/system");
    QFile::link("/usr/share/mime", sandbox.Root + "/system/mime");
    QFile::link("/usr/share/glib-2.0", sandbox.Root + "/system/glib-2.0");
    qputenv("XDG_DATA_DIRS", (sandbox.Root + "/system").toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", (sandbox.Root + "/system-config").toLocal8Bit());
    qputenv("HOME", sandbox.Home.toLocal8Bit());
    // GIO notices later changes to handlers only through file monitors, which race with a test;
    // the default handlers are therefore in place before GIO first looks.
    sandbox.HandlerFifo = sandbox.Root + "/handler.fifo";
    WriteText(sandbox.DataHome + "/applications/marovia-recorder.desktop",
              "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" ARGV_RECORDER " " +
                  sandbox.HandlerFifo.toUtf8() + " %u\n");
    WriteText(sandbox.ConfigHome + "/mimeapps.list",
              "[Default Applications]\nx-scheme-handler/marovia-test=marovia-recorder.desktop\n"
              "text/plain=marovia-recorder.desktop\n");
    qunsetenv("XDG_CURRENT_DESKTOP");
    return sandbox;
}

// Made before main(), so that GLib never sees the real environment.
const XdgSandbox sandboxAtStart = Create();

struct RemoveAtExit {
    ~RemoveAtExit() { QDir(sandboxAtStart.Root).removeRecursively(); }
} removeAtExit;

}  // namespace

const XdgSandbox& XdgSandbox::Get() {
    return sandboxAtStart;
}

ArgvFifo::ArgvFifo(const QString& path) : FPath(path) {
    QFile::remove(path);
    mkfifo(QFile::encodeName(path).constData(), 0600);
    // Opened before the launch so the recorder's open never blocks.
    FFd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
}

ArgvFifo::~ArgvFifo() {
    if (FFd >= 0) close(FFd);
    QFile::remove(FPath);
}

QStringList ArgvFifo::Wait(bool& ok) {
    ok = false;
    if (FFd < 0) return {};
    QByteArray bytes;
    bool writerSeen = false;
    for (;;) {
        pollfd descriptor{FFd, POLLIN, 0};
        if (poll(&descriptor, 1, 15000) <= 0) return {};  // nothing within the deadline
        char buffer[4096];
        const ssize_t count = read(FFd, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, count);
            writerSeen = true;
        } else if (count == 0 && (writerSeen || (descriptor.revents & POLLHUP))) {
            break;
        } else if (count < 0 && errno != EAGAIN) {
            return {};
        }
    }
    QStringList arguments;
    for (const QByteArray& part : bytes.split('\0')) arguments.append(QString::fromUtf8(part));
    arguments.removeLast();  // after the last terminator
    ok = true;
    return arguments;
}
