#include "framework/Document.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "framework/AtomicFile.h"
#include "framework/FrameworkMessages.h"
#include "framework/InputFile.h"

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
    InputFile file;
    if (const std::string error = file.Open(path); !error.empty()) {
        ReportOpenFailure(path, error);
        return false;
    }
    CArchive archive = CArchive::ForLoading(file);
    archive.SetFileName(path);
    try {
        Serialize(archive);
    } catch (const CArchiveException&) {
        ReportOpenFailure(path, kEndOfFileReason);
        return false;
    } catch (const CFileException& e) {
        ReportOpenFailure(path, e.Reason());
        return false;
    } catch (const std::bad_alloc&) {
        ReportOpenFailure(path, std::strerror(ENOMEM));
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
    const FileWriteResult result = WriteFileReplacing(path, archive.StoredBytes());
    if (!result.Ok()) {
        m_ui->Message(FormatSaveFailed(path, result.error, result.previous), {}, MsgButtons::Ok,
                      MsgIcon::Exclamation);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

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

std::optional<std::string> CDocument::ChooseReplaceableFile(FileDialogRequest request) {
    for (;;) {
        auto chosen = m_ui->ChooseFile(request);
        if (!chosen || !IsReadOnlyFile(*chosen)) {
            return chosen;
        }
        m_ui->Message(FormatReadOnlyTarget(*chosen), {}, MsgButtons::Ok, MsgIcon::Exclamation);
        request.initialPath = *chosen;
    }
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
        const auto chosen = ChooseReplaceableFile(request);
        if (!chosen) {
            return false;
        }
        target = *chosen;
    }
    return OnSaveDocument(target);
}

}  // namespace qv
