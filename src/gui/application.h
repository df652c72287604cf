#pragma once

#include <functional>

// The program's start and end: the single-instance check, the application object, the main
// window and the message loop.

namespace gryvel::gui {

class TKivMainForm;

// Runs the program; returns its exit status. `shown` (for the start-up benchmark) is called
// once the main window is shown.
int RunApplication(int argc, char** argv,
                   const std::function<void(TKivMainForm&)>& shown = {});

}  // namespace gryvel::gui
