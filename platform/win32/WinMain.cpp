// The program entry of the launcher on Windows.
#include "platform/WinApp.h"
#include "platform/win32/Win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR commandLine, int showCommand) {
  return platform::RunApplication(instance, commandLine ? commandLine : "", showCommand);
}
