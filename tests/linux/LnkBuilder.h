#pragma once
// Builds Windows shell link files byte by byte (header, link info, argument string, terminal
// block) so tests can feed the reader shortcuts with known contents.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace lnk {

inline void U16(QByteArray& out, std::uint16_t value) {
    out.append(char(value & 0xFF)).append(char(value >> 8));
}
inline void U32(QByteArray& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.append(char((value >> (8 * i)) & 0xFF));
}

struct Link;
inline QByteArray AppendStrings(QByteArray& out, const Link& link);

struct Link {
    QByteArray LocalPath;   // in the ANSI code page
    QByteArray NetName;     // "\\\\server\\share"; empty for none
    QByteArray PathSuffix;  // the part after the share
    QString Arguments;      // empty for none
};

inline QByteArray Build(const Link& link) {
    const bool hasLocal = !link.LocalPath.isEmpty();
    const bool hasNet = !link.NetName.isEmpty();
    const bool hasInfo = hasLocal || hasNet;
    std::uint32_t flags = 0x80;  // IsUnicode
    if (hasInfo) flags |= 0x2;   // HasLinkInfo
    if (!link.Arguments.isEmpty()) flags |= 0x20;

    QByteArray out;
    U32(out, 0x4C);
    out.append(QByteArray::fromHex("0114020000000000C000000000000046"));
    U32(out, flags);
    U32(out, 0x20);                    // FILE_ATTRIBUTE_ARCHIVE
    out.append(QByteArray(24, '\0'));  // three FILETIMEs
    U32(out, 0);                       // file size
    U32(out, 0);                       // icon index
    U32(out, 1);                       // SW_SHOWNORMAL
    U16(out, 0);
    U16(out, 0);
    U32(out, 0);
    U32(out, 0);

    QByteArray volume;
    U32(volume, 0x11);
    U32(volume, 3);  // fixed drive
    U32(volume, 0x12345678);
    U32(volume, 0x10);
    volume.append('\0');

    QByteArray network;
    if (hasNet) {
        QByteArray name = link.NetName + '\0';
        U32(network, 0x14 + std::uint32_t(name.size()));
        U32(network, 0);
        U32(network, 0x14);
        U32(network, 0);
        U32(network, 0);
        network.append(name);
    }

    const std::uint32_t headerSize = 0x1C;
    std::uint32_t offset = headerSize;
    const std::uint32_t volumeOffset = hasLocal ? offset : 0;
    if (hasLocal) offset += std::uint32_t(volume.size());
    const std::uint32_t localOffset = hasLocal ? offset : 0;
    if (hasLocal) offset += std::uint32_t(link.LocalPath.size() + 1);
    const std::uint32_t networkOffset = hasNet ? offset : 0;
    if (hasNet) offset += std::uint32_t(network.size());
    const std::uint32_t suffixOffset = offset;
    offset += std::uint32_t(link.PathSuffix.size() + 1);

    if (!hasInfo) return AppendStrings(out, link);
    U32(out, offset);
    U32(out, headerSize);
    U32(out, (hasLocal ? 0x1 : 0) | (hasNet ? 0x2 : 0));
    U32(out, volumeOffset);
    U32(out, localOffset);
    U32(out, networkOffset);
    U32(out, suffixOffset);
    if (hasLocal) out.append(volume).append(link.LocalPath).append('\0');
    if (hasNet) out.append(network);
    out.append(link.PathSuffix).append('\0');
    return AppendStrings(out, link);
}

inline QByteArray AppendStrings(QByteArray& out, const Link& link) {
    if (!link.Arguments.isEmpty()) {
        U16(out, std::uint16_t(link.Arguments.size()));
        for (const QChar c : link.Arguments) U16(out, c.unicode());
    }
    U32(out, 0);  // terminal block
    return out;
}

}  // namespace lnk
