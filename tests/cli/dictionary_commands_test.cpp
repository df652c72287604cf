#include <filesystem>
#include <string>
#include <vector>

#include "cli_fixture.h"
#include "install_info.h"

namespace gryvel::testing {
namespace {

// Entries with every kind of detail; «кот» comes twice and is merged.
constexpr std::string_view kEntries =
    "кот\tn/s\tзверь\\nмурлычет\n"
    "\n"
    "рот\tn/SP\n"
    "дом\r\n"
    "кот\tv\tещё\n";

class DictionaryCommandsTest : public CliTest {
 protected:
  // The output of `args`, which must succeed.
  std::string Output(const std::vector<std::string>& args) {
    const CliResult result = RunCli(args);
    EXPECT_EQ(0, result.exit_code) << ::testing::PrintToString(args) << result.err;
    return result.out;
  }
};

TEST_F(DictionaryCommandsTest, ImportKeepsPartsNumberAndDescriptionForShow) {
  const std::string kiv = Import("entries", kEntries);
  struct Case {
    std::string word, shown;
  };
  const Case cases[] = {
      {"кот", Lines({"word: кот", "parts: n., v.", "number: singular",
                     "description: зверь\\nмурлычет\\nещё", "dictionaries: " + kiv})},
      {"рот", Lines({"word: рот", "parts: n.", "number: singular, plural",
                     "description:", "dictionaries: " + kiv})},
      {"ДОМ", Lines({"word: дом", "parts:", "number:", "description:", "dictionaries: " + kiv})},
  };
  for (const Case& c : cases) EXPECT_EQ(c.shown, Output({"-d", kiv, "show", c.word}));

  EXPECT_EQ(
      "{\"word\": \"кот\", \"parts\": \"n., v.\", \"number\": \"singular\", "
      "\"description\": \"зверь\\nмурлычет\\nещё\", \"dictionaries\": [\"" +
          kiv + "\"]}\n",
      Output({"-d", kiv, "--json", "show", "кот"}));
}

TEST_F(DictionaryCommandsTest, ShowPrefersTheExactSpelling) {
  for (const std::string word : {"Кот", "кот"}) {
    const std::string first_line = "word: " + word + "\n";
    EXPECT_EQ(first_line, Output({"-d", words_, "show", word}).substr(0, first_line.size()));
  }
}

TEST_F(DictionaryCommandsTest, ShowNamesEveryHolderAndEachDescription) {
  const std::string first = Import("first", "кот\tn\tпервый\n");
  const std::string second = Import("second", "кот\tv\tвторой\n");
  EXPECT_EQ(Lines({"word: кот", "parts: n.",
                   "number:", "description: [ • first.kiv]\\nпервый\\n[ • second.kiv]\\nвторой",
                   "dictionaries: " + first + ", " + second}),
            Output({"-d", first, "-d", second, "show", "кот"}));
}

TEST_F(DictionaryCommandsTest, InfoPrintsTheHeaderOfEachDictionary) {
  const std::string kiv =
      Import("entries", kEntries, {"--title", "Проба", "--author", "me", "--web", "http://x.org"});
  const std::string latin = Import("latin", "cat\tn\nDog\n");
  EXPECT_EQ(Lines({"file: " + kiv,    "format: kiv",  "version: 2", "title: Проба",
                   "comments:",       "author: me",   "email:",     "web: http://x.org",
                   "language: RUS",   "flags: 0",     "count: 3",   "",
                   "file: " + words_, "format: text", "version:",   "title:",
                   "comments:",       "author:",      "email:",     "web:",
                   "language:",       "flags: 0",     "count: 19"}),
            Output({"-d", kiv, "-d", words_, "info"}));
  EXPECT_EQ("[\n  {\"file\": \"" + latin +
                "\", \"format\": \"kiv\", \"version\": 2, \"title\": \"\", \"comments\": \"\", "
                "\"author\": \"\", \"email\": \"\", \"web\": \"\", \"language\": \"ENG\", "
                "\"flags\": 0, \"count\": 2}\n]\n",
            Output({"-d", latin, "--json", "info"}));
  const std::string russian = Import("russian", "cat\n", {"--language", "RUS"});
  EXPECT_NE(std::string::npos, Output({"-d", russian, "info"}).find("language: RUS\n"));
}

TEST_F(DictionaryCommandsTest, ConvertRoundTripKeepsWordsAndDetails) {
  const std::string kiv = Import("entries", kEntries);
  const std::string text = dir_.File("entries.txt");
  EXPECT_EQ("", Output({"convert", "--text", kiv, text}));
  EXPECT_EQ(Lines({"дом", "кот", "рот"}), dir_.Read("entries.txt"));

  const std::string from_text = dir_.File("from_text.kiv");
  Output({"convert", text, from_text});
  EXPECT_EQ(Output({"-d", kiv, "list"}), Output({"-d", from_text, "list"}));
  EXPECT_NE(std::string::npos, Output({"-d", from_text, "info"}).find("format: kiv\n"));

  const std::string copy = dir_.File("copy.kiv");
  Output({"convert", "--title", "Копия", kiv, copy});
  EXPECT_EQ(Output({"-d", kiv, "--json", "list"}), Output({"-d", copy, "--json", "list"}));
  EXPECT_NE(std::string::npos, Output({"-d", copy, "info"}).find("title: Копия\n"));
}

TEST_F(DictionaryCommandsTest, WithoutDictTheBundledDictionaryBesideTheProgramIsOpened) {
  // A copy of the program in a directory of its own, as an installation would lay it out.
  const std::filesystem::path program = std::filesystem::path(dir_.Path()) / "bin" / "gryvel-cli";
  std::filesystem::create_directories(program.parent_path() / "Dictionaries");
  std::filesystem::copy_file(GRYVEL_CLI_PATH, program);

  if (!std::filesystem::exists(GRYVEL_DATA_DIR "/Dictionaries/dictionary.kiv")) {
    const CliResult missing = CliProcess({"list"}, program.string()).Wait();
    EXPECT_EQ(1, missing.exit_code);
    EXPECT_NE(std::string::npos, missing.err.find("-d FILE")) << missing.err;
  }

  const std::string kiv = Import("entries", kEntries);
  std::filesystem::copy_file(kiv, program.parent_path() / "Dictionaries" / "dictionary.kiv");
  const CliResult found = CliProcess({"list"}, program.string()).Wait();
  EXPECT_EQ(0, found.exit_code) << found.err;
  EXPECT_EQ(Lines({"дом", "кот", "рот"}), found.out);
}

// A version-2 file's entry count only reserves room: its records are read to the end.
TEST_F(DictionaryCommandsTest, AllRecordsAreListedWhateverTheEntryCountSays) {
  const std::string kiv = Import("entries", kEntries);
  const std::string bytes = dir_.Read("entries.kiv");
  for (const char count : {'\0', '\1', '\7'}) {
    SCOPED_TRACE(static_cast<int>(count));
    std::string changed = bytes;
    changed.replace(15, 4, std::string{count, '\0', '\0', '\0'});  // the u32 entry count
    const std::string file = dir_.Write("count.kiv", changed);
    const CliResult result = RunCli({"-d", file, "list"});
    EXPECT_EQ(0, result.exit_code);
    EXPECT_EQ("", result.err);
    EXPECT_EQ(count == 0 ? "" : Lines({"дом", "кот", "рот"}), result.out);
  }
}

// The classifier decides for the tool as for the window: a .kiv without the signature is
// refused and not read as text; a word list of any length is read without a word, and one
// that does not look like text is read after a warning.
TEST_F(DictionaryCommandsTest, FilesThatAreNotWhatTheySeemAreRefusedOrWarnedAbout) {
  const struct {
    const char* name;
    std::string bytes;
    int exit_code;
    std::string out, err;
  } cases[] = {
      {"short.kiv", "", 1, "", "The file is not a Gryvel dictionary."},
      {"short.kiv", "ab", 1, "", "The file is not a Gryvel dictionary."},
      {"empty.txt", "", 0, "", ""},
      {"short.txt", "ab", 0, "ab\n", ""},
      {"odd.txt", "ab \x01\x02", 0, "ab\n", "does not look like a list of words: 50%"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir_.Write(c.name, c.bytes);
    const CliResult result = RunCli({"-d", file, "list"});
    EXPECT_EQ(c.exit_code, result.exit_code);
    EXPECT_EQ(c.out, result.out);
    if (c.err.empty())
      EXPECT_EQ("", result.err);
    else
      EXPECT_NE(std::string::npos, result.err.find(c.err)) << result.err;
  }
}

}  // namespace
}  // namespace gryvel::testing
