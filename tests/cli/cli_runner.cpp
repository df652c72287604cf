#include "cli_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace gryvel::testing {

CliProcess::CliProcess(const std::vector<std::string>& args, const std::string& program,
                       const std::string& working_dir) {
  const std::string path = program.empty() ? GRYVEL_CLI_PATH : program;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, dir_.File("out").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, dir_.File("err").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!working_dir.empty()) posix_spawn_file_actions_addchdir_np(&actions, working_dir.c_str());
  const int error = posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    ADD_FAILURE() << "cannot start " << path << ": " << std::strerror(error);
    pid_ = -1;
  }
}

CliProcess::~CliProcess() {
  if (pid_ > 0) Wait();
}

CliResult CliProcess::Wait() {
  CliResult result;
  if (pid_ <= 0) return result;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  result.out = dir_.Read("out");
  result.err = dir_.Read("err");
  return result;
}

CliResult RunCli(const std::vector<std::string>& args) {
  return CliProcess(args).Wait();
}

CliResult RunCliIn(const std::string& working_dir, const std::vector<std::string>& args) {
  return CliProcess(args, {}, working_dir).Wait();
}

}  // namespace gryvel::testing
