// The built program, run in a fresh directory: exit status, the exact bytes
// on standard output, whether standard error stayed empty, and every file
// that the run left behind.
#include <set>
#include <string>
#include <vector>

#include "expectedtext.h"
#include "runprogram.h"
#include "titledisk.h"
#include "titletest.h"

namespace d88test {
namespace {

using Files = std::map<std::string, Bytes>;

constexpr int kSector = 1024;

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// A 2HD-layout disk with files in both directories, one of them over a
// track boundary, and a 2DD-layout disk with two files.
TitleDisk sample2HD() {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(0, {"OPENING", 3, 4, 4, 2, text("first file of directory 0")});
    disk.addEntry(0, {"MAP", 10, 1, 10, 1, {}});
    disk.addEntry(1, {"MUSIC", 3, 4, 4, 2, text("first file of directory 1")});
    return disk;
}

TitleDisk sample2DD() {
    TitleDisk disk(TitleLayout::TwoDD);
    disk.addEntry(0, {"START", 2, 5, 3, 1, text("a file over the cylinder gap")});
    disk.addEntry(0, {"END", 20, 1, 21, 5, {}});
    return disk;
}

class TitleProgram : public ::testing::Test {
  protected:
    std::string storeImage(const Bytes& bytes, const std::string& name = "disk.d88") {
        const std::string path = store_.file(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    RunResult run(const std::vector<std::string>& args, const RunOptions& options = {}) {
        return runProgram(D88TITLE_BIN, args, work_.path(), options);
    }
    Files files() const { return work_.contents(); }
    std::string workFile(const std::string& name) const { return work_.file(name); }

  private:
    ScratchDir work_;
    ScratchDir store_;
};

TEST_F(TitleProgram, WithoutArgumentsItPrintsItsNameAndOpensNothing) {
    RunOptions named;
    named.argv0 = "my-d88title";
    const RunResult result = run({}, named);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "my-d88title\n");
    EXPECT_EQ(result.err, "");

    RunOptions nothing;
    nothing.emptyArgv = true;
    const RunResult empty = run({}, nothing);
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.err, "");
    EXPECT_TRUE(files().empty());
}

// The image is opened before the arguments are counted, so a missing image
// is what every count from one up reports, and no output file is touched.
TEST_F(TitleProgram, AMissingImageIsReportedWhateverFollowsIt) {
    const std::vector<std::string> more{"out.bin", "0", "0", "1", "0", "0", "0"};
    for (size_t extra = 0; extra <= more.size(); ++extra) {
        SCOPED_TRACE(extra + 1);
        std::vector<std::string> args{"no-such.d88"};
        args.insert(args.end(), more.begin(), more.begin() + static_cast<long>(extra));
        const RunResult result = run(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, kOpenFailedPrefix + "no-such.d88");
        EXPECT_EQ(result.err, "");
    }
    EXPECT_TRUE(files().empty());
}

TEST_F(TitleProgram, ThreeOrFourArgumentsAreTheWrongCount) {
    const std::string image = storeImage(sample2HD().build());
    for (const auto& args : {std::vector<std::string>{image, "out.bin", "0"},
                             std::vector<std::string>{image, "out.bin", "0", "0"}}) {
        const RunResult result = run(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, kArgumentCountLine);
        EXPECT_EQ(result.err, "");
    }
    EXPECT_TRUE(files().empty());
}

TEST_F(TitleProgram, OneArgumentExtractsEveryFileOfA2HDLayoutDisk) {
    const TitleDisk disk = sample2HD();
    const RunResult result = run({storeImage(disk.build())});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kAnnounce2HDLine);
    EXPECT_EQ(result.err, "");
    const Files expected{
        {"OPENING", disk.fileBytes(0, {"OPENING", 3, 4, 4, 2, {}})},
        {"MAP", sectorPattern(20, 1, kSector)},
        {"MUSIC", disk.fileBytes(1, {"MUSIC", 3, 4, 4, 2, {}})},
    };
    EXPECT_EQ(files(), expected);
    EXPECT_EQ(head(files()["OPENING"], 25), text("first file of directory 0"));
    EXPECT_EQ(files()["MUSIC"].size(), 4u * kSector);
}

TEST_F(TitleProgram, OneArgumentExtractsEveryFileOfA2DDLayoutDisk) {
    const TitleDisk disk = sample2DD();
    const RunResult result = run({storeImage(disk.build())});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kAnnounce2DDLine);
    EXPECT_EQ(result.err, "");
    const Bytes first = sectorPattern(4, 5, kSector);
    const Files expected{
        {"START", concat({text("a file over the cylinder gap"),
                          Bytes(first.begin() + 28, first.end()), sectorPattern(5, 1, kSector)})},
        {"END", disk.fileBytes(0, {"END", 20, 1, 21, 5, {}})},
    };
    EXPECT_EQ(files(), expected);
    EXPECT_EQ(files()["END"].size(), 10u * kSector);
}

// The second argument is upper-cased byte by byte, a to z only, wherever the
// byte stands, the second byte of a two-byte character included.
TEST_F(TitleProgram, TheFilterIsUpperCasedInAsciiOnly) {
    TitleDisk disk(TitleLayout::TwoDD);
    for (const char* name : {"ABC1", "abc1", "ABC", "\x83\x50", "\x83\x70", "\x88\x9f"}) {
        disk.addEntry(0, {name, 2, 1, 2, 1, {}});
    }
    const std::string image = storeImage(disk.build());
    struct FilterCase {
        std::string filter;
        std::set<std::string> extracted;
    };
    const FilterCase cases[] = {
        {"abc1", {"ABC1"}},         {"aBc", {"ABC"}}, {"\x83\x70", {"\x83\x50"}},
        {"\x88\x9f", {"\x88\x9f"}}, {"", {}},
    };
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.filter);
        ScratchDir fresh;
        const RunResult result = runProgram(D88TITLE_BIN, {image, c.filter}, fresh.path());
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, kAnnounce2DDLine);
        EXPECT_EQ(result.err, "");
        std::set<std::string> written;
        for (const auto& [name, bytes] : fresh.contents()) {
            EXPECT_EQ(bytes, sectorPattern(4, 1, kSector));
            written.insert(name);
        }
        EXPECT_EQ(written, c.extracted);
    }
}

TEST_F(TitleProgram, ADiskOfNeitherLayoutIsUnsupported) {
    DiskBuilder damaged = sample2HD().builder();
    damaged.track(40).pop_back();
    for (const std::string& image :
         {storeImage({}, "empty.d88"), storeImage(damaged.build(), "damaged.d88")}) {
        for (const auto& args :
             {std::vector<std::string>{image}, std::vector<std::string>{image, "opening"}}) {
            const RunResult result = run(args);
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.out, kUnsupportedLine);
            EXPECT_EQ(result.err, "");
        }
    }
    EXPECT_TRUE(files().empty());
}

// Tracks 0 and 1 of the 2HD layout hold 16 sectors of 256 bytes each.
TEST_F(TitleProgram, FiveOrMoreArgumentsCutOutARunOfSectors) {
    const std::string image = storeImage(sample2HD().build());
    struct CutCase {
        std::vector<std::string> numbers;
        std::string announced;
        Bytes file;
    };
    const CutCase cases[] = {
        {{"0", "0", "1"}, "diskno: 0 track: 0 sector: 1 size:0", sectorPattern(0, 1, 256)},
        {{"0", "0", "16", "600"},
         "diskno: 0 track: 0 sector:16 size:600",
         concat({sectorPattern(0, 16, 256), sectorPattern(1, 1, 256), sectorPattern(1, 2, 88)})},
        {{"0", "1", "2", "10", "x"},
         "diskno: 0 track: 1 sector: 2 size:10",
         sectorPattern(1, 2, 10)},
        {{"0", "0x1", "0x2", "010", "1", "2", "3"},
         "diskno: 0 track: 1 sector: 2 size:8",
         sectorPattern(1, 2, 8)},
    };
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.announced);
        std::vector<std::string> args{image, "cut.bin"};
        args.insert(args.end(), c.numbers.begin(), c.numbers.end());
        const RunResult result = run(args);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, cutOutAnnouncement(c.announced));
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(files(), (Files{{"cut.bin", c.file}}));
    }
}

TEST_F(TitleProgram, EveryCutOutFailureHasItsLinesAndStatus) {
    const std::string image = storeImage(sample2HD().build());
    struct FailureCase {
        std::vector<std::string> numbers;
        int status;
        std::string out;
        Files files;
    };
    const FailureCase cases[] = {
        {{"0", "0", "1", "-1"},
         1,
         cutOutAnnouncement("diskno: 0 track: 0 sector: 1 size:-1") + kBadSizeLine,
         {}},
        {{"0", "0", "0"},
         2,
         cutOutAnnouncement("diskno: 0 track: 0 sector: 0 size:0") + kNoSuchSectorLine + "2\n",
         {}},
        {{"0", "160", "1"},
         3,
         cutOutAnnouncement("diskno: 0 track:160 sector: 1 size:0") + kNoSuchSectorLine + "3\n",
         {{"cut.bin", {}}}},
        {{"0", "2", "6"},
         4,
         cutOutAnnouncement("diskno: 0 track: 2 sector: 6 size:0") + kNoSuchSectorLine + "4\n",
         {{"cut.bin", {}}}},
        {{"1", "0", "1"}, 255, kNoSuchDiskLine, {}},
        {{"-1", "0", "1"}, 255, kNoSuchDiskLine, {}},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.status);
        std::remove(workFile("cut.bin").c_str());
        std::vector<std::string> args{image, "cut.bin"};
        args.insert(args.end(), c.numbers.begin(), c.numbers.end());
        const RunResult result = run(args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(files(), c.files);
    }
}

// Refused names and files that cannot be written in full are reported on
// standard error and end the run with status 1; the other files are written.
TEST_F(TitleProgram, FilesThatCannotBeWrittenEndWithStatus1) {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(0, {"../UP", 2, 1, 2, 1, {}});
    disk.addEntry(0, {"BIG", 2, 1, 3, 5, {}});
    disk.addEntry(1, {"SMALL", 2, 1, 2, 1, {}});
    RunOptions limited;
    limited.fileSizeLimit = 4096;
    const RunResult result = run({storeImage(disk.build())}, limited);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, kAnnounce2HDLine);
    EXPECT_NE(result.err.find("../UP"), std::string::npos);
    EXPECT_NE(result.err.find("BIG"), std::string::npos);
    EXPECT_EQ(result.err.find("SMALL"), std::string::npos);
    const Files written = files();
    EXPECT_EQ(written.count("../UP"), 0u);
    EXPECT_EQ(written.at("SMALL"), sectorPattern(5, 1, kSector));
    EXPECT_LT(written.at("BIG").size(), 10u * kSector);
}

TEST_F(TitleProgram, ACutOutThatCannotBeWrittenEndsWithStatus1) {
    const std::string image = storeImage(sample2HD().build());
    RunOptions limited;
    limited.fileSizeLimit = 4096;
    const RunResult full = run({image, "cut.bin", "0", "2", "1", "8192"}, limited);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.out, cutOutAnnouncement("diskno: 0 track: 2 sector: 1 size:8192"));
    EXPECT_NE(full.err.find("cut.bin"), std::string::npos);

    const RunResult nowhere = run({image, "no-such-dir/cut.bin", "0", "0", "1"});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_EQ(nowhere.out, cutOutAnnouncement("diskno: 0 track: 0 sector: 1 size:0"));
    EXPECT_NE(nowhere.err.find("no-such-dir/cut.bin"), std::string::npos);
}

// Damaged sectors are reported but are no failure: the files are written
// whole, the status stays 0 and standard output as it would be.
TEST_F(TitleProgram, DamagedSectorsAreReportedOnStandardErrorOnly) {
    TitleDisk disk(TitleLayout::TwoDD);
    disk.addEntry(0, {"HOLE", 2, 1, 2, 2, {}});
    DiskBuilder damaged = disk.builder();
    damaged.setSectorData(4, 2, {});
    const RunResult result = run({storeImage(damaged.build())});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kAnnounce2DDLine);
    EXPECT_NE(result.err.find("HOLE"), std::string::npos);
    EXPECT_EQ(files(), (Files{{"HOLE", concat({sectorPattern(4, 1, kSector), zeros(kSector)})}}));
}

}  // namespace
}  // namespace d88test
