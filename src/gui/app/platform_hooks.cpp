#include "gui/app/platform_hooks.h"

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QLocale>
#include <QMetaObject>
#include <QMimeData>

#include "common/clipboard_sink.h"
#include "common/format.h"
#include "common/synchronize.h"
#include "gui/dialogs.h"
#include "gui/text.h"

namespace gryvel::gui {

namespace {

// The designs name Windows fonts; these free ones have the same metrics.
void InstallFontSubstitutions() {
  QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
  QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
}

void InstallNumberFormat() {
  const QLocale locale;
  TNumberFormat format;
  const std::optional<std::string> decimal = FromQString(locale.decimalPoint());
  if (decimal && decimal->size() == 1) format.DecimalSeparator = (*decimal)[0];
  if (const std::optional<std::string> group = FromQString(locale.groupSeparator()))
    format.ThousandSeparator = *group;
  SetNumberFormat(format);
}

void PutOnQtClipboard(const TClipboardData& data) {
  auto* mime = new QMimeData;
  // Desktop editors take LF line ends.
  mime->setText(ToQString(data.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  mime->setData(QString::fromLatin1(kArticleMimeType),
                QByteArray(data.Article.data(), static_cast<qsizetype>(data.Article.size())));
  QGuiApplication::clipboard()->setMimeData(mime);
}

}  // namespace

void InstallPlatformHooks() {
  SetUiThread();
  InstallFontSubstitutions();
  InstallNumberFormat();
  InstallMessageSink();
  SetClipboardSink(PutOnQtClipboard);
  // A loader waits for the UI thread: have the event loop run its call soon.
  SetSynchronizeWakeHook([] {
    QMetaObject::invokeMethod(
        qApp, [] { CheckSynchronize(); }, Qt::QueuedConnection);
  });
}

void RemovePlatformHooks() {
  SetSynchronizeWakeHook({});
  SetClipboardSink({});
  SetMessageSink({});
}

}  // namespace gryvel::gui
