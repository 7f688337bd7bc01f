#include "warning.h"

#include <cstdio>

namespace sips {

void warn(const std::string& file, const std::string& text) {
    std::fprintf(stderr, "sips: warning: %s: %s\n", file.c_str(), text.c_str());
}

} // namespace sips
