#pragma once

#include <string>

namespace sips {

// Tells the user on standard error about something the tool did differently, without failing.
void warn(const std::string& file, const std::string& text);

} // namespace sips
