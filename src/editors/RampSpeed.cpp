#include "editors/RampSpeed.h"

#include "framework/DataExchange.h"

namespace qv {

void DDV_RampSpeed(CDataExchange& dx, std::int32_t speed) {
    if (dx.IsSaving() && speed == kImmediateRampSpeed) {
        dx.Tolerate(RangeMessage(kMinRampSpeed, kMaxBoxRampSpeed));
        return;
    }
    DDV_MinMaxInt(dx, speed, kMinRampSpeed, kMaxBoxRampSpeed);
}

}  // namespace qv
