#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sips {

// The text with control characters, backslashes and DEL written as C escapes, so that a file name
// holding a line feed still makes one line that says where it ends.
std::string printable(std::string_view text);

// "sips: error: FILE: reason" on standard error, as one line.
void printError(const std::string& file, const std::string& reason);

// Something left out of a copy that is still made. Held until the conversion succeeds: a failure
// prints its one error line alone.
void warn(const std::string& file, const std::string& text);

// How many warnings are held, and forgetting those held after the first `count`: an attempt that
// is given up for another takes its warnings with it.
std::size_t heldWarningCount();
void forgetWarningsAfter(std::size_t count);

// Prints the warnings held, each as "sips: warning: FILE: text" on standard error.
void printWarnings();

} // namespace sips
