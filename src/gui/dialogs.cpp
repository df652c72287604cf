#include "gui/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QDialog>
#include <QRegularExpression>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

#include "gui/equal_form.h"
#include "gui/text.h"
#include "results/language.h"

namespace gryvel::gui {

namespace {

QMessageBox::Icon IconOf(TMessageKind kind) {
  switch (kind) {
    case TMessageKind::Information: return QMessageBox::Information;
    case TMessageKind::Warning: return QMessageBox::Warning;
    case TMessageKind::Error: return QMessageBox::Critical;
    case TMessageKind::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(TMessageButtons buttons) {
  switch (buttons) {
    case TMessageButtons::Ok: return QMessageBox::Ok;
    case TMessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case TMessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

TMessageAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Yes: return TMessageAnswer::Yes;
    case QMessageBox::No: return TMessageAnswer::No;
    case QMessageBox::Cancel: return TMessageAnswer::Cancel;
    default: return TMessageAnswer::Ok;
  }
}

class TQtDialogs final : public TDialogs {
 public:
  TMessageAnswer Ask(QWidget* parent, const TMessage& message) override {
    const QString caption =
        message.Caption.empty() ? QApplication::applicationDisplayName() : ToQString(message.Caption);
    QMessageBox box(IconOf(message.Kind), caption, MessageText(message),
                    ButtonsOf(message.Buttons), parent);
    // File names and addresses in a message can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return AnswerOf(box.exec());
  }
  QString OpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                       const QString& filter) override {
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
  }
  QString SaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                       const QString& filter, QString* selected_filter) override {
    // The default extension follows the chosen file type, so the dialog's overwrite question
    // is asked about the name that will be written.
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const auto follow = [&dialog](const QString& chosen) {
      const QRegularExpressionMatch match =
          QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosen);
      dialog.setDefaultSuffix(match.hasMatch() ? match.captured(1) : QString());
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    if (selected_filter != nullptr && !selected_filter->isEmpty())
      dialog.selectNameFilter(*selected_filter);
    follow(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    if (selected_filter != nullptr) *selected_filter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
  }
  std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial,
                                  const std::function<void(const QFont&)>& trying) override {
    QFontDialog dialog(initial, parent);
    if (trying) QObject::connect(&dialog, &QFontDialog::currentFontChanged, &dialog, trying);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFont();
  }
  std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override {
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid()) return std::nullopt;
    return color;
  }
  std::optional<TEqualLetters> AskEqualLetters(QWidget* parent, bool add,
                                               const TEqualLetters& initial) override {
    TEqualForm form(add ? TEqualForm::kAdd : TEqualForm::kChange, initial, parent);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.Result();
  }
  bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

}  // namespace

std::optional<QFont> TDialogs::ChooseFont(QWidget*, const QFont&,
                                          const std::function<void(const QFont&)>&) {
  return std::nullopt;
}

std::optional<QColor> TDialogs::ChooseColor(QWidget*, const QColor&) { return std::nullopt; }

std::optional<TEqualLetters> TDialogs::AskEqualLetters(QWidget*, bool, const TEqualLetters&) {
  return std::nullopt;
}

namespace {

TQtDialogs& QtDialogs() {
  static TQtDialogs dialogs;
  return dialogs;
}

TDialogs* g_dialogs = nullptr;

}  // namespace

int TDialogs::Exec(QDialog& dialog) { return dialog.exec(); }

bool TDialogs::OpenUrl(const QUrl&) { return false; }

TDialogs& Dialogs() { return g_dialogs != nullptr ? *g_dialogs : QtDialogs(); }

TDialogs* SetDialogs(TDialogs* dialogs) {
  TDialogs* previous = g_dialogs;
  g_dialogs = dialogs;
  return previous;
}

bool OpenExternalUrl(QWidget* parent, const QUrl& url) {
  if (Dialogs().OpenUrl(url)) return true;
  const bool mail = url.scheme() == QLatin1String("mailto");
  // The address as the user saw it: a mail address without its scheme.
  const QString shown = mail ? url.path() : url.toString();
  const std::string address = FromQString(shown).value_or(url.toEncoded().toStdString());
  TMessage message;
  message.Text = TermWith(mail ? TTerm::MailProgramNotStarted : TTerm::BrowserNotStarted, address);
  message.Kind = TMessageKind::Warning;
  Dialogs().Ask(parent, message);
  return false;
}

void InstallMessageSink() {
  SetMessageSink([](const TMessage& message) {
    return Dialogs().Ask(QApplication::activeWindow(), message);
  });
}

QString QtFileFilter(std::string_view pipe_filter) {
  const QStringList parts = ToQString(pipe_filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
    if (!name.contains(patterns)) name += QStringLiteral(" (%1)").arg(patterns);
    filters << name;
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace gryvel::gui
