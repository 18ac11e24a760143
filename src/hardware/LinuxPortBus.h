#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string_view>

#include "hardware/PortBus.h"

namespace qv {

#if defined(__x86_64__) || defined(__i386__)
#define QV_HAS_PORT_IO 1

// Direct x86 port I/O. Construction asks the kernel for the card's four ports
// (this needs CAP_SYS_RAWIO); In and Out are only safe once IsOpen() is true.
class LinuxPortBus : public PortBus {
public:
    explicit LinuxPortBus(std::uint16_t base);
    ~LinuxPortBus() override;
    LinuxPortBus(const LinuxPortBus&) = delete;
    LinuxPortBus& operator=(const LinuxPortBus&) = delete;

    bool IsOpen() const { return m_error == 0; }
    // The errno of the failed request, 0 when the ports are open.
    int Error() const { return m_error; }

    std::uint8_t In(std::uint16_t port) override;
    void Out(std::uint16_t port, std::uint8_t value) override;

private:
    std::uint16_t m_base;
    int m_error;
};
#endif

// The card's bus on this machine: port I/O when the kernel grants it, else an
// empty bus, after one line to warnings that says why.
std::unique_ptr<PortBus> OpenLinuxPortBus(std::uint16_t base, std::ostream& warnings,
                                          std::string_view program = "qv");

}  // namespace qv
