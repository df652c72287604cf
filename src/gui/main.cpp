#include "gui/application.h"

int main(int argc, char** argv) { return gryvel::gui::RunApplication(argc, argv); }
