#include "shell/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/synchronize.h"
#include "results/language.h"
#include "support/capture_messages.h"
#include "support/kiv_bytes.h"
#include "support/temp_dir.h"
#include "support/text.h"

namespace gryvel {
namespace {

using testing::Cp;

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override { SetUiThread(); }
  void TearDown() override { SetUILanguage(TUILanguage::NotSet); }

  // Adds `bytes` as the dictionary file `name`, connects it and loads it; returns the
  // messages shown.
  std::vector<std::string> Load(const std::string& name, const std::string& bytes) {
    const std::string file = dir_.Write(name, bytes);
    testing::CaptureMessages messages;
    TKivDictionary& dictionary = *session_.Collection.Dictionary(session_.Collection.AddDictionary(file));
    session_.Collection.Connect(dictionary);
    session_.Collection.LoadNow({&dictionary});
    return messages.Texts();
  }

  testing::TempDir dir_;
  TSession session_;
};

TEST_F(SessionTest, AFailedLoadIsToldOnceNamingTheFileInTheInterfaceLanguage) {
  const std::string whole = testing::V2Header(2) + testing::V2Record("ant") +
                            testing::V2Record("bee");
  const std::string cut = whole.substr(0, whole.size() - 2);
  const struct {
    TUILanguage language;
    const char* text;
  } cases[] = {
      {TUILanguage::English,
       "The dictionary \"{file}\" could not be loaded:\r\n"
       "Unexpected end of file. Error on reading the dictionary"},
      {TUILanguage::Russian,
       "Не удалось загрузить словарь \"{file}\":\r\nНеожиданный конец файла: файл обрезан."},
  };
  for (const auto& c : cases) {
    SetUILanguage(c.language);
    const std::string name = c.language == TUILanguage::English ? "cut.kiv" : "обрезан.kiv";
    std::string expected = Cp(c.text);
    expected.replace(expected.find("{file}"), 6, Cp(dir_.File(name)));
    EXPECT_EQ(std::vector<std::string>{expected}, Load(name, cut));
  }
}

TEST_F(SessionTest, ADamagedHeaderIsToldOnce) {
  std::string file = testing::V2Header(1) + testing::V2Record("ant");
  file.replace(3, 4, testing::Bytes().U32(10).str());  // a HeadSize below the version fields
  SetUILanguage(TUILanguage::Russian);
  EXPECT_EQ(std::vector<std::string>{Cp("Не удалось загрузить словарь \"") + dir_.File("head.kiv") +
                                     Cp("\":\r\nЗаголовок файла повреждён.")},
            Load("head.kiv", file));
}

}  // namespace
}  // namespace gryvel
