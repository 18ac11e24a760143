#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/CardLink.h"
#include "document/QvDoc.h"
#include "editors/DocumentEditors.h"
#include "framework/CmdTarget.h"
#include "framework/RecentFileList.h"
#include "framework/SettingsStore.h"
#include "framework/Ui.h"
#include "view/RunMemory.h"

namespace qv {

inline constexpr const char* kRegistryKey = "TAVEK - Moessbauer Spectrometer";
inline constexpr const char* kAppName = "qv";

// What a document notification tells the front end to refresh.
enum class DocumentChange {
    Contents,  // reset or reloaded: the view starts over
    Name,      // saved, or the recent-file list changed: caption and menu only
};

// The application without its windows: start-up, the File commands, the
// recent-file list, About and the routing of every command. The front end
// owns one and forwards menu, toolbar and accelerator commands to it.
class CQvApp : public CCmdTarget {
public:
    struct Options {
        // qv.hdw to read at start-up; nothing: beside the executable.
        std::optional<std::string> hardwareDescriptionPath;
        // The virtual spectrometer instead of the machine's ports.
        CardLink::Choice card;
        // Reaching the card at all: tests of the File commands leave it off.
        bool openCard = true;
    };

    CQvApp(Ui& ui, SettingsStore& settings, Options options);
    ~CQvApp() override;

    // Start-up after the profile: creates the document, then opens fileName
    // or starts a new document. False when the named file cannot be opened.
    bool InitInstance(const std::optional<std::string>& fileName);

    // After start-up, when qv ended while autosaving: the remembered run,
    // asked once unless withoutAsking, with its file open. Nothing when the
    // operator declines or the file cannot be opened.
    std::optional<RememberedRun> ReopenRun(bool withoutAsking);

    CQvDoc& Document() { return *m_document; }
    // Null until start-up, and when the card was left off.
    CardLink* Card() { return m_cardLink.get(); }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    SettingsStore& Settings() { return m_settings; }
    RunMemory& Run() { return m_runMemory; }
    CommandRouter& Router() { return m_router; }
    // Commands go to the view first, then the document, then the application.
    void SetViewTarget(CCmdTarget* view);

    // "<title> - qv"
    std::string WindowCaption() const;

    void OnFileNew();
    void OnFileOpen();
    // Open a file by name (recent list, command line, dropped file, second start).
    bool OpenDocumentFile(const std::string& path);
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileMru(int index);
    void OnAppAbout();
    // The close sequence: false when the user cancels.
    bool CanExit();

    // Called after the document was reset or reloaded, and when its title or
    // the recent-file list may have changed.
    void SetDocumentChangedHandler(std::function<void(DocumentChange)> handler) {
        m_documentChanged = std::move(handler);
    }

private:
    void DocumentChanged(DocumentChange change);
    void AddToRecentFiles(const std::string& path);

    Ui& m_ui;
    SettingsStore& m_settings;
    Options m_options;
    DocumentEditors m_editors;
    std::unique_ptr<CQvDoc> m_document;
    std::unique_ptr<CardLink> m_cardLink;
    CRecentFileList m_recentFiles{4};
    RunMemory m_runMemory{m_settings};
    CommandRouter m_router;
    CCmdTarget* m_view = nullptr;
    std::function<void(DocumentChange)> m_documentChanged;
};

}  // namespace qv
