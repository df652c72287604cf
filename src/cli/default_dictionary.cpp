#include "cli/default_dictionary.h"

#include <filesystem>
#include <system_error>

#include "install_info.h"

namespace gryvel::cli {

namespace {

constexpr const char* kRelativePath = "Dictionaries/dictionary.kiv";

}  // namespace

std::vector<std::string> DefaultDictionaryPlaces() {
  std::vector<std::string> places;
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) places.push_back((program.parent_path() / kRelativePath).string());
  places.push_back((std::filesystem::path(GRYVEL_DATA_DIR) / kRelativePath).string());
  return places;
}

std::string FindDefaultDictionary() {
  for (const std::string& place : DefaultDictionaryPlaces()) {
    std::error_code error;
    if (std::filesystem::is_regular_file(place, error)) return place;
  }
  return {};
}

}  // namespace gryvel::cli
