#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include "app/SplashBitmap.h"
#include "document/RegularFile.h"
#include "link/Firmware.h"
#include "tests/core/ChildProcess.h"
#include "tests/core/DocFixtures.h"

namespace qv {
namespace {

enum Kind { kRegular, kFolder, kFifo, kDevice, kMissing };

struct Row {
    Kind kind;
    const char* what;
    RegularFileStatus status;
    int settingsResult;
    FileReadResult firmwareResult;
};

// Each reader runs in a child, so one that blocks on a FIFO fails the test
// instead of hanging it.
TEST(RegularFile, OnlyRegularFilesAreReadAndNothingBlocks) {
    test::TempDir dir;
    const Row rows[] = {
        {kRegular, "regular file", RegularFileStatus::Ok, kFileOk, FileReadResult::Ok},
        {kFolder, "folder", RegularFileStatus::CannotOpen, kFileCannotOpen,
         FileReadResult::CannotOpen},
        {kFifo, "FIFO", RegularFileStatus::NotRegular, kFileWrongLength,
         FileReadResult::NotRegular},
        {kDevice, "device", RegularFileStatus::NotRegular, kFileWrongLength,
         FileReadResult::NotRegular},
        {kMissing, "missing", RegularFileStatus::CannotOpen, kFileCannotOpen,
         FileReadResult::CannotOpen},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::string path = dir.File(std::string("x-") + row.what);
        switch (row.kind) {
        case kRegular: {
            CQuorvelDoc doc(kCodePageJapanese);
            ASSERT_EQ(doc.SaveSettingsFile(path), 0);
            break;
        }
        case kFolder:
            ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
            break;
        case kFifo:
            ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
            break;
        case kDevice:
            path = "/dev/null";
            break;
        case kMissing:
            break;
        }

        const test::ChildEnd helper = test::RunInChild([&] {
            RegularFile file(path);
            return static_cast<int>(file.Status());
        });
        ASSERT_TRUE(helper.finished) << "the open blocked";
        EXPECT_EQ(helper.exitCode, static_cast<int>(row.status));

        const test::ChildEnd settings = test::RunInChild([&] {
            CQuorvelDoc doc(kCodePageJapanese);
            return doc.LoadSettingsFile(path) & 0xFF;
        });
        ASSERT_TRUE(settings.finished) << "the settings file load blocked";
        EXPECT_EQ(settings.exitCode, row.settingsResult & 0xFF);

        const test::ChildEnd firmware = test::RunInChild([&] {
            std::vector<uint8_t> bytes;
            return static_cast<int>(ReadWholeFile(path, kFirmwareFileLimit, bytes));
        });
        ASSERT_TRUE(firmware.finished) << "the firmware file read blocked";
        EXPECT_EQ(firmware.exitCode, static_cast<int>(row.firmwareResult));

        // A settings file is no picture: no splash either way, but no wait.
        const test::ChildEnd splash =
            test::RunInChild([&] { return ReadSplashBitmap(path) ? 1 : 0; });
        ASSERT_TRUE(splash.finished) << "the splash picture read blocked";
        EXPECT_EQ(splash.exitCode, 0);
    }
}

TEST(RegularFile, ReadsInBlockingModeAndReportsAnEarlyEnd) {
    test::TempDir dir;
    const std::string path = dir.File("five");
    test::WriteBytes(path, {1, 2, 3, 4, 5});
    RegularFile file(path);
    ASSERT_EQ(file.Status(), RegularFileStatus::Ok);
    EXPECT_EQ(file.Size(), 5);
    EXPECT_EQ(fcntl(file.Fd(), F_GETFL) & O_NONBLOCK, 0);
    uint8_t head[3] = {};
    ASSERT_TRUE(file.ReadAll(head, 3));
    EXPECT_EQ(head[2], 3);
    uint8_t rest[3] = {};
    EXPECT_FALSE(file.ReadAll(rest, 3)); // only two bytes are left
    EXPECT_EQ(errno, EIO);
}

} // namespace
} // namespace qv
