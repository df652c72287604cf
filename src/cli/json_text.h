#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The little JSON the tool writes: strings, numbers, arrays of flat objects.

namespace gryvel::cli {

// Appends `utf8` as a JSON string literal: quotes, backslashes and control characters
// escaped; a byte that is not part of valid UTF-8 becomes U+FFFD.
void AppendJsonString(std::string& out, std::string_view utf8);

// One member of a flat object: a name and its value, already written as JSON.
using TJsonMember = std::pair<std::string_view, std::string>;

// `utf8` as a JSON string literal.
std::string JsonString(std::string_view utf8);

// {"name": value, ...} on one line.
std::string JsonObject(const std::vector<TJsonMember>& members);

}  // namespace gryvel::cli
