// The start choice "read the settings from the unit" runs the connection
// dialog and takes the simulated unit's settings.
#include <gtest/gtest.h>

#include <memory>

#include "app/AppStartHost.h"
#include "app/QuorvelApp.h"
#include "document/SettingsImage.h"
#include "link/CommSettings.h"
#include "tests/gui/GuiTestSupport.h"
#include "tools/unitsim/UnitSimulator.h"
#include "ui/Messages.h"

namespace qv {
namespace {

using StartReadTest = test::StartedProgramTest;

std::vector<uint8_t> Blocks(const CQuorvelDoc& doc) {
    auto image = std::make_unique<TransferImage>();
    doc.DocToImage(*image);
    return std::vector<uint8_t>(image->begin(), image->begin() + kBlocksSize);
}

TEST_F(StartReadTest, ReadChoiceTakesTheUnitsSettings) {
    unitsim::UnitSimulator sim;
    sim.SetRunMode(false);
    CQuorvelDoc unitDoc(932);
    unitDoc.Blocks().unit.SetU8(0, 'S');
    auto image = std::make_unique<TransferImage>();
    unitDoc.DocToImage(*image);
    sim.SetImage(std::vector<uint8_t>(image->begin(), image->end()));
    const uint16_t port = sim.StartTcp();
    ASSERT_NE(port, 0);
    ProfileStore& p = app.Profile();
    p.WriteNumber(kCommSection, "CommType", kCommTcp);
    p.WriteText(kCommSection, "TCP IPAddr", L"127.0.0.1");
    p.WriteNumber(kCommSection, "TCP Port", port);

    CQuorvelDoc doc(932);
    test::DialogScript script;
    script.ThenClick(wxID_OK);
    script.ThenEnd(wxID_OK); // the read is done
    AppStartHost host(app);
    EXPECT_TRUE(host.RunConnectionDialog(doc, kConnectRead));
    EXPECT_EQ(script.Pending(), 0u);
    EXPECT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(Blocks(doc), Blocks(unitDoc));
}

} // namespace
} // namespace qv
