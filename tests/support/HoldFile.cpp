// Holds a file open without sharing until its standard input ends, so that a test can
// make another process's copy over that file fail. Says "held" once it holds it.
#include <iostream>
#include <string>

#include "platform/TestingHooks.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const auto hold = platform::testing::HoldFileExclusively(argv[1]);
  std::cout << (hold ? "held" : "failed") << std::endl;
  std::string line;
  while (std::getline(std::cin, line)) {
  }
  return hold ? 0 : 1;
}
