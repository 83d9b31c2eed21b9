#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/Scramble.h"
#include "tests/core/DocFixtures.h"
#include "tests/core/ImageLayout.h"

namespace qv {
namespace {

class SettingsFile : public ::testing::Test {
protected:
    test::FixedClock clock;
    test::FixedUser user;
    test::TempDir dir;
    std::unique_ptr<CQuorvelDoc> NewDoc() {
        return std::make_unique<CQuorvelDoc>(kCodePageJapanese, clock, user);
    }
    static std::vector<uint8_t> Blocks(const CQuorvelDoc& d) {
        return std::vector<uint8_t>(d.Blocks().raw(), d.Blocks().raw() + kBlocksSize);
    }
};

class RecordingRecent : public RecentFileSink {
public:
    std::vector<std::string> added;
    void AddRecentFile(const std::string& path) override { added.push_back(path); }
};

TEST_F(SettingsFile, DefaultsSaveToThePublishedBytes) {
    auto doc = NewDoc();
    const std::string path = dir.File("new.qv");
    ASSERT_EQ(doc->SaveSettingsFile(path), 0);
    const std::vector<uint8_t> f = test::ReadBytes(path);
    ASSERT_EQ(f.size(), 131072u);

    const uint8_t header[44] = {'Q', 'u', 'o', 'r', 'v', 'e', 'l', 'i', 's', 0, 0, 0, 0, 0, 0, 0,
                                'V', 'e', 'r', '.', '2', '.', '3', '0', '.', '0', '0', '0', '0', 0, 0, 0,
                                0x00, 0x00, 0x02, 0x00, 0, 26, 12, 10, 13, 45, 30, 4};
    EXPECT_EQ(0, std::memcmp(f.data(), header, sizeof header));
    EXPECT_EQ(0, std::memcmp(&f[64], "Brellox\0", 8));
    const uint8_t port[6] = {1, 2, 1, 0, 5, 0};
    EXPECT_EQ(0, std::memcmp(&f[96], port, 6));
    EXPECT_EQ(0, std::memcmp(&f[102], port, 6));
    EXPECT_EQ(f[108], 1);
    EXPECT_EQ(f[110], 1);
    EXPECT_EQ(f[113], 0x11);
    EXPECT_EQ(f[114], 1);
    EXPECT_EQ(f[115], 1);
    // Empty recipients are stored scrambled: 0xFF over address and name, the rest zero.
    const test::PublishedBlock* users = test::FindPublishedBlock("UserTable");
    for (size_t r = 0; r < 16; ++r) {
        const uint8_t* rec = &f[users->offset + r * 80];
        for (size_t k = 0; k < 80; ++k)
            ASSERT_EQ(rec[k], k < 64 ? 0xFF : 0x00) << "record " << r << " byte " << k;
    }
    for (size_t k = 98096; k < f.size(); ++k)
        ASSERT_EQ(f[k], 0) << "tail byte " << k;
    EXPECT_TRUE(doc->IsUnmodified());
    EXPECT_EQ(doc->PathName(), path);
}

TEST_F(SettingsFile, KitchenSinkRoundTripIsExact) {
    auto doc = NewDoc();
    RecordingRecent recent;
    doc->SetRecentFileSink(&recent);
    test::FillKitchenSink(*doc);
    const std::string path = dir.File("full.qv");
    ASSERT_EQ(doc->SaveSettingsFile(path), 0);
    EXPECT_TRUE(doc->IsUnmodified());
    const std::vector<uint8_t> saved = Blocks(*doc);

    // Recipients are scrambled on disk, the document keeps them plain.
    const std::vector<uint8_t> f = test::ReadBytes(path);
    const size_t users = kBlockLayout[kBlockUsers].offset;
    std::vector<uint8_t> plain(f.begin() + users, f.begin() + users + 80);
    UnscrambleBytes(plain.data(), 48);
    UnscrambleBytes(plain.data() + 48, 16);
    EXPECT_EQ(0, std::memcmp(plain.data(), doc->Blocks().users[0].data(), 80));

    auto other = NewDoc();
    other->SetRecentFileSink(&recent);
    ASSERT_EQ(other->LoadSettingsFile(path), 0);
    EXPECT_EQ(Blocks(*other), saved);
    EXPECT_TRUE(other->IsUnmodified());
    EXPECT_EQ(other->PathName(), path);
    EXPECT_EQ(recent.added, (std::vector<std::string>{path, path}));

    // Saving again in the same second gives the same file.
    const std::string again = dir.File("again.qv");
    ASSERT_EQ(other->SaveSettingsFile(again), 0);
    EXPECT_EQ(test::ReadBytes(again), f);
}

TEST_F(SettingsFile, HeaderFieldsOtherThanTheProductNameAreNotChecked) {
    auto doc = NewDoc();
    const std::string path = dir.File("old.qv");
    ASSERT_EQ(doc->SaveSettingsFile(path), 0);
    std::vector<uint8_t> f = test::ReadBytes(path);
    std::memcpy(&f[16], "Ver.9.99.9999\0\0\0", 16);
    f[32] = 0x55;
    std::memset(&f[10], 'z', 6); // anything after the name's NUL
    test::WriteBytes(path, f);
    EXPECT_EQ(doc->LoadSettingsFile(path), 0);
    EXPECT_EQ(doc->Blocks().header.U8(16 + 4), '9');
}

// Every refused file leaves the document exactly as it was.
TEST_F(SettingsFile, BadFilesAreRefusedAndChangeNothing) {
    auto good = NewDoc();
    const std::string goodPath = dir.File("good.qv");
    ASSERT_EQ(good->SaveSettingsFile(goodPath), 0);
    const std::vector<uint8_t> goodBytes = test::ReadBytes(goodPath);

    auto variant = [&](auto change) {
        std::vector<uint8_t> b = goodBytes;
        change(b);
        return b;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes; // empty name: no file at all
        bool makeDir;
        int expected;
    } cases[] = {
        {"one byte short", variant([](auto& b) { b.pop_back(); }), false, kFileWrongLength},
        {"one byte long", variant([](auto& b) { b.push_back(0); }), false, kFileWrongLength},
        {"empty", {}, false, kFileWrongLength},
        {"name followed by a letter", variant([](auto& b) { b[9] = 'x'; }), false, kFileWrongProduct},
        {"another product", variant([](auto& b) { b[0] = 'q'; }), false, kFileWrongProduct},
        {"a folder", {}, true, kFileCannotOpen},
    };
    for (const Case& c : cases) {
        auto doc = NewDoc();
        test::FillKitchenSink(*doc, 7);
        doc->TakeSnapshot(kSnapshotSaved);
        doc->Blocks().unit.SetU8(0, '!'); // unsaved edit
        doc->SetPathName(dir.File("current.qv"), false);
        const std::vector<uint8_t> before = Blocks(*doc);

        const std::string path = dir.File(std::string("bad-") + c.what);
        if (c.makeDir)
            ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
        else
            test::WriteBytes(path, c.bytes);
        EXPECT_EQ(doc->LoadSettingsFile(path), c.expected) << c.what;
        EXPECT_EQ(Blocks(*doc), before) << c.what;
        EXPECT_FALSE(doc->IsUnmodified()) << c.what;
        EXPECT_EQ(doc->PathName(), dir.File("current.qv")) << c.what;
    }
    auto doc = NewDoc();
    EXPECT_EQ(doc->LoadSettingsFile(dir.File("missing.qv")), kFileCannotOpen);
    EXPECT_EQ(doc->LastFileErrno(), ENOENT);
}

TEST_F(SettingsFile, FailedCreationReturnsTheSystemErrorAndChangesNothing) {
    auto doc = NewDoc();
    doc->Blocks().unit.SetU8(0, '!');
    const std::vector<uint8_t> before = Blocks(*doc);
    test::WriteBytes(dir.File("plainfile"), {1});
    for (const std::string& path : {dir.File("no/such/folder.qv"), dir.File("plainfile/x.qv")}) {
        const int rc = doc->SaveSettingsFile(path);
        EXPECT_GT(rc, 0) << path;
        EXPECT_EQ(Blocks(*doc), before);
        EXPECT_FALSE(doc->IsUnmodified());
        EXPECT_TRUE(doc->IsUntitled());
    }
}

// A write that fails half-way (here: the file size limit, as a full disk would)
// leaves the old file as it was and the document still changed.
TEST_F(SettingsFile, FailedWriteKeepsOldFileAndChangedState) {
    auto doc = NewDoc();
    const std::string path = dir.File("keep.qv");
    ASSERT_EQ(doc->SaveSettingsFile(path), 0);
    const std::vector<uint8_t> oldFile = test::ReadBytes(path);
    const std::vector<uint8_t> oldHeader(doc->Blocks().header.data(), doc->Blocks().header.data() + 64);

    doc->Blocks().unit.SetU8(0, '!');
    clock.now.minute = 59;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int rc = doc->SaveSettingsFile(path);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(rc, kFileCannotOpen);
    EXPECT_EQ(doc->LastFileErrno(), EFBIG);
    EXPECT_EQ(test::ReadBytes(path), oldFile);
    EXPECT_FALSE(doc->IsUnmodified());
    EXPECT_EQ(std::vector<uint8_t>(doc->Blocks().header.data(), doc->Blocks().header.data() + 64),
              oldHeader);
    // No temporary file is left behind.
    EXPECT_EQ(std::system(("test $(ls -A '" + dir.path() + "' | wc -l) -eq 1").c_str()), 0);
}

TEST_F(SettingsFile, SaveKeepsTheFilesModeAndWritesThroughASymlink) {
    auto doc = NewDoc();
    const std::string real = dir.File("real.qv");
    ASSERT_EQ(doc->SaveSettingsFile(real), 0);
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    const std::string link = dir.File("link.qv");
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    doc->Blocks().unit.SetU8(0, 'Z');
    ASSERT_EQ(doc->SaveSettingsFile(link), 0);
    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(test::ReadBytes(real)[64], 'Z');
}

} // namespace
} // namespace qv
