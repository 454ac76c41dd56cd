#include "LnkLayout.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint32_t kHasTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kCommonNetworkRelativeLink = 0x2;
constexpr std::uint32_t kValidDevice = 0x1;

// A view of one structure of the file: every read is checked against its own size.
class Block {
public:
    Block(const QByteArray& bytes, std::uint64_t start, std::uint64_t size)
        : FBytes(bytes), FStart(start), FSize(size) {}

    bool Fits() const { return FStart + FSize <= static_cast<std::uint64_t>(FBytes.size()); }
    std::uint64_t Size() const { return FSize; }

    bool U32(std::uint64_t at, std::uint32_t& value) const {
        if (at + 4 > FSize) return false;
        std::memcpy(&value, FBytes.constData() + FStart + at, 4);  // little-endian machines only
        return true;
    }
    bool U16(std::uint64_t at, std::uint16_t& value) const {
        if (at + 2 > FSize) return false;
        std::memcpy(&value, FBytes.constData() + FStart + at, 2);
        return true;
    }
    // A string starting at `at` whose terminator (one or two zero bytes) lies inside the block.
    bool Terminated(std::uint64_t at, int charSize) const {
        for (std::uint64_t i = at; i + charSize <= FSize; i += charSize) {
            const char* c = FBytes.constData() + FStart + i;
            if (c[0] == 0 && (charSize == 1 || c[1] == 0)) return true;
        }
        return false;
    }
    Block Sub(std::uint64_t at, std::uint64_t size) const { return Block(FBytes, FStart + at, size); }
    bool Holds(std::uint64_t at, std::uint64_t size) const { return at + size <= FSize; }

private:
    const QByteArray& FBytes;
    std::uint64_t FStart;
    std::uint64_t FSize;
};

bool StringAt(const Block& block, std::uint32_t offsetField, int charSize) {
    std::uint32_t offset = 0;
    return block.U32(offsetField, offset) && offset < block.Size() && block.Terminated(offset, charSize);
}

bool VolumeIdIsSound(const Block& info, std::uint32_t offset) {
    std::uint32_t size = 0;
    if (!info.Holds(offset, 16) || !info.Sub(offset, 16).U32(0, size) || size < 16 ||
        !info.Holds(offset, size))
        return false;
    const Block volume = info.Sub(offset, size);
    std::uint32_t labelOffset = 0;
    if (!volume.U32(12, labelOffset)) return false;
    if (labelOffset == 0x14) return StringAt(volume, 16, 2);
    return labelOffset < size && volume.Terminated(labelOffset, 1);
}

bool NetworkLinkIsSound(const Block& info, std::uint32_t offset) {
    std::uint32_t size = 0, flags = 0, netNameOffset = 0;
    if (!info.Holds(offset, 20) || !info.Sub(offset, 20).U32(0, size) || size < 20 ||
        !info.Holds(offset, size))
        return false;
    const Block link = info.Sub(offset, size);
    if (!link.U32(4, flags) || !link.U32(8, netNameOffset)) return false;
    if (!StringAt(link, 8, 1)) return false;
    if ((flags & kValidDevice) && !StringAt(link, 12, 1)) return false;
    if (netNameOffset > 0x14) {
        if (!StringAt(link, 20, 2)) return false;
        if ((flags & kValidDevice) && !StringAt(link, 24, 2)) return false;
    }
    return true;
}

bool LinkInfoIsSound(const Block& file, std::uint64_t at) {
    std::uint32_t size = 0, headerSize = 0, flags = 0;
    if (!file.Holds(at, 0x1C)) return false;
    const Block head = file.Sub(at, 0x1C);
    if (!head.U32(0, size) || !head.U32(4, headerSize) || !head.U32(8, flags)) return false;
    if (headerSize < 0x1C || size < headerSize || !file.Holds(at, size)) return false;
    const Block info = file.Sub(at, size);
    std::uint32_t volumeOffset = 0, networkOffset = 0;
    if (!info.U32(12, volumeOffset) || !info.U32(20, networkOffset)) return false;
    if (flags & kVolumeIdAndLocalBasePath) {
        if (!VolumeIdIsSound(info, volumeOffset) || !StringAt(info, 16, 1)) return false;
        if (headerSize >= 0x24 && !StringAt(info, 28, 2)) return false;
    }
    if ((flags & kCommonNetworkRelativeLink) && !NetworkLinkIsSound(info, networkOffset)) return false;
    if (!StringAt(info, 24, 1)) return false;
    if (headerSize >= 0x24 && !StringAt(info, 32, 2)) return false;
    return true;
}

}  // namespace

bool LinkLayoutIsSound(const QByteArray& bytes) {
    const Block file(bytes, 0, static_cast<std::uint64_t>(bytes.size()));
    std::uint32_t headerSize = 0, linkFlags = 0;
    if (!file.U32(0, headerSize) || headerSize != kHeaderSize || !file.U32(0x14, linkFlags)) return false;
    std::uint64_t at = kHeaderSize;
    if (linkFlags & kHasTargetIdList) {
        std::uint16_t idListSize = 0;
        if (!file.U16(at, idListSize)) return false;
        at += 2 + std::uint64_t{idListSize};
        if (at > file.Size()) return false;
    }
    return !(linkFlags & kHasLinkInfo) || LinkInfoIsSound(file, at);
}
