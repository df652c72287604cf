#pragma once

#include <QWidget>
#include <functional>

class QLineEdit;

namespace gryvel {
class TResultSearch;
class TSearchWorker;
}  // namespace gryvel

namespace gryvel::gui {

// A page of the search dialog whose search runs on a worker thread and fills the dialog's
// result list. The page owns its search and the worker that runs it.
class TResultPage : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

  virtual void ApplyLanguage() = 0;
  virtual TResultSearch& Search() const = 0;
  virtual TSearchWorker& Worker() const = 0;
  // The search the fields ask for, to run on the worker; empty when they ask for none.
  virtual std::function<void()> Request() const = 0;
  // Whether Find may run now (the fields are filled in); changes are told by ReadyChanged.
  virtual bool Ready() const { return true; }
  virtual QLineEdit* FirstEdit() const = 0;

 Q_SIGNALS:
  void ReadyChanged();
};

}  // namespace gryvel::gui
