#pragma once

#include <filesystem>
#include <map>
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

// Starts a program with these arguments (no shell); answers its process id, -1 if it cannot.
pid_t spawn(const std::vector<std::string>& arguments,
            const posix_spawn_file_actions_t* actions = nullptr);

// Runs a program with these arguments (no shell), capturing its output.
RunResult run(const std::vector<std::string>& arguments);

// Runs the sips executable under test.
RunResult sips(const std::vector<std::string>& arguments);

// The tool run by a shell after `setting` (a umask, a file-size limit, TMPDIR); a write beyond
// the file-size limit fails rather than ends the tool.
RunResult sipsAfter(const std::string& setting, const std::vector<std::string>& arguments);

// The arguments that make `out` from `in` in the format `out`'s name says (.jp2, .png, else JPEG),
// with `dpi` recorded on both axes unless it is empty; and the tool run with them.
std::vector<std::string> conversion(const fs::path& in, const fs::path& out,
                                    const std::string& dpi = "");
RunResult convert(const fs::path& in, const fs::path& out, const std::string& dpi = "");

// The application's in-place step: `file` becomes a JPEG recording `dpi` on both axes.
RunResult recordResolution(const fs::path& file, const std::string& dpi = "300");

// The application's first two steps: `source` to the intermediate `jp2`, then the resolution
// recorded in it in place. The result of the first step that fails, else the second's, with the
// messages of both.
RunResult makeRecordedIntermediate(const fs::path& source, const fs::path& jp2);

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

// Copies the sample picture `name` (made by make_pictures.py or make_hostile_pictures.py) to
// `destination`.
void copySample(const std::string& name, const fs::path& destination);

// The application's first step on the sample picture `sample`, copied into `folder` under its own
// name: the intermediate `folder/scratch.jp2`.
RunResult makeIntermediate(const TemporaryFolder& folder, const std::string& sample);

// Tag values ExifTool reads (-j -n -G1), keyed "Group:Tag", numbers and text as printed;
// "ExifTool:Warning" holds a warning met while reading. `options` go to ExifTool too.
std::map<std::string, std::string> exifTool(const fs::path& file,
                                            const std::vector<std::string>& options = {});

// Pillow's view of a picture (inspect_picture.py).
std::string pillow(const std::string& command, const fs::path& a, const fs::path& b = {});

// Damages an intermediate with tamper.py (EDIT: image, truncate, forge, ...).
void tamper(const std::string& edit, const fs::path& file);

std::string fileBytes(const fs::path& file);
std::vector<std::string> folderEntries(const fs::path& folder);

} // namespace sips_test
