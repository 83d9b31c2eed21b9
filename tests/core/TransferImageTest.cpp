#include <gtest/gtest.h>

#include <cstring>

#include "document/Scramble.h"
#include "tests/core/DocFixtures.h"

namespace qv {
namespace {

TEST(TransferImage, RoundTripKeepsBlocksAndChangedState) {
    for (bool unmodified : {true, false}) {
        CQuorvelDoc doc(kCodePageJapanese);
        test::FillKitchenSink(doc);
        doc.TakeSnapshot(kSnapshotSaved);
        if (!unmodified)
            doc.Blocks().groups[3].SetU8(5, 0);
        const std::vector<uint8_t> before(doc.Blocks().raw(), doc.Blocks().raw() + kBlocksSize);

        TransferImage image;
        image.fill(0xA5);
        EXPECT_EQ(doc.DocToImage(image), 98096u);
        // Bytes past the blocks belong to the caller.
        for (size_t k = kBlocksSize; k < kImageSize; ++k)
            ASSERT_EQ(image[k], 0xA5);
        // Recipients leave scrambled, everything else as it is.
        const size_t users = kBlockLayout[kBlockUsers].offset;
        uint8_t rec[80];
        std::memcpy(rec, &image[users + 80 * 5], 80);
        UnscrambleBytes(rec, 48);
        UnscrambleBytes(rec + 48, 16);
        EXPECT_EQ(0, std::memcmp(rec, doc.Blocks().users[5].data(), 80));
        EXPECT_EQ(0, std::memcmp(image.data(), before.data(), users));

        EXPECT_EQ(doc.ImageToDoc(image), 98096u);
        EXPECT_EQ(std::vector<uint8_t>(doc.Blocks().raw(), doc.Blocks().raw() + kBlocksSize), before);
        EXPECT_EQ(doc.IsUnmodified(), unmodified);
    }
}

TEST(TransferImage, ReadFromUnitMakesTheDocumentChanged) {
    CQuorvelDoc doc(kCodePageJapanese);
    CQuorvelDoc unit(kCodePageJapanese);
    test::FillKitchenSink(unit);
    TransferImage image{};
    unit.DocToImage(image);
    doc.SetPathName("/somewhere/file.qv", false);
    doc.ImageToDoc(image);
    EXPECT_FALSE(doc.IsUnmodified());
    EXPECT_EQ(doc.Blocks().header, unit.Blocks().header); // the unit's header is taken over
    EXPECT_EQ(doc.PathName(), "/somewhere/file.qv");
}

struct StampCase {
    uint32_t codePage;
    std::string user; // UTF-8
    std::vector<uint8_t> field; // expected bytes from offset 8, then zeros
};

TEST(TransferImage, StampWriteInfo) {
    const std::string longName(80, 'u');
    const StampCase cases[] = {
        {kCodePageJapanese, "operator", {'o', 'p', 'e', 'r', 'a', 't', 'o', 'r'}},
        {kCodePageJapanese, "\xE5\xB1\xB1\xE7\x94\xB0", {0x8E, 0x52, 0x93, 0x63}}, // 山田
        {kCodePageChinese, "\xE5\xB1\xB1\xE7\x94\xB0", {0xC9, 0xBD, 0xCC, 0xEF}},
        {kCodePageJapanese, "\xF0\x9F\x98\x80", {}}, // no place in the code page: empty
        {kCodePageJapanese, longName, std::vector<uint8_t>(55, 'u')},
        // a double-byte character never split at the field's end
        {kCodePageJapanese, std::string(54, 'a') + "\xE5\xB1\xB1",
         [] { std::vector<uint8_t> v(54, 'a'); return v; }()},
    };
    for (const StampCase& c : cases) {
        test::FixedClock clock;
        test::FixedUser user;
        user.name = c.user;
        CQuorvelDoc doc(c.codePage, clock, user);
        doc.Blocks().writeStamp.SetU8(7, 0x77);
        std::memset(doc.Blocks().writeStamp.data() + 8, 0xEE, 56);
        doc.StampWriteInfo();
        const WriteStampBlock& s = doc.Blocks().writeStamp;
        const uint8_t time[8] = {26, 12, 10, 13, 45, 30, 4, 0x77};
        EXPECT_EQ(0, std::memcmp(s.data(), time, 8));
        std::vector<uint8_t> expected = c.field;
        expected.resize(56, 0);
        EXPECT_EQ(std::vector<uint8_t>(s.data() + 8, s.data() + 64), expected) << c.user;
        EXPECT_FALSE(doc.IsUnmodified());
    }
}

} // namespace
} // namespace qv
