// Calls that only tests make, to set up the backend for a case. Each backend implements
// what it can and answers false for the rest.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform::testing {

// Off Windows: let drive `letter` (for example 'C') stand for a host folder.
bool MapDrive(char letter, const std::string& hostFolder);
// Off Windows: let the network root `\\server\share` stand for a host folder.
bool MapShare(const std::string& server, const std::string& share, const std::string& hostFolder);
// Forgets every mapping made above.
void UnmapAll();

// Off Windows: make `codePage` (932, 936, 949, 950, 65001, 1252) the ANSI code page.
bool SetCodePage(unsigned codePage);
// The ANSI code page in force.
unsigned CodePage();

// The path the platform calls take for a host path made by the standard library.
std::string PlatformPath(const std::string& hostPath);
// The host path for a platform path (inverse of PlatformPath for the paths it made).
std::string HostPath(const std::string& platformPath);

// Keeps a file open without sharing, so that others cannot copy over it, until destroyed.
// Null where the platform has no such lock.
class ExclusiveFileHold {
 public:
  virtual ~ExclusiveFileHold() = default;
};
std::unique_ptr<ExclusiveFileHold> HoldFileExclusively(const std::string& path);

// UTF-16 text converted to `codePage`, as a string resource loaded in it would read.
std::string FromUtf16(const char16_t* text, unsigned codePage);

// Starting other programs from a test, off Windows.
struct ProcessRun {
  int exitCode = -1;
  std::string output;            // what it wrote to standard output and standard error
  bool descendantsDone = false;  // every process it started had ended before the time-out
};
// Runs `argv` in `directory` with `environment` ("NAME=value") added, and waits until it
// has ended. With `waitForDescendants`, waits on until every process it started has ended
// too: they all hold one end of a pipe, and its closing is the signal, no polling. (Under
// Wine, Wine's own services may hold it for good: use a LineSignal there.)
ProcessRun RunProcess(const std::vector<std::string>& argv, const std::string& directory,
                      const std::vector<std::string>& environment, bool waitForDescendants,
                      int timeoutSeconds);

// A named pipe at a host path, to which other programs write one line each to say they
// have done something; a test waits for them to have done it so many times.
class LineSignal {
 public:
  virtual ~LineSignal() = default;
  // True once `count` lines in all have come, false at the time-out.
  virtual bool WaitForLines(std::size_t count, int timeoutSeconds) = 0;
};
std::unique_ptr<LineSignal> CreateLineSignal(const std::string& hostPath);

// A program started with pipes on its standard input and output.
class ChildProcess {
 public:
  virtual ~ChildProcess() = default;
  // The next line it writes, without the line feed; empty at its end.
  virtual std::string ReadLine() = 0;
  // Closes its input and waits for it to end; its exit status.
  virtual int Finish() = 0;
};
std::unique_ptr<ChildProcess> StartChild(const std::vector<std::string>& argv,
                                         const std::vector<std::string>& environment);

}  // namespace platform::testing
