#include "bench_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "bench_words.h"
#include "dictionary/kiv_dictionary.h"
#include "support/kiv_bytes.h"

namespace gryvel::bench {

const std::string& Directory() {
  struct TDirectory {
    std::string Path;
    ~TDirectory() {
      std::error_code ignored;
      std::filesystem::remove_all(Path, ignored);
    }
  };
  static const TDirectory dir = [] {
    char name[] = "/tmp/gryvel-bench-XXXXXX";
    if (mkdtemp(name) == nullptr) std::abort();
    return TDirectory{name};
  }();
  return dir.Path;
}

namespace {

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::abort();
}

// About `count` distinct generated words, in word order.
TKivDictionary& SortedWords(std::size_t count) {
  static TKivDictionary dictionary;
  if (!dictionary.Loaded()) {
    std::string text;
    for (const std::string& w : GenerateWords(count + count / 100, 42))
      text.append(w).push_back('\n');
    const std::string path = Directory() + "/distinct-" + std::to_string(count) + ".txt";
    Write(path, text);
    dictionary.SetFileName(path);
    dictionary.Load();
  }
  return dictionary;
}

}  // namespace

std::string MakeTextFile(std::size_t count) {
  const std::string path = Directory() + "/words-" + std::to_string(count) + ".txt";
  std::vector<std::string> words = GenerateWords(count * 9 / 10);
  std::mt19937 rng(7);
  while (words.size() < count) words.push_back(words[rng() % words.size()]);
  std::shuffle(words.begin(), words.end(), rng);
  std::string text;
  for (const std::string& w : words) text.append(w).push_back('\n');
  Write(path, text);
  return path;
}

std::string MakeKiv2File(std::size_t count) {
  const std::string path = Directory() + "/words-" + std::to_string(count) + ".kiv";
  TKivDictionary& dictionary = SortedWords(count);
  for (std::int32_t i = 0; i < dictionary.Count(); i += 10)
    dictionary.SetDescription(i, "a description of the word " + std::to_string(i));
  if (!dictionary.SaveToFile(path).ok()) std::abort();
  return path;
}

std::string MakeKiv1File(std::size_t count) {
  const std::string path = Directory() + "/words-" + std::to_string(count) + "-v1.kiv";
  const TArticleList& entries = SortedWords(count).Entries();
  std::string body;
  for (std::int32_t i = 0; i < entries.Count(); ++i)
    body += testing::V1Record(entries.Get(i)->Word);
  Write(path, testing::V1File(static_cast<std::uint32_t>(entries.Count()), body, true));
  return path;
}

}  // namespace gryvel::bench
