// The ribbon's write to the unit and a read over the serial line, each
// walked through the connection dialog against the simulated unit.
#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "online/ConnectionModel.h"
#include "tests/gui/SimulatedUnit.h"
#include "ui/Messages.h"

namespace qv {
namespace {

class ConnectionWriteTest : public test::SimulatedUnitTest {
protected:
    void TearDown() override {
        app.Document()->TakeSnapshot(kSnapshotSaved); // leave without the save question
        SimulatedUnitTest::TearDown();
    }
};

// A unit in RUN is asked about first: No writes nothing, Yes switches it to
// PROGRAM and writes the document with its new write stamp.
TEST_F(ConnectionWriteTest, RibbonWriteAsksAboutRunAndSendsTheStampedDocument) {
    struct Case {
        bool running;
        int answer; // to the RUN question; 0 when none is asked
        bool written;
    };
    for (const Case& c :
         {Case{false, 0, true}, Case{true, wxID_NO, false}, Case{true, wxID_YES, true}}) {
        SCOPED_TRACE(testing::Message() << "running " << c.running << ", answer " << c.answer);
        StartUnit();
        if (HasFatalFailure())
            return;
        sim.SetRunMode(c.running);
        sim.SetDataRegister(kFirmwareVersionWord, 0x0232); // 2.50: no feature limit applies
        app.Document()->Blocks().unit.SetU8(2, 0x5A);      // an edit the unit does not hold
        const std::vector<uint8_t> unitBefore = UnitBlocks();

        test::DialogScript script;
        script.ThenClick(wxID_OK);
        if (c.answer)
            script.ThenEnd(c.answer);
        if (c.written)
            script.ThenEnd(wxID_OK); // the write is done
        ASSERT_TRUE(app.MainFrame()->StateOf(cmd::kWriteToUnit).enabled);
        app.MainFrame()->RunCommand(cmd::kWriteToUnit);

        EXPECT_EQ(script.Pending(), 0u);
        if (c.written) {
            ASSERT_FALSE(script.messages.empty());
            EXPECT_EQ(wxString::FromUTF8(script.messages.back()), Res(kMsgWriteDone));
            EXPECT_EQ(UnitBlocks(), Blocks(*app.Document()));
            EXPECT_NE(app.Document()->Blocks().writeStamp.U8(0), 0) << "the stamp's year";
            EXPECT_FALSE(sim.RunMode());
        } else {
            EXPECT_EQ(UnitBlocks(), unitBefore);
            EXPECT_TRUE(sim.RunMode());
        }
        sim.Stop();
    }
}

TEST_F(ConnectionWriteTest, RibbonReadOverTheSerialLineTakesTheUnitsSettings) {
    StartUnit(true);
    if (HasFatalFailure())
        return;
    test::DialogScript script;
    script.ThenClick(wxID_OK);
    script.ThenEnd(wxID_OK); // the read is done
    app.MainFrame()->RunCommand(cmd::kReadFromUnit);
    EXPECT_EQ(script.Pending(), 0u);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(wxString::FromUTF8(script.messages[0]), Res(kMsgReadDone));
    EXPECT_EQ(Blocks(*app.Document()), Blocks(unitDoc));
}

} // namespace
} // namespace qv
