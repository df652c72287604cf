#include <filesystem>
#include <string>
#include <vector>

#include "cli_fixture.h"

namespace gryvel::testing {
namespace {

class CliErrorsTest : public CliTest {};

struct ErrorCase {
  std::vector<std::string> args;
  std::string message;  // a part of stderr
};

TEST_F(CliErrorsTest, UsageErrorsExitWithTwoAndAHintToHelp) {
  const ErrorCase cases[] = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"--frob", "list"}, "unknown option '--frob'"},
      {{"crossword", "-кот"}, "unknown option '-кот' (put -- before"},
      {{"crossword"}, "missing PATTERN"},
      {{"chain", "кот"}, "missing TO"},
      {{"list", "extra"}, "unexpected argument 'extra'"},
      {{"crossword", "中"}, "U+4E2D"},
      {{"crossword", ""}, "PATTERN is empty"},
      {{"meaning", "?"}, "missing CLUE"},
      {{"meaning", "?", ""}, "CLUE is empty"},
      {{"meaning", "?", "*", "..."}, "meaning: CLUE has no words"},
      {{"--sort"}, "'--sort' needs a value"},
      {{"--sort", "size", "list"}, "'size' is not one of alpha, length"},
      {{"--mode", "odd", "anagram", "кот"}, "'odd' is not one of usual, extended, make"},
      {{"--mode", "make", "crossword", "кот"}, "'--mode' does not apply to crossword"},
      {{"--change", "0", "chain", "кот", "рот"}, "--change: '0'"},
      {{"--change", "x", "chain", "кот", "рот"}, "--change: 'x'"},
      {{"--items", "3-2", "analyze", "кот"}, "--items: '3-2'"},
      {{"--length", "-", "list"}, "--length: '-'"},
      {{"--length", "99999999999", "list"}, "--length: '99999999999'"},
      {{"--equal", "ё", "list"}, "--equal: 'ё'"},
      {{"--equal", "ё=ея", "list"}, "one letter after '='"},
      {{"--count=yes", "list"}, "'--count' takes no value"},
      {{"chain", "кот", "пёсик"}, "the same number of letters"},
      {{"convert", "--text", "--title", "T", "a", "b"}, "writes no header"},
      {{"--language", "ENGL", "import", "a", "b"}, "longer than three letters"},
  };
  for (const ErrorCase& c : cases) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(2, result.exit_code) << ::testing::PrintToString(c.args);
    EXPECT_EQ("", result.out) << ::testing::PrintToString(c.args);
    EXPECT_NE(std::string::npos, result.err.find(c.message))
        << ::testing::PrintToString(c.args) << result.err;
    EXPECT_NE(std::string::npos, result.err.find("--help")) << ::testing::PrintToString(c.args);
  }
}

TEST_F(CliErrorsTest, RuntimeFailuresExitWithOneAndSayWhy) {
  const std::string missing = dir_.File("missing.kiv");
  const std::string damaged = dir_.Write("damaged.kiv", std::string("kiv\x10\0\0\0\x02", 8));
  const std::string version9 = dir_.Write(
      "version9.kiv", std::string("kiv\x1e\0\0\0\x09\0\0\0", 11) + std::string(40, '\0'));
  const std::string bad_tsv = dir_.Write("bad.tsv", "кот\tn\nток\tq\n");
  const std::string odd_tsv = dir_.Write("odd.tsv", "кот\n中\n");
  const std::string ticked_tsv = dir_.Write("ticked.tsv", "кот\tn\tописание нового ✓\n");
  // A bare name is looked up among the bundled dictionaries; the message names the places.
  const std::string bundled_place =
      (std::filesystem::path(GRYVEL_CLI_PATH).parent_path() / "Dictionaries/nosuch.kiv").string();
  const ErrorCase cases[] = {
      {{"-d", missing, "list"}, "cannot open '" + missing + "'"},
      {{"-d", "nosuch.kiv", "list"}, "cannot open 'nosuch.kiv'"},
      {{"-d", "nosuch.kiv", "list"}, "Looked in:\n  " + bundled_place + "\n"},
      {{"-d", dir_.Path(), "list"}, "cannot open '" + dir_.Path() + "'"},
      {{"-d", damaged, "list"}, "damaged.kiv"},
      {{"-d", version9, "list"}, "version 9"},
      {{"-d", words_, "show", "слон"}, "слон: not found"},
      {{"convert", missing, dir_.File("out.kiv")}, "cannot open"},
      {{"convert", words_, dir_.File("no/such/dir/out.kiv")}, "out.kiv"},
      {{"convert", "--text", words_, dir_.File("no/such/dir/out.txt")}, "out.txt"},
      {{"import", bad_tsv, dir_.File("out.kiv")}, "line 2: parts 'q'"},
      {{"import", odd_tsv, dir_.File("out.kiv")}, "line 2: Character U+4E2D"},
      // The position counts characters of the line.
      {{"import", ticked_tsv, dir_.File("out.kiv")},
       "line 1: Character U+2713 \"✓\" at position 23 cannot be written in code page 1251\n"},
      {{"import", missing, dir_.File("out.kiv")}, "cannot open"},
  };
  for (const ErrorCase& c : cases) {
    const CliResult result = RunCli(c.args);
    EXPECT_EQ(1, result.exit_code) << ::testing::PrintToString(c.args);
    EXPECT_EQ("", result.out) << ::testing::PrintToString(c.args);
    EXPECT_NE(std::string::npos, result.err.find(c.message))
        << ::testing::PrintToString(c.args) << result.err;
  }
}

// A bare name that is a file in the working folder opens that file, not a bundled dictionary
// of the same name.
TEST_F(CliErrorsTest, ABareNameInTheWorkingFolderIsThatFile) {
  dir_.Write("english.kiv", "not a dictionary");
  const CliResult result = RunCliIn(dir_.Path(), {"-d", "english.kiv", "list"});
  EXPECT_EQ(1, result.exit_code);
  EXPECT_EQ("gryvel-cli: cannot open 'english.kiv': The file is not a Gryvel dictionary.\n",
            result.err);
}

TEST_F(CliErrorsTest, AFailedImportLeavesTheOldFileWhole) {
  const std::string out = dir_.Write("out.kiv", "old");
  const std::string bad_tsv = dir_.Write("bad.tsv", "кот\n\tn\n");
  const CliResult result = RunCli({"import", bad_tsv, out});
  EXPECT_EQ(1, result.exit_code);
  EXPECT_NE(std::string::npos, result.err.find("line 2: the word is empty")) << result.err;
  EXPECT_EQ("old", dir_.Read("out.kiv"));
}

TEST_F(CliErrorsTest, HelpNamesEveryCommandAndOption) {
  const CliResult help = RunCli({"list", "--help", "--frob"});
  EXPECT_EQ(0, help.exit_code);
  for (const char* name :
       {"crossword", "anagram",  "palindromes",  "meaning",  "chain",    "analyze",  "list",
        "info",      "show",     "convert",      "import",   "--dict",   "--case-sensitive",
        "--equal",   "--sort",   "--descending", "--filter", "--length", "--describe",
        "--count",   "--json",   "--mode",       "--change", "--items",  "--text",
        "--title",   "--author", "--comments",   "--email",  "--web",    "--language",
        "--version"})
    EXPECT_NE(std::string::npos, help.out.find(name)) << name;

  const CliResult version = RunCli({"--version"});
  EXPECT_EQ(0, version.exit_code);
  EXPECT_EQ(0u, version.out.rfind("gryvel-cli ", 0)) << version.out;
  EXPECT_NE(std::string::npos, version.out.find("GPL-3.0-or-later")) << version.out;
}

}  // namespace
}  // namespace gryvel::testing
