// Stands in for Zintu.exe in the end-to-end tests: appends one line per start to the file
// named by ZINTU_FAKE_BROWSER_RECORD, telling its arguments and current directory.
#include <cstdlib>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
  const char* record = std::getenv("ZINTU_FAKE_BROWSER_RECORD");
  if (record == nullptr) return 1;
  std::ofstream out(record, std::ios::app | std::ios::binary);
  out << "start args=" << argc - 1;
  for (int i = 1; i < argc; ++i) out << " [" << argv[i] << "]";
  std::error_code error;
  out << " cwd=" << std::filesystem::current_path(error).string() << "\n";
  return 0;
}
