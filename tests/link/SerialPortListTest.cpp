// The serial port list on a made-up sysfs and /dev.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "link/SerialPortList.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class SerialPortListTest : public ::testing::Test {
protected:
    fs::path root;
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("qv_ports_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(root / "sys" / "devices" / "usb0");
        fs::create_directories(root / "dev");
    }
    void TearDown() override { fs::remove_all(root); }
    // A tty class entry; with hardware it has a device link.
    void Tty(const std::string& name, bool hardware) {
        fs::create_directories(root / "sys" / "class" / name);
        if (hardware)
            fs::create_directory_symlink(root / "sys" / "devices" / "usb0",
                                         root / "sys" / "class" / name / "device");
    }
    void Node(const std::string& name) { std::ofstream(root / "dev" / name).put('\0'); }
    std::vector<std::string> List() {
        return ListSerialPorts((root / "sys" / "class").string(), (root / "dev").string());
    }
    std::string Dev(const std::string& name) { return (root / "dev" / name).string(); }
};

TEST_F(SerialPortListTest, HardwareTtysAndTtySNodesSortedOnce) {
    Tty("ttyUSB0", true);
    Tty("ttyACM1", true);
    Tty("tty1", false); // a virtual console
    Tty("ttyS0", true); // also in /dev: listed once
    Node("ttyS0");
    Node("ttyS1"); // no sysfs entry of its own
    Node("tty2");
    EXPECT_EQ(List(), (std::vector<std::string>{Dev("ttyACM1"), Dev("ttyS0"), Dev("ttyS1"),
                                                Dev("ttyUSB0")}));
}

TEST_F(SerialPortListTest, MissingFoldersGiveAnEmptyList) {
    fs::remove_all(root);
    EXPECT_TRUE(List().empty());
}

} // namespace
} // namespace qv
