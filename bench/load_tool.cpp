// Helper of the loading peer script:
//   load_tool make-text N FILE   write N generated words (with duplicates) one per line
//   load_tool load FILE          load FILE as a dictionary; print entries, seconds and the
//                                resident memory the loaded entries take per entry

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench_files.h"
#include "dictionary/kiv_dictionary.h"

namespace {

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = 0;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      return value;
    }
    status.ignore(256, '\n');
  }
  return 0;
}

int Load(const char* path) {
  const long before = ResidentKiB();
  const auto start = std::chrono::steady_clock::now();
  gryvel::TKivDictionary dictionary;
  dictionary.SetFileName(path);
  dictionary.Load();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long after = ResidentKiB();
  const int count = dictionary.Count();
  std::printf("entries %d  seconds %.3f  resident %.1f bytes/entry\n", count, seconds,
              count > 0 ? (after - before) * 1024.0 / count : 0.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "load" && argc == 3) return Load(argv[2]);
  if (command == "make-text" && argc == 4) {
    const std::string made = gryvel::bench::MakeTextFile(std::strtoul(argv[2], nullptr, 10));
    return std::rename(made.c_str(), argv[3]) == 0 ? 0 : 1;
  }
  std::fprintf(stderr, "usage: load_tool make-text N FILE | load_tool load FILE\n");
  return 2;
}
