#include "app/QvApplication.h"

#include <filesystem>
#include <iostream>

#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/Resources.h"
#include "framework/DocTemplate.h"
#include "hardware/HardwareGlobals.h"

namespace qv {

namespace {

// Files are remembered and compared by their absolute, normalised path.
std::string FullPath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

CQvApp::CQvApp(Ui& ui, SettingsStore& settings, Options options)
    : m_ui(ui), m_settings(settings), m_options(std::move(options)) {
    OnCommandId(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommandId(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommandId(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommandId(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    OnCommandId(ID_APP_ABOUT, [this] { OnAppAbout(); });
    for (int i = 0; i < m_recentFiles.Size(); ++i) {
        OnCommandId(ID_FILE_MRU_FILE1 + i, [this, i] { OnFileMru(i); });
        OnUpdateCommand(ID_FILE_MRU_FILE1 + i, [this, i](CCmdUI& ui) {
            ui.Enable(i < static_cast<int>(m_recentFiles.Entries().size()));
        });
    }
}

CQvApp::~CQvApp() = default;

bool CQvApp::InitInstance(const std::optional<std::string>& fileName) {
    m_recentFiles.ReadList(m_settings);
    const auto hdwPath = m_options.hardwareDescriptionPath ? m_options.hardwareDescriptionPath
                                                           : CQvDoc::DefaultHardwareDescription();
    m_document = std::make_unique<CQvDoc>(m_ui, hdwPath);
    m_document->SetDocTemplate(DocTemplate::Parse(LoadString(IDR_MAINFRAME)));
    m_document->SetHardwareEditors(&m_editors);
    // The port base is known once qv.hdw has been read.
    if (m_options.openCard) {
        m_cardLink = std::make_unique<CardLink>(m_options.card,
                                                HardwareGlobals::Instance().portBase, std::cerr);
    }
    SetViewTarget(m_view);
    if (!fileName) {
        m_document->OnNewDocument();
        DocumentChanged(DocumentChange::Contents);
        return true;
    }
    return OpenDocumentFile(*fileName);
}

std::optional<RememberedRun> CQvApp::ReopenRun(bool withoutAsking) {
    std::optional<RememberedRun> run = RunToResume(m_runMemory, m_ui, withoutAsking);
    if (run && !OpenDocumentFile(run->file)) {
        m_runMemory.Forget();
        return std::nullopt;
    }
    return run;
}

void CQvApp::SetViewTarget(CCmdTarget* view) {
    m_view = view;
    m_router.SetTargets({m_view, m_document.get(), this});
}

std::string CQvApp::WindowCaption() const {
    const std::string title = m_document ? m_document->GetTitle() : std::string("Untitled");
    return title + " - " + LoadString(AFX_IDS_APP_TITLE);
}

void CQvApp::OnFileNew() {
    if (!m_document->SaveModified()) {
        return;
    }
    m_document->OnNewDocument();
    DocumentChanged(DocumentChange::Contents);
}

void CQvApp::OnFileOpen() {
    FileDialogRequest request;
    request.save = false;
    request.filter = m_document->GetDocTemplate().FileDialogFilter();
    request.defaultExtension = m_document->GetDocTemplate().filterExt;
    request.flags = kHideReadOnly;
    request.title = "Open";
    // The dialog starts in the folder of the open measurement, if it has one.
    if (const std::string& path = m_document->GetPathName(); !path.empty()) {
        request.initialPath = (std::filesystem::path(path).parent_path() / "").string();
    }
    if (const auto chosen = m_ui.ChooseFile(request)) {
        OpenDocumentFile(*chosen);
    }
}

bool CQvApp::OpenDocumentFile(const std::string& path) {
    const std::string full = FullPath(path);
    // The one document already holds this file: nothing to open.
    if (full == m_document->GetPathName()) {
        return true;
    }
    if (!m_document->SaveModified()) {
        return false;
    }
    if (!m_document->OnOpenDocument(full)) {
        return false;
    }
    AddToRecentFiles(full);
    DocumentChanged(DocumentChange::Contents);
    return true;
}

void CQvApp::OnFileSave() {
    if (m_document->DoFileSave()) {
        AddToRecentFiles(m_document->GetPathName());
        DocumentChanged(DocumentChange::Name);
    }
}

void CQvApp::OnFileSaveAs() {
    if (m_document->DoSave({})) {
        AddToRecentFiles(m_document->GetPathName());
        DocumentChanged(DocumentChange::Name);
    }
}

void CQvApp::OnFileMru(int index) {
    const auto& entries = m_recentFiles.Entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        return;
    }
    const std::string path = entries[static_cast<std::size_t>(index)];
    if (!OpenDocumentFile(path) && m_document->GetPathName() != path) {
        // A file that can no longer be opened leaves the list.
        m_recentFiles.Remove(index);
        m_recentFiles.WriteList(m_settings);
        DocumentChanged(DocumentChange::Name);
    }
}

void CQvApp::OnAppAbout() {
    CAboutDlg about(m_ui);
    about.DoModal();
}

bool CQvApp::CanExit() {
    if (!m_document->SaveModified()) {
        return false;
    }
    m_recentFiles.WriteList(m_settings);
    // A clean end: nothing to go on with at the next start.
    m_runMemory.Forget();
    return true;
}

void CQvApp::DocumentChanged(DocumentChange change) {
    if (m_documentChanged) {
        m_documentChanged(change);
    }
}

void CQvApp::AddToRecentFiles(const std::string& path) {
    m_recentFiles.Add(path);
    m_recentFiles.WriteList(m_settings);
}

}  // namespace qv
