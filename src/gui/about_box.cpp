#include "gui/about_box.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>

#include "dictionary/kiv_dictionary.h"
#include "gui/dialogs.h"
#include "gui/icons.h"
#include "gui/text.h"
#include "results/language.h"
#include "install_info.h"

namespace gryvel::gui {

namespace {

struct TBundledDictionary {
  const char* File;
  const char* FallbackKey;  // the short licence line in the About texts
};

constexpr TBundledDictionary kBundled[] = {
    {"dictionary.kiv", "RussianLicenceLabel"},
    {"english.kiv", "EnglishLicenceLabel"},
};

QString AboutText(std::string_view key) {
  return ToQString(WindowText(TWindowTexts::About, key));
}

// The title and header comments of the first `file` in `dirs`; empty when none is found or
// its header cannot be read or holds no comments.
QString HeaderLicence(const QStringList& dirs, const QString& file) {
  for (const QString& dir : dirs) {
    const QString path = QDir(dir).filePath(file);
    if (!QFileInfo(path).isFile()) continue;
    try {
      TKivDictionary dictionary;
      dictionary.SetFileName(PathFromQString(path));
      const TDictHead head = dictionary.ReadHeader();
      if (head.Comments.empty()) return {};
      QString comments = ToQString(head.Comments);
      comments.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      return ToQString(head.Title) + QStringLiteral("\n\n") + comments;
    } catch (const std::exception&) {
      return {};
    }
  }
  return {};
}

QString LicenceTexts(const QStringList& dirs) {
  QStringList parts;
  for (const TBundledDictionary& bundled : kBundled) {
    const QString licence = HeaderLicence(dirs, QString::fromLatin1(bundled.File));
    parts << (licence.isEmpty() ? AboutText(bundled.FallbackKey) : licence);
  }
  return parts.join(QStringLiteral("\n\n") + QString(40, QChar(0x2014)) + QStringLiteral("\n\n"));
}

}  // namespace

void ShowHomePage(QWidget* parent) {
  OpenExternalUrl(parent, QUrl(QString::fromLatin1(kHomePage)));
}

QStringList BundledDictionaryDirectories() {
  return {QDir(QCoreApplication::applicationDirPath()).filePath("Dictionaries"),
          QStringLiteral(GRYVEL_DATA_DIR "/Dictionaries")};
}

TAboutBox::TAboutBox(QWidget* parent, const QStringList& dictionary_dirs)
    : QDialog(parent), FLicences(new QPlainTextEdit(this)) {
  setObjectName("aboutBox");
  setWindowTitle(AboutText("Caption"));
  setModal(true);

  auto* picture = new QLabel(this);
  picture->setObjectName("pictureLabel");
  picture->setPixmap(Icon(TIcon::Application).pixmap(QSize(64, 64), devicePixelRatioF()));
  picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* name = new QLabel(QStringLiteral("Gryvel"), this);
  name->setObjectName("nameLabel");
  QFont name_font = name->font();
  name_font.setPointSizeF(name_font.pointSizeF() * 1.6);
  name_font.setBold(true);
  name->setFont(name_font);
  auto* version =
      new QLabel(AboutText("VersionLabel") + ' ' + QStringLiteral(GRYVEL_VERSION), this);
  version->setObjectName("versionLabel");
  auto* description = new QLabel(AboutText("DescriptionLabel"), this);
  description->setObjectName("descriptionLabel");
  description->setWordWrap(true);
  auto* home = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>")
                              .arg(QString::fromLatin1(kHomePage), AboutText("HomePageLabel")),
                          this);
  home->setObjectName("homePageLabel");
  home->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  connect(home, &QLabel::linkActivated, this, [this] { ShowHomePage(this); });

  auto* facts = new QVBoxLayout;
  facts->addWidget(name);
  facts->addWidget(version);
  facts->addWidget(description);
  facts->addWidget(home);
  facts->addStretch();
  auto* head = new QHBoxLayout;
  head->addWidget(picture);
  head->addSpacing(12);
  head->addLayout(facts, 1);

  auto* licences_label = new QLabel(AboutText("LicencesLabel"), this);
  licences_label->setObjectName("licencesLabel");
  FLicences->setObjectName("licencesTextEdit");
  FLicences->setReadOnly(true);
  FLicences->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  FLicences->setPlainText(LicenceTexts(dictionary_dirs));
  licences_label->setBuddy(FLicences);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setObjectName("aboutButtonBox");
  buttons->button(QDialogButtonBox::Ok)->setText(ToQString(Term(TTerm::Ok)));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(head);
  layout->addSpacing(6);
  layout->addWidget(licences_label);
  layout->addWidget(FLicences, 1);
  layout->addWidget(buttons);
  resize(600, 480);
}

QString TAboutBox::LicenceText() const {
  return FLicences->toPlainText();
}

void ShowAboutBox(QWidget* parent) {
  TAboutBox box(parent);
  box.exec();
}

}  // namespace gryvel::gui
