#include "web/block.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace vantrel::web {

char* makeBlock(char head, const std::vector<std::string>& lines) {
  std::size_t length = 1;
  for (const std::string& line : lines) length += line.size() + 1;
  const auto size = static_cast<std::uint32_t>(length);
  auto* block = static_cast<char*>(std::malloc(sizeof size + length));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &size, sizeof size);
  char* out = block + sizeof size;
  *out++ = head;
  for (const std::string& line : lines) {
    std::memcpy(out, line.data(), line.size());
    out += line.size();
    *out++ = '\n';
  }
  return block;
}

char* makeJsonBlock(std::string_view json) {
  return makeBlock('0', {std::string(json)});
}

}  // namespace vantrel::web
