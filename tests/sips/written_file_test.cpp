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

mode_t modeOf(const fs::path& file) {
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
    return info.st_mode & 07777;
}

// A new file gets the mode the umask leaves, a replaced file keeps its mode. A link planted under
// the copy's name is replaced by a new file; neither it nor a replaced file hands its target's
// set-ID bits or mode to the copy.
TEST(WrittenFile, GetsTheUmasksModeOrTheReplacedFilesAndALinkMakesANewFile) {
    TemporaryFolder folder;
    const fs::path photo = folder / "photo.jpg";
    copySample("photo.jpg", photo);
    ::chmod(photo.c_str(), 0604);
    ASSERT_EQ(
        sipsAfter("umask 022", {"-s", "format", "jpeg", photo, "-s", "dpiWidth", "300"}).exitCode,
        0);
    EXPECT_EQ(modeOf(photo), 0604u);
    const fs::path target = folder / "target";
    const fs::path link = folder / "copy.jpg";
    copySample("alpha.png", target);
    ASSERT_EQ(::chmod(target.c_str(), 04755), 0);
    fs::create_symlink(target, link);
    ASSERT_EQ(sipsAfter("umask 002", conversion(photo, link)).exitCode, 0);
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(modeOf(link), 0664u);
    EXPECT_EQ(modeOf(target), 04755u) << "the link's target is left alone";
    ASSERT_EQ(sips({"-s", "format", "png", photo, "--out", target}).exitCode, 0);
    EXPECT_EQ(modeOf(target), 0755u);
}

TEST(WrittenFile, NamesAsLongAsTheFolderAllowsWork) {
    TemporaryFolder folder;
    const std::string source = std::string(251, 's') + ".jpg";
    const std::string copy = std::string(251, 'c') + ".jp2";
    copySample("photo.jpg", folder / source);
    const RunResult step = makeRecordedIntermediate(folder / source, folder / copy);
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
    bool caught = false;
    for (int look = 0; !caught && look < 100000; ++look) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        caught = writing(child, folder.path(), input);
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(caught) << "the tool was never seen writing";
    ASSERT_TRUE(WIFSIGNALED(status)) << "the tool finished before it could be killed";
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"large.jpg"});
}

// A file-size limit stands in for a full disk: each is a write the system refuses, with a reason.
TEST(FullDisk, NamesTheSystemsReasonAndLeavesNothing) {
    for (const auto& [sample, format] :
         {std::pair{"photo.jpg", "jp2"}, {"photo.jpg", "png"}, {"alpha.png", "jpeg"}}) {
        SCOPED_TRACE(format);
        TemporaryFolder folder;
        copySample(sample, folder / sample);
        const fs::path out = folder / "out";
        const RunResult result =
            sipsAfter("ulimit -f 2", {"-s", "format", format, folder / sample, "--out", out});
        EXPECT_NE(result.exitCode, 0);
        EXPECT_EQ(result.err, "sips: error: " + out.string() + ": cannot write: File too large\n");
        EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{sample});
    }
}

// The carry of a JPEG rewritten in place goes straight into the file, between libjpeg's output.
// The limit lets the carried source be held (it counts too) but not written out again.
TEST(FullDisk, WhileWritingTheCarryOfAJpegInPlace) {
    TemporaryFolder folder;
    copySample("large.png", folder / "large.png");
    const fs::path jp2 = folder / "large.jp2";
    ASSERT_EQ(convert(folder / "large.png", jp2).exitCode, 0);
    const std::string before = fileBytes(jp2);
    const std::string blocks = std::to_string((fs::file_size(folder / "large.png") + 511) / 512);
    const RunResult result =
        sipsAfter("ulimit -f " + blocks,
                  {"-s", "format", "jpeg", jp2, "-s", "dpiHeight", "300", "-s", "dpiWidth", "300"});
    EXPECT_EQ(result.err, "sips: error: " + jp2.string() + ": cannot write: File too large\n");
    EXPECT_EQ(fileBytes(jp2), before);
    EXPECT_EQ(folderEntries(folder.path()), (std::vector<std::string>{"large.jp2", "large.png"}));
}

TEST(WrittenFile, RecordsEachAxisItsOwnResolution) {
    TemporaryFolder folder;
    copySample("photo.jpg", folder / "photo.jpg");
    const fs::path jp2 = folder / "photo.jp2";
    ASSERT_EQ(convert(folder / "photo.jpg", jp2).exitCode, 0);
    ASSERT_EQ(sips({"-s", "format", "jpeg", jp2, "-s", "dpiHeight", "150", "-s", "dpiWidth", "300"})
                  .exitCode,
              0);
    ASSERT_EQ(convert(jp2, folder / "photo.png").exitCode, 0);
    const auto tags = exifTool(jp2);
    EXPECT_EQ(tags.at("JFIF:XResolution"), "300");
    EXPECT_EQ(tags.at("JFIF:YResolution"), "150");
    EXPECT_EQ(tags.at("IFD0:XResolution"), "300");
    EXPECT_EQ(tags.at("IFD0:YResolution"), "150");
    const auto png = exifTool(folder / "photo.png");
    EXPECT_EQ(png.at("PNG-pHYs:PixelsPerUnitX"), "11811");
    EXPECT_EQ(png.at("PNG-pHYs:PixelsPerUnitY"), "5906");
}

} // namespace
} // namespace sips_test
