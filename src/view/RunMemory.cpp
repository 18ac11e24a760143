#include "view/RunMemory.h"

namespace qv {
namespace {

constexpr char kSection[] = "Run";
constexpr char kFile[] = "File";
constexpr char kSuspend[] = "SuspendOnSave";
constexpr char kAutoRefresh[] = "AutoRefresh";
constexpr char kCountRate[] = "CountRateWindow";

std::string Flag(bool on) {
    return on ? "1" : "0";
}

}  // namespace

void RunMemory::Remember(const RememberedRun& run) {
    if (m_written == run) {
        return;
    }
    // The file last: a profile cut off while being written holds no run.
    m_settings.Write(kSection, kSuspend, Flag(run.suspendOnSave));
    m_settings.Write(kSection, kAutoRefresh, Flag(run.autoRefresh));
    m_settings.Write(kSection, kCountRate, Flag(run.countRateWindow));
    m_settings.Write(kSection, kFile, run.file);
    m_written = run;
}

void RunMemory::Forget() {
    m_settings.Erase(kSection, kFile);
    m_settings.Erase(kSection, kSuspend);
    m_settings.Erase(kSection, kAutoRefresh);
    m_settings.Erase(kSection, kCountRate);
    m_written.reset();
}

std::optional<RememberedRun> RunMemory::Recall() const {
    RememberedRun run;
    run.file = m_settings.Read(kSection, kFile, "");
    if (run.file.empty()) {
        return std::nullopt;
    }
    run.suspendOnSave = m_settings.Read(kSection, kSuspend, "0") == "1";
    run.autoRefresh = m_settings.Read(kSection, kAutoRefresh, "0") == "1";
    run.countRateWindow = m_settings.Read(kSection, kCountRate, "0") == "1";
    return run;
}

std::string ResumeQuestion(const std::string& file) {
    return "qv ended while autosaving " + file + ". Open it and go on autosaving?";
}

std::optional<RememberedRun> RunToResume(RunMemory& memory, Ui& ui, bool withoutAsking) {
    const std::optional<RememberedRun> run = memory.Recall();
    if (!run || withoutAsking) {
        return run;
    }
    if (ui.Message(ResumeQuestion(run->file), {}, MsgButtons::YesNo, MsgIcon::Question) !=
        MsgResult::Yes) {
        memory.Forget();
        return std::nullopt;
    }
    return run;
}

}  // namespace qv
