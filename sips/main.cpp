#include "arguments.h"
#include "conversion.h"
#include "failure.h"
#include "messages.h"

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

int report(const std::string& file, const std::string& reason) {
    sips::printError(file, reason);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string input = "sips";
    try {
        const sips::ParsedArguments parsed = sips::parseArguments(arguments);
        if (parsed.help) {
            std::fputs(sips::usage, stdout);
            return 0;
        }
        input = parsed.request.input;
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        const XmpToolkit toolkit;
        sips::convert(parsed.request);
        sips::printWarnings();
        return 0;
    } catch (const sips::Failure& failure) {
        return report(failure.file(), failure.what());
    } catch (const Exiv2::AnyError& error) {
        return report(input, std::string("cannot read or write metadata: ") + error.what());
    } catch (const std::bad_alloc&) {
        return report(input, "out of memory");
    } catch (const std::exception& error) {
        // A library's internal check (a range check, say): name it rather than stay silent.
        return report(input, std::string("cannot convert (internal error: ") + error.what() + ")");
    } catch (...) {
        return report(input, "cannot convert (internal error)");
    }
}
