#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "hardware/CHardwarePort.h"

namespace qv {

// Button texts that every editor shares.
inline constexpr char kFromBufferText[] = "<-- Buffer";
inline constexpr char kToBufferText[] = "--> Buffer";
inline constexpr char kFromHardwareText[] = "<-- Hardware";
inline constexpr char kToHardwareText[] = "--> Hardware";

// "TimOut:%d", the status box after a failed transfer.
std::string TimeOutText(int error);

// The control ids an editor gives its shared buttons and status box; 0 where
// the editor has none.
struct EditorControls {
    int fromBuffer = 0;
    int toBuffer = 0;  // created disabled, never acts
    int fromHardware = 0;
    int toHardware = 0;
    int status = 0;
};

// A spin control and the range that UDM_SETRANGE gives it at start.
struct SpinRange {
    int spinId = 0;
    int lower = 0;
    int upper = 0;
};

// The pattern every hardware editor follows: its own port object, a working
// copy bound to the controls, a register image, the status box with the lock
// text or "TimOut:%d", and the transfer buttons. An editor states only its
// block: the exchange, the transfers, packing and the buffer copies.
class CSettingEditorDlg : public CDialog {
public:
    CSettingEditorDlg(const DialogTemplate& dialogTemplate, Ui& ui, const EditorControls& controls);

    // Spin ranges, then "<-- Hardware", so the window opens on the card's state.
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) final;

    // "<-- Hardware": read, unpack whatever the image holds, show.
    void OnFromHardware();
    // "--> Hardware": take the controls, pack, write, then read back. A value
    // the exchange refuses stops it here: nothing is packed or written, so an
    // entry its register field cannot hold never reaches the card. (A speed of
    // 16 fits its field: it has its message and is written, see RampSpeed.h.)
    void OnToHardware();
    // "<-- Buffer": the document's block into the working copy, no card access.
    void OnFromBuffer();
    // The document's capture on an editor that is never shown: the read, and
    // only when it succeeded the working copy into the block. 0, or 1 on failure.
    int CaptureToBuffer();

    const std::string& StatusText() const { return m_strStatus; }
    int LastError() const { return m_nLastError; }

protected:
    // The editor's members in exchange order (the status box is done here).
    virtual void ExchangeMembers(CDataExchange& dx) = 0;
    // The transfers of a read into the register image; the error number for
    // the status box. Most editors end in StatusRead.
    virtual int ReadBlock() = 0;
    // The transfers of a write of the packed image; the result is not shown,
    // as the read-back that follows overwrites it.
    virtual int WriteBlock() = 0;
    virtual void Pack() = 0;
    virtual void Unpack() = 0;
    // Settings block to working copy and back; editors without a block keep these.
    virtual void CopyFromBlock() {}
    virtual void CopyToBlock() {}
    // Steps after a read and after a buffer load (read-outs, comparisons).
    virtual void AfterRead() {}
    virtual void AfterBufferLoad() {}
    virtual std::vector<SpinRange> SpinRanges() const { return {}; }
    // Rules between members applied whenever the controls are taken.
    virtual void AfterTakeControls() {}

    // The controls into the working copy with validation, then the editor's
    // rules; false when a value was refused.
    bool TakeControls();

    // StatusReadCommand with the status member as the place for the lock text.
    int StatusRead(std::uint8_t cmd, void* destination, int length);
    // Also used by the editors' own buttons that read the card.
    void ReadFromHardware();

    CHardwarePort m_port;
    std::string m_strStatus;
    int m_nLastError = 0;

private:
    EditorControls m_ids;
};

}  // namespace qv
