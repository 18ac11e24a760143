#pragma once

#include <cstdint>
#include <string>

#include "framework/Dialog.h"
#include "view/PeakMeasure.h"

namespace qv {

// The slider adjustment service (dialog 146): measures the two peaks of a
// two-pulse stimulator in the Aa sum over the next refreshes, optionally after
// clearing the analyser memory. A member of the view, reused between openings.
class CSliderAdjustDlg : public CDialog {
public:
    explicit CSliderAdjustDlg(Ui& ui);

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnSingleUpdate();
    void OnTickUpdate();
    // After every capture while the dialog runs, with the document's Aa spectra.
    void TickUpdate(AaSpectra aa);
    void ClearAa();

    std::int32_t m_bClearPending = 0;
    std::int32_t m_bOpen = 0;
    std::uint32_t m_dwIntegral1 = 0;
    std::uint32_t m_dwIntegral2 = 0;
    std::int32_t m_nLeft1 = 0;
    std::int32_t m_nLeft2 = 0;
    std::uint32_t m_dwMax1 = 0;
    std::uint32_t m_dwMax2 = 0;
    std::int32_t m_nRight1 = 0;
    std::int32_t m_nRight2 = 0;
    std::int32_t m_nScope1 = 0;
    std::int32_t m_nScope2 = 0;
    std::int32_t m_nTicksDesired = 4;
    std::int32_t m_nTicksLeft = 1;
    std::string m_strStdDev1;
    std::string m_strStdDev2;
    std::string m_strMean1;
    std::string m_strMean2;
    std::uint32_t m_nNoiseCutoff = 20;
    std::string m_strStatus;

private:
    struct PeakMembers {
        std::int32_t& left;
        std::int32_t& right;
        std::int32_t& scope;
        std::uint32_t& integral;
        std::uint32_t& max;
        std::string& mean;
        std::string& stdDev;
    };
    std::int32_t MeasureInto(AaSpectra aa, std::int32_t start, PeakMembers members);
    // The clear's transfers; false when one failed or the card is locked
    // (the status then says which).
    bool ClearSteps();
};

// The texts of the two undefined results.
inline constexpr char kUndefinedText[] = "-";

}  // namespace qv
