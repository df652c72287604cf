#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// The about box: program name, version, picture, what the program is, and the copyright and
// licence texts of the word lists that come with it.

namespace gryvel::gui {

// The project's web page, opened by the Help menu and the about box.
inline constexpr char kHomePage[] = "https://gryvel.example/";

// Opens kHomePage in the user's web browser; says so over `parent` when none can be started.
void ShowHomePage(QWidget* parent);

// Where the bundled dictionaries are looked for, in order: Dictionaries/ beside the
// executable, then the installed data directory.
QStringList BundledDictionaryDirectories();

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  // The licence texts come from the header comments of the bundled dictionaries in the first
  // of `dictionary_dirs` that holds each; a dictionary not found (or unreadable) is named by
  // a short line instead.
  explicit TAboutBox(QWidget* parent = nullptr,
                     const QStringList& dictionary_dirs = BundledDictionaryDirectories());

  // The text shown in the licence box.
  QString LicenceText() const;

 private:
  QPlainTextEdit* FLicences;
};

// Creates the about box, shows it modally and frees it.
void ShowAboutBox(QWidget* parent);

}  // namespace gryvel::gui
