#include "gui/app/application.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QSocketNotifier>
#include <csignal>
#include <thread>
#include <sys/socket.h>
#include <unistd.h>

#include "common/stopwatch.h"
#include "gui/app/font_preload.h"
#include "gui/app/platform_hooks.h"
#include "gui/app/single_instance.h"
#include "gui/app/window_lost.h"
#include "gui/dialogs.h"
#include "gui/main_window/kiv_main_form.h"
#include "gui/text.h"
#include "results/language.h"
#include "shell/main_settings.h"
#include "shell/session.h"
#include "shell/settings_location.h"
#include "install_info.h"

namespace gryvel::gui {

namespace {

int g_signal_pipe[2] = {-1, -1};

void OnTerminate(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(g_signal_pipe[1], &byte, 1);
}

// SIGTERM and SIGINT close the window as the user would, so the settings are written.
void CloseOnTerminate(QWidget& window) {
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, g_signal_pipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char byte;
    [[maybe_unused]] const ssize_t got = read(g_signal_pipe[0], &byte, 1);
    window.close();
  });
  struct sigaction action = {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

// The files named on the command line, as absolute paths; options are left to Qt.
QStringList FileArguments() {
  QStringList files;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i)
    if (!arguments[i].startsWith(u'-')) files << QFileInfo(arguments[i]).absoluteFilePath();
  return files;
}

}  // namespace

std::unique_ptr<TSettingsFile> ProgramSettings(const std::string& program_dir) {
  return std::make_unique<TSettingsFile>(PosixFileSystem(), SettingsFilePath(program_dir),
                                         program_dir, GRYVEL_DATA_DIR);
}

int RunApplication(int argc, char** argv,
                   const std::function<void(TKivMainForm&, TSession&)>& shown) {
  TStopwatch::Start("Initialization");
  TFontPreload fonts;
  QApplication::setApplicationName(QStringLiteral("Gryvel"));
  QApplication app(argc, argv);
  TSingleInstance instance;
  const std::string program_dir = PathFromQString(QCoreApplication::applicationDirPath());
  const QStringList files = FileArguments();
  if (!instance.Acquire(files)) {
    fonts.Finish();
    if (instance.HolderAnswered()) return 0;  // another copy runs and has raised its window
    // It holds the lock but shows nothing: say so rather than end without a word.
    SetLanguage(ReadLanguage(*ProgramSettings(program_dir)));
    TMessage message;
    message.Text = Term(TTerm::RunningCopyNoAnswer);
    message.Kind = TMessageKind::Error;
    Dialogs().Ask(nullptr, message);
    return 1;
  }
  // The first image read scans and loads the image-format plugins (the toolbars read one as
  // they are built): do that beside the window's construction.
  const std::jthread image_formats([] { QImageReader::supportedImageFormats(); });
  InstallPlatformHooks();
  int status = 0;
  fonts.FillDatabase();
  {
    TSession session(ProgramSettings(program_dir));
    session.Source.SetMeaningCacheDirectory(ProcessCacheDirectory());
    TKivMainForm form(session);
    fonts.Finish();  // long done: the window has measured its text
    instance.OnRaiseRequest = [&form] {
      if (form.isMinimized()) form.showNormal();
      form.raise();
      form.activateWindow();
      return form.isVisible() && !form.Closing();
    };
    instance.OnOpenFiles = [&form](const QStringList& more) { form.OpenDictionaryFiles(more); };
    CloseOnTerminate(form);
    // A window destroyed from outside ends the program as a close does.
    const TWindowLostWatch lost(form, [&form] { form.close(); });
    form.SetInitTime(TStopwatch::Stop("Initialization"));
    form.ShowAsSaved();
    if (!files.isEmpty()) form.OpenDictionaryFiles(files);
    if (shown) shown(form, session);
    status = QApplication::exec();
    instance.OnRaiseRequest = nullptr;
    instance.OnOpenFiles = nullptr;
  }
  RemovePlatformHooks();
  return status;
}

}  // namespace gryvel::gui
