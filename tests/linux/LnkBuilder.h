#pragma once
// Builds Windows shell link files byte by byte (header, target ID list, link info, string data,
// extra data) so tests can feed the reader shortcuts with known contents. Offsets of a link built
// without an ID list: the link info starts at 0x4C, its fields at 0x4C + 4 * field.

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

#include <cstdint>

namespace lnk {

inline void U16(QByteArray& out, std::uint16_t value) {
    out.append(char(value & 0xFF)).append(char(value >> 8));
}
inline void U32(QByteArray& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.append(char((value >> (8 * i)) & 0xFF));
}
inline QByteArray Gbk(const QString& text) {
    QStringEncoder gbk("GB18030");
    return gbk.encode(text);
}
inline QByteArray Utf16Z(const QString& text) {
    QByteArray out;
    for (const QChar c : text) U16(out, c.unicode());
    U16(out, 0);
    return out;
}

// ID list items: an item is its 16-bit size (itself included) and its body.
inline QByteArray Item(const QByteArray& body) {
    QByteArray out;
    U16(out, std::uint16_t(body.size() + 2));
    return out + body;
}
inline QByteArray MyComputerItem() {
    return Item(QByteArray::fromHex("1F50E04FD020EA3A6910A2D808002B30309D"));
}
inline QByteArray DriveItem(const QByteArray& drive) {  // "C:\\"
    return Item("\x2F" + drive + QByteArray(20 - drive.size(), '\0'));
}
// A file (0x32) or folder (0x31) entry: the short name, and the long name in a version-8
// extension block when it is given.
inline QByteArray FileItem(const QByteArray& shortName, const QString& longName = {}, bool folder = false) {
    QByteArray body(1, char(folder ? 0x31 : 0x32));
    body.append('\0');
    U32(body, 0);  // size
    U32(body, 0);  // modification time
    U16(body, folder ? 0x10 : 0x20);
    body.append(shortName).append('\0');
    if ((body.size() + 2) & 1) body.append('\0');
    if (!longName.isEmpty()) {
        const qsizetype blockAt = body.size() + 2;
        QByteArray block;
        U16(block, 8);  // version
        U32(block, 0xBEEF0004);
        U32(block, 0);                       // creation
        U32(block, 0);                       // access
        U16(block, 0x2A);                    // identifier
        block.append(QByteArray(18, '\0'));  // file reference and unknown fields
        U16(block, 0);                       // long string size
        U32(block, 0);                       // version 8 field
        block.append(Utf16Z(longName));
        U16(block, std::uint16_t(blockAt));
        QByteArray sized;
        U16(sized, std::uint16_t(block.size() + 2));
        body.append(sized + block);
    }
    return Item(body);
}

struct Link;
inline QByteArray AppendStrings(QByteArray& out, const Link& link);

struct Link {
    QByteArray LocalPath = {};   // in the ANSI code page
    QByteArray NetName = {};     // "\\\\server\\share"; empty for none
    QByteArray PathSuffix = {};  // the part after the share
    QString Arguments = {};      // empty for none
    QString WorkingDir = {};     // empty for none
    QString IconLocation = {};   // empty for none
    QByteArray IdList = {};      // items, without the terminating empty item; empty for no list
    bool AnsiStrings = false;    // string data in the ANSI code page instead of UTF-16
    QString UnicodeLocal = {};   // given: a link info header with Unicode base path and suffix
    QString UnicodeSuffix = {};
};

inline QByteArray Build(const Link& link) {
    const bool hasLocal = !link.LocalPath.isEmpty();
    const bool hasNet = !link.NetName.isEmpty();
    const bool hasInfo = hasLocal || hasNet;
    const bool unicodeInfo = !link.UnicodeLocal.isEmpty();
    std::uint32_t flags = link.AnsiStrings ? 0 : 0x80;  // IsUnicode
    if (!link.IdList.isEmpty()) flags |= 0x1;
    if (hasInfo) flags |= 0x2;  // HasLinkInfo
    if (!link.WorkingDir.isEmpty()) flags |= 0x10;
    if (!link.Arguments.isEmpty()) flags |= 0x20;
    if (!link.IconLocation.isEmpty()) flags |= 0x40;

    QByteArray out;
    U32(out, 0x4C);
    out.append(QByteArray::fromHex("0114020000000000C000000000000046"));
    U32(out, flags);
    U32(out, 0x20);                    // FILE_ATTRIBUTE_ARCHIVE
    out.append(QByteArray(24, '\0'));  // three FILETIMEs
    U32(out, 0);                       // file size
    U32(out, 2);                       // icon index
    U32(out, 1);                       // SW_SHOWNORMAL
    U16(out, 0);
    U16(out, 0);
    U32(out, 0);
    U32(out, 0);
    if (!link.IdList.isEmpty()) {
        U16(out, std::uint16_t(link.IdList.size() + 2));
        out.append(link.IdList);
        U16(out, 0);
    }

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

    const std::uint32_t headerSize = unicodeInfo ? 0x24 : 0x1C;
    std::uint32_t offset = headerSize;
    const std::uint32_t volumeOffset = hasLocal ? offset : 0;
    if (hasLocal) offset += std::uint32_t(volume.size());
    const std::uint32_t localOffset = hasLocal ? offset : 0;
    if (hasLocal) offset += std::uint32_t(link.LocalPath.size() + 1);
    const std::uint32_t networkOffset = hasNet ? offset : 0;
    if (hasNet) offset += std::uint32_t(network.size());
    const std::uint32_t suffixOffset = offset;
    offset += std::uint32_t(link.PathSuffix.size() + 1);
    const QByteArray unicodeLocal = Utf16Z(link.UnicodeLocal), unicodeSuffix = Utf16Z(link.UnicodeSuffix);
    const std::uint32_t unicodeLocalOffset = offset;
    if (unicodeInfo) offset += std::uint32_t(unicodeLocal.size());
    const std::uint32_t unicodeSuffixOffset = offset;
    if (unicodeInfo) offset += std::uint32_t(unicodeSuffix.size());

    if (!hasInfo) return AppendStrings(out, link);
    U32(out, offset);
    U32(out, headerSize);
    U32(out, (hasLocal ? 0x1 : 0) | (hasNet ? 0x2 : 0));
    U32(out, volumeOffset);
    U32(out, localOffset);
    U32(out, networkOffset);
    U32(out, suffixOffset);
    if (unicodeInfo) {
        U32(out, unicodeLocalOffset);
        U32(out, unicodeSuffixOffset);
    }
    if (hasLocal) out.append(volume).append(link.LocalPath).append('\0');
    if (hasNet) out.append(network);
    out.append(link.PathSuffix).append('\0');
    if (unicodeInfo) out.append(unicodeLocal).append(unicodeSuffix);
    return AppendStrings(out, link);
}

inline QByteArray AppendStrings(QByteArray& out, const Link& link) {
    for (const QString* text : {&link.WorkingDir, &link.Arguments, &link.IconLocation}) {
        if (text->isEmpty()) continue;
        if (link.AnsiStrings) {
            const QByteArray bytes = Gbk(*text);
            U16(out, std::uint16_t(bytes.size()));
            out.append(bytes);
        } else {
            U16(out, std::uint16_t(text->size()));
            out.append(Utf16Z(*text).chopped(2));
        }
    }
    U32(out, 0);  // terminal block
    return out;
}

}  // namespace lnk
