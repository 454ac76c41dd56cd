// A .lnk shortcut as the desktop shortcut import reads it, and every field of the link reader:
// damaged files give nothing, never a read outside the bytes.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

#include "LinuxShell.h"
#include "LnkLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TShortcutTarget target;
    if (ReadShortcutBytes(QStringLiteral("lnk"), bytes, target)) {
        (void)target.Target.size();
        (void)target.Params.size();
    }
    if (const auto link = ReadLnkLink(bytes)) {
        // Decoded strings are touched whole so that a bad length shows as a read past the data.
        const QString all = link->IdListPath + link->LocalPath + link->NetworkPath + link->Name +
                            link->RelativePath + link->WorkingDir + link->Arguments + link->IconLocation;
        (void)all.toUtf8().size();
    }
    return 0;
}
