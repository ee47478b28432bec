#pragma once
// The About box (dialog 102): the program's icon, name, version line and
// maker's notes, closed with its OK button.
#include <windows.h>

#include "fw/dialog.h"

namespace gd {

class CAboutDlg : public CDialog {
  public:
    explicit CAboutDlg(HWND parent);
};

}  // namespace gd
