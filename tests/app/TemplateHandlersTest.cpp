#include <gtest/gtest.h>

#include "app/AboutDlg.h"
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
}

}  // namespace
}  // namespace qv
