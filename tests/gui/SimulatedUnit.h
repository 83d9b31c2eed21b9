// A started program whose link points at a simulated unit holding settings
// that differ from a new document's, over TCP or the pseudo-terminal.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdlib.h>
#include <vector>

#include "app/QuorvelApp.h"
#include "document/SettingsImage.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/link/LinkFakes.h"
#include "tools/unitsim/UnitSimulator.h"

namespace qv::test {

class SimulatedUnitTest : public StartedProgramTest {
protected:
    unitsim::UnitSimulator sim;
    CQuorvelDoc unitDoc{932};
    std::string ptyDir;

    // The simulated unit holds unitDoc in PROGRAM mode, and the profile's
    // link points at it.
    void StartUnit(bool overPty = false) {
        sim.SetRunMode(false);
        unitDoc.Blocks().unit.SetU8(0, 'U');
        unitDoc.Blocks().unit.SetU8(1, 'n');
        auto image = std::make_unique<TransferImage>();
        unitDoc.DocToImage(*image);
        sim.SetImage(std::vector<uint8_t>(image->begin(), image->end()));
        if (overPty) {
            char tmpl[] = "/tmp/qv-gui-unit-XXXXXX";
            ASSERT_NE(::mkdtemp(tmpl), nullptr);
            ptyDir = tmpl;
            ASSERT_TRUE(sim.StartPty(ptyDir + "/unit"));
            WriteSerialProfile(app.Profile(), ptyDir + "/unit", 1000);
        } else {
            const uint16_t port = sim.StartTcp();
            ASSERT_NE(port, 0);
            WriteTcpProfile(app.Profile(), port, 1000);
        }
    }
    void TearDown() override {
        sim.Stop();
        if (!ptyDir.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(ptyDir, ec);
        }
        StartedProgramTest::TearDown();
    }
    static std::vector<uint8_t> Blocks(const CQuorvelDoc& doc) {
        auto image = std::make_unique<TransferImage>();
        doc.DocToImage(*image);
        return std::vector<uint8_t>(image->begin(), image->begin() + kBlocksSize);
    }
    std::vector<uint8_t> UnitBlocks() const {
        const std::vector<uint8_t> image = sim.Image();
        return std::vector<uint8_t>(image.begin(), image.begin() + kBlocksSize);
    }
};

} // namespace qv::test
