#include <gtest/gtest.h>

#include "LnkBuilder.h"
#include "LnkLayout.h"
#include "LnkShortcut.h"

namespace {

// A link whose network name runs past the end of the structure that holds it: the library read before overran
// its buffer on exactly these bytes (found by the fuzz target); they stay as a regression.
const unsigned char kNameOutsideItsBlock[] = {
    0x4c, 0x00, 0x00, 0x00, 0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xc0, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x46, 0x82, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x65, 0x00, 0x00, 0x00, 0x1c, 0x00, 0x00, 0x00, 0x03,
    0x00, 0x00, 0x00, 0x1c, 0x00, 0x00, 0x00, 0x2d, 0x00, 0x00, 0x00, 0x39, 0x00, 0x00, 0x00, 0x5c, 0x00,
    0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x78, 0x56, 0x34, 0x12, 0x10, 0x00, 0x00,
    0x00, 0x00, 0x5a, 0x3a, 0x5c, 0x74, 0x6f, 0x6f, 0x6c, 0x2e, 0x65, 0x78, 0x65, 0x00, 0x23, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x5c, 0x5c, 0x73, 0x65, 0x72, 0x76, 0x65, 0x72, 0x5c, 0x73, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66,
    0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x68, 0x61, 0x72, 0x65, 0x00, 0x74, 0x6f, 0x6f, 0x6c, 0x2e, 0x65,
    0x78, 0x65, 0x00, 0x00, 0x00, 0x00, 0x00};

QByteArray Bytes(const unsigned char* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void Put32(QByteArray& bytes, qsizetype at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

// A link with no ID list: its link info starts right after the header.
constexpr qsizetype kInfo = 0x4C;
const lnk::Link kNetworkLink{"Z:\\tool.exe", "\\\\server\\share", "tool.exe", "-x"};

}  // namespace

TEST(LnkLayout, AStringThatEndsOutsideItsStructureIsRefused) {
    const QByteArray damaged = Bytes(kNameOutsideItsBlock, sizeof kNameOutsideItsBlock);
    EXPECT_FALSE(LinkLayoutIsSound(damaged));
    EXPECT_FALSE(ReadLnkShortcut(damaged).has_value());
}

TEST(LnkLayout, TruncatedHeadersAndBlocksAreRefused) {
    QByteArray bytes = Bytes(kNameOutsideItsBlock, sizeof kNameOutsideItsBlock);
    EXPECT_FALSE(LinkLayoutIsSound(bytes.left(0x4C + 10)));  // the location block cut short
    EXPECT_FALSE(LinkLayoutIsSound(bytes.left(20)));         // not even a header
    bytes[0] = 0x4D;                                         // a header of the wrong size
    EXPECT_FALSE(LinkLayoutIsSound(bytes));
}

TEST(LnkLayout, ALinkWithoutALocationBlockIsSound) {
    QByteArray bytes = Bytes(kNameOutsideItsBlock, 0x4C);
    bytes[0x14] = 0;  // no target list, no location block
    EXPECT_TRUE(LinkLayoutIsSound(bytes));
}

TEST(LnkLayout, ANetworkLinkWhoseDeviceNameLiesPastItsDataIsRefused) {
    QByteArray bytes = lnk::Build(kNetworkLink);
    ASSERT_TRUE(LinkLayoutIsSound(bytes));
    const qsizetype network = kInfo + 0x1C + 0x11 + qsizetype(sizeof "Z:\\tool.exe");
    Put32(bytes, network + 4, 1);  // ValidDevice
    for (const std::uint32_t offset : {0x7FFFFFF0u, 0xFFFFFFFFu, 0x200u}) {
        Put32(bytes, network + 12, offset);
        EXPECT_FALSE(ReadLnkShortcut(bytes)) << offset;
    }
    Put32(bytes, network + 12, 0x14 + 8);  // inside the block: the tail of the share name
    EXPECT_TRUE(ReadLnkShortcut(bytes));
}

TEST(LnkLayout, OffsetsPastTheirStructureAndSizesThatWrapAreRefused) {
    const QByteArray good = lnk::Build(kNetworkLink);
    // Each field of the link info in turn: an offset past the block, one that wraps 32 bits when
    // a length is added, and the block's own size running past the file.
    for (const qsizetype field : {kInfo + 12, kInfo + 16, kInfo + 20, kInfo + 24}) {
        for (const std::uint32_t value : {0xFFFFFFFFu, 0xFFFFFFF0u, std::uint32_t(good.size())}) {
            QByteArray bytes = good;
            Put32(bytes, field, value);
            EXPECT_FALSE(ReadLnkLink(bytes)) << field << " " << value;
        }
    }
    for (const std::uint32_t size : {0xFFFFFFFFu, 0x1Bu, std::uint32_t(good.size())}) {
        QByteArray bytes = good;
        Put32(bytes, kInfo, size);
        EXPECT_FALSE(ReadLnkLink(bytes)) << size;
    }
    QByteArray headerTooLarge = good;
    Put32(headerTooLarge, kInfo + 4, 0xFFFFFFFF);
    EXPECT_FALSE(ReadLnkLink(headerTooLarge));
}

TEST(LnkLayout, TruncatedStringsIdListsAndExtraBlocksAreRefused) {
    const QByteArray good = lnk::Build({"C:\\a.exe", {}, {}, "-x", "C:\\", "C:\\a.ico"});
    ASSERT_TRUE(ReadLnkLink(good));
    // Every cut through the file, except one that only drops the terminal block.
    for (qsizetype size = 0; size < good.size() - 4; ++size)
        EXPECT_FALSE(ReadLnkLink(good.left(size))) << size;
    EXPECT_TRUE(ReadLnkLink(good.left(good.size() - 4)));

    QByteArray extra = good.left(good.size() - 4);
    lnk::U32(extra, 0x40);  // an extra data block larger than what is left
    lnk::U32(extra, 0xA0000003);
    EXPECT_FALSE(ReadLnkLink(extra));

    const QByteArray list = lnk::MyComputerItem() + lnk::DriveItem("C:\\");
    const QByteArray withList = lnk::Build({{}, {}, {}, {}, {}, {}, list});
    ASSERT_TRUE(ReadLnkLink(withList));
    QByteArray itemPastList = withList;
    itemPastList[0x4C + 2] = char(0x7F);  // the first item runs past the list
    EXPECT_FALSE(ReadLnkLink(itemPastList));
    QByteArray listPastFile = withList;
    listPastFile[0x4C + 1] = char(0x7F);
    EXPECT_FALSE(ReadLnkLink(listPastFile));
    QByteArray tinyItem = withList;
    tinyItem[0x4C + 2] = 1;  // an item smaller than its own size field
    EXPECT_FALSE(ReadLnkLink(tinyItem));
}
