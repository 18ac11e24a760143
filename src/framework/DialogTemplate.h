#pragma once

#include <string>
#include <vector>

namespace qv {

// Dialog templates as data: what a resource script holds, in dialog units.
enum class ControlKind {
    Button,
    DefaultButton,
    Edit,
    ReadOnlyEdit,
    DigitsEdit,  // accepts digits only when typed
    MultiLineEdit,
    CheckBox,
    RadioButton,
    GroupBox,
    StaticText,
    Spin,  // up-down control bound to its buddy edit
    Bitmap,
};

enum ControlStyle : unsigned {
    kStyleNone = 0,
    kGroupStart = 1u << 0,  // first radio button of a group
    kDisabled = 1u << 1,
    kRightAlign = 1u << 2,
    kNoBorder = 1u << 3,
    kVScroll = 1u << 4,
    kWantReturn = 1u << 5,  // Enter starts a new line in a multi-line edit
    kCentered = 1u << 6,
};

inline constexpr int kStaticId = -1;  // labels and frames that nothing addresses
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

struct DialogRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct ControlTemplate {
    int id = kStaticId;
    ControlKind kind = ControlKind::StaticText;
    std::string text;
    DialogRect rect;
    unsigned style = kStyleNone;
    int buddy = 0;   // Spin: the edit box it drives
    int bitmap = 0;  // Bitmap: resource number of the picture
};

struct DialogFont {
    std::string face = "MS Sans Serif";
    int points = 8;
};

struct DialogTemplate {
    int id = 0;
    std::string caption;
    DialogRect rect;  // position and size in dialog units
    DialogFont font;
    bool systemMenu = true;  // false: caption bar without close box
    std::vector<ControlTemplate> controls;

    const ControlTemplate* Find(int controlId) const;
    // Ids of the radio buttons of the group that starts at firstId, in order: the
    // run of radio buttons up to the next group start or the next other control.
    // Empty when firstId is not a radio button.
    std::vector<int> RadioGroup(int firstId) const;
    // The whole group that the radio button memberId belongs to.
    std::vector<int> RadioGroupOf(int memberId) const;
};

}  // namespace qv
