#pragma once

#include <string>

// Generated dictionary files for the loading benchmarks, written once into a temporary
// directory that lives until the process ends.

namespace gryvel::bench {

// The temporary directory the files are written to, removed when the process ends.
const std::string& Directory();

// One word per line (LF), `count` generated words in random order with about one in ten
// repeated, code page 1251.
std::string MakeTextFile(std::size_t count);
// A version-2 dictionary of `count` distinct words, every tenth with a description.
std::string MakeKiv2File(std::size_t count);
// A version-1 dictionary of `count` distinct words with a compressed body.
std::string MakeKiv1File(std::size_t count);

}  // namespace gryvel::bench
