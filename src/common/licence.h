#pragma once

// The programs' licence, as `--version` states it (English, as the rest of a command's output).

namespace gryvel {

inline constexpr char kLicenceNotice[] =
    "Licence: GPL-3.0-or-later, the GNU General Public License, version 3 or any later version\n"
    "<https://www.gnu.org/licenses/gpl-3.0.html>. This is free software: you may change and\n"
    "share it. There is no warranty, to the extent permitted by law.\n";

}  // namespace gryvel
