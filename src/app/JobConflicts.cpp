#include "app/JobConflicts.h"

#include "app/CommandIds.h"

namespace qv {

bool FightsARunningJob(int command) {
    if (command >= ID_FILE_MRU_FILE1 && command < ID_FILE_MRU_FILE1 + 4) {
        return true;
    }
    switch (command) {
        case ID_SET_ANALOGUE:
        case ID_SET_HIGH_VOLTAGE:
        case ID_SET_VIBRATOR:
        case ID_SET_AUX_DAC:
        case ID_SET_COUNTERS_TIMERS:
        case ID_HARDWARE_INFO:
        case ID_CLEAR_RUN:
        case ID_FILE_NEW:
        case ID_FILE_OPEN:
        case ID_RUN_JOB:
            return true;
        default:
            return false;
    }
}

}  // namespace qv
