// Port discovery on a fake tty class and /dev.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/PortList.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class FakeTtys {
public:
    FakeTtys()
    {
        fs::create_directories(sys());
        fs::create_directories(dev());
    }
    // A tty entry; withDevice gives it a device link; type is the 8250 type attribute.
    void Add(const std::string& name, bool withDevice, int type = -1, bool node = true)
    {
        fs::create_directories(sys() / name);
        if (withDevice)
            fs::create_directory_symlink(m_dir.path(), sys() / name / "device");
        if (type >= 0)
            std::ofstream(sys() / name / "type") << type << "\n";
        if (node)
            fs::create_symlink("/dev/null", dev() / name);  // a character device
    }
    sPortListRoots Roots() const { return {sys().string(), dev().string(), true}; }
    fs::path sys() const { return m_dir.path() / "sys"; }
    fs::path dev() const { return m_dir.path() / "dev"; }

private:
    TempDir m_dir;
};

}  // namespace

TEST(PortList, ListsRealSerialDevicesInNaturalOrder)
{
    FakeTtys t;
    t.Add("ttyUSB0", true);
    t.Add("ttyS10", true, 4);
    t.Add("ttyS2", true, 4);
    t.Add("ttyS0", true, 0);     // legacy port with no UART
    t.Add("tty0", false);        // virtual console: no device
    t.Add("ttyACM1", true);
    t.Add("ttyACM0", true);
    t.Add("ttyUSB9", true, -1, false);  // no device node
    fs::create_directories(t.dev());
    std::ofstream(t.dev() / "ttyUSB7") << "x";  // a plain file, not a device
    t.Add("ttyUSB7", true, -1, false);

    ::unsetenv("VELQUIN_EXTRA_PORTS");
    std::vector<std::string> ports {"stale"};
    EnumSerialPorts(ports, t.Roots());
    const std::string d = t.dev().string() + "/";
    EXPECT_EQ(ports, (std::vector<std::string> {d + "ttyACM0", d + "ttyACM1", d + "ttyS2", d + "ttyS10", d + "ttyUSB0"}));
}

TEST(PortList, ListsExtraPortsFirstAndKeepsTheListWhenNothingCanBeRead)
{
    // The extra ports come first, each once, so the first of them is the port chosen at
    // start; the machine's own ports follow in their natural order.
    FakeTtys t;
    t.Add("ttyUSB0", true);
    t.Add("ttyS0", true, 4);
    t.Add("ttyACM0", true);
    const std::string d = t.dev().string() + "/";
    ::setenv("VELQUIN_EXTRA_PORTS", ("/dev/pts/7::/tmp/sim:/dev/pts/7:" + d + "ttyS0").c_str(), 1);
    std::vector<std::string> ports;
    EnumSerialPorts(ports, t.Roots());
    EXPECT_EQ(ports, (std::vector<std::string> {"/dev/pts/7", "/tmp/sim", d + "ttyS0", d + "ttyACM0", d + "ttyUSB0"}));

    sPortListRoots missing {"/nonexistent/tty", "/nonexistent/dev", true};
    ::unsetenv("VELQUIN_EXTRA_PORTS");
    std::vector<std::string> kept {"/dev/ttyUSB3"};
    EnumSerialPorts(kept, missing);
    EXPECT_EQ(kept, std::vector<std::string> {"/dev/ttyUSB3"});
    ::setenv("VELQUIN_EXTRA_PORTS", "/dev/pts/9", 1);
    EnumSerialPorts(kept, missing);
    EXPECT_EQ(kept, std::vector<std::string> {"/dev/pts/9"});
    ::unsetenv("VELQUIN_EXTRA_PORTS");
}

TEST(PortList, NaturalOrder)
{
    EXPECT_TRUE(NaturalLess("ttyS2", "ttyS10"));
    EXPECT_FALSE(NaturalLess("ttyS10", "ttyS2"));
    EXPECT_TRUE(NaturalLess("ttyACM9", "ttyS0"));
    EXPECT_TRUE(NaturalLess("ttyS1", "ttyS01x"));
    EXPECT_FALSE(NaturalLess("ttyS1", "ttyS1"));
    EXPECT_TRUE(NaturalLess("tty", "ttyS0"));
}
