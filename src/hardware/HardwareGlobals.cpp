#include "hardware/HardwareGlobals.h"

namespace qv {

HardwareGlobals& HardwareGlobals::Instance() {
    static HardwareGlobals globals;
    return globals;
}

}  // namespace qv
