#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "tests/TestPaths.h"
#include "tests/core/DocFixtures.h"
#include "tests/core/ImageLayout.h"

namespace qv {
namespace {

using test::FindPublishedBlock;

// Builds the expected 98,096 bytes from the readable listing.
std::vector<uint8_t> ExpectedDefaults() {
    std::vector<uint8_t> image(kBlocksSize, 0);
    std::ifstream in(std::string(test::kFixtureDir) + "/factory_defaults.txt");
    EXPECT_TRUE(in.good());
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream ls(line);
        std::string where, type, eq, value;
        ls >> where >> type >> eq;
        std::getline(ls >> std::ws, value);
        const size_t plus = where.find('+');
        const size_t bracket = where.find('[');
        const std::string name = where.substr(0, std::min(plus, bracket));
        const test::PublishedBlock* block = FindPublishedBlock(name);
        EXPECT_NE(block, nullptr) << line;
        if (!block)
            continue;
        const size_t fieldOff = std::stoul(where.substr(plus + 1), nullptr, 0);
        std::vector<size_t> records{0};
        if (bracket != std::string::npos) {
            const std::string rec = where.substr(bracket + 1, where.find(']') - bracket - 1);
            records.clear();
            if (rec == "*") {
                for (size_t r = 0; r < block->size / block->recordSize; ++r)
                    records.push_back(r);
            } else {
                records.push_back(std::stoul(rec));
            }
        }
        for (size_t r : records) {
            uint8_t* p = image.data() + block->offset + r * block->recordSize + fieldOff;
            if (type == "u8" || type == "u16" || type == "u32") {
                const unsigned long v = std::stoul(value, nullptr, 0);
                const int width = type == "u8" ? 1 : type == "u16" ? 2 : 4;
                for (int k = 0; k < width; ++k)
                    p[k] = static_cast<uint8_t>(v >> (8 * k));
            } else if (type == "ipv4") {
                std::istringstream vs(value);
                for (int k = 0; k < 4; ++k) {
                    int octet = 0;
                    char dot;
                    vs >> octet;
                    if (k < 3)
                        vs >> dot;
                    p[k] = static_cast<uint8_t>(octet);
                }
            } else if (type.rfind("text", 0) == 0) {
                EXPECT_LT(value.size(), std::stoul(type.substr(4))) << line;
                std::copy(value.begin(), value.end(), p);
            } else {
                ADD_FAILURE() << "unknown type in " << line;
            }
        }
    }
    return image;
}

TEST(FactoryDefaults, NewDocumentMatchesPublishedListingByteForByte) {
    CQuorvelDoc doc(kCodePageJapanese);
    const std::vector<uint8_t> expected = ExpectedDefaults();
    const uint8_t* actual = doc.Blocks().raw();
    for (const auto& b : test::kPublishedBlocks) {
        for (size_t k = 0; k < b.size; ++k) {
            if (actual[b.offset + k] != expected[b.offset + k]) {
                ADD_FAILURE() << b.name << " byte " << k << ": got " << int(actual[b.offset + k])
                              << ", expected " << int(expected[b.offset + k]);
                break;
            }
        }
    }
    EXPECT_TRUE(doc.IsUnmodified());
}

TEST(FactoryDefaults, SecondCallAfterEditsRestoresTheSameBytes) {
    CQuorvelDoc doc(kCodePageJapanese);
    const std::vector<uint8_t> first(doc.Blocks().raw(), doc.Blocks().raw() + kBlocksSize);
    test::FillKitchenSink(doc);
    doc.currentItem = 7;
    doc.writeRequested = 1;
    doc.stationFlags[3] = 1;
    EXPECT_FALSE(doc.IsUnmodified());

    doc.SetDefaultSettings();
    EXPECT_EQ(std::vector<uint8_t>(doc.Blocks().raw(), doc.Blocks().raw() + kBlocksSize), first);
    EXPECT_TRUE(doc.IsUnmodified());
    // Not part of the settings: left alone.
    EXPECT_EQ(doc.currentItem, 7u);
    EXPECT_EQ(doc.writeRequested, 1u);
    EXPECT_EQ(doc.stationFlags[3], 1u);
}

TEST(ImageLayoutTable, ProgramLayoutMatchesPublishedOffsets) {
    size_t end = 0;
    for (int i = 0; i < kBlockCount; ++i) {
        const test::PublishedBlock& pub = test::kPublishedBlocks[i];
        EXPECT_STREQ(kBlockLayout[i].name, pub.name);
        EXPECT_EQ(kBlockLayout[i].offset, pub.offset) << pub.name;
        EXPECT_EQ(kBlockLayout[i].size, pub.size) << pub.name;
        EXPECT_EQ(pub.offset, end) << pub.name << " leaves a gap";
        end = pub.offset + pub.size;
    }
    EXPECT_EQ(end, 98096u);
}

} // namespace
} // namespace qv
