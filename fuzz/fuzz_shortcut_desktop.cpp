// A .desktop shortcut as the desktop shortcut import reads it: damaged files give false.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

#include "LinuxShell.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TShortcutTarget target;
    if (ReadShortcutBytes(QStringLiteral("desktop"), bytes, target)) {
        (void)target.Target.size();
        (void)target.Params.size();
    }
    return 0;
}
