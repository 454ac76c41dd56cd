#include "LnkLayout.h"

#include <QStringDecoder>

#include <cstdint>

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                          0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr unsigned char kMyComputerClsid[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                                0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

enum LinkFlag : std::uint32_t {
    HasTargetIdList = 0x1,
    HasLinkInfo = 0x2,
    HasName = 0x4,
    HasRelativePath = 0x8,
    HasWorkingDir = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
};
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kCommonNetworkRelativeLink = 0x2;
constexpr std::uint32_t kFileEntryExtension = 0xBEEF0004;

// Links made on a Chinese system keep their non-Unicode strings in code page 936.
QString Ansi(const char* data, std::uint64_t size) {
    QStringDecoder decoder("GB18030");
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

// One structure of the file. Offsets are 64-bit so that a 32-bit offset plus a length never wraps;
// every read is checked against the structure's own end, which lies inside the file.
class Span {
public:
    explicit Span(const QByteArray& bytes) : FData(bytes.constData()), FSize(std::uint64_t(bytes.size())) {}

    std::uint64_t Size() const { return FSize; }
    bool Holds(std::uint64_t at, std::uint64_t size) const { return at <= FSize && size <= FSize - at; }

    std::optional<Span> Sub(std::uint64_t at, std::uint64_t size) const {
        if (!Holds(at, size)) return std::nullopt;
        return Span(FData + at, size);
    }
    std::optional<std::uint16_t> U16(std::uint64_t at) const {
        if (!Holds(at, 2)) return std::nullopt;
        return std::uint16_t(Byte(at) | Byte(at + 1) << 8);
    }
    std::optional<std::uint8_t> U8(std::uint64_t at) const {
        if (!Holds(at, 1)) return std::nullopt;
        return std::uint8_t(Byte(at));
    }
    std::optional<std::uint32_t> U32(std::uint64_t at) const {
        if (!Holds(at, 4)) return std::nullopt;
        return std::uint32_t(Byte(at)) | std::uint32_t(Byte(at + 1)) << 8 |
               std::uint32_t(Byte(at + 2)) << 16 | std::uint32_t(Byte(at + 3)) << 24;
    }
    bool Equals(std::uint64_t at, const unsigned char (&expected)[16]) const {
        if (!Holds(at, 16)) return false;
        for (int i = 0; i < 16; ++i)
            if (Byte(at + std::uint64_t(i)) != expected[i]) return false;
        return true;
    }
    // A zero-terminated string starting at `at` whose terminator lies inside this structure.
    std::optional<QString> AnsiZ(std::uint64_t at) const {
        const auto end = ZeroAt(at);
        if (!end) return std::nullopt;
        return Ansi(FData + at, *end - at);
    }
    std::optional<std::uint64_t> ZeroAt(std::uint64_t at) const {
        for (std::uint64_t i = at; i < FSize; ++i)
            if (Byte(i) == 0) return i;
        return std::nullopt;
    }
    std::optional<QString> UnicodeZ(std::uint64_t at) const {
        for (std::uint64_t i = at; Holds(i, 2); i += 2)
            if (Byte(i) == 0 && Byte(i + 1) == 0) return Utf16(at, (i - at) / 2);
        return std::nullopt;
    }
    std::optional<QString> Utf16(std::uint64_t at, std::uint64_t count) const {
        if (count > FSize / 2 || !Holds(at, count * 2)) return std::nullopt;
        QString text(qsizetype(count), Qt::Uninitialized);
        for (std::uint64_t i = 0; i < count; ++i) text[qsizetype(i)] = QChar(*U16(at + 2 * i));
        return text;
    }
    std::optional<QString> Ansi8(std::uint64_t at, std::uint64_t count) const {
        if (!Holds(at, count)) return std::nullopt;
        return Ansi(FData + at, count);
    }

private:
    Span(const char* data, std::uint64_t size) : FData(data), FSize(size) {}
    unsigned Byte(std::uint64_t at) const { return static_cast<unsigned char>(FData[at]); }

    const char* FData;
    std::uint64_t FSize;
};

// The string at the offset stored in the field `field` of `block`; `unicode` picks the encoding.
std::optional<QString> StringAtField(const Span& block, std::uint64_t field, bool unicode) {
    const auto offset = block.U32(field);
    if (!offset) return std::nullopt;
    return unicode ? block.UnicodeZ(*offset) : block.AnsiZ(*offset);
}

// "\\server\share" and "dir\file" give "\\server\share\dir\file", as the shell joins them.
QString JoinPath(const QString& base, const QString& suffix) {
    if (suffix.isEmpty() || base.isEmpty() || base.endsWith(QLatin1Char('\\'))) return base + suffix;
    return base + QLatin1Char('\\') + suffix;
}

std::optional<Span> SizedBlock(const Span& outer, std::uint64_t at, std::uint32_t minimum) {
    const auto size = outer.U32(at);
    if (!size || *size < minimum) return std::nullopt;
    return outer.Sub(at, *size);
}

bool ReadVolumeId(const Span& info, std::uint32_t offset) {
    const auto volume = SizedBlock(info, offset, 0x10);
    if (!volume) return false;
    const auto labelOffset = volume->U32(12);
    if (!labelOffset) return false;
    if (*labelOffset == 0x14) return StringAtField(*volume, 16, true).has_value();
    return volume->AnsiZ(*labelOffset).has_value();
}

std::optional<QString> ReadNetworkName(const Span& info, std::uint32_t offset) {
    const auto link = SizedBlock(info, offset, 0x14);
    if (!link) return std::nullopt;
    const auto flags = link->U32(4);
    const auto netNameOffset = link->U32(8);
    if (!flags || !netNameOffset) return std::nullopt;
    constexpr std::uint32_t kValidDevice = 0x1;
    const bool hasUnicode = *netNameOffset > 0x14;
    auto name = StringAtField(*link, 8, false);
    if (!name) return std::nullopt;
    if ((*flags & kValidDevice) && !StringAtField(*link, 12, false)) return std::nullopt;
    if (hasUnicode) {
        name = StringAtField(*link, 20, true);
        if (!name) return std::nullopt;
        if ((*flags & kValidDevice) && !StringAtField(*link, 24, true)) return std::nullopt;
    }
    return name;
}

bool ReadLinkInfo(const Span& info, TLnkLink& link) {
    const auto headerSize = info.U32(4);
    const auto flags = info.U32(8);
    if (!headerSize || !flags || *headerSize < 0x1C || *headerSize > info.Size()) return false;
    const bool hasUnicode = *headerSize >= 0x24;
    auto suffix = StringAtField(info, 24, false);
    if (!suffix) return false;
    if (hasUnicode) {
        suffix = StringAtField(info, 32, true);
        if (!suffix) return false;
    }
    if (*flags & kVolumeIdAndLocalBasePath) {
        auto base = StringAtField(info, 16, false);
        if (!base || !ReadVolumeId(info, *info.U32(12))) return false;
        if (hasUnicode) {
            base = StringAtField(info, 28, true);
            if (!base) return false;
        }
        link.LocalPath = *base + *suffix;
    }
    if (*flags & kCommonNetworkRelativeLink) {
        const auto name = ReadNetworkName(info, *info.U32(20));
        if (!name) return false;
        link.NetworkPath = JoinPath(*name, *suffix);
    }
    return true;
}

// The long name of a file entry item, from its extension block when it has one.
std::optional<QString> LongName(const Span& extension) {
    const auto version = extension.U16(2);
    const auto signature = extension.U32(4);
    if (!version || !signature || *signature != kFileEntryExtension || *version < 3) return std::nullopt;
    std::uint64_t at = 20;
    if (*version >= 7) at = 38;
    if (*version >= 8) at += 4;
    if (*version >= 9) at += 4;
    // The last two bytes hold the block's offset inside its item; the name ends before them.
    const auto inside = extension.Sub(0, extension.Size() - 2);
    return inside ? inside->UnicodeZ(at) : std::nullopt;
}

// A file or folder item: type, a byte, size, time, attributes, the primary (often 8.3) name, then
// extension blocks.
std::optional<QString> FileEntryName(const Span& item, std::uint8_t type) {
    constexpr std::uint64_t kNameAt = 14;
    const bool unicode = type & 0x4;
    const auto primary = unicode ? item.UnicodeZ(kNameAt) : item.AnsiZ(kNameAt);
    if (!primary) return std::nullopt;
    std::uint64_t at =
        unicode ? kNameAt + 2 * (std::uint64_t(primary->size()) + 1) : *item.ZeroAt(kNameAt) + 1;
    at += at & 1;
    if (const auto size = item.U16(at); size && *size >= 8)
        if (const auto extension = item.Sub(at, *size))
            if (const auto name = LongName(*extension); name && !name->isEmpty()) return name;
    return primary;
}

// The path of an ID list that starts at My Computer and goes through a drive to files and folders.
// Any other root (the network, a control panel item) has no file-system path, which is not damage.
// The list itself must hold together: every item inside it and a terminating empty item.
std::optional<QString> ReadIdList(const Span& list) {
    QString path;
    bool onPath = true;
    std::uint64_t at = 0;
    for (int index = 0;; ++index) {
        const auto size = list.U16(at);
        if (!size) return std::nullopt;
        if (*size == 0) break;
        const auto item = list.Sub(at, *size);
        if (*size < 3 || !item) return std::nullopt;
        at += *size;
        if (!onPath) continue;
        const std::uint8_t type = *item->U8(2);
        if (index == 0) {
            onPath = type == 0x1F && item->Equals(4, kMyComputerClsid);
        } else if (index == 1) {
            const auto drive = (type & 0x70) == 0x20 ? item->AnsiZ(3) : std::nullopt;
            onPath = drive.has_value() && !drive->isEmpty();
            if (onPath) path = *drive;
        } else {
            const auto name = (type & 0x70) == 0x30 ? FileEntryName(*item, type) : std::nullopt;
            onPath = name.has_value();
            if (onPath) path = JoinPath(path, *name);
        }
    }
    return onPath && !path.isEmpty() ? path : QString();
}

// One counted string of the string data section: a 16-bit count of characters, then the characters.
std::optional<QString> CountedString(const Span& file, std::uint64_t& at, bool unicode) {
    const auto count = file.U16(at);
    if (!count) return std::nullopt;
    at += 2;
    const auto text = unicode ? file.Utf16(at, *count) : file.Ansi8(at, *count);
    if (!text) return std::nullopt;
    at += unicode ? 2 * std::uint64_t(*count) : std::uint64_t(*count);
    return text;
}

// Extra data blocks: each a 32-bit size (below 4 ends the list) and a signature. The reader uses
// none of them, but a block that runs past the end of the file is damage.
bool ExtraDataHoldsTogether(const Span& file, std::uint64_t at) {
    while (at < file.Size()) {
        const auto size = file.U32(at);
        if (!size) return false;
        if (*size < 4) return true;
        if (*size < 8 || !file.Holds(at, *size)) return false;
        at += *size;
    }
    return true;
}

}  // namespace

std::optional<TLnkLink> ReadLnkLink(const QByteArray& bytes) {
    const Span file(bytes);
    const auto headerSize = file.U32(0);
    if (!headerSize || *headerSize != kHeaderSize || !file.Holds(0, kHeaderSize) ||
        !file.Equals(4, kLinkClsid))
        return std::nullopt;
    const std::uint32_t flags = *file.U32(0x14);
    TLnkLink link;
    link.IconIndex = int(std::int32_t(*file.U32(0x38)));
    std::uint64_t at = kHeaderSize;
    if (flags & HasTargetIdList) {
        const auto listSize = file.U16(at);
        if (!listSize) return std::nullopt;
        const auto list = file.Sub(at + 2, *listSize);
        const auto path = list ? ReadIdList(*list) : std::nullopt;
        if (!path) return std::nullopt;
        link.IdListPath = *path;
        at += 2 + std::uint64_t(*listSize);
    }
    if (flags & HasLinkInfo) {
        const auto info = SizedBlock(file, at, 0x1C);
        if (!info || !ReadLinkInfo(*info, link)) return std::nullopt;
        at += info->Size();
    }
    const bool unicode = flags & IsUnicode;
    const std::pair<LinkFlag, QString*> strings[] = {
        {HasName, &link.Name},
        {HasRelativePath, &link.RelativePath},
        {HasWorkingDir, &link.WorkingDir},
        {HasArguments, &link.Arguments},
        {HasIconLocation, &link.IconLocation},
    };
    for (const auto& [flag, value] : strings) {
        if (!(flags & flag)) continue;
        const auto text = CountedString(file, at, unicode);
        if (!text) return std::nullopt;
        *value = *text;
    }
    if (!ExtraDataHoldsTogether(file, at)) return std::nullopt;
    return link;
}
