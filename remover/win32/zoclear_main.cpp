// The removal program's entry: WinMain hands over to OwlMain, which runs the application.
#include <windows.h>

#include <cstdlib>

#include "framework/module.h"
#include "remover/win32/app_install.h"

// The program's own entry after the start-up; the arguments are not read.
int OwlMain(int, char*[]) {
    AppInstall application("Title");
    return application.Run();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    framework::SetModule(instance);
    return OwlMain(__argc, __argv);
}
