// Test-only: running programs and converting text, for the end-to-end tests.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/TestingHooks.h"
#include "platform/posix/UniqueFd.h"

extern char** environ;

namespace platform::testing {
namespace {

using Fd = platform::posix::UniqueFd;

std::vector<std::string> Environment(const std::vector<std::string>& additions) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    bool replaced = false;
    for (const std::string& addition : additions) {
      if (addition.substr(0, addition.find('=')) == name) replaced = true;
    }
    if (!replaced) result.push_back(text);
  }
  result.insert(result.end(), additions.begin(), additions.end());
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (std::string& s : strings) result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

// Starts `argv` with `environment` added and the file actions given, which it consumes;
// 0 or the error number.
int Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
          posix_spawn_file_actions_t* actions, pid_t* pid) {
  std::vector<std::string> args = argv;
  std::vector<std::string> env = Environment(environment);
  std::vector<char*> argp = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  const int spawned = ::posix_spawnp(pid, argp[0], actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(actions);
  return spawned;
}

// Reads `fd` until its end or until `deadline`; false on the time-out.
bool DrainUntilEnd(int fd, std::chrono::steady_clock::time_point deadline) {
  char buffer[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return true;
  }
}

}  // namespace

ProcessRun RunProcess(const std::vector<std::string>& argv, const std::string& directory,
                      const std::vector<std::string>& environment, bool waitForDescendants,
                      int timeoutSeconds) {
  ProcessRun run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  // Output goes to a file: a pipe would stay open as long as anything the program started
  // keeps it, and the program's end would not be seen.
  char outputName[] = "/tmp/zintu-run-XXXXXX";
  Fd output(::mkostemp(outputName, O_CLOEXEC));
  if (output.get() < 0) return run;
  ::unlink(outputName);
  int donePipe[2];
  if (::pipe(donePipe) != 0) return run;
  Fd doneRead(donePipe[0]), doneWrite(donePipe[1]);
  ::fcntl(doneRead.get(), F_SETFD, FD_CLOEXEC);
  if (!waitForDescendants) ::fcntl(doneWrite.get(), F_SETFD, FD_CLOEXEC);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output.get(), 1);
  posix_spawn_file_actions_adddup2(&actions, output.get(), 2);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());

  pid_t pid = 0;
  const int spawned = Spawn(argv, environment, &actions, &pid);
  doneWrite.Close();
  if (spawned != 0) {
    run.output = std::string("cannot start ") + argv[0] + ": " + std::strerror(spawned);
    return run;
  }

  // Ended by the CTest time-out should it hang.
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.descendantsDone = waitForDescendants ? DrainUntilEnd(doneRead.get(), deadline) : true;

  std::string text;
  char buffer[4096];
  ::lseek(output.get(), 0, SEEK_SET);
  for (ssize_t n; (n = ::read(output.get(), buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(n));
  }
  run.output = std::move(text);
  return run;
}

namespace {

class FifoSignal : public LineSignal {
 public:
  FifoSignal(std::string path, int reader, int keeper)
      : path_(std::move(path)), reader_(reader), keeper_(keeper) {}
  ~FifoSignal() override { ::unlink(path_.c_str()); }

  bool WaitForLines(std::size_t count, int timeoutSeconds) override {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (lines_ < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      pollfd p{reader_.get(), POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
      char buffer[256];
      const ssize_t n = ::read(reader_.get(), buffer, sizeof buffer);
      for (ssize_t i = 0; i < n; ++i) lines_ += buffer[i] == '\n' ? 1 : 0;
    }
    return true;
  }

 private:
  std::string path_;
  Fd reader_;
  Fd keeper_;  // a writer of our own, so that the pipe never reads as closed between writers
  std::size_t lines_ = 0;
};

}  // namespace

std::unique_ptr<LineSignal> CreateLineSignal(const std::string& hostPath) {
  ::unlink(hostPath.c_str());
  if (::mkfifo(hostPath.c_str(), 0600) != 0) return nullptr;
  const int reader = ::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  const int keeper = reader < 0 ? -1 : ::open(hostPath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (keeper < 0) {
    if (reader >= 0) ::close(reader);
    ::unlink(hostPath.c_str());
    return nullptr;
  }
  return std::make_unique<FifoSignal>(hostPath, reader, keeper);
}

namespace {

class PosixChild : public ChildProcess {
 public:
  PosixChild(pid_t pid, int input, int output) : pid_(pid), input_(input), output_(output) {}
  ~PosixChild() override { Finish(); }

  std::string ReadLine() override {
    for (;;) {
      const std::size_t end = buffered_.find('\n');
      if (end != std::string::npos) {
        std::string line = buffered_.substr(0, end);
        buffered_.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
      }
      char chunk[256];
      const ssize_t n = ::read(output_.get(), chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return std::exchange(buffered_, std::string());
      buffered_.append(chunk, static_cast<std::size_t>(n));
    }
  }

  int Finish() override {
    if (pid_ <= 0) return status_;
    input_.Close();
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = 0;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return status_;
  }

 private:
  pid_t pid_;
  Fd input_;
  Fd output_;
  std::string buffered_;
  int status_ = -1;
};

}  // namespace

std::unique_ptr<ChildProcess> StartChild(const std::vector<std::string>& argv,
                                         const std::vector<std::string>& environment) {
  int in[2];
  int out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) return nullptr;
  if (::pipe2(out, O_CLOEXEC) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    return nullptr;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  pid_t pid = 0;
  const int spawned = Spawn(argv, environment, &actions, &pid);
  ::close(in[0]);
  ::close(out[1]);
  if (spawned != 0) {
    ::close(in[1]);
    ::close(out[0]);
    return nullptr;
  }
  return std::make_unique<PosixChild>(pid, in[1], out[0]);
}

}  // namespace platform::testing
