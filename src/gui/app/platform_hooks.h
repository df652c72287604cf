#pragma once

// The engine's ways out into the world, served by Qt: the UI-thread wake-up of the loaders,
// the clipboard, the number format of the user's locale and the fonts the designs name.

namespace gryvel::gui {

// REQUIRES: a QApplication exists; called on its thread.
void InstallPlatformHooks();

// Undoes the wake-up hook; call before the QApplication goes.
void RemovePlatformHooks();

// The MIME type under which a copy carries the entry format beside the plain text.
inline constexpr char kArticleMimeType[] = "application/x-gryvel-article";

}  // namespace gryvel::gui
