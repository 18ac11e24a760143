#include "framework/Document.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "framework/AtomicFile.h"
#include "framework/FrameworkMessages.h"

namespace qv {

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void CDocument::SetPathName(const std::string& path) {
    m_pathName = path;
    m_title = FileNameOf(path);
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_pathName.clear();
    m_title = "Untitled";
    SetModifiedFlag(false);
    return true;
}

void CDocument::ReportOpenFailure(const std::string& path, const std::string& reason) {
    m_ui->Message(FormatOpenFailed(path, reason), {}, MsgButtons::Ok, MsgIcon::Exclamation);
}

bool CDocument::OnOpenDocument(const std::string& path) {
    std::vector<std::byte> bytes;
    if (const std::string error = ReadWholeFile(path, bytes); !error.empty()) {
        ReportOpenFailure(path, error);
        return false;
    }
    CArchive archive = CArchive::ForLoading(bytes);
    archive.SetFileName(path);
    try {
        Serialize(archive);
    } catch (const CArchiveException&) {
        ReportOpenFailure(path, kEndOfFileReason);
        return false;
    } catch (const CUserException&) {
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& path) {
    CArchive archive = CArchive::ForStoring();
    Serialize(archive);
    if (const std::string error = WriteFileReplacing(path, archive.StoredBytes()); !error.empty()) {
        m_ui->Message(FormatSaveFailed(path, error), {}, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

}  // namespace qv

namespace qv {

namespace {
// Read-only means no write permission bits at all: access() alone says yes to
// everything when the program runs as root.
bool IsWritableFile(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    return (info.st_mode & kAnyWrite) != 0 && access(path.c_str(), W_OK) == 0;
}
}  // namespace

bool CDocument::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    // The file's name, as the title bar shows it, not the whole path.
    const std::string name = m_pathName.empty() ? m_title : FileNameOf(m_pathName);
    switch (m_ui->Message("Save changes to " + name + "?", {}, MsgButtons::YesNoCancel,
                          MsgIcon::Question)) {
        case MsgResult::Cancel:
            return false;
        case MsgResult::No:
            return true;
        default:
            return DoFileSave();
    }
}

bool CDocument::DoFileSave() {
    return DoSave(IsWritableFile(m_pathName) ? m_pathName : std::string());
}

bool CDocument::DoSave(const std::string& path) {
    std::string target = path;
    if (target.empty()) {
        FileDialogRequest request;
        request.save = true;
        request.initialPath = m_pathName.empty() ? m_title + m_template.filterExt : m_pathName;
        request.defaultExtension = m_template.filterExt;
        request.filter = m_template.FileDialogFilter();
        request.flags = kHideReadOnly | kOverwritePrompt;
        request.title = "Save As";
        const auto chosen = m_ui->ChooseFile(request);
        if (!chosen) {
            return false;
        }
        target = *chosen;
    }
    return OnSaveDocument(target);
}

}  // namespace qv
