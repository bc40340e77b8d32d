#include "platform/text.h"

namespace text {

Text Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  Text out;
  auto arg = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace text
