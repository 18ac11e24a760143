#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qv::test {

// What a case can do in an open editor window, through its real widgets.
class EditorDriver {
public:
    virtual ~EditorDriver() = default;
    virtual void Type(int id, const std::string& text) = 0;
    virtual void Click(int id) = 0;
    virtual std::string Text(int id) const = 0;
    virtual bool Enabled(int id) const = 0;
    virtual std::string Caption() const = 0;
    virtual void Check(bool ok, const std::string& what) = 0;
    void CheckText(int id, const std::string& expected, const std::string& what) {
        const std::string shown = Text(id);
        Check(shown == expected, what + ": \"" + shown + "\", expected \"" + expected + "\"");
    }
};

// One editor: the Settings command that opens it, the picture to keep, what
// the operator does in it, and the button that closes it.
struct EditorCase {
    const char* name;
    int command;
    const char* picture;  // PNG file name, or null
    std::function<void(EditorDriver&)> play;
    int closeButton = 2;  // IDCANCEL
};

// Every editor's case, one file per editor (EditorsGuiCase*.cpp).
const std::vector<EditorCase>& EditorCases();

}  // namespace qv::test
