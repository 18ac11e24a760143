#include "hardware/LinuxPortBus.h"

#include <cerrno>
#include <cstring>
#include <ostream>

#include "hardware/CardRegisters.h"

#ifdef QV_HAS_PORT_IO
#include <sys/io.h>
#endif

namespace qv {

#ifdef QV_HAS_PORT_IO

LinuxPortBus::LinuxPortBus(std::uint16_t base)
    : m_base(base), m_error(ioperm(base, kCardPortCount, 1) == 0 ? 0 : errno) {}

LinuxPortBus::~LinuxPortBus() {
    if (IsOpen()) {
        ioperm(m_base, kCardPortCount, 0);
    }
}

std::uint8_t LinuxPortBus::In(std::uint16_t port) {
    return inb(port);
}

void LinuxPortBus::Out(std::uint16_t port, std::uint8_t value) {
    outb(value, port);
}

std::unique_ptr<PortBus> OpenLinuxPortBus(std::uint16_t base, std::ostream& warnings,
                                          std::string_view program) {
    auto bus = std::make_unique<LinuxPortBus>(base);
    if (bus->IsOpen()) {
        return bus;
    }
    warnings << program << ": cannot reach the card's ports at 0x" << std::hex << base << std::dec
             << ": " << std::strerror(bus->Error())
             << " (allow it once with: setcap cap_sys_rawio+ep <program>); running without a card"
             << std::endl;
    return std::make_unique<NoCardBus>();
}

#else

std::unique_ptr<PortBus> OpenLinuxPortBus(std::uint16_t, std::ostream& warnings,
                                          std::string_view program) {
    warnings << program << ": this machine has no port I/O; running without a card" << std::endl;
    return std::make_unique<NoCardBus>();
}

#endif

}  // namespace qv
