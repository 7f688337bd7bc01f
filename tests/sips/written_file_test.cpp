// What the tool leaves in the file system: the mode of what it writes, names as long as the folder
// allows, nothing when it is killed or the disk fills, and each axis's own resolution.
#include "sips_harness.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace sips_test {
namespace {

// Sets the process's umask, which the tool inherits, for as long as it lives.
class Umask final {
public:
    explicit Umask(mode_t mask)
        : previous_(::umask(mask)) {}
    ~Umask() { ::umask(previous_); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

private:
    mode_t previous_;
};

mode_t modeOf(const fs::path& file) {
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
    return info.st_mode & 07777;
}

struct NewFileMode : Row {
    mode_t umask;
    mode_t expected;
};

class WrittenFileMode : public ::testing::TestWithParam<NewFileMode> {};

TEST_P(WrittenFileMode, IsWhatANewFileGetsUnderTheUmask) {
    TemporaryFolder folder;
    copySample("photo.jpg", folder / "photo.jpg");
    const Umask mask(GetParam().umask);
    for (const char* format : {"jp2", "png", "jpeg"}) {
        const fs::path out = folder / (std::string("out.") + format);
        ASSERT_EQ(sips({"-s", "format", format, folder / "photo.jpg", "--out", out}).exitCode, 0);
        EXPECT_EQ(modeOf(out), GetParam().expected) << format;
    }
}

INSTANTIATE_TEST_SUITE_P(Umasks, WrittenFileMode,
                         ::testing::Values(NewFileMode{"Usual", 022, 0644},
                                           NewFileMode{"GroupWrites", 002, 0664},
                                           NewFileMode{"Private", 077, 0600}),
                         rowName);

TEST(WrittenFile, ReplacingAFileKeepsItsMode) {
    TemporaryFolder folder;
    const Umask mask(022);
    const fs::path inPlace = folder / "photo.jpg";
    const fs::path existing = folder / "existing.png";
    copySample("photo.jpg", inPlace);
    copySample("alpha.png", existing);
    ::chmod(inPlace.c_str(), 0604);
    ::chmod(existing.c_str(), 0640);
    ASSERT_EQ(sips({"-s", "format", "jpeg", inPlace, "-s", "dpiWidth", "300"}).exitCode, 0);
    ASSERT_EQ(sips({"-s", "format", "png", inPlace, "--out", existing}).exitCode, 0);
    EXPECT_EQ(modeOf(inPlace), 0604u);
    EXPECT_EQ(modeOf(existing), 0640u);
}

// A link planted under the copy's name is replaced by a new file; neither it nor a replaced file
// hands its target's set-ID bits or open permissions to the copy.
TEST(WrittenFile, ReplacingALinkMakesANewFile) {
    TemporaryFolder folder;
    const Umask mask(022);
    copySample("photo.jpg", folder / "photo.jpg");
    for (const mode_t targetMode : {mode_t{0777}, mode_t{04755}}) {
        SCOPED_TRACE(targetMode);
        const fs::path target = folder / "target";
        const fs::path link = folder / "copy.jpg";
        copySample("alpha.png", target);
        ASSERT_EQ(::chmod(target.c_str(), targetMode), 0);
        fs::create_symlink(target, link);
        ASSERT_EQ(sips({"-s", "format", "jpeg", folder / "photo.jpg", "--out", link}).exitCode, 0);
        EXPECT_FALSE(fs::is_symlink(link));
        EXPECT_EQ(modeOf(link), 0644u);
        EXPECT_EQ(modeOf(target), targetMode) << "the link's target is left alone";
        ASSERT_EQ(sips({"-s", "format", "jpeg", folder / "photo.jpg", "--out", target}).exitCode,
                  0);
        EXPECT_EQ(modeOf(target), targetMode & 0777);
        fs::remove(target);
        fs::remove(link);
    }
}

TEST(WrittenFile, NamesAsLongAsTheFolderAllowsWork) {
    TemporaryFolder folder;
    const std::string source = std::string(251, 's') + ".jpg";
    const std::string copy = std::string(251, 'c') + ".jp2";
    copySample("photo.jpg", folder / source);
    RunResult step = sips({"-s", "format", "jp2", folder / source, "--out", folder / copy});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    step = sips({"-s", "format", "jpeg", folder / copy, "-s", "dpiHeight", "300"});
    ASSERT_EQ(step.exitCode, 0) << step.err;
    EXPECT_EQ(folderEntries(folder.path()), (std::vector<std::string>{copy, source}));
}

// Whether the process holds a file open in `folder` other than `input`: the one it writes.
bool writing(pid_t process, const fs::path& folder, const fs::path& input) {
    std::error_code error;
    for (const auto& entry :
         fs::directory_iterator("/proc/" + std::to_string(process) + "/fd", error)) {
        const fs::path target = fs::read_symlink(entry.path(), error);
        if (!error && target.parent_path() == folder && target != input)
            return true;
    }
    return false;
}

TEST(WrittenFile, KillingTheToolMidWriteLeavesNothingBehind) {
    TemporaryFolder folder;
    const fs::path input = folder / "large.jpg";
    copySample("large.jpg", input);
    const pid_t child =
        spawn({SIPS_EXECUTABLE, "-s", "format", "jp2", input, "--out", folder / "large.jp2"});
    ASSERT_GT(child, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    bool caught = false;
    while (!caught && std::chrono::steady_clock::now() < deadline) {
        caught = writing(child, folder.path(), input);
        if (!caught)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(caught) << "the tool was never seen writing";
    ASSERT_TRUE(WIFSIGNALED(status)) << "the tool finished before it could be killed";
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"large.jpg"});
}

struct Written : Row {
    const char* sample;
    const char* format;
};

class FullDisk : public ::testing::TestWithParam<Written> {};

// A file-size limit stands in for a full disk: each is a write the system refuses, with a reason.
TEST_P(FullDisk, NamesTheSystemsReasonAndLeavesNothing) {
    TemporaryFolder folder;
    const fs::path input = folder / GetParam().sample;
    copySample(GetParam().sample, input);
    const fs::path out = folder / "out";
    const RunResult result =
        run({"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\"", SIPS_EXECUTABLE,
             "-s", "format", GetParam().format, input, "--out", out});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(result.err, "sips: error: " + out.string() + ": cannot write: File too large\n");
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{GetParam().sample});
}

INSTANTIATE_TEST_SUITE_P(Writers, FullDisk,
                         ::testing::Values(Written{"Jpeg2000", "photo.jpg", "jp2"},
                                           Written{"Png", "photo.jpg", "png"},
                                           Written{"Jpeg", "alpha.png", "jpeg"}),
                         rowName);

// The carry of a JPEG rewritten in place goes straight into the file, between libjpeg's output.
// The limit lets the carried source be held (it counts too) but not written out again.
TEST(FullDisk, WhileWritingTheCarryOfAJpegInPlace) {
    TemporaryFolder folder;
    copySample("large.png", folder / "large.png");
    const fs::path jp2 = folder / "large.jp2";
    ASSERT_EQ(sips({"-s", "format", "jp2", folder / "large.png", "--out", jp2}).exitCode, 0);
    const std::string before = fileBytes(jp2);
    const std::string blocks = std::to_string((fs::file_size(folder / "large.png") + 511) / 512);
    const RunResult result =
        run({"/bin/sh", "-c", "trap '' XFSZ; ulimit -f " + blocks + "; exec \"$0\" \"$@\"",
             SIPS_EXECUTABLE, "-s", "format", "jpeg", jp2, "-s", "dpiHeight", "300", "-s",
             "dpiWidth", "300"});
    EXPECT_EQ(result.err, "sips: error: " + jp2.string() + ": cannot write: File too large\n");
    EXPECT_EQ(fileBytes(jp2), before);
    EXPECT_EQ(folderEntries(folder.path()), (std::vector<std::string>{"large.jp2", "large.png"}));
}

TEST(WrittenFile, RecordsEachAxisItsOwnResolution) {
    TemporaryFolder folder;
    copySample("photo.jpg", folder / "photo.jpg");
    const fs::path jp2 = folder / "photo.jp2";
    ASSERT_EQ(sips({"-s", "format", "jp2", folder / "photo.jpg", "--out", jp2}).exitCode, 0);
    ASSERT_EQ(sips({"-s", "format", "jpeg", jp2, "-s", "dpiHeight", "150", "-s", "dpiWidth", "300"})
                  .exitCode,
              0);
    ASSERT_EQ(sips({"-s", "format", "png", jp2, "--out", folder / "photo.png"}).exitCode, 0);
    // Options in another order than the application's.
    ASSERT_EQ(sips({"-s", "dpiWidth", "600", folder / "photo.jpg", "-s", "format", "jpeg", "-s",
                    "dpiHeight", "200"})
                  .exitCode,
              0);

    const std::map<fs::path, std::pair<std::string, std::string>> jpegs{
        {jp2, {"300", "150"}}, {folder / "photo.jpg", {"600", "200"}}};
    for (const auto& [jpeg, dpi] : jpegs) {
        SCOPED_TRACE(jpeg.filename().string());
        const auto tags = exifTool(jpeg);
        EXPECT_EQ(tags.at("JFIF:XResolution"), dpi.first);
        EXPECT_EQ(tags.at("JFIF:YResolution"), dpi.second);
        EXPECT_EQ(tags.at("IFD0:XResolution"), dpi.first);
        EXPECT_EQ(tags.at("IFD0:YResolution"), dpi.second);
    }
    const auto png = exifTool(folder / "photo.png");
    EXPECT_EQ(png.at("PNG-pHYs:PixelsPerUnitX"), "11811");
    EXPECT_EQ(png.at("PNG-pHYs:PixelsPerUnitY"), "5906");
}

} // namespace
} // namespace sips_test
