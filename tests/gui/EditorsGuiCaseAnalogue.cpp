#include "EditorsGuiCases.h"
#include "editors/AnalogueBlockTemplate.h"

namespace qv::test {

// Writes a gain, a window limit and DTimMode without pile-on-front rejection,
// and finds the card's values, with DTimMode dropped, after the read-back.
void PlayAnalogueBlock(EditorDriver& d) {
    d.Check(d.Caption() == "Analogue Block Parameters", "analogue caption");
    d.CheckText(IDC_ANALOGUE_STATUS, "notLocked", "analogue status after opening");
    d.CheckText(IDC_GAIN, "63", "analogue gain at the card's power-up");
    d.Check(!d.Enabled(IDC_ANALOGUE_TO_BUFFER), "analogue --> Buffer disabled");
    d.Type(IDC_GAIN, "90");
    d.Type(IDC_SNGLCHNL_UP, "3000");
    d.Click(IDC_ANALOGUE_TO_HARDWARE);
    d.Type(IDC_GAIN, "0");  // the read-back must replace what is typed
    d.Type(IDC_SNGLCHNL_UP, "0");
    d.Click(IDC_ANALOGUE_FROM_HARDWARE);
    d.CheckText(IDC_GAIN, "90", "analogue gain read back from the card");
    d.CheckText(IDC_SNGLCHNL_UP, "3000", "single-channel upper limit read back from the card");
    d.Type(IDC_SIGNAL_TAU, "4");
    d.Click(IDC_AUTO);
    d.CheckText(IDC_PEAK_DELAY, "83", "Auto takes the fourth preset of qv.hdw");
}

}  // namespace qv::test
