#include "view/SpectrumPoints.h"

#include <algorithm>

#include "view/DataParamsDlg.h"
#include "view/PointHeight.h"
#include "view/ViewConstants.h"

namespace qv {

ShownCurves ShownCurvesOf(const CDataParamsDlg& panel) {
    return {panel.m_bShowSum != 0, panel.m_bShowAntiCoinc != 0, panel.m_bShowCoinc != 0,
            panel.m_bShowQv1 != 0, panel.m_bShowQv2 != 0};
}

void DrawSpectrumPoints(CDC& dc, const Measurement& data, const SpectrumStatistics& stats,
                        const ShownCurves& shown, int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, kLastChannel);
    const auto anti = data.AaAntiCoinc();
    const auto coinc = data.AaCoinc();
    for (int x = first; x <= last; ++x) {
        const auto i = static_cast<std::size_t>(x);
        if (shown.sum) {
            const double sum = static_cast<double>(anti[i]) + static_cast<double>(coinc[i]);
            dc.SetPixelV(x, AaPointY(sum, stats.AaSumMaximum), kSumColour);
        }
        if (shown.antiCoinc) {
            dc.SetPixelV(x, AaPointY(anti[i], stats.AaSumMaximum), kAntiCoincColour);
        }
        if (shown.coinc) {
            dc.SetPixelV(x, AaPointY(coinc[i], stats.AaSumMaximum), kCoincColour);
        }
        if (shown.qv1) {
            dc.SetPixelV(x, QvPointY(data.Qv1[i], stats.Qv1Minimum, stats.Qv1Range), kQv1Colour);
        }
        if (shown.qv2) {
            dc.SetPixelV(x, QvPointY(data.Qv2[i], stats.Qv2Minimum, stats.Qv2Range), kQv2Colour);
        }
    }
}

}  // namespace qv
