// Stands in for Zintu.exe in the end-to-end tests: appends one line per start to the file
// named by ZINTU_FAKE_BROWSER_RECORD, telling its arguments and current directory, then
// says so on the pipe named by ZINTU_FAKE_BROWSER_SIGNAL, when there is one.
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
  out.close();
  if (const char* signal = std::getenv("ZINTU_FAKE_BROWSER_SIGNAL")) {
    std::ofstream(signal, std::ios::app) << "started\n";
  }
  return 0;
}
