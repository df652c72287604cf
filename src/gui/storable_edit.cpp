#include "gui/storable_edit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "gui/dialogs.h"

namespace gryvel::gui {

void SayUnstorable(QWidget* parent, const TUnstorableText& found) {
  TMessage message;
  message.Text = found.Message;
  message.Utf8 = true;
  message.Kind = TMessageKind::Warning;
  Dialogs().Ask(parent, message);
}

namespace {

// CheckStorable for `edit` showing `text`; `select` selects a span of it.
template <typename Select>
bool Check(QWidget& edit, const QString& text, Select select) {
  const std::optional<TUnstorableText> found = FindUnstorable(text);
  if (!found) return true;
  SayUnstorable(edit.window(), *found);
  edit.setFocus();
  select(found->Start, found->Length);
  return false;
}

}  // namespace

bool CheckStorable(QLineEdit& edit) {
  return Check(edit, edit.text(), [&](int start, int length) { edit.setSelection(start, length); });
}

// The document's positions count a line break as one, as its plain text does.
bool CheckStorable(QPlainTextEdit& edit) {
  return Check(edit, edit.toPlainText(), [&](int start, int length) {
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
  });
}

}  // namespace gryvel::gui
