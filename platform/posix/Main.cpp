// The program entry off Windows: the arguments become the command line.
#include <string>

#include "platform/WinApp.h"

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return platform::RunApplication(nullptr, commandLine, platform::kSwShow);
}
