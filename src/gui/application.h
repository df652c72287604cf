#pragma once

// The program's start and end: the single-instance check, the application object, the main
// window and the message loop.

namespace gryvel::gui {

// Runs the program; returns its exit status.
int RunApplication(int argc, char** argv);

}  // namespace gryvel::gui
