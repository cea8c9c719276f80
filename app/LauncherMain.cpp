#include "app/Launcher.h"

// The one application object; the framework's entry runs it.
CLauncherApp theApp;
