#include "gui/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace gryvel::gui {

namespace {

// One translator for the process, owned by the application object.
QPointer<QTranslator>& Translator() {
  static QPointer<QTranslator> translator;
  return translator;
}

}  // namespace

void SetQtTranslation(bool russian) {
  SetQtTranslation(russian, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void SetQtTranslation(bool russian, const QString& directory) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr) return;
  QPointer<QTranslator>& translator = Translator();
  if (!russian) {
    if (translator) QCoreApplication::removeTranslator(translator);
    return;
  }
  if (!translator) translator = new QTranslator(app);
  // The application keeps a list in which one translator may stand twice: take it out first.
  QCoreApplication::removeTranslator(translator);
  // Loading replaces what the translator held, so the directory asked for last wins.
  if (translator->load(QStringLiteral("qtbase_ru"), directory))
    QCoreApplication::installTranslator(translator);
}

}  // namespace gryvel::gui
