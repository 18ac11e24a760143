#include "WxUi.h"

#include <filesystem>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
// The generic box builds on the declarations above.
#include <wx/generic/msgdlgg.h>
#include <wx/timer.h>

#include "AnaloguePictures.h"
#include "CanvasBitmap.h"
#include "DialogWindow.h"
#include "FileDialogRules.h"
#include "MessageBoxIcons.h"
#include "ProgramIcon.h"
#include "WxText.h"
#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/Resources.h"
#include "editors/AnalogueBlockTemplate.h"
#include "view/DataParamsTemplate.h"
#include "view/LegendBitmap.h"

namespace qv {
namespace {

class TickTimer : public wxTimer {
public:
    explicit TickTimer(std::function<void()> tick) : m_tick(std::move(tick)) {}
    void Notify() override { m_tick(); }

private:
    std::function<void()> m_tick;
};

long ButtonStyle(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok:
            return wxOK;
        case MsgButtons::OkCancel:
            return wxOK | wxCANCEL;
        case MsgButtons::YesNo:
            return wxYES_NO;
        case MsgButtons::YesNoCancel:
            return wxYES_NO | wxCANCEL;
    }
    return wxOK;
}

long IconStyle(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return 0;
        case MsgIcon::Exclamation:
            return wxICON_EXCLAMATION;
        case MsgIcon::Information:
            return wxICON_INFORMATION;
        case MsgIcon::Question:
            return wxICON_QUESTION;
        case MsgIcon::Error:
            return wxICON_ERROR;
    }
    return wxICON_NONE;
}

// A box without a Cancel button that is closed anyway answers like its last button.
MsgResult ToResult(int answer, MsgButtons buttons) {
    switch (answer) {
        case wxID_OK:
            return MsgResult::Ok;
        case wxID_YES:
            return MsgResult::Yes;
        case wxID_NO:
            return MsgResult::No;
        default:
            break;
    }
    if (buttons == MsgButtons::YesNo)
        return MsgResult::No;
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    return MsgResult::Cancel;
}

std::string DialogTitle(const FileDialogRequest& request) {
    if (!request.title.empty())
        return request.title;
    return request.save ? "Save As" : "Open";
}

wxBitmap Placeholder(wxSize size) {
    wxBitmap bitmap(std::max(size.x, 1), std::max(size.y, 1), 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxLIGHT_GREY_BRUSH);
    dc.Clear();
    dc.SetPen(*wxGREY_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, bitmap.GetWidth(), bitmap.GetHeight());
    return bitmap;
}

// The legend is stretched over its control, so that its bands stay beside the
// panel's rows whatever the dialog font makes of the dialog units.
wxBitmap LegendPicture(wxSize size) {
    wxImage legend = CanvasBitmap(LegendBitmap()).ConvertToImage();
    if (size.x > 0 && size.y > 0)
        legend.Rescale(size.x, size.y, wxIMAGE_QUALITY_NEAREST);
    return wxBitmap(legend, 24);
}

}  // namespace

WxUi::WxUi() {
    MessageBoxIcons::Install();
}

WxUi::~WxUi() {
    for (auto& [id, timer] : m_timers)
        timer->Stop();
    for (auto& [dialog, window] : m_modeless)
        window->Destroy();
}

MsgResult WxUi::MessageBox(const MessageBoxRequest& request) {
    if (m_standIn)
        return m_standIn->MessageBox(request);
    const std::string caption =
        request.caption.empty() ? LoadString(AFX_IDS_APP_TITLE) : request.caption;
    // The generic box, as GTK's own draws no icon whatever the request asks for.
    wxWindow* owner = request.owner ? WindowOf(*request.owner) : nullptr;
    wxGenericMessageDialog box(owner ? owner : wxTheApp->GetTopWindow(), ToWx(request.text),
                               ToWx(caption),
                               ButtonStyle(request.buttons) | IconStyle(request.icon));
    return ToResult(ShowBox(box), request.buttons);
}

int WxUi::ShowBox(wxGenericMessageDialog& box) {
    return box.ShowModal();
}

std::optional<std::string> WxUi::ChooseFile(const FileDialogRequest& request) {
    if (m_standIn)
        return m_standIn->ChooseFile(request);
    for (;;) {
        auto chosen = AskFileName(request);
        if (!chosen || !request.save)
            return chosen;
        *chosen = WithDefaultExtension(*chosen, request.defaultExtension);
        if (!(request.flags & kOverwritePrompt) || ConfirmOverwrite(*chosen, request))
            return chosen;
    }
}

std::optional<std::string> WxUi::AskFileName(const FileDialogRequest& request) {
    auto chosen = RunFileDialog(request, StartFolder(request));
    if (chosen)
        m_lastFolder = std::filesystem::path(*chosen).parent_path().string();
    return chosen;
}

// The folder of the open measurement when the request names one, else the
// folder last chosen in; the working directory only when there is neither.
std::string WxUi::StartFolder(const FileDialogRequest& request) const {
    const std::string folder = std::filesystem::path(request.initialPath).parent_path().string();
    return folder.empty() ? m_lastFolder : folder;
}

std::optional<std::string> WxUi::RunFileDialog(const FileDialogRequest& request,
                                               const std::string& folder) {
    const std::filesystem::path initial(request.initialPath);
    const long style = request.save ? wxFD_SAVE : wxFD_OPEN | wxFD_FILE_MUST_EXIST;
    wxFileDialog dialog(wxTheApp->GetTopWindow(), ToWx(DialogTitle(request)), ToWx(folder),
                        ToWx(initial.filename().string()), ToWx(ToWildcard(request.filter)), style);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return FromWx(dialog.GetPath());
}

// Asked after the extension was added, so it is about the file really written.
bool WxUi::ConfirmOverwrite(const std::string& path, const FileDialogRequest& request) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return true;
    const std::string text = path + " already exists.\nDo you want to replace it?";
    return Message(text, DialogTitle(request), MsgButtons::YesNo, MsgIcon::Exclamation) ==
           MsgResult::Yes;
}

wxBitmap WxUi::Picture(int resource, wxSize size) {
    switch (resource) {
        case IDR_ICON:
            return ProgramPicture(32);
        case IDB_LEGEND:
            return LegendPicture(size);
        case IDB_ANALOGUE_CHAIN:
            return AnalogueChainPicture(size);
        case IDB_ANALOGUE_TIMING:
            return AnalogueTimingPicture(size);
        default:
            return Placeholder(size);
    }
}

int WxUi::RunModal(CDialog& dialog) {
    if (m_standIn)
        return m_standIn->RunModal(dialog);
    auto* window = new DialogWindow(wxTheApp->GetTopWindow(), dialog, &WxUi::Picture);
    m_modal[&dialog] = window;
    const int result = window->RunModal();
    m_modal.erase(&dialog);
    window->Destroy();
    return result;
}

bool WxUi::CreateModeless(CDialog& dialog) {
    DestroyWindow(dialog);
    wxWindow* parent = m_modelessParent ? m_modelessParent : wxTheApp->GetTopWindow();
    auto* window = new DialogWindow(parent, dialog, &WxUi::Picture);
    m_modeless[&dialog] = window;
    // The frame takes its panels down with it when it closes.
    window->Bind(wxEVT_DESTROY, [this, &dialog, window](wxWindowDestroyEvent& event) {
        event.Skip();
        const auto it = m_modeless.find(&dialog);
        if (event.GetEventObject() == window && it != m_modeless.end() && it->second == window)
            m_modeless.erase(it);
    });
    window->InitModeless();
    return true;
}

// The dialog object is going away, so its window must go now: a window left
// for later deletion would still reach into the dead model.
void WxUi::DestroyWindow(CDialog& dialog) {
    const auto it = m_modeless.find(&dialog);
    if (it == m_modeless.end())
        return;
    DialogWindow* window = it->second;
    m_modeless.erase(it);
    delete window;
}

wxWindow* WxUi::WindowOf(const CDialog& dialog) const {
    if (const auto modal = m_modal.find(&dialog); modal != m_modal.end())
        return modal->second;
    const auto it = m_modeless.find(&dialog);
    return it == m_modeless.end() ? nullptr : it->second;
}

void WxUi::SetTimer(int id, unsigned periodMs, std::function<void()> tick) {
    KillTimer(id);
    auto timer = std::make_unique<TickTimer>(std::move(tick));
    timer->Start(int(periodMs));
    m_timers[id] = std::move(timer);
}

// The tick being run may kill its own timer: the object outlives the call.
void WxUi::KillTimer(int id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    it->second->Stop();
    m_stopped.push_back(std::move(it->second));
    m_timers.erase(it);
    wxTheApp->CallAfter([this] { m_stopped.clear(); });
}

void WxUi::RunLater(std::function<void()> task) {
    wxTheApp->CallAfter(std::move(task));
}

}  // namespace qv
