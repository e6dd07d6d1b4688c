// Output that cannot be written, for every program that writes files: a
// device that is always full, names the file system refuses, names that try
// to leave the working directory. Each program reports it, ends with a
// failure status and leaves everything else as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "dirdisk.h"
#include "lzencoder.h"
#include "runprogram.h"
#include "sjis.h"
#include "titledisk.h"

namespace {

using d88test::Bytes;
using d88test::runProgram;
using d88test::RunResult;
using d88test::ScratchDir;
using d88test::sjis;

class WriteFaults : public ::testing::Test {
  protected:
    std::string store(const Bytes& bytes) {
        const std::string path = images_.file("input");
        EXPECT_TRUE(d88test::writeFile(path, bytes));
        return path;
    }

    ScratchDir images_;
    ScratchDir work_;
};

bool haveDevFull() {
    return access("/dev/full", W_OK) == 0;
}

// In /dev, an entry named "full" is written to /dev/full, which takes no byte.
TEST_F(WriteFaults, DirectoryToolOnAFullDevice) {
    if (!haveDevFull()) {
        GTEST_SKIP() << "no /dev/full";
    }
    d88test::DirectoryDisk disk;
    disk.addEntry({"full", 20, 21, {}});
    const RunResult r = runProgram(D88DIR_FIXED_BIN, {store(disk.build())}, "/dev");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "full          TRACK:02 SECTOR:03 SIZE:0400\n");
    EXPECT_EQ(r.err, sjis("ディスク 0 のファイル full: ファイルを書き出せません\n"));
}

TEST_F(WriteFaults, LayoutExtractionOnAFullDevice) {
    if (!haveDevFull()) {
        GTEST_SKIP() << "no /dev/full";
    }
    d88test::TitleDisk disk(d88test::TitleLayout::TwoDD);
    disk.addEntry(0, {"full", 2, 1, 2, 3, {}});
    const RunResult r = runProgram(D88TITLE_BIN, {store(disk.build())}, "/dev");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, sjis("ロマンシア2DD版です\n"));
    EXPECT_EQ(r.err, sjis("ファイル「full」: ファイルを書き出せません\n"));
}

TEST_F(WriteFaults, CutOutOnAFullDevice) {
    if (!haveDevFull()) {
        GTEST_SKIP() << "no /dev/full";
    }
    d88test::DiskBuilder disk;
    disk.addStandardTrack(0, 1, 16, 1);
    const RunResult r = runProgram(
        D88TITLE_BIN, {store(disk.build()), "/dev/full", "0", "0", "1", "8192"}, work_.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, sjis("diskno: 0 track: 0 sector: 1 size:8192 を切り出します\n"));
    EXPECT_EQ(r.err, sjis("出力ファイル「/dev/full」を書き出せません\n"));
    EXPECT_TRUE(work_.contents().empty());
}

TEST_F(WriteFaults, DecompOnAFullDeviceKeepsTheInput) {
    if (!haveDevFull()) {
        GTEST_SKIP() << "no /dev/full";
    }
    const Bytes packed = d88test::lzCompressFile(Bytes(5000, 'x'));
    const std::string input = store(packed);
    const RunResult r = runProgram(DECOMP_BIN, {input, "/dev/full"}, work_.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(d88test::readFile(input), packed);
}

// A file-size limit (SIGXFSZ ignored) fails the writes beyond it; files
// that stood in the directory before are left as they were.
TEST_F(WriteFaults, AFileSizeLimitFailsOnlyTheFilesBeyondIt) {
    ASSERT_TRUE(d88test::writeFile(work_.file("KEEP"), Bytes(10, 0x4B)));
    d88test::DirectoryDisk dirDisk;
    dirDisk.addEntry({"BIG", 20, 29, {}}).addEntry({"SMALL", 30, 30, {}});
    d88test::TitleDisk titleDisk(d88test::TitleLayout::TwoHD);
    titleDisk.addEntry(0, {"LARGE", 2, 1, 3, 5, {}}).addEntry(1, {"TINY", 2, 1, 2, 1, {}});
    d88test::RunOptions limited;
    limited.fileSizeLimit = 2048;

    const RunResult dir =
        runProgram(D88DIR_BIN, {store(dirDisk.build()), "0"}, work_.path(), limited);
    EXPECT_EQ(dir.status, 1);
    EXPECT_EQ(dir.err, sjis("ディスク 0 のファイル BIG: ファイルを書き出せません\n"));
    const RunResult title =
        runProgram(D88TITLE_BIN, {store(titleDisk.build())}, work_.path(), limited);
    EXPECT_EQ(title.status, 1);
    EXPECT_EQ(title.err, sjis("ファイル「LARGE」: ファイルを書き出せません\n"));

    const auto files = work_.contents();
    EXPECT_EQ(files.at("KEEP"), Bytes(10, 0x4B));
    EXPECT_EQ(files.at("SMALL"), dirDisk.sectors(30, 1));
    EXPECT_EQ(files.at("TINY"), titleDisk.fileBytes(1, {"TINY", 2, 1, 2, 1, {}}));
}

// Names with '/' on both directory formats create nothing anywhere: not in a
// subdirectory, not in the parent, not at an absolute path.
TEST_F(WriteFaults, NamesWithSlashesNeverLeaveTheWorkingDirectory) {
    ScratchDir outer;
    const std::string inner = outer.file("work");
    ASSERT_EQ(mkdir(inner.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((inner + "/sub").c_str(), 0755), 0);
    const std::string absolute = outer.file("abs");
    d88test::DirectoryDisk dirDisk;
    dirDisk.addEntry({"../up", 20, 20, {}}).addEntry({"sub/in", 21, 21, {}});
    d88test::TitleDisk titleDisk(d88test::TitleLayout::TwoDD);
    titleDisk.addEntry(0, {"../UP2", 2, 1, 2, 1, {}}).addEntry(0, {"sub/IN", 2, 2, 2, 2, {}});

    const RunResult dir = runProgram(D88DIR_BIN, {store(dirDisk.build()), "0"}, inner);
    const RunResult title = runProgram(D88TITLE_BIN, {store(titleDisk.build())}, inner);
    EXPECT_EQ(dir.status, 1);
    EXPECT_EQ(title.status, 1);
    const std::map<std::string, Bytes> onlyTheTree{{"work/", {}}, {"work/sub/", {}}};
    EXPECT_EQ(outer.contents(), onlyTheTree);
    EXPECT_NE(access(absolute.c_str(), F_OK), 0);
}

}  // namespace
