#include "sips_harness.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sips_test {

pid_t spawn(const std::vector<std::string>& arguments, const posix_spawn_file_actions_t* actions) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    return posix_spawnp(&child, argv[0], actions, nullptr, argv.data(), environ) == 0 ? child : -1;
}

RunResult run(const std::vector<std::string>& arguments) {
    TemporaryFolder capture;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const auto& [descriptor, file] : {std::pair{1, "out"}, std::pair{2, "err"}})
        posix_spawn_file_actions_addopen(&actions, descriptor, (capture / file).c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t child = spawn(arguments, &actions);
    posix_spawn_file_actions_destroy(&actions);
    RunResult result;
    if (child < 0)
        return result;
    int status = 0;
    waitpid(child, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = fileBytes(capture / "out");
    result.err = fileBytes(capture / "err");
    return result;
}

RunResult sips(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{SIPS_EXECUTABLE};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return run(all);
}

RunResult sipsAfter(const std::string& setting, const std::vector<std::string>& arguments) {
    std::vector<std::string> all{
        "/bin/sh", "-c", "trap '' XFSZ; " + setting + "; exec \"$0\" \"$@\"", SIPS_EXECUTABLE};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return run(all);
}

std::vector<std::string> conversion(const fs::path& in, const fs::path& out,
                                    const std::string& dpi) {
    const std::string format = out.extension() == ".jp2"   ? "jp2"
                               : out.extension() == ".png" ? "png"
                                                           : "jpeg";
    std::vector<std::string> arguments{"-s", "format", format, in, "--out", out};
    if (!dpi.empty())
        arguments.insert(arguments.end(), {"-s", "dpiHeight", dpi, "-s", "dpiWidth", dpi});
    return arguments;
}

RunResult convert(const fs::path& in, const fs::path& out, const std::string& dpi) {
    return sips(conversion(in, out, dpi));
}

RunResult recordResolution(const fs::path& file, const std::string& dpi) {
    return sips({"-s", "format", "jpeg", file, "-s", "dpiHeight", dpi, "-s", "dpiWidth", dpi});
}

RunResult makeRecordedIntermediate(const fs::path& source, const fs::path& jp2) {
    const RunResult first = convert(source, jp2);
    if (first.exitCode != 0)
        return first;
    RunResult second = recordResolution(jp2);
    second.err = first.err + second.err;
    return second;
}

void expectOneErrorLine(const RunResult& result, const std::string& file,
                        const std::string& reason) {
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(result.err.rfind("sips: error: " + file + ": ", 0), 0u) << result.err;
    EXPECT_TRUE(std::regex_search(result.err, std::regex(reason))) << result.err;
    EXPECT_EQ(result.err.find("unknown error"), std::string::npos) << result.err;
}

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "sips-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void copySample(const std::string& name, const fs::path& destination) {
    fs::copy_file(fs::path(SIPS_SAMPLE_PICTURES) / name, destination,
                  fs::copy_options::overwrite_existing);
}

RunResult makeIntermediate(const TemporaryFolder& folder, const std::string& sample) {
    copySample(sample, folder / sample);
    return convert(folder / sample, folder / "scratch.jp2");
}

std::map<std::string, std::string> exifTool(const fs::path& file,
                                            const std::vector<std::string>& options) {
    std::vector<std::string> arguments{"exiftool", "-j", "-n", "-G1", "-a"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(file.string());
    // One "Group:Tag": value pair per line; values are numbers or JSON strings, some long (binary
    // values in base64), so the line is taken apart by hand.
    std::map<std::string, std::string> tags;
    std::istringstream lines(run(arguments).out);
    for (std::string text; std::getline(lines, text);) {
        const std::size_t key = text.find('"');
        const std::size_t colon = text.find("\": ");
        if (key == std::string::npos || colon == std::string::npos)
            continue;
        std::string value = text.substr(colon + 3);
        if (value.ends_with(','))
            value.pop_back();
        if (value.size() >= 2 && value.front() == '"')
            value = value.substr(1, value.size() - 2);
        tags.emplace(text.substr(key + 1, colon - key - 1), value);
    }
    return tags;
}

std::string pillow(const std::string& command, const fs::path& a, const fs::path& b) {
    std::vector<std::string> arguments{"/usr/bin/python3",
                                       std::string(SIPS_TEST_SCRIPTS) + "/inspect_picture.py",
                                       command, a.string()};
    if (!b.empty())
        arguments.push_back(b.string());
    RunResult result = run(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.out.substr(0, result.out.find('\n'));
}

void tamper(const std::string& edit, const fs::path& file) {
    const RunResult result = run(
        {"/usr/bin/python3", std::string(SIPS_TEST_SCRIPTS) + "/tamper.py", edit, file.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
}

std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace sips_test
