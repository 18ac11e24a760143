#include "EditorFixture.h"
#include "document/QvDoc.h"
#include "editors/HardwareInfoDlg.h"
#include "editors/HardwareInfoTemplate.h"

namespace qv::test {
namespace {

class HardwareInfoTest : public EditorTest {
protected:
    void Run(HeadlessUi::ModalScript script) {
        ui.QueueModalScript(std::move(script));
        CHardwareInfoDlg dialog(ui);
        dialog.m_pDescription = &description;
        dialog.m_pVersionStamp = &measurement.Stamp;
        dialog.m_pSettings = &measurement.Settings;
        dialog.DoModal();
    }

    HardwareDescription description = HardwareDescription::Defaults();
    Measurement measurement;
};

TEST_F(HardwareInfoTest, OpensOnTheDescriptionAndNeverTalksToTheCard) {
    description.HardwareVersion1 = 3;
    description.HardwareVersion2 = 14;
    description.HardwareVersion3 = 159;
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VERSION1), "3");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VERSION2), "14");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VERSION3), "159");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_SLOPE), "1.4067");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_OFFSET), "-31.57");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_LOWER), "47");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_UPPER), "923");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VELOCITY_HIGH), "0.106");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VELOCITY_LOW), "0.014");
        d.OnCommand(IDC_INFO_FROM_BUFFER);
        d.OnCommand(IDC_INFO_FROM_HARDWARE);
        d.OnCommand(IDOK);
    });
    EXPECT_TRUE(recorder.entries.empty());
}

// The buffer side shows the calibration the measurement was taken with.
TEST_F(HardwareInfoTest, BufferShowsTheStampAndTheStoredCalibration) {
    measurement.Stamp = {7, 8, 9};
    measurement.Settings.HighVoltage = {500, 1000, 12, 2.5f, -1.125f};
    measurement.Settings.Vibrator.VelocityCoefHigh = 0.123457f;
    measurement.Settings.Vibrator.VelocityCoefLow = 1.0e-7f;
    Run([](CDialog& d) {
        d.OnCommand(IDC_INFO_FROM_BUFFER);
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VERSION1), "7");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VERSION2), "8");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VERSION3), "9");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_SLOPE), "2.5");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_OFFSET), "-1.125");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_LOWER), "12");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_UPPER), "1000");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VELOCITY_HIGH), "0.123457");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VELOCITY_LOW), "1e-07");
        d.OnCommand(IDC_INFO_FROM_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_UPPER), "923");
    });
}

TEST_F(HardwareInfoTest, NewDocumentBufferShowsItsEmptySettings) {
    HeadlessUi docUi;
    CQvDoc document(docUi, std::nullopt);
    document.OnNewDocument();
    measurement = document.Data();
    Run([](CDialog& d) {
        d.OnCommand(IDC_INFO_FROM_BUFFER);
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VERSION1), "0");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_HV_SLOPE), "0");
        EXPECT_EQ(d.GetDlgItemText(IDC_INFO_VELOCITY_LOW), "0");
    });
}

}  // namespace
}  // namespace qv::test
