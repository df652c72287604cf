// gryvel-cli: the command-line front end of the engine.

#include <cstdio>
#include <cstring>

namespace {

constexpr const char kUsage[] =
    "Usage: gryvel-cli [--help | --version]\n"
    "\n"
    "Gryvel answers a crossword solver's questions from word dictionaries: crossword\n"
    "patterns, anagrams, palindromes, word chains and splits of a word into words.\n"
    "\n"
    "This build holds the search engine and its tests; the searching commands of the\n"
    "command-line tool are not part of it yet.\n"
    "\n"
    "  --help      show this text\n"
    "  --version   show the version\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("gryvel-cli " GRYVEL_VERSION);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  std::fputs(kUsage, stderr);
  return 2;
}
