#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "cli_runner.h"
#include "support/temp_dir.h"

namespace gryvel::testing {

// A temporary directory with a small word list in it, and helpers to run the tool there.
class CliTest : public ::testing::Test {
 protected:
  // Words for every kind of search: «кот» and «Кот» differ only in case, «пёс» holds ё.
  static constexpr std::string_view kWords =
      "кот кит рот рос пос пёс ток кто анна шалаш\n"
      "картон карт он нос сон Кот apple level ёлка\n";

  void SetUp() override { words_ = dir_.Write("words.txt", kWords); }

  // Runs the tool with `args` after "-d words.txt".
  CliResult RunOnWords(std::vector<std::string> args) {
    args.insert(args.begin(), {"-d", words_});
    return RunCli(args);
  }

  // Builds a dictionary file `name` from tab-separated `lines` with the import command.
  std::string Import(std::string_view name, std::string_view lines,
                     std::vector<std::string> options = {}) {
    const std::string tsv = dir_.Write(std::string(name) + ".tsv", lines);
    const std::string kiv = dir_.File(std::string(name) + ".kiv");
    options.insert(options.begin(), "import");
    options.push_back(tsv);
    options.push_back(kiv);
    const CliResult result = RunCli(options);
    EXPECT_EQ(0, result.exit_code) << result.err;
    return kiv;
  }

  TempDir dir_;
  std::string words_;
};

// `lines`, each ended by a line feed.
inline std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) (text += line) += '\n';
  return text;
}

}  // namespace gryvel::testing
