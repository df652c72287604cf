#include "shell/window_usage.h"

#include "common/licence.h"

namespace gryvel {

std::string WindowHelpText(std::string_view settings_path) {
  std::string text =
      "Usage: gryvel [OPTION] [FILE...]\n"
      "Finds words for crosswords and word games in a desktop window.\n"
      "\n"
      "Each FILE is a dictionary to open: a .kiv file or a plain-text word list.\n"
      "\n"
      "Options:\n"
      "  --help      print this text and exit\n"
      "  --version   print the version and the licence and exit\n"
      "\n"
      "Settings: ";
  text.append(settings_path);
  text +=
      "\n"
      "\n"
      "The window needs a display. gryvel-cli answers the same questions in a terminal;\n"
      "see gryvel-cli --help.\n";
  return text;
}

std::string WindowVersionText(std::string_view version) {
  std::string text = "gryvel ";
  text.append(version);
  text += '\n';
  return text + kLicenceNotice;
}

std::string NoDisplayText() {
  return "gryvel: no display to open the window on (is DISPLAY or WAYLAND_DISPLAY set?).\n"
         "gryvel-cli answers the same questions in a terminal; see gryvel-cli --help.\n";
}

}  // namespace gryvel
