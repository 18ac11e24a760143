#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "ConsoleUi.h"
#include "document/QvDoc.h"

namespace qv::tool {

// A new measurement document as the tool commands use it: built-in hardware
// defaults (no qv.hdw is read) and message boxes on the error stream.
class ToolDocument {
public:
    explicit ToolDocument(std::ostream& err) : m_ui(err), m_doc(m_ui, std::nullopt) {
        m_doc.OnNewDocument();
    }
    // File Open; a refusal has already been printed.
    bool Open(const std::string& file) { return m_doc.OnOpenDocument(file); }
    CQvDoc& Doc() { return m_doc; }
    Ui& GetUi() { return m_ui; }

private:
    ConsoleUi m_ui;
    CQvDoc m_doc;
};

}  // namespace qv::tool
