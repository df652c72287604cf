#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli_fixture.h"

namespace gryvel::testing {
namespace {

class SearchCommandsTest : public CliTest {};

// Waits until process `pid` has a handler for `signal` (the SigCgt mask of its status).
bool WaitUntilCatching(pid_t pid, int signal) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
      if (line.starts_with("SigCgt:") &&
          (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1)
        return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Waits until process `pid` has spent `ticks` clock ticks of CPU time (fields 14 and 15 of
// its stat line), that is, until it has got well past its start however loaded the machine is.
bool WaitUntilBusy(pid_t pid, unsigned long ticks) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // The command name may hold spaces; the fields after it are plain numbers.
    const std::size_t name_end = line.rfind(") ");
    if (name_end == std::string::npos) return false;  // the process is gone
    std::istringstream fields(line.substr(name_end + 2));
    std::string skip;
    for (int field = 3; field < 14; ++field) fields >> skip;
    unsigned long user = 0, system = 0;
    if (fields >> user >> system && user + system >= ticks) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

struct SearchCase {
  std::vector<std::string> args;
  std::string out;
};

TEST_F(SearchCommandsTest, PrintsTheWordsFoundOnePerLineInViewOrder) {
  const SearchCase cases[] = {
      {{"list"},
       Lines({"apple", "level", "анна", "ёлка", "карт", "картон", "кит", "Кот", "кот", "кто", "нос",
              "он", "пёс", "пос", "рос", "рот", "сон", "ток", "шалаш"})},
      // Text without wildcards is searched as *TEXT*.
      {{"crossword", "от"}, Lines({"Кот", "кот", "рот"})},
      {{"crossword", "К??"}, Lines({"кит", "Кот", "кот", "кто"})},
      {{"--case-sensitive", "crossword", "К??"}, Lines({"Кот"})},
      {{"crossword", "пес"}, ""},
      {{"--equal", "ё=е", "crossword", "пес"}, Lines({"пёс"})},
      {{"crossword", "1221"}, Lines({"анна"})},
      {{"anagram", "кто"}, Lines({"кот", "кто", "ток"})},
      {{"anagram", "к?т"}, Lines({"кит", "кот", "кто", "ток"})},
      {{"anagram", "--mode", "extended", "ок"}, Lines({"картон", "кот", "кто", "ток"})},
      {{"anagram", "--mode=make", "картон"},
       Lines({"карт", "картон", "кот", "кто", "он", "рот", "ток"})},
      {{"palindromes"}, Lines({"level", "анна", "шалаш"})},
      // By length, words of one length stay in alphabetical order.
      {{"--sort", "length", "crossword", "*о*"},
       Lines({"он", "Кот", "кот", "кто", "нос", "пос", "рос", "рот", "сон", "ток", "картон"})},
      {{"--sort", "length", "--descending", "--length", "4-5", "list"},
       Lines({"шалаш", "level", "apple", "карт", "ёлка", "анна"})},
      {{"--descending", "palindromes"}, Lines({"шалаш", "анна", "level"})},
      {{"--length", "5-", "list"}, Lines({"apple", "level", "картон", "шалаш"})},
      {{"--length", "2", "list"}, Lines({"он"})},
      {{"--filter", "?о?", "anagram", "кто"}, Lines({"кот", "ток"})},
      {{"--count", "crossword", "???"}, "11\n"},
      {{"--count", "crossword", "ююю"}, "0\n"},
  };
  for (const SearchCase& c : cases) {
    const CliResult result = RunOnWords(c.args);
    EXPECT_EQ(0, result.exit_code) << ::testing::PrintToString(c.args) << result.err;
    EXPECT_EQ(c.out, result.out) << ::testing::PrintToString(c.args);
    EXPECT_EQ("", result.err) << ::testing::PrintToString(c.args);
  }
}

// Typed text in the second syntax is a pattern as it stands, not wrapped in stars: it finds
// exactly what its twin in the first syntax finds.
TEST_F(SearchCommandsTest, SecondSyntaxAloneIsAPattern) {
  const struct {
    const char* typed;
    const char* twin;
    std::string out;
  } cases[] = {
      {"$@$", "+!++", Lines({"кит", "Кот", "кот", "нос", "пёс", "пос", "рос", "рот", "сон", "ток"})},
      {"к[оиу]т", "к(оиу)т", Lines({"кит", "Кот", "кот"})},
      // No four-letter word fits; wrapped in stars it found «шалаш».
      {"@$@$", "!++!++", ""},
      {"[кр]о[!т]", "(кр)о!(т)", Lines({"рос"})},
  };
  for (const auto& c : cases) {
    const CliResult typed = RunOnWords({"crossword", c.typed});
    const CliResult twin = RunOnWords({"crossword", c.twin});
    EXPECT_EQ(0, typed.exit_code) << c.typed << typed.err;
    EXPECT_EQ(c.out, typed.out) << c.typed;
    EXPECT_EQ(twin.out, typed.out) << c.typed << " / " << c.twin;
  }
}

TEST_F(SearchCommandsTest, ChainAndAnalyzePrintOneResultPerLine) {
  const SearchCase cases[] = {
      {{"chain", "кот", "пёс"}, Lines({"кот - рот - рос - пос - пёс"})},
      {{"chain", "--change", "3", "кот", "пёс"}, Lines({"кот - пёс"})},
      {{"chain", "анна", "карт"}, ""},
      {{"analyze", "картон"}, Lines({"карт+он"})},
      {{"analyze", "--items", "3", "картон"}, ""},
      // The filter narrows the words a split may use.
      {{"--length", "3", "analyze", "картон"}, ""},
      {{"--count", "chain", "кот", "пёс"}, "1\n"},
      {{"--json", "analyze", "картон"}, "[\n  \"карт+он\"\n]\n"},
      {{"--json", "analyze", "кот"}, "[]\n"},
  };
  for (const SearchCase& c : cases) {
    const CliResult result = RunOnWords(c.args);
    EXPECT_EQ(0, result.exit_code) << ::testing::PrintToString(c.args) << result.err;
    EXPECT_EQ(c.out, result.out) << ::testing::PrintToString(c.args);
  }
}

TEST_F(SearchCommandsTest, DescribeAndJsonCarryTheEntryDetails) {
  const std::string kiv = Import("described",
                                 "кот\tn/s\tзверь\\nмурлычет\n"
                                 "ток\tnv/p\tс \"кавычками\"\\tи \\\\ чертой\n"
                                 "рот\n");
  const CliResult described = RunCli({"-d", kiv, "--describe", "list"});
  EXPECT_EQ(0, described.exit_code) << described.err;
  EXPECT_EQ(Lines({"кот\tзверь\\nмурлычет", "рот\t", "ток\tс \"кавычками\"\\tи \\\\ чертой"}),
            described.out);

  const CliResult json = RunCli({"-d", kiv, "--json", "crossword", "?от"});
  EXPECT_EQ(0, json.exit_code) << json.err;
  EXPECT_EQ(
      "[\n"
      "  {\"word\": \"кот\", \"parts\": \"n.\", \"number\": \"singular\", "
      "\"description\": \"зверь\\nмурлычет\"},\n"
      "  {\"word\": \"рот\", \"parts\": \"\", \"number\": \"\", \"description\": \"\"}\n"
      "]\n",
      json.out);

  const CliResult escaped = RunCli({"-d", kiv, "--json", "crossword", "ток"});
  EXPECT_EQ(
      "[\n  {\"word\": \"ток\", \"parts\": \"n., v.\", \"number\": \"plural\", "
      "\"description\": \"с \\\"кавычками\\\"\\tи \\\\ чертой\"}\n]\n",
      escaped.out);
}

TEST_F(SearchCommandsTest, MeaningTakesAPatternAndTheRestOfTheWordsAsTheClue) {
  const std::string kiv = Import("meanings",
                                 "победа\t\tперевес, успех\n"
                                 "триумф\t\tполный успех\n"
                                 "успех\t\tудача\n"
                                 "удача\t\tвезение\n");
  const SearchCase cases[] = {
      {{"meaning", "", "успеха"}, Lines({"удача", "победа", "триумф"})},
      {{"meaning", "??????", "успех"}, Lines({"победа", "триумф"})},
      {{"meaning", "побед", "успех"}, Lines({"победа"})},  // a plain word: "*побед*"
      // «полный» is the rarer word: «триумф», which holds both, comes first.
      {{"meaning", "", "полный", "успех"}, Lines({"триумф", "удача", "победа"})},
      {{"meaning", "--why", "", "успеха"},
       Lines({"удача ← успеха (listed)", "победа ← успеха (synonym)", "триумф ← успеха (gloss)"})},
      {{"meaning", "--why", "--describe", "у????", "успех"}, Lines({"удача ← успех (listed)\tвезение"})},
      {{"--count", "meaning", "", "побед*"}, Lines({"1"})},  // «успех», listed by «победа»
      {{"meaning", "", "поражение"}, ""},
  };
  for (const SearchCase& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), {"-d", kiv});
    const CliResult result = RunCli(args);
    EXPECT_EQ(0, result.exit_code) << result.err;
    EXPECT_EQ(c.out, result.out) << c.args.back();
  }
  const CliResult json = RunCli({"-d", kiv, "--json", "meaning", "у????", "везение"});
  EXPECT_EQ("[\n  {\"word\": \"удача\", \"parts\": \"\", \"number\": \"\", "
            "\"description\": \"везение\"}\n]\n",
            json.out);
}

TEST_F(SearchCommandsTest, WordsOfSeveralDictionariesAreListedOnce) {
  const std::string extra = dir_.Write("extra.txt", "кот слон ток");
  const CliResult result = RunCli({"-d", words_, "-d", extra, "crossword", "*о?"});
  EXPECT_EQ(0, result.exit_code) << result.err;
  EXPECT_EQ(Lines({"картон", "Кот", "кот", "нос", "он", "пос", "рос", "рот", "слон", "сон", "ток"}),
            result.out);
}

TEST_F(SearchCommandsTest, CtrlCStopsAnAnalysisAndPrintsWhatItFound) {
  // Every split holds the one word with «я», and both are found at once; the rest of the
  // search tries three-letter words without end.
  const std::string letters = "абвгдеклмн";
  std::string list;
  // Cyrillic letters take two bytes in UTF-8.
  for (std::size_t a = 0; a < 10; ++a)
    for (std::size_t b = 0; b < 10; ++b)
      for (std::size_t c = 0; c < 10; ++c)
        list +=
            letters.substr(2 * a, 2) + letters.substr(2 * b, 2) + letters.substr(2 * c, 2) + "\n";
  std::string tripled;
  for (int i = 0; i < 3; ++i) tripled += letters;
  const std::string long_word = "я" + tripled.substr(0, 2 * 28);
  list += long_word + "\nмн\nнм\n";
  const std::string file = dir_.Write("splits.txt", list);

  CliProcess process({"-d", file, "analyze", long_word + "мн"});
  ASSERT_TRUE(WaitUntilCatching(process.pid(), SIGINT));
  // The two splits come soon after the start (the first one also sizes the result store);
  // the search then runs on.
  ASSERT_TRUE(WaitUntilBusy(process.pid(), 100));
  ASSERT_EQ(0, kill(process.pid(), SIGINT));
  const CliResult result = process.Wait();
  EXPECT_EQ(0, result.signal);
  EXPECT_EQ(130, result.exit_code);
  EXPECT_EQ(Lines({long_word + "+нм", long_word + "+мн"}), result.out);
  EXPECT_NE(std::string::npos, result.err.find("interrupted")) << result.err;
}

}  // namespace
}  // namespace gryvel::testing
