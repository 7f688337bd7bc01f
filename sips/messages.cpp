#include "messages.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace sips {

namespace {

void printLine(const char* kind, const std::string& file, const std::string& text) {
    const std::string line =
        "sips: " + std::string(kind) + ": " + printable(file) + ": " + printable(text) + "\n";
    std::fputs(line.c_str(), stderr);
}

std::vector<std::pair<std::string, std::string>> heldWarnings;

} // namespace

std::string printable(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\\':
            result += "\\\\";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                static constexpr char digits[] = "0123456789abcdef";
                result += "\\x";
                result += digits[byte >> 4];
                result += digits[byte & 0xF];
            } else {
                result += c;
            }
        }
    }
    return result;
}

void printError(const std::string& file, const std::string& reason) {
    printLine("error", file, reason);
}

void warn(const std::string& file, const std::string& text) {
    // A file's metadata may be read more than once in one conversion; a note is said once.
    const std::pair<std::string, std::string> warning(file, text);
    if (std::find(heldWarnings.begin(), heldWarnings.end(), warning) == heldWarnings.end())
        heldWarnings.push_back(warning);
}

std::size_t heldWarningCount() {
    return heldWarnings.size();
}

void forgetWarningsAfter(std::size_t count) {
    if (count < heldWarnings.size())
        heldWarnings.resize(count);
}

void printWarnings() {
    for (const auto& [file, text] : heldWarnings)
        printLine("warning", file, text);
    heldWarnings.clear();
}

} // namespace sips
