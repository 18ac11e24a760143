#pragma once

#include <cstdint>
#include <string>

#include "editors/RemarkSummary.h"
#include "framework/Dialog.h"

namespace qv {

class CQvDoc;

inline constexpr int kRemarkMaxChars = 250;
// Outer heights of the panel, in pixels.
inline constexpr int kRemarkShortHeight = 150;
inline constexpr int kRemarkFullHeight = 366;
inline constexpr const char* kDataRemarkCaption = "Data remark";

// The data remark panel (dialog 130): the measurement's free-text remark, and
// a read-only summary of its settings image as captured or loaded. A modeless
// panel of the view, without a close box; it never touches the card.
class CDataRemarkDlg : public CDialog {
public:
    explicit CDataRemarkDlg(Ui& ui);

    // Borrowed from the view for as long as the document is attached.
    void SetDocument(CQvDoc* document) { m_pDocument = document; }

    void DoDataExchange(CDataExchange& dx) override;
    // Fills every box from the document, the remark box too: text that was
    // not accepted is replaced.
    void RefreshFromDocument();

    // Stores the remark box in the document. An overlong remark (only a data
    // file can bring one) gets the framework's message and is stored whole; a
    // remark with characters a data file cannot hold is refused, naming them.
    void OnAccept();
    void OnHide();
    // Toggles between the remark alone and the whole panel.
    void OnFullShort();
    bool IsFullSize() const { return m_bFullSize != 0; }

    // The panel stays until "Hide": closing, Enter and Escape do nothing.
    void OnClose() override {}
    void OnOK() override {}
    void OnCancel() override {}

    std::string m_strRemark;  // UTF-8, as the edit box holds it
    RemarkSummary m_summary;

private:
    CQvDoc* m_pDocument = nullptr;
    std::int32_t m_bFullSize = 1;
};

}  // namespace qv
