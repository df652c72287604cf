// gryvel-cli: the command-line front end of the engine.

#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/diagnostics.h"
#include "cli/help_text.h"
#include "cli/session.h"
#include "common/cp1251_utf8.h"
#include "common/licence.h"
#include "dictionary/article_list.h"
#include "dictionary/kiv_header.h"
#include "shell/settings_location.h"
#include "install_info.h"

namespace {

using namespace gryvel::cli;

int Dispatch(TCliSession& session, const TCliOptions& options) {
  switch (options.Command) {
    case TCommand::Chain:
    case TCommand::Analyze:
      return RunWordSplits(session, options);
    case TCommand::Info:
      return RunInfo(session, options);
    case TCommand::Show:
      return RunShow(session, options);
    case TCommand::Convert:
      return RunConvert(session, options);
    case TCommand::Import:
      return RunImport(session, options);
    default:
      return RunWordList(session, options);
  }
}

// Runs the command; an error the engine raises ends it with its text.
int Run(const TCliOptions& options) {
  try {
    TCliSession session(options);
    // A search by meaning reads the index the window or an earlier run kept.
    session.Source.SetMeaningCacheDirectory(gryvel::ProcessCacheDirectory());
    return Dispatch(session, options);
  } catch (const gryvel::EListError& error) {
    return Failure(gryvel::Cp1251ToUtf8(error.what()));
  } catch (const gryvel::EDictionaryError& error) {
    return Failure(gryvel::Cp1251ToUtf8(error.what()));
  } catch (const std::bad_alloc&) {
    return Failure("out of memory");
  }
}

// Output that could not be written (a full disk, a closed pipe) is a failure.
int FinishOutput(int code) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    PrintError("cannot write the output");
    return code == kExitOk ? kExitFailure : code;
  }
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  TCliOptions options;
  if (const gryvel::TStatus status = ParseCommandLine(argc, argv, &options); !status.ok())
    return UsageError(status.message());
  if (options.Help) {
    std::fwrite(HelpText().data(), 1, HelpText().size(), stdout);
    return FinishOutput(kExitOk);
  }
  if (options.Version) {
    std::fputs("gryvel-cli " GRYVEL_VERSION "\n", stdout);
    std::fputs(gryvel::kLicenceNotice, stdout);
    return FinishOutput(kExitOk);
  }
  return FinishOutput(Run(options));
}
