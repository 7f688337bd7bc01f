#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sips {

enum class OutputFormat { Jp2, Jpeg, Png };

// One conversion as the command line asks for it.
struct Request {
    OutputFormat format = OutputFormat::Jpeg;
    std::optional<std::uint32_t> dpiWidth;
    std::optional<std::uint32_t> dpiHeight;
    std::optional<std::string> out; // absent: rewrite the input in place
    std::string input;
};

// What the command line asks for: a conversion, or the accepted syntax.
struct ParsedArguments {
    bool help = false;
    Request request;
};

// Parses `-s format jp2|jpeg|png [-s dpiHeight N] [-s dpiWidth N] [--out FILE] FILE` with the
// options in any order, each at most once. Throws a Failure naming the input (when known) and
// what is wrong.
ParsedArguments parseArguments(const std::vector<std::string>& arguments);

extern const char* const usage;

} // namespace sips
