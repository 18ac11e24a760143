#pragma once

#include <cstdint>
#include <string>

#include "framework/Dialog.h"

namespace qv {

// The data parameters panel (dialog 144): read-outs at the two cursors, the
// maxima and depths, and the show check boxes. It also holds the cursor and
// display state that the view paints from, so its members are public, as the
// view and its painting read and write them directly.
class CDataParamsDlg : public CDialog {
public:
    explicit CDataParamsDlg(Ui& ui);

    void DoDataExchange(CDataExchange& dx) override;
    // The panel stays until "Hide": closing, Enter and Escape do nothing.
    void OnClose() override {}
    void OnOK() override {}
    void OnCancel() override {}

    void OnHide();
    void OnShowChanged();

    std::int32_t m_nOldRight = 0;
    std::int32_t m_nOldLeft = 0;
    std::int32_t m_bPartialRedraw = 0;
    std::int32_t m_bMeasure = 0;
    std::uint32_t m_dwLeftAntiCoinc = 0;
    std::uint32_t m_dwRightAntiCoinc = 0;
    std::int32_t m_bShowAntiCoinc = 1;
    std::uint32_t m_dwLeftCoinc = 0;
    std::uint32_t m_dwRightCoinc = 0;
    std::int32_t m_bShowCoinc = 1;
    std::uint32_t m_dwLeftSum = 0;
    std::uint32_t m_dwRightSum = 0;
    std::uint32_t m_dwMaxSum = 0;
    std::int32_t m_bShowSum = 1;
    std::int32_t m_nCursorSpan = 2000;
    std::int32_t m_nLeftCursor = 1000;
    std::int32_t m_nRightCursor = 3000;
    std::uint32_t m_dwLeftQv1 = 0;
    std::uint32_t m_dwMaxQv1 = 0;
    std::uint32_t m_dwRightQv1 = 0;
    std::int32_t m_bShowQv1 = 1;
    std::uint32_t m_dwLeftQv2 = 0;
    std::uint32_t m_dwMaxQv2 = 0;
    std::uint32_t m_dwRightQv2 = 0;
    std::int32_t m_bShowQv2 = 1;
    std::string m_strDepthQv1;
    std::string m_strDepthQv2;
};

}  // namespace qv
