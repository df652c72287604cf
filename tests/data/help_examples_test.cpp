// Every example of the help pages, run through gryvel-cli on the bundled dictionaries it names,
// gives the answer the page states.
//
// An example is a table row <tr data-search="KIND" ...>:
//   data-search   crossword, anagram, meaning, chain, analysis, palindromes, list or show
//   data-dict     the bundled dictionaries to open, separated by spaces
//   data-options  options before the command, separated by spaces (e.g. "--length 5")
//   data-query    the request: a pattern or letters; "PATTERN : CLUE" for meaning (as typed
//                 into the quick search); "FROM TO" for chain; the word for analysis and show
//   data-mode, data-change, data-items   the command's --mode, --change, --items
//   data-equal    an equal-letters group to switch on (--equal); data-case: case-sensitive
// and its answer, as lists of output lines: separated by "|" for chain, analysis and show
// (whose lines hold spaces), by spaces otherwise:
//   data-expect   every result, in any order; or
//   data-count    how many results, with data-includes: some of them; or data-includes alone
//   data-first    the results that come first, in this order

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace gryvel {
namespace {

using Attributes = std::map<std::string, std::string>;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);)
    if (!Trimmed(part).empty()) parts.push_back(Trimmed(part));
  return parts;
}

std::string ReadPage(const std::string& page) {
  std::ifstream file(std::string(GRYVEL_HELP_SOURCE_DIR) + "/" + page);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// An attribute value as the page means it: its character references decoded.
std::string Unescaped(std::string value) {
  static const std::pair<std::string, std::string> kReferences[] = {
      {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
  for (const auto& [reference, character] : kReferences)
    for (std::size_t at = value.find(reference); at != std::string::npos;
         at = value.find(reference, at + character.size()))
      value.replace(at, reference.size(), character);
  return value;
}

// The attributes of every table row with a data-search attribute.
std::vector<Attributes> Examples(const std::string& page) {
  const std::string html = ReadPage(page);
  const std::regex element("<tr( data-search=[^>]*)>");
  const std::regex attribute(R"re(([a-z-]+)="([^"]*)")re");
  std::vector<Attributes> examples;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), element);
       it != std::sregex_iterator(); ++it) {
    const std::string tag = (*it)[1];
    Attributes values;
    for (auto a = std::sregex_iterator(tag.begin(), tag.end(), attribute);
         a != std::sregex_iterator(); ++a)
      values[(*a)[1]] = Unescaped((*a)[2]);
    examples.push_back(values);
  }
  return examples;
}

// Every page of help/, by file name.
std::vector<std::string> HelpPages() {
  std::vector<std::string> pages;
  for (const auto& entry : std::filesystem::directory_iterator(GRYVEL_HELP_SOURCE_DIR))
    if (entry.path().extension() == ".html") pages.push_back(entry.path().filename().string());
  std::sort(pages.begin(), pages.end());
  return pages;
}

// The gryvel-cli arguments of an example; empty with a failure for a malformed one.
std::vector<std::string> CliArguments(Attributes example) {
  std::vector<std::string> args;
  if (example.count("data-equal") != 0) args = {"--equal", example["data-equal"]};
  if (example.count("data-case") != 0) args.push_back("--case-sensitive");
  for (const std::string& dictionary : Split(example["data-dict"], ' '))
    args.insert(args.end(), {"-d", dictionary});
  for (const std::string& option : Split(example["data-options"], ' ')) args.push_back(option);
  const std::string kind = example["data-search"];
  const std::string query = example["data-query"];
  if (kind == "crossword") {
    args.insert(args.end(), {"crossword", query});
  } else if (kind == "anagram") {
    args.insert(args.end(), {"anagram", "--mode", example["data-mode"], query});
  } else if (kind == "meaning") {
    const std::size_t colon = query.find(':');
    EXPECT_NE(colon, std::string::npos) << "a meaning example is PATTERN : CLUE";
    if (colon == std::string::npos) return {};
    args.insert(args.end(), {"meaning", "--", Trimmed(query.substr(0, colon))});
    for (const std::string& word : Split(query.substr(colon + 1), ' ')) args.push_back(word);
  } else if (kind == "chain") {
    const std::vector<std::string> words = Split(query, ' ');
    EXPECT_EQ(words.size(), 2u) << "a chain example is FROM TO";
    if (words.size() != 2) return {};
    args.insert(args.end(), {"chain", "--change", example["data-change"], words[0], words[1]});
  } else if (kind == "analysis") {
    args.push_back("analyze");
    if (example.count("data-items") != 0) args.insert(args.end(), {"--items", example["data-items"]});
    args.push_back(query);
  } else if (kind == "show") {
    args.insert(args.end(), {"show", query});
  } else if (kind == "palindromes" || kind == "list") {
    args.push_back(kind);
  } else {
    ADD_FAILURE() << "unknown data-search \"" << kind << "\"";
    return {};
  }
  return args;
}

// The pages written with examples, in both languages, and how many each has at least: a page
// that loses them, or goes, fails.
const std::map<std::string, std::size_t> kLeast = {
    {"wildcards", 6},  {"find_anagram", 6},  {"meaning", 5},
    {"word_chain", 3}, {"word_analysis", 3}, {"cli", 6},
    {"main_window", 6}, {"filter", 6},       {"statistics", 6},
    {"options", 6},
};

TEST(HelpExamplePages, AreThereInBothLanguages) {
  const std::vector<std::string> pages = HelpPages();
  for (const auto& [stem, least] : kLeast)
    for (const std::string& page : {stem + ".html", stem + "_en.html"})
      EXPECT_TRUE(std::binary_search(pages.begin(), pages.end(), page)) << page;
}

class HelpExamples : public ::testing::TestWithParam<std::string> {};

TEST_P(HelpExamples, GiveTheStatedAnswers) {
  const std::string page = GetParam();
  const std::vector<Attributes> examples = Examples(page);
  std::string stem = page.substr(0, page.size() - 5);
  if (stem.ends_with("_en")) stem.resize(stem.size() - 3);
  if (kLeast.count(stem) != 0) {
    ASSERT_GE(examples.size(), kLeast.at(stem)) << page << " lost its examples";
  }
  const testing::TempDir elsewhere;
  for (Attributes example : examples) {
    SCOPED_TRACE(page + ": " + example["data-search"] + " " + example["data-query"]);
    const std::vector<std::string> args = CliArguments(example);
    if (args.empty()) continue;
    // As a reader types it: the bundled names from a folder that does not hold them.
    const testing::CliResult result = testing::RunCliIn(elsewhere.Path(), args);
    ASSERT_EQ(result.exit_code, 0) << result.err;
    const bool lines = example["data-search"] == "chain" || example["data-search"] == "analysis" ||
                       example["data-search"] == "show";
    const auto list = [&](const std::string& name) { return Split(example[name], lines ? '|' : ' '); };
    std::vector<std::string> found = Split(result.out, '\n');
    bool stated = false;
    if (example.count("data-first") != 0) {
      stated = true;
      const std::vector<std::string> first = list("data-first");
      ASSERT_GE(found.size(), first.size());
      EXPECT_EQ(std::vector<std::string>(found.begin(), found.begin() + first.size()), first);
    }
    std::sort(found.begin(), found.end());
    if (example.count("data-expect") != 0) {
      std::vector<std::string> expected = list("data-expect");
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(found, expected);
      continue;
    }
    if (example.count("data-count") != 0) {
      stated = true;
      EXPECT_EQ(found.size(), std::stoul(example["data-count"]));
    }
    for (const std::string& word : list("data-includes")) {
      stated = true;
      EXPECT_TRUE(std::binary_search(found.begin(), found.end(), word)) << word;
    }
    EXPECT_TRUE(stated) << "an example states no answer";
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, HelpExamples, ::testing::ValuesIn(HelpPages()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '.', '_');
                           return name;
                         });

}  // namespace
}  // namespace gryvel
