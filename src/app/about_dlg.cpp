#include "app/about_dlg.h"

#include "resource.h"

namespace gd {

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUT, parent) {}

}  // namespace gd
