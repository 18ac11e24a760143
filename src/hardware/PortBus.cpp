#include "hardware/PortBus.h"

namespace qv {

std::uint8_t NoCardBus::In(std::uint16_t) {
    return 0xFF;
}

void NoCardBus::Out(std::uint16_t, std::uint8_t) {}

}  // namespace qv
