#include "hardware/LinuxPortBus.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace qv {
namespace {

int CountLines(const std::string& text) {
    int lines = 0;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

// Ports above 0x3FF are beyond what the kernel hands out per port, so this
// request fails whatever the privileges, and no real port is touched.
TEST(OpenLinuxPortBusTest, RefusedPortsGiveAnEmptyBusAndOneLine) {
    std::ostringstream warnings;
    const auto bus = OpenLinuxPortBus(0xFFF0, warnings);
    ASSERT_NE(bus, nullptr);
    EXPECT_NE(dynamic_cast<NoCardBus*>(bus.get()), nullptr);
    EXPECT_EQ(bus->In(0xFFF3), 0xFF);
    EXPECT_EQ(CountLines(warnings.str()), 1);
#ifdef QV_HAS_PORT_IO
    EXPECT_NE(warnings.str().find("setcap cap_sys_rawio+ep <program>"), std::string::npos);
    EXPECT_NE(warnings.str().find("0xfff0"), std::string::npos);
#else
    EXPECT_NE(warnings.str().find("no port I/O"), std::string::npos);
#endif
}

}  // namespace
}  // namespace qv
