#pragma once

#include <concepts>
#include <filesystem>
#include <map>
#include <ostream>
#include <spawn.h>
#include <string>
#include <vector>

namespace sips_test {

namespace fs = std::filesystem;

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A row of a test table. Its name (up to a dot) names its test, and it prints as its name so that
// test names stay the same from build to build.
struct Row {
    const char* name;
};
template <std::derived_from<Row> Table> void PrintTo(const Table& row, std::ostream* out) {
    *out << row.name;
}
inline constexpr auto rowName = [](const auto& info) {
    const std::string name = info.param.name;
    return name.substr(0, name.find('.'));
};

// A row naming one sample picture (made by make_pictures.py).
struct SampleRow : Row {
    const char* sample;
};

// Starts a program with these arguments (no shell); answers its process id, -1 if it cannot.
pid_t spawn(const std::vector<std::string>& arguments,
            const posix_spawn_file_actions_t* actions = nullptr);

// Runs a program with these arguments (no shell), capturing its output.
RunResult run(const std::vector<std::string>& arguments);

// Runs the sips executable under test.
RunResult sips(const std::vector<std::string>& arguments);

// The application's in-place step: `file` becomes a JPEG recording `dpi` on both axes.
RunResult recordResolution(const fs::path& file, const std::string& dpi = "300");

class TemporaryFolder;

// The application's first step on the sample picture `sample`, copied into `folder` under its own
// name: the intermediate `folder/scratch.jp2`.
RunResult makeIntermediate(const TemporaryFolder& folder, const std::string& sample);

// The application's first two steps: `source` to the intermediate `jp2`, then the resolution
// recorded in it in place. The result of the first step that fails, else the second's, with the
// messages of both.
RunResult makeRecordedIntermediate(const fs::path& source, const fs::path& jp2);

// The copy of the sample `sample` that the last step makes in `folder`: copy.png for a PNG, else
// copy.jpg.
fs::path copyOf(const TemporaryFolder& folder, const std::string& sample);

// The application's last step: the intermediate `jp2` to `copy`, a PNG when its name says so, else
// a JPEG.
RunResult makeCopy(const fs::path& jp2, const fs::path& copy);

// A refusal: a non-zero status, nothing on the standard output and one line on the error output,
// "sips: error: FILE: " and a reason that `reason` (a regular expression) finds.
void expectOneErrorLine(const RunResult& result, const std::string& file,
                        const std::string& reason);

// A fresh folder, removed with everything in it at the end of the test.
class TemporaryFolder final {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// Copies the sample picture `name` (made by make_pictures.py) to `destination`.
void copySample(const std::string& name, const fs::path& destination);

// Tag values ExifTool reads (-j -n -G1), keyed "Group:Tag", numbers and text as printed;
// "ExifTool:Warning" holds a warning met while reading. `options` go to ExifTool too.
std::map<std::string, std::string> exifTool(const fs::path& file,
                                            const std::vector<std::string>& options = {});

// Pillow's view of a picture (inspect_picture.py).
std::string pillow(const std::string& command, const fs::path& a, const fs::path& b = {});

// ExifTool's verdict on a file's structure and metadata: "OK" or a count of problems.
std::string exifToolValidation(const fs::path& file);

// Damages an intermediate with tamper.py (EDIT: image, truncate, forge, swap with `other`).
void tamper(const std::string& edit, const fs::path& file, const fs::path& other = {});

std::string fileBytes(const fs::path& file);
std::vector<std::string> folderEntries(const fs::path& folder);

} // namespace sips_test
