#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

// Runs gryvel-cli as a user would: a real process with real arguments, its stdout and stderr
// caught in files.

namespace gryvel::testing {

struct CliResult {
  int exit_code = -1;  // -1 when the process did not exit normally
  int signal = 0;      // the signal that ended it, if one did
  std::string out;
  std::string err;
};

// One run of the program, started at construction.
class CliProcess {
 public:
  // Starts `program` (the built gryvel-cli when empty) with `args`, in the folder
  // `working_dir` (this process's when empty).
  explicit CliProcess(const std::vector<std::string>& args, const std::string& program = {},
                      const std::string& working_dir = {});
  // Waits for the process if Wait was not called.
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Waits for the process to end and returns what it did.
  CliResult Wait();

 private:
  TempDir dir_;
  pid_t pid_ = -1;
};

// Runs the built gryvel-cli with `args` and waits for it.
CliResult RunCli(const std::vector<std::string>& args);
// As RunCli, in the folder `working_dir`.
CliResult RunCliIn(const std::string& working_dir, const std::vector<std::string>& args);

}  // namespace gryvel::testing
