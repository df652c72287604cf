#include "window_test.h"

#include <QtTest>

#include "dictionary/kiv_dictionary.h"
#include "gui/app/platform_hooks.h"
#include "gui/dialogs.h"
#include "gui/text.h"
#include "support/text.h"

namespace gryvel::gui {

void WriteDictionary(const QString& path, const QStringList& words, const char* title,
                     std::uint16_t parts) {
  TKivDictionary dictionary;
  dictionary.SetLoaded();
  if (title != nullptr) {
    TDictHead head = dictionary.Head();
    head.Title = testing::Cp(title);
    dictionary.SetHeader(head);
  }
  for (const QString& word : words) {
    const std::int32_t index = dictionary.AddWord(*FromQString(word));
    if (index >= 0) dictionary.Entries().Items()[static_cast<std::size_t>(index)]->Parts = parts;
  }
  QVERIFY(dictionary.SaveToFile(PathFromQString(path)).ok());
}

void TWindowTest::initTestCase() {
  QVERIFY(FDir.isValid());
  InstallPlatformHooks();
  SetDialogs(&FDialogs);
}

void TWindowTest::cleanupTestCase() {
  SetDialogs(nullptr);
  RemovePlatformHooks();
}

void TWindowTest::cleanup() {
  FForm.reset();
  FSession.reset();
}

}  // namespace gryvel::gui
