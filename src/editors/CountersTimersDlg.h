#pragma once

#include "document/SettingsBlocks.h"
#include "editors/CountersTimersRegisters.h"
#include "editors/SettingEditorDlg.h"

namespace qv {

// The general counters and timers (dialog 142): switch, universal time, the
// backup countdown that paces the autosave, the analyser's live and dead time
// and seconds to stop, and the sources, rates and cycle counters of Qv2 and
// Qv1. The working copy is the CountersTimersValues base.
class CCountersTimersDlg : public CSettingEditorDlg, public CountersTimersValues {
public:
    explicit CCountersTimersDlg(Ui& ui);

    // The autosave's question on an editor that is never shown: -1 when a
    // transfer failed, 1 while the card's countdown runs, 0 when it had run
    // out and has just been restarted (the caller then saves).
    int BackupDue();

    const CountersTimersImage& Image() const { return m_image; }

    // The counters and timers block of the document's settings image.
    CountersTimersBlock* m_pBlock = nullptr;

protected:
    void ExchangeMembers(CDataExchange& dx) override;
    // Read 1 (plain, result unused), then read 2 with the lock text.
    int ReadBlock() override;
    int WriteBlock() override;
    void Pack() override;
    void Unpack() override;
    void CopyFromBlock() override;
    void CopyToBlock() override;

private:
    // "max": the largest start value the counter takes, shown at once.
    template <typename T>
    void OnMax(T& member, T value) {
        UpdateData(true);
        member = value;
        UpdateData(false);
    }

    CountersTimersImage m_image;
};

}  // namespace qv
