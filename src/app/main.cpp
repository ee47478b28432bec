// The program's entry: the one application object and WinMain.
#include <windows.h>

#include "app/gripdeck_app.h"

namespace {

gd::CGripdeckApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return theApp.Run(instance, commandLine);
}
