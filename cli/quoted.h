#pragma once

// Parts of the input as vantrel-solve's messages show them.

#include <string>
#include <string_view>

namespace vantrel::cli {

// A field as a message shows it: in quotes, at most 40 bytes of it and then
// "…", with control characters, backslashes and bytes that are not UTF-8
// written as \xHH, so that no input reaches a terminal as it stands.
std::string quoted(std::string_view field);

}  // namespace vantrel::cli
