#pragma once

#include "arguments.h"

namespace sips {

// Runs one conversion. Nothing is written unless it succeeds; throws a Failure otherwise.
void convert(const Request& request);

} // namespace sips
