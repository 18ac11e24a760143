#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_ANALOGUE_BLOCK = 131;
inline constexpr int IDB_ANALOGUE_CHAIN = 134;   // block diagram of the input chain
inline constexpr int IDB_ANALOGUE_TIMING = 135;  // trigger, capture delays, pile-on-tile

inline constexpr int IDC_TESTOUT_0 = 1001;  // 1001..1004, top to bottom
inline constexpr int IDC_TESTOUT_1 = 1002;
inline constexpr int IDC_TESTOUT_2 = 1003;
inline constexpr int IDC_TESTOUT_3 = 1004;
inline constexpr int IDC_GAIN = 1013;
inline constexpr int IDC_INVERT = 1014;
inline constexpr int IDC_INPUT_A = 1015;
inline constexpr int IDC_INPUT_B = 1016;
inline constexpr int IDC_AMPANAL_UP = 1019;
inline constexpr int IDC_SNGLCHNL_UP = 1021;
inline constexpr int IDC_SNGLCHNL_LOW = 1022;
inline constexpr int IDC_AMPANAL_LOW = 1023;
inline constexpr int IDC_TRIGGER_LEVEL = 1024;
inline constexpr int IDC_AMPANAL_UP_SPIN = 1025;
inline constexpr int IDC_SNGLCHNL_UP_SPIN = 1026;
inline constexpr int IDC_SNGLCHNL_LOW_SPIN = 1027;
inline constexpr int IDC_AMPANAL_LOW_SPIN = 1028;
inline constexpr int IDC_TRIGGER_LEVEL_SPIN = 1030;
inline constexpr int IDC_BASE_DELAY = 1031;
inline constexpr int IDC_PEAK_DELAY = 1032;
inline constexpr int IDC_PILE_ON_TILE = 1033;
inline constexpr int IDC_BASE_DELAY_SPIN = 1034;
inline constexpr int IDC_PEAK_DELAY_SPIN = 1035;
inline constexpr int IDC_PILE_ON_TILE_SPIN = 1036;
inline constexpr int IDC_GAIN_SPIN = 1037;
inline constexpr int IDC_PILE_ON_FRONT = 1038;
inline constexpr int IDC_ANALOGUE_FROM_BUFFER = 1041;
inline constexpr int IDC_SIGNAL_TAU = 1042;
inline constexpr int IDC_TRIGGER_TAU = 1043;
inline constexpr int IDC_SIGNAL_TAU_SPIN = 1044;
inline constexpr int IDC_TRIGGER_TAU_SPIN = 1045;
inline constexpr int IDC_ANALOGUE_TO_BUFFER = 1046;
inline constexpr int IDC_ANALOGUE_TO_HARDWARE = 1047;
inline constexpr int IDC_ANALOGUE_FROM_HARDWARE = 1048;
inline constexpr int IDC_ANALOGUE_STATUS = 1050;
inline constexpr int IDC_AUTO = 1209;
inline constexpr int IDC_DTIM_MODE = 1258;

// Where the block diagram meets the controls around it, in dialog units, so
// that its lines end beside the TestOut buttons and the Signal and Trigger rows.
struct AnalogueChainGeometry {
    DialogRect picture;
    int testOutCentreY[4];  // centres of the TestOut buttons, top to bottom
    int signalCentreY;      // the "Signal" row
    int triggerCentreY;     // the "Trigger" row
};
inline constexpr AnalogueChainGeometry kAnalogueChain{
    {24, 30, 168, 90}, {78, 89, 100, 111}, 48, 70};

// Dialog 131, "Analogue Block Parameters".
const DialogTemplate& AnalogueBlockTemplate();

}  // namespace qv
