#pragma once

#include <string>

#include "framework/DialogTemplate.h"

namespace qv {

// Short forms for the controls of a dialog template, in dialog units, so that
// a template reads like the resource script it stands for.
namespace tpl {

inline ControlTemplate Make(int id, ControlKind kind, std::string text, DialogRect rect,
                            unsigned style = kStyleNone) {
    ControlTemplate control;
    control.id = id;
    control.kind = kind;
    control.text = std::move(text);
    control.rect = rect;
    control.style = style;
    return control;
}

inline ControlTemplate Label(std::string text, DialogRect rect, unsigned style = kStyleNone) {
    return Make(kStaticId, ControlKind::StaticText, std::move(text), rect, style);
}
inline ControlTemplate Group(std::string text, DialogRect rect) {
    return Make(kStaticId, ControlKind::GroupBox, std::move(text), rect);
}
inline ControlTemplate Edit(int id, DialogRect rect, unsigned style = kStyleNone) {
    return Make(id, ControlKind::Edit, "", rect, style);
}
inline ControlTemplate Digits(int id, DialogRect rect, unsigned style = kStyleNone) {
    return Make(id, ControlKind::DigitsEdit, "", rect, style);
}
inline ControlTemplate ReadOnly(int id, DialogRect rect, unsigned style = kStyleNone) {
    return Make(id, ControlKind::ReadOnlyEdit, "", rect, style);
}
inline ControlTemplate Button(int id, std::string text, DialogRect rect,
                              unsigned style = kStyleNone) {
    return Make(id, ControlKind::Button, std::move(text), rect, style);
}
inline ControlTemplate DefaultButton(int id, std::string text, DialogRect rect) {
    return Make(id, ControlKind::DefaultButton, std::move(text), rect);
}
inline ControlTemplate Check(int id, std::string text, DialogRect rect) {
    return Make(id, ControlKind::CheckBox, std::move(text), rect);
}
inline ControlTemplate Radio(int id, std::string text, DialogRect rect,
                             unsigned style = kStyleNone) {
    return Make(id, ControlKind::RadioButton, std::move(text), rect, style);
}
// An up-down control at the right of its buddy edit box.
inline ControlTemplate Spin(int id, int buddy, DialogRect rect) {
    ControlTemplate control = Make(id, ControlKind::Spin, "", rect);
    control.buddy = buddy;
    return control;
}
inline ControlTemplate Picture(int bitmap, DialogRect rect) {
    ControlTemplate control = Make(kStaticId, ControlKind::Bitmap, "", rect);
    control.bitmap = bitmap;
    return control;
}

}  // namespace tpl
}  // namespace qv
