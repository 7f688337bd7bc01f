#include "command_line.h"
#include "conversion.h"
#include "failure.h"

#include <cstdio>
#include <exception>
#include <exiv2/exiv2.hpp>

namespace {

// Exiv2's XMP toolkit needs setting up once per process and tearing down at the end.
struct XmpToolkit final {
    XmpToolkit() { Exiv2::XmpParser::initialize(); }
    ~XmpToolkit() { Exiv2::XmpParser::terminate(); }
    XmpToolkit(const XmpToolkit&) = delete;
    XmpToolkit& operator=(const XmpToolkit&) = delete;
};

int report(const std::string& file, const char* reason) {
    std::fprintf(stderr, "sips: error: %s: %s\n", file.c_str(), reason);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string input = "sips";
    try {
        const sips::ParsedCommandLine parsed = sips::parseCommandLine(arguments);
        if (parsed.help) {
            std::fputs(sips::usage, stdout);
            return 0;
        }
        input = parsed.request.input;
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        const XmpToolkit toolkit;
        sips::convert(parsed.request);
        return 0;
    } catch (const sips::Failure& failure) {
        return report(failure.file(), failure.what());
    } catch (const Exiv2::AnyError& error) {
        return report(input,
                      (std::string("cannot read or write metadata: ") + error.what()).c_str());
    } catch (const std::bad_alloc&) {
        return report(input, "out of memory");
    } catch (const std::exception& error) {
        return report(input, error.what());
    }
}
