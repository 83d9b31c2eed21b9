// The system settings dialog's OK: only what the dialog changed goes into the
// document's current blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "document/QuorvelDoc.h"
#include "editors/config/ConfigFileModel.h"
#include "editors/config/ConfigSetModel.h"

namespace qv {
namespace {

class ConfigSetModelTest : public ::testing::Test {
protected:
    CQuorvelDoc doc{932};
    ImageBlocks& Blocks() { return doc.Blocks(); }
};

TEST_F(ConfigSetModelTest, OkWithoutEditsChangesNothing) {
    Blocks().configExtra.SetU8(511, 0x5A);
    Blocks().files[3].SetU8(file::kDecimals, 4);
    const ConfigCopies opened = TakeConfigCopies(Blocks(), 1);
    EXPECT_EQ(opened.language, 1);
    EXPECT_EQ(opened.extra.U8(511), 0x5A);
    const auto before = std::make_unique<ImageBlocks>(Blocks());
    MergeConfigCopies(opened, opened, Blocks());
    EXPECT_EQ(std::memcmp(before.get(), &Blocks(), sizeof(ImageBlocks)), 0);
}

TEST_F(ConfigSetModelTest, DecimalsGoIntoTheCurrentFileTableNotAStaleCopy) {
    const ConfigCopies opened = TakeConfigCopies(Blocks(), 0);
    ConfigCopies edited = opened;
    ConfigFileForm form = LoadConfigFile(edited.errors, edited.files);
    form.decimals = 4;
    StoreConfigFile(form, edited.errors, edited.files);
    // Meanwhile another window (the trigger editor's clean-up) changed records.
    Blocks().files[2].SetU16(file::kTrigger, 7);
    Blocks().files[64].SetU8(file::kName, 'H');
    MergeConfigCopies(opened, edited, Blocks());
    EXPECT_EQ(Blocks().files[2].U16(file::kTrigger), 7);
    EXPECT_EQ(Blocks().files[64].U8(file::kName), 'H');
    for (size_t r = 0; r < FileTable::kCount; ++r)
        EXPECT_EQ(Blocks().files[r].U8(file::kDecimals), 4) << "record " << r;
}

TEST_F(ConfigSetModelTest, OnlyTheEditedBytesOfEachBlockAreWritten) {
    const ConfigCopies opened = TakeConfigCopies(Blocks(), 0);
    ConfigCopies edited = opened;
    edited.errors.SetU8(errnotify::kFlags, 1);
    edited.users[5].SetU8(user::kName, 'N');
    edited.time.SetU8(timeblk::kTimeZone, 2);
    edited.ports.SetU16(0, 8000);
    edited.files[1].SetU8(file::kName, 'X'); // not the dialog's byte: never written
    Blocks().errorNotify.SetU8(30, 0x33);
    Blocks().users[6].SetU8(0, 'a');
    Blocks().time.SetU16(timeblk::kTrigger, 0);
    MergeConfigCopies(opened, edited, Blocks());
    EXPECT_EQ(Blocks().errorNotify.U8(errnotify::kFlags), 1);
    EXPECT_EQ(Blocks().errorNotify.U8(30), 0x33);
    EXPECT_EQ(Blocks().users[5].U8(user::kName), 'N');
    EXPECT_EQ(Blocks().users[6].U8(0), 'a');
    EXPECT_EQ(Blocks().time.U8(timeblk::kTimeZone), 2);
    EXPECT_EQ(Blocks().portNumbers.U16(0), 8000);
    EXPECT_EQ(Blocks().files[1].U8(file::kName), 0);
}

TEST_F(ConfigSetModelTest, FolderWarningFollowsTheFolderBox) {
    ErrorNotifyBlock errors;
    EXPECT_FALSE(LogFilesShareOneFolder(errors));
    errors.SetU8(7, 0x1E);
    EXPECT_FALSE(LogFilesShareOneFolder(errors));
    errors.SetU8(7, 0x01);
    EXPECT_TRUE(LogFilesShareOneFolder(errors));
}

} // namespace
} // namespace qv
