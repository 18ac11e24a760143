#pragma once

#include <optional>
#include <string>

#include "framework/Archive.h"
#include "framework/CmdTarget.h"
#include "framework/DocTemplate.h"
#include "framework/Ui.h"

namespace qv {

// Stand-in for the desktop framework's document: path, title, modified flag and
// the new/open/save entry points. Serialize does the file format; the base
// class owns the file handling and reports its failures through the Ui.
class CDocument : public CCmdTarget {
public:
    explicit CDocument(Ui& ui) : m_ui(&ui) {}
    ~CDocument() override = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const std::string& GetPathName() const { return m_pathName; }
    // Sets the title to the file's name, as the framework does.
    void SetPathName(const std::string& path);
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    virtual bool IsModified() const { return m_modified; }
    virtual void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // File New: a fresh untitled, unmodified document.
    virtual bool OnNewDocument();
    // File Open: on any failure the document keeps what it had, path included.
    virtual bool OnOpenDocument(const std::string& path);
    // Save under path; on failure the document stays modified and the message says
    // what became of the old file (a read-only one is never replaced).
    virtual bool OnSaveDocument(const std::string& path);

    // Save flow. SaveModified asks "Save changes to %1?" (Yes / No / Cancel)
    // for a modified document and returns false when the user cancels or the
    // save fails.
    virtual bool SaveModified();
    // Save under the current path; Save As when there is none, or the file is
    // missing or read-only.
    bool DoFileSave();
    // Save As when path is empty: asks for a name with the template's filter, and
    // again while the chosen file is read-only.
    bool DoSave(const std::string& path);
    void SetDocTemplate(const DocTemplate& docTemplate) { m_template = docTemplate; }
    const DocTemplate& GetDocTemplate() const { return m_template; }

    virtual void Serialize(CArchive& archive) = 0;
    virtual void DeleteContents() {}

    Ui& GetUi() const { return *m_ui; }
    void SetUi(Ui& ui) { m_ui = &ui; }

private:
    void ReportOpenFailure(const std::string& path, const std::string& reason);
    // The save dialog, asked again for as long as the user picks a read-only file.
    std::optional<std::string> ChooseReplaceableFile(FileDialogRequest request);

    Ui* m_ui;
    std::string m_pathName;
    std::string m_title = "Untitled";
    bool m_modified = false;
    DocTemplate m_template;
};

// File name part of a path (after the last '/').
std::string FileNameOf(const std::string& path);

}  // namespace qv
