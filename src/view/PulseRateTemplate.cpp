#include "view/PulseRateTemplate.h"

#include "framework/TemplateControls.h"

namespace qv {

namespace {

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_PULSE_RATE;
    d.caption = "Qv: pulses/sec";
    d.rect = {0, 0, 51, 30};
    d.font = {"Arial", 72};
    d.controls.push_back(tpl::Label("Qv2", {2, 3, 13, 10}));
    d.controls.push_back(tpl::Digits(IDC_RATE_QV2, {16, 1, 33, 13}, kRightAlign));
    d.controls.push_back(tpl::Label("Qv1", {2, 17, 13, 10}));
    d.controls.push_back(tpl::Digits(IDC_RATE_QV1, {16, 15, 33, 13}, kRightAlign));
    return d;
}

}  // namespace

const DialogTemplate& PulseRateTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv
