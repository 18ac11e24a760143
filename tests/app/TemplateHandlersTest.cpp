#include <gtest/gtest.h>

#include "app/AboutDlg.h"
#include "app/Resources.h"
#include "editors/AnalogueBlockDlg.h"
#include "editors/AuxDacDlg.h"
#include "editors/ClearRunDlg.h"
#include "editors/CountersTimersDlg.h"
#include "editors/DataRemarkDlg.h"
#include "editors/HardwareInfoDlg.h"
#include "editors/HighVoltageDlg.h"
#include "editors/VibratorDlg.h"
#include "framework/HeadlessUi.h"
#include "view/DataParamsDlg.h"

namespace qv {
namespace {

// A handler for a control the template lacks would never run: catch the typo.
void ExpectEveryHandledControlExists(const CDialog& dialog) {
    for (int id : dialog.HandledControlIds()) {
        EXPECT_NE(dialog.Template().Find(id), nullptr)
            << "dialog " << dialog.Template().id << " handles missing control " << id;
    }
}

TEST(TemplateHandlers, EveryHandledControlIsInTheTemplate) {
    HeadlessUi ui;
    CDataParamsDlg panel(ui);
    EXPECT_FALSE(panel.HandledControlIds().empty());
    ExpectEveryHandledControlExists(panel);
    CAboutDlg about(ui);
    ExpectEveryHandledControlExists(about);
    CAnalogueBlockDlg analogue(ui);
    ExpectEveryHandledControlExists(analogue);
    CAuxDacDlg auxDac(ui);
    ExpectEveryHandledControlExists(auxDac);
    CHardwareInfoDlg info(ui);
    ExpectEveryHandledControlExists(info);
    CHighVoltageDlg highVoltage(ui);
    ExpectEveryHandledControlExists(highVoltage);
    CCountersTimersDlg counters(ui);
    ExpectEveryHandledControlExists(counters);
    CVibratorDlg vibrator(ui);
    ExpectEveryHandledControlExists(vibrator);
    CClearRunDlg clearRun(ui);
    ExpectEveryHandledControlExists(clearRun);
    CDataRemarkDlg remark(ui);
    ExpectEveryHandledControlExists(remark);
}

// "--> Buffer" exists in the block editors only to be seen: it can never be pressed.
TEST(TemplateHandlers, ToBufferButtonsAreCreatedDisabled) {
    for (const DialogTemplate* t : AllDialogTemplates()) {
        for (const ControlTemplate& control : t->controls) {
            if (control.text == "--> Buffer") {
                EXPECT_NE(control.style & kDisabled, 0u) << "dialog " << t->id;
            }
        }
    }
}

// Every spin drives an edit box of its own dialog.
TEST(TemplateHandlers, EverySpinHasAnEditBuddy) {
    for (const DialogTemplate* t : AllDialogTemplates()) {
        for (const ControlTemplate& control : t->controls) {
            if (control.kind != ControlKind::Spin) {
                continue;
            }
            const ControlTemplate* buddy = t->Find(control.buddy);
            ASSERT_NE(buddy, nullptr) << "dialog " << t->id << " spin " << control.id;
            EXPECT_TRUE(buddy->kind == ControlKind::Edit || buddy->kind == ControlKind::DigitsEdit)
                << "dialog " << t->id << " spin " << control.id;
        }
    }
}

}  // namespace
}  // namespace qv
