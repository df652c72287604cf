#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

// The controls the search dialog's pages are made of, each created with its object name.
namespace gryvel::gui {

// A text of the search dialog's language table.
QString SearchText(std::string_view key);

QLineEdit* NewEdit(QWidget* parent, const char* name);
QLabel* NewLabel(QWidget* parent, const char* name, QWidget* buddy = nullptr);
// Enter on a focused button presses it: a push button of a dialog is an auto-default one.
QPushButton* NewButton(QWidget* parent, const char* name);
QSpinBox* NewSpin(QWidget* parent, const char* name, int minimum);

// The code page text of an edit; nullopt for a character no dictionary can hold.
std::optional<std::string> EditText(const QLineEdit* edit);

}  // namespace gryvel::gui
