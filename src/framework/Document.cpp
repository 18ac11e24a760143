#include "framework/Document.h"

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
    if (const std::string error = WriteFileReplacing(path, archive.StoredBytes());
        !error.empty()) {
        m_ui->Message(FormatSaveFailed(path, error), {}, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

}  // namespace qv
