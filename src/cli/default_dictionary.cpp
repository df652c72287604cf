#include "cli/default_dictionary.h"

#include <filesystem>
#include <system_error>

#include "install_info.h"

namespace gryvel::cli {

std::vector<std::string> BundledDictionaryPlaces(std::string_view name) {
  const std::filesystem::path relative = std::filesystem::path("Dictionaries") / name;
  std::vector<std::string> places;
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) places.push_back((program.parent_path() / relative).string());
  places.push_back((std::filesystem::path(GRYVEL_DATA_DIR) / relative).string());
  return places;
}

std::string FindBundledDictionary(std::string_view name) {
  for (const std::string& place : BundledDictionaryPlaces(name)) {
    std::error_code error;
    if (std::filesystem::is_regular_file(place, error)) return place;
  }
  return {};
}

}  // namespace gryvel::cli
