#pragma once

#include "gui/text.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Edits whose text goes into a dictionary, which holds code page 1251 only. A text with a
// character the code page lacks is refused before anything changes, never cut or emptied.

namespace gryvel::gui {

// Whether the text of `edit` can be stored. When it cannot, a message box names the first
// character the code page lacks and its position; the edit then has the focus and that
// character selected, its text as typed.
bool CheckStorable(QLineEdit& edit);
bool CheckStorable(QPlainTextEdit& edit);

// The message box of CheckStorable over `parent`, for `found`.
void SayUnstorable(QWidget* parent, const TUnstorableText& found);

}  // namespace gryvel::gui
