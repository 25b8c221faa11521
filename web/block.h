#pragma once

// How the WebAssembly module hands texts to JavaScript: a block of memory the
// caller releases with free().

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::web {

// A new block: the length of the text that follows, as a 32-bit number, then
// the text: the one character head, then each line followed by '\n' (no line
// holds one). With the length the caller decodes the text at once, without
// looking for its end. Null when memory runs out.
char* makeBlock(char head, const std::vector<std::string>& lines);

// A block of one line of JSON, with the head '0'.
char* makeJsonBlock(std::string_view json);

}  // namespace vantrel::web
