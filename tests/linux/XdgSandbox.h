#pragma once
// A private XDG environment for the tests of the Linux shell: its own config, data and icon
// folders, so that launch handlers, user dirs and icons are the ones the tests put there.
// GLib reads these variables once, so they are set before main() runs (see XdgSandbox.cpp).

#include <QString>
#include <QStringList>

class XdgSandbox {
public:
    static const XdgSandbox& Get();

    QString Root;        // a fresh folder under the system's temporary folder
    QString ConfigHome;  // XDG_CONFIG_HOME
    QString DataHome;    // XDG_DATA_HOME
    QString Home;        // HOME
    // The FIFO the default handler of marovia-test: addresses and text/plain files reports to.
    QString HandlerFifo;
};

// Reads NUL-separated arguments from a FIFO written by argv_recorder, waiting for the writer to
// finish (poll with a deadline: the started program runs in its own process).
class ArgvFifo {
public:
    explicit ArgvFifo(const QString& path);
    ~ArgvFifo();
    ArgvFifo(const ArgvFifo&) = delete;
    ArgvFifo& operator=(const ArgvFifo&) = delete;

    const QString& Path() const { return FPath; }
    // The arguments received; throws a test failure message through ok=false on timeout.
    QStringList Wait(bool& ok);

private:
    QString FPath;
    int FFd = -1;
};
