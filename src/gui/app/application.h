#pragma once

#include <functional>
#include <memory>
#include <string>

// The program's start and end: the single-instance check, the application object, the main
// window and the message loop.

namespace gryvel {
class TSession;
class TSettingsFile;
}

namespace gryvel::gui {

class TKivMainForm;

// The settings file of the program in `program_dir` (beside it, or in the user's configuration
// directory when that cannot be written), whose first-run file also looks for the bundled
// dictionary in the installed data directory.
std::unique_ptr<TSettingsFile> ProgramSettings(const std::string& program_dir);

// Runs the program; returns its exit status. `shown` (for the start-up benchmark) is called
// once the main window is shown, with the window and its session.
int RunApplication(int argc, char** argv,
                   const std::function<void(TKivMainForm&, TSession&)>& shown = {});

}  // namespace gryvel::gui
