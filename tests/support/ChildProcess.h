#pragma once
// Programs a test starts beside itself (a display server, a window manager,
// the test program again in another role): started with an environment of
// the test's choosing and their output in a pipe, waited for with a
// deadline, and always ended and reaped when the test lets them go, so
// that no test leaves a process behind.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace test_support {

using Clock = std::chrono::steady_clock;

// The full path of a program on PATH.
inline std::optional<std::string> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path ? path : "/usr/bin:/bin");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    const std::string candidate = dir + "/" + name;
    if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

// This process's environment with some variables set anew.
inline std::vector<std::string> EnvironmentWith(const std::vector<std::pair<std::string, std::string>>& set) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const auto& [name, value] : set) replaced = replaced || entry.rfind(name + "=", 0) == 0;
    if (!replaced) env.push_back(entry);
  }
  for (const auto& [name, value] : set) env.push_back(name + "=" + value);
  return env;
}

// A pipe whose read end stays in this process; the write end goes to a
// child (a descriptor made without close-on-exec stays open in a child).
class Pipe {
 public:
  Pipe() {
    int fds[2];
    if (pipe(fds) != 0) return;
    FRead = fds[0];
    FWrite = fds[1];
    fcntl(FRead, F_SETFD, FD_CLOEXEC);
  }
  ~Pipe() {
    CloseWrite();
    if (FRead >= 0) close(FRead);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  int WriteEnd() const { return FWrite; }
  // Once the children have their copy: the read end then sees their end.
  void CloseWrite() {
    if (FWrite >= 0) close(FWrite);
    FWrite = -1;
  }

  // Reads into text until stop(text) holds, the writers have all closed it
  // or the deadline passes; stop's answer.
  template <typename Stop>
  bool ReadUntil(std::string& text, Clock::time_point deadline, Stop stop) {
    for (;;) {
      if (stop(text)) return true;
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return false;
      pollfd p{FRead, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left)) <= 0) return false;
      char buf[4096];
      const ssize_t n = read(FRead, buf, sizeof buf);
      if (n <= 0) return false;
      text.append(buf, static_cast<std::size_t>(n));
    }
  }
  // Everything until the writers close it or the deadline passes.
  std::string ReadAll(Clock::time_point deadline) {
    std::string text;
    ReadUntil(text, deadline, [](const std::string&) { return false; });
    return text;
  }

 private:
  int FRead = -1;
  int FWrite = -1;
};

// A process the test started: ended (asked, then forced) and reaped when it
// goes, whatever the test's outcome.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { End(); }

  // Starts argv[0] (a path) with env; its output goes to outFd, or nowhere
  // when that is -1. Its input is empty.
  bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& env, int outFd = -1) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (outFd >= 0) {
      posix_spawn_file_actions_adddup2(&actions, outFd, 1);
      posix_spawn_file_actions_adddup2(&actions, outFd, 2);
    } else {
      posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
      posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    const int rc = posix_spawn(&FPid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) FPid = -1;
    return FPid > 0;
  }

  // Its exit status (128 + the signal when one ended it) once it ends
  // before the deadline; nothing otherwise.
  std::optional<int> WaitUntil(Clock::time_point deadline) {
    while (FPid > 0) {
      int status = 0;
      const pid_t r = waitpid(FPid, &status, WNOHANG);
      if (r == FPid) {
        FPid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (r < 0 || Clock::now() > deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
  }

  bool Running() { return FPid > 0 && waitpid(FPid, nullptr, WNOHANG) == 0; }

  void End() {
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    if (!WaitUntil(Clock::now() + std::chrono::seconds(5))) {
      kill(FPid, SIGKILL);
      waitpid(FPid, nullptr, 0);
    }
    FPid = -1;
  }

 private:
  pid_t FPid = -1;
};

// The output of a short program, or nothing when it fails or overruns.
inline std::optional<std::string> Capture(const std::vector<std::string>& argv,
                                          const std::vector<std::string>& env) {
  Pipe out;
  ChildProcess child;
  if (!child.Start(argv, env, out.WriteEnd())) return std::nullopt;
  out.CloseWrite();
  std::string text = out.ReadAll(Clock::now() + std::chrono::seconds(10));
  const std::optional<int> status = child.WaitUntil(Clock::now() + std::chrono::seconds(5));
  if (!status || *status != 0) return std::nullopt;
  return text;
}

}  // namespace test_support
