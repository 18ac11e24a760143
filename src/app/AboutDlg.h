#pragma once

#include "framework/Dialog.h"

namespace qv {

inline constexpr int IDR_ICON = 128;  // the program icon, shown in the About box

const DialogTemplate& AboutDialogTemplate();

// Help > About: the program icon, "qv Version 1.0" and OK.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(Ui& ui) : CDialog(AboutDialogTemplate(), ui) {}
};

}  // namespace qv
