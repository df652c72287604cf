// Every example of the help pages, run through gryvel-cli on the bundled dictionary it names,
// gives the answer the page states.

#include <gtest/gtest.h>

#include <algorithm>
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

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, separator);)
    if (!part.empty()) parts.push_back(part);
  return parts;
}

// The attributes of every element with a data-search attribute.
std::vector<Attributes> Examples(const std::string& page) {
  std::ifstream file(std::string(GRYVEL_HELP_SOURCE_DIR) + "/" + page);
  std::stringstream text;
  text << file.rdbuf();
  const std::string html = text.str();
  const std::regex element("<tr( data-search=[^>]*)>");
  const std::regex attribute(R"re(([a-z-]+)="([^"]*)")re");
  std::vector<Attributes> examples;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), element);
       it != std::sregex_iterator(); ++it) {
    const std::string tag = (*it)[1];
    Attributes values;
    for (auto a = std::sregex_iterator(tag.begin(), tag.end(), attribute);
         a != std::sregex_iterator(); ++a)
      values[(*a)[1]] = (*a)[2];
    examples.push_back(values);
  }
  return examples;
}

class HelpExamples : public ::testing::TestWithParam<const char*> {};

TEST_P(HelpExamples, GiveTheStatedAnswers) {
  const std::vector<Attributes> examples = Examples(GetParam());
  ASSERT_GE(examples.size(), 6u) << GetParam() << " lost its examples";
  for (Attributes example : examples) {
    SCOPED_TRACE(std::string(GetParam()) + ": " + example["data-query"]);
    // The settings an example may name: an equal-letters group, case-sensitive matching.
    std::vector<std::string> args;
    if (example.count("data-equal") != 0) args = {"--equal", example["data-equal"]};
    if (example.count("data-case") != 0) args.push_back("--case-sensitive");
    args.insert(args.end(),
                {"-d", std::string(GRYVEL_DICTIONARY_DIR) + "/" + example["data-dict"]});
    if (example["data-search"] == "anagram") {
      args.insert(args.end(), {"anagram", "--mode", example["data-mode"]});
    } else {
      ASSERT_EQ(example["data-search"], "crossword");
      args.push_back("crossword");
    }
    args.push_back(example["data-query"]);
    const testing::CliResult result = testing::RunCli(args);
    ASSERT_EQ(result.exit_code, 0) << result.err;
    std::vector<std::string> found = Split(result.out, '\n');
    std::sort(found.begin(), found.end());
    if (example.count("data-expect") != 0) {
      std::vector<std::string> expected = Split(example["data-expect"], ' ');
      std::sort(expected.begin(), expected.end());
      EXPECT_EQ(found, expected);
      continue;
    }
    ASSERT_EQ(example.count("data-count"), 1u) << "an example states no answer";
    EXPECT_EQ(found.size(), std::stoul(example["data-count"]));
    for (const std::string& word : Split(example["data-includes"], ' '))
      EXPECT_TRUE(std::binary_search(found.begin(), found.end(), word)) << word;
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, HelpExamples,
                         ::testing::Values("wildcards.html", "wildcards_en.html",
                                           "find_anagram.html", "find_anagram_en.html",
                                           "main_window.html", "main_window_en.html",
                                           "filter.html", "filter_en.html",
                                           "statistics.html", "statistics_en.html",
                                           "options.html", "options_en.html"));

}  // namespace
}  // namespace gryvel
