#include "app/AboutDlg.h"

namespace qv {

const DialogTemplate& AboutDialogTemplate() {
    static const DialogTemplate about = [] {
        DialogTemplate t;
        t.id = 100;
        t.caption = "About qv";
        t.rect = {0, 0, 235, 55};
        t.font = {"MS Sans Serif", 8};
        t.controls = {
            {kStaticId, ControlKind::Bitmap, "", {11, 17, 20, 20}, kStyleNone, 0, IDR_ICON},
            {kStaticId, ControlKind::StaticText, "qv Version 1.0", {40, 10, 119, 8}},
            {IDOK, ControlKind::DefaultButton, "OK", {178, 7, 50, 14}, kGroupStart},
        };
        return t;
    }();
    return about;
}

}  // namespace qv
