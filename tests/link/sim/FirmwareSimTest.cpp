// The firmware image file and the firmware write against the simulated unit,
// with a scripted user and a sleeper that does not sleep.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "FakeUserDialogs.h"
#include "SentCommands.h"
#include "link/Firmware.h"

namespace qv::test {
namespace {

using namespace link_result;
using unitsim::Fault;
using unitsim::FaultKind;

std::vector<uint8_t> FirmwareBytes(size_t size, uint32_t seed = 1) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> image(size);
    for (auto& b : image)
        b = static_cast<uint8_t>(gen());
    for (size_t i = 0; i < 8 && kFirmwareSignatureOffset + i < size; ++i)
        image[kFirmwareSignatureOffset + i] = FirmwareSignature[i];
    return image;
}

class FirmwareTest : public SentCommandsTest {
protected:
    void SetUp() override {
        SentCommandsTest::SetUp();
        char tmpl[] = "/tmp/qv-fw-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        fileDir = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(fileDir, ec);
        SentCommandsTest::TearDown();
    }

    std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = fileDir + "/" + name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(out.good());
        return path;
    }

    // A session with the image loaded through the file dialog.
    std::unique_ptr<CUnitSession> Loaded(const std::vector<uint8_t>& image,
                                         ProgressSink* progress = nullptr,
                                         PasswordPrompt* prompt = nullptr) {
        auto s = Session(progress, prompt);
        FakeUserDialogs user;
        user.file = WriteFile("unit.bin", image);
        EXPECT_EQ(s->LoadFirmwareFile(user), 0);
        return s;
    }

    std::string fileDir;
    const std::vector<uint8_t> image = FirmwareBytes(12000);
};
// Tests where the wire and the unit's acknowledgements matter.
class FirmwareWiresTest : public FirmwareTest {};

// ---- the image file ----

TEST_P(FirmwareTest, TheFileIsAcceptedByItsSignatureAlone) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int result;
    };
    auto flipped = [](size_t at) {
        auto b = FirmwareBytes(9000, 3);
        b[at] ^= 0x01;
        return b;
    };
    auto early = FirmwareBytes(9000, 4);
    early.erase(early.begin()); // the signature one byte before its place
    const Case cases[] = {
        {"signature at 8192", FirmwareBytes(9000, 2), 0},
        {"nothing after the signature", FirmwareBytes(8200, 2), 0},
        {"first signature byte off", flipped(kFirmwareSignatureOffset), -2},
        {"last signature byte off", flipped(kFirmwareSignatureOffset + 7), -2},
        {"8199 bytes", FirmwareBytes(8199, 2), -2},
        {"signature one byte early", early, -2},
        {"empty file", {}, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = Session();
        FakeUserDialogs user;
        user.file = WriteFile("image.bin", c.bytes);
        EXPECT_EQ(s->LoadFirmwareFile(user), c.result);
        EXPECT_EQ(user.filesAsked, 1);
        EXPECT_TRUE(user.shown.empty()); // the caller shows the message for -2
        if (c.result == 0)
            EXPECT_TRUE(s->FirmwareImage == c.bytes);
        else
            EXPECT_TRUE(s->FirmwareImage.empty());
    }
    EXPECT_TRUE(Requests().empty());
}

TEST_P(FirmwareTest, NoFileOrAFileThatCannotBeRead) {
    auto s = Session();
    FakeUserDialogs user; // the dialog is cancelled: an empty path
    EXPECT_EQ(s->LoadFirmwareFile(user), -1);
    EXPECT_FALSE(user.everBusy);
    user.file = fileDir + "/absent.bin";
    EXPECT_EQ(s->LoadFirmwareFile(user), -1);
    user.file = fileDir; // a folder opens but does not read
    EXPECT_EQ(s->LoadFirmwareFile(user), -1);
    EXPECT_TRUE(user.shown.empty());
    EXPECT_TRUE(Requests().empty());

    // A good image, then a failed load: the good one does not stay behind.
    user.file = WriteFile("good.bin", image);
    ASSERT_EQ(s->LoadFirmwareFile(user), 0);
    user.file = fileDir + "/absent.bin";
    EXPECT_EQ(s->LoadFirmwareFile(user), -1);
    EXPECT_TRUE(s->FirmwareImage.empty());
}

TEST_P(FirmwareTest, FileSizeLimit) {
    const std::string path = WriteFile("hundred.bin", std::vector<uint8_t>(100, 7));
    std::vector<uint8_t> bytes = {1, 2, 3};
    EXPECT_EQ(ReadWholeFile(path, 99, bytes), FileReadResult::TooLarge);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(ReadWholeFile(path, 100, bytes), FileReadResult::Ok);
    EXPECT_EQ(bytes, std::vector<uint8_t>(100, 7));
    EXPECT_EQ(ReadWholeFile(fileDir + "/absent", 100, bytes), FileReadResult::CannotOpen);

    // A file beyond the limit with a good signature is still refused (sparse:
    // it takes no disk space).
    const std::string big = WriteFile("big.bin", FirmwareBytes(8200));
    ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kFirmwareFileLimit + 1)), 0);
    auto s = Session();
    FakeUserDialogs user;
    user.file = big;
    EXPECT_EQ(s->LoadFirmwareFile(user), -2);
    EXPECT_TRUE(s->FirmwareImage.empty());
}

// ---- the write ----

TEST_P(FirmwareWiresTest, UpdateSendsTheWholeFileAndReadsTheVerdict) {
    FakeProgress progress;
    auto s = Loaded(image, &progress);
    sim->ClearTranscript();
    FakeUserDialogs user;
    s->UpdateFirmware(user);
    EXPECT_EQ(user.shown, std::vector<ShownMessage>{Told(kMsgFirmwareDone, kOkInfo)});
    EXPECT_TRUE(sim->FirmwareReceived() == image);
    EXPECT_EQ(SentCommands(), (std::vector<std::string>{"RT", "RCSR999F", "RCSR999E", "3A",
                                                        "WCSR999F1", "3B", "15B", "RCSR999E"}));
    char range[32];
    std::snprintf(range, sizeof range, "#3B%08X%08X", 0u, static_cast<unsigned>(image.size() - 1));
    size_t writes = 0;
    for (const std::string& r : Requests())
        if (r.find("#3B") == 3) {
            ++writes;
            EXPECT_EQ(r.compare(3, 19, range), 0) << r.substr(0, 22);
        }
    EXPECT_EQ(writes, 1u);
    EXPECT_FALSE(sim->Contact("R999F")); // the unit took the update
    // A settling wait before the login, the login's own, one after the log-out.
    EXPECT_EQ(sleeper.sleeps, (std::vector<int>{1000, 1000, 1000}));
    EXPECT_EQ(progress.messageId, kMsgWritingFirmware);
    EXPECT_EQ(progress.rangeMax, static_cast<int>(image.size()));
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(s->SessionOpen, 0u);
    EXPECT_FALSE(s->LinkIsOpen());
}

TEST_P(FirmwareTest, LoginWithThePassword) {
    sim->SetPassword("fw");
    FakePrompt prompt("fw");
    auto s = Loaded(image, nullptr, &prompt);
    FakeUserDialogs user;
    s->UpdateFirmware(user);
    EXPECT_EQ(user.shown, std::vector<ShownMessage>{Told(kMsgFirmwareDone, kOkInfo)});
    EXPECT_EQ(prompt.asked, 1);
    EXPECT_FALSE(sim->LoggedIn()); // the session with the unit was ended
    EXPECT_TRUE(sim->FirmwareReceived() == image);
}

struct StopCase {
    const char* name;
    std::function<void(unitsim::UnitSimulator&)> setup;
    std::vector<ShownMessage> shown;
    std::vector<std::string> sent;
};

TEST_P(FirmwareTest, StopsBeforeAnythingIsWritten) {
    const std::vector<std::string> checks = {"RT", "RCSR999F", "RCSR999E"};
    auto plus = [](std::vector<std::string> v, std::initializer_list<std::string> more) {
        v.insert(v.end(), more);
        return v;
    };
    const StopCase cases[] = {
        {"RUN mode",
         [](auto& u) { u.SetRunMode(true); },
         {Told(kMsgFirmwareInRun, kOkInfo)},
         {"RT"}},
        {"another unit type",
         [](auto& u) { u.SetUnitType(0x92); },
         {Told(kMsgNotFirmwareImage, kOkInfo)},
         {"RT"}},
        {"status read fails",
         [](auto& u) {
             u.InjectFault(Fault{FaultKind::ShortReply, "RT"});
         },
         {Told(kMsgFirmwareStatusFailed, kOkExcl)},
         {"RT"}},
        {"R999F on",
         [](auto& u) { u.SetContact("R999F", true); },
         {Told(kMsgUnitBusyUpdating, kOkExcl)},
         {"RT", "RCSR999F"}},
        {"R999E on",
         [](auto& u) { u.SetContact("R999E", true); },
         {Told(kMsgUnitReportsError, kOkExcl)},
         checks},
        {"a relay cannot be read",
         [](auto& u) {
             u.InjectFault(Fault{FaultKind::ErrorFrame, "RCS", 1, 1, 0x42});
         },
         {Told(kMsgFirmwareStatusFailed, kOkExcl)},
         checks},
        {"login refused",
         [](auto& u) { u.SetPassword("fw"); }, // the prompt answers "xx"
         {Told(kMsgLoginRefused, kOkExcl)},
         plus(checks, {"3A", "15A"})},
        {"login fails on the link",
         [](auto& u) {
             u.InjectFault(Fault{FaultKind::NoReply, "3A"});
         },
         {Told(kMsgFirmwareFailed, kOkExcl)},
         plus(checks, {"3A"})},
        {"raising R999F fails",
         [](auto& u) {
             u.InjectFault(Fault{FaultKind::ErrorFrame, "WCS", 0, 1, 0x42});
         },
         {Told(kMsgFirmwareStartFailed, kOkExcl)},
         plus(checks, {"3A", "WCSR999F1", "RCSR999E", "RCSR999F"})},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakePrompt prompt("xx");
        auto s = Loaded(image, nullptr, &prompt);
        sim->ClearFaults();
        sim->SetRunMode(false);
        sim->SetUnitType(0x91);
        sim->SetPassword("");
        sim->SetContact("R999E", false);
        sim->SetContact("R999F", false);
        c.setup(*sim);
        sim->ClearTranscript();
        FakeUserDialogs user;
        s->UpdateFirmware(user);
        EXPECT_EQ(user.shown, c.shown);
        EXPECT_EQ(SentCommands(), c.sent);
        EXPECT_TRUE(sim->FirmwareReceived().empty());
    }
    // Without a loaded image nothing at all is sent.
    sim->ClearTranscript();
    auto s = Session();
    FakeUserDialogs user;
    s->UpdateFirmware(user);
    EXPECT_EQ(user.shown, std::vector<ShownMessage>{Told(kMsgNotFirmwareImage, kOkInfo)});
    EXPECT_TRUE(Requests().empty());
}

TEST_P(FirmwareTest, LoginCancelledEndsWithoutAMessage) {
    sim->SetPassword("fw");
    FakePrompt prompt("", false);
    auto s = Loaded(image, nullptr, &prompt);
    FakeUserDialogs user;
    s->UpdateFirmware(user);
    EXPECT_TRUE(user.shown.empty());
    EXPECT_FALSE(sim->Contact("R999F"));
    EXPECT_EQ(SentCommands(), (std::vector<std::string>{"RT", "RCSR999F", "RCSR999E", "3A"}));
    EXPECT_EQ(s->SessionOpen, 0u);
}

// The whole result of the block write decides, never its low byte alone:
// 321 (0x141) is a time-out, not the unit's 0x41, and 0x8000 is no success.
TEST_P(FirmwareTest, EveryBlockWriteFailureHasItsMessage) {
    struct Case {
        const char* name;
        Fault fault;
        int cancelAtPump;
        unsigned message;
    };
    auto unitCode = [](uint8_t code) { return Fault{FaultKind::ErrorFrame, "3B", 1, 1, code}; };
    const Case cases[] = {
        {"0x41", unitCode(0x41), 0, kMsgFirmwareRefused},
        {"0x61", unitCode(0x61), 0, kMsgFirmwareRefused},
        {"0x63", unitCode(0x63), 0, kMsgFirmwareRefusedInRun},
        {"0x65", unitCode(0x65), 0, kMsgFirmwareProtected},
        {"0x80", unitCode(0x80), 0, kMsgFirmwareUnitFault},
        {"another code", unitCode(0x42), 0, kMsgFirmwareFailed},
        {"code 00 (0x8000)", unitCode(0x00), 0, kMsgFirmwareFailed},
        {"busy", Fault{FaultKind::Busy, "3B", 1, 1}, 0, kMsgFirmwareFailed},
        {"time-out (321)", Fault{FaultKind::NoReply, "3B", 1, 1}, 0, kMsgFirmwareFailed},
        {"garbled acknowledgement", Fault{FaultKind::Garbage, "3B", 1, 1}, 0, kMsgFirmwareFailed},
        {"early end", Fault{FaultKind::EndEarly, "3B", 1, 1}, 0, kMsgFirmwareFailed},
        {"cancelled", Fault{}, 2, kMsgFirmwareFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeProgress progress(c.cancelAtPump);
        auto s = Loaded(image, &progress);
        sim->ClearFaults();
        sim->SetContact("R999F", false);
        if (c.cancelAtPump == 0)
            sim->InjectFault(c.fault);
        sim->ClearTranscript();
        FakeUserDialogs user;
        s->UpdateFirmware(user);
        EXPECT_EQ(user.shown, std::vector<ShownMessage>{Told(c.message, kOkExcl)});
        const auto sent = SentCommands();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), "3B") << "nothing after the failed write, no log-out";
        EXPECT_EQ(progress.ends, 1);
        EXPECT_EQ(s->SessionOpen, 0u);
    }
}

TEST_P(FirmwareTest, TheUnitsVerdict) {
    sim->SetFirmwareFails(true);
    auto s = Loaded(image);
    FakeUserDialogs user;
    s->UpdateFirmware(user);
    EXPECT_EQ(user.shown, std::vector<ShownMessage>{Told(kMsgFirmwareVerdictFailed, kOkExcl)});
    EXPECT_EQ(SentCommands().back(), "RCSR999E");
    EXPECT_EQ(s->SessionOpen, 0u);

    // A verdict that cannot be read is no success.
    sim->SetFirmwareFails(false);
    sim->SetContact("R999E", false);
    auto again = Loaded(image);
    sim->InjectFault(Fault{FaultKind::Garbage, "RCS", 2, 1}); // after R999F and R999E: the verdict
    FakeUserDialogs user2;
    again->UpdateFirmware(user2);
    EXPECT_EQ(user2.shown, std::vector<ShownMessage>{Told(kMsgFirmwareFailed, kOkExcl)});
    EXPECT_TRUE(sim->FirmwareReceived() == image);
}

INSTANTIATE_TEST_SUITE_P(Tcp, FirmwareTest, ::testing::Values(Wire::Tcp), WireName);
INSTANTIATE_TEST_SUITE_P(Wires, FirmwareWiresTest, ::testing::ValuesIn(EveryWireAndAckForm()),
                         WireName);

} // namespace
} // namespace qv::test
