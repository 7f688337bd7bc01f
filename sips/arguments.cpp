#include "arguments.h"

#include "failure.h"

#include <algorithm>

namespace sips {

const char* const usage =
    "usage: sips -s format jp2|jpeg|png [-s dpiHeight N] [-s dpiWidth N] [--out FILE] FILE\n"
    "\n"
    "Converts FILE (JPEG, PNG, TIFF or JPEG 2000, recognised by content) to the format asked\n"
    "for, writing --out FILE or, without --out, rewriting FILE in place. N is a whole number of\n"
    "dots per inch from 1 to 65535. Options may come in any order, each at most once.\n"
    "Transparency is composited on white when the output is JPEG.\n"
    "\n"
    "What it carries: a JPEG 2000 file it writes holds the source file (JPEG, PNG, or TIFF that\n"
    "PNG can hold) in a uuid box; a JPEG it writes in place of such a file holds a PNG or TIFF\n"
    "source on in APP11 segments (a copy written elsewhere carries nothing). Each is bound to\n"
    "the image data beside it by a SHA-256 digest.\n"
    "A JPEG or PNG made from a file that carries its source is made from the source: JPEG to\n"
    "JPEG keeps the compressed data byte for byte and what follows the picture (MPF pictures,\n"
    "a video); PNG to PNG keeps every chunk but pHYs and the eXIf resolution; TIFF to PNG keeps\n"
    "the samples, alpha and 16 bits included. JPEG to JPEG and PNG to PNG copy this way\n"
    "directly too. A TIFF with CMYK ink or several pages is not\n"
    "carried: its PNG copy is converted from the intermediate (first page, RGB). A carried source\n"
    "that does not match its file is passed over with a warning.\n"
    "Pictures over 250 megapixels or 65535 pixels a side, or far larger than their file, are "
    "refused.\n"
    "A progressive JPEG whose coefficients, or an interlaced PNG whose rows, take more than\n"
    "128 MB is decoded through an unnamed temporary file in TMPDIR (else /tmp), a few megabytes\n"
    "of it in memory at a time.\n";

namespace {

constexpr std::uint32_t largestDpi = 65535; // the largest density a JFIF header holds

std::uint32_t parseDpi(const std::string& key, const std::string& text, const std::string& input) {
    const bool digits =
        !text.empty() && text.size() <= 10 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const unsigned long long value = digits ? std::stoull(text) : 0;
    if (!digits || value == 0 || value > largestDpi)
        throw Failure(input, key + " must be a whole number from 1 to 65535, not '" + text + "'");
    return static_cast<std::uint32_t>(value);
}

OutputFormat parseFormat(const std::string& text, const std::string& input) {
    if (text == "jp2")
        return OutputFormat::Jp2;
    if (text == "jpeg")
        return OutputFormat::Jpeg;
    if (text == "png")
        return OutputFormat::Png;
    throw Failure(input, "unknown format '" + text + "' (expected jp2, jpeg or png)");
}

// The input is not known until the whole line is read; errors found earlier name it anyway.
std::string findInput(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-s")
            i += 2;
        else if (arguments[i] == "--out")
            i += 1;
        else if (arguments[i].empty() || arguments[i][0] != '-')
            return arguments[i];
    }
    return "sips";
}

// Reads a conversion's arguments in order, each option at most once.
class RequestReader final {
public:
    explicit RequestReader(const std::vector<std::string>& arguments)
        : arguments_(arguments)
        , named_(findInput(arguments)) {}

    Request read() {
        for (at_ = 0; at_ < arguments_.size(); ++at_) {
            const std::string& argument = arguments_[at_];
            if (argument == "-s")
                readProperty();
            else if (argument == "--out")
                readOut();
            else if (!argument.empty() && argument[0] == '-')
                throw Failure(named_, "unknown option '" + argument + "'");
            else
                readInput(argument);
        }
        if (!inputSeen_)
            throw Failure(named_, "no input file");
        if (!formatSeen_)
            throw Failure(named_, "missing -s format jp2|jpeg|png");
        return request_;
    }

private:
    const std::string& valueAfter(const std::string& option) {
        if (at_ + 1 >= arguments_.size())
            throw Failure(named_, "missing value after " + option);
        return arguments_[++at_];
    }

    void readProperty() {
        const std::string& key = valueAfter("-s");
        const std::string& value = valueAfter("-s " + key);
        if (key == "format") {
            if (formatSeen_)
                throw Failure(named_, "-s format given more than once");
            request_.format = parseFormat(value, named_);
            formatSeen_ = true;
        } else if (key == "dpiHeight" || key == "dpiWidth") {
            std::optional<std::uint32_t>& slot =
                key == "dpiHeight" ? request_.dpiHeight : request_.dpiWidth;
            if (slot)
                throw Failure(named_, "-s " + key + " given more than once");
            slot = parseDpi(key, value, named_);
        } else {
            throw Failure(named_, "unknown property '" + key +
                                      "' (expected format, dpiHeight or dpiWidth)");
        }
    }

    void readOut() {
        if (request_.out)
            throw Failure(named_, "--out given more than once");
        request_.out = valueAfter("--out");
        if (request_.out->empty())
            throw Failure(named_, "--out needs a file name");
    }

    void readInput(const std::string& argument) {
        if (inputSeen_)
            throw Failure(named_, "more than one input file ('" + argument + "')");
        if (argument.empty())
            throw Failure(named_, "empty input file name");
        request_.input = argument;
        inputSeen_ = true;
    }

    const std::vector<std::string>& arguments_;
    const std::string named_;
    std::size_t at_ = 0;
    Request request_;
    bool formatSeen_ = false;
    bool inputSeen_ = false;
};

} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& arguments) {
    ParsedArguments parsed;
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h"))
        parsed.help = true;
    else
        parsed.request = RequestReader(arguments).read();
    return parsed;
}

} // namespace sips
