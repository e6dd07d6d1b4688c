// d88dir's whole run in-process, on disks in its layout made with the image
// builder: the listing, the mode, the names, the files and their bytes, and
// what it does with damaged or hostile directories.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "casename.h"
#include "d88dir.h"
#include "dirdisk.h"
#include "runprogram.h"
#include "sjis.h"
#include "worstcase.h"

namespace {

using d88dir::DirectorySector;
using d88test::Bytes;
using d88test::DirectoryDisk;
using d88test::sjis;

struct ToolResult {
    int status = 0;
    std::string out;
    std::string err;
    std::map<std::string, Bytes> files;
};

class DirToolTest : public ::testing::Test {
  protected:
    // Runs the tool on the image with the arguments after the image path, in
    // an empty working directory.
    ToolResult run(const Bytes& image, std::vector<std::string> args,
                   DirectorySector variant = DirectorySector::FromMode) {
        const std::string imagePath = images_.file("disk.d88");
        EXPECT_TRUE(d88test::writeFile(imagePath, image));
        args.insert(args.begin(), imagePath);
        return runWithArgv(args, variant);
    }

    ToolResult runWithArgv(std::vector<std::string> args, DirectorySector variant) {
        args.insert(args.begin(), "d88dir");
        std::vector<char*> argv;
        for (std::string& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);

        char* outText = nullptr;
        char* errText = nullptr;
        size_t outSize = 0;
        size_t errSize = 0;
        std::FILE* out = open_memstream(&outText, &outSize);
        std::FILE* err = open_memstream(&errText, &errSize);
        char cwd[4096];
        EXPECT_NE(getcwd(cwd, sizeof cwd), nullptr);
        EXPECT_EQ(chdir(work_.path().c_str()), 0);
        DiskImage image;
        ToolResult result;
        result.status =
            d88dir::runTool(variant, static_cast<int>(args.size()), argv.data(), image, out, err);
        EXPECT_EQ(chdir(cwd), 0);
        std::fclose(out);
        std::fclose(err);
        result.out.assign(outText, outSize);
        result.err.assign(errText, errSize);
        std::free(outText);
        std::free(errText);
        result.files = work_.contents();
        return result;
    }

    d88test::ScratchDir images_;
    d88test::ScratchDir work_;
};

Bytes oneEntryDisk(const d88test::DirEntrySpec& entry) {
    DirectoryDisk disk;
    disk.addEntry(entry);
    return disk.build();
}

// ---- The listing line and the file of one entry ----

struct EntryCase {
    const char* what;
    d88test::DirEntrySpec entry;
    std::string line;
    int fileSectors;  // 0: no file
};

class EntryLine : public DirToolTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryLine, ListsTheEntryAndWritesItsSectors) {
    const EntryCase& c = GetParam();
    DirectoryDisk disk(164);
    disk.addEntry(c.entry);
    const ToolResult r = run(disk.build(), {"0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "30\n" + c.line + "\n");
    EXPECT_EQ(r.err, "");
    if (c.fileSectors == 0) {
        EXPECT_TRUE(r.files.empty());
    } else {
        ASSERT_EQ(r.files.size(), 1u);
        const std::string name = r.files.begin()->first;
        EXPECT_EQ(r.files.begin()->second, disk.sectors(c.entry.startSector, c.fileSectors))
            << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    DirTool, EntryLine,
    ::testing::Values(
        EntryCase{"first sector", {"A", 0, 0, {}}, "A             TRACK:00 SECTOR:01 SIZE:0200", 1},
        EntryCase{"over a track boundary into the next cylinder",
                  {"RUN", 9, 26, {}},
                  "RUN           TRACK:01 SECTOR:01 SIZE:2400",
                  18},
        EntryCase{
            "far track", {"FAR", 1000, 1000, {}}, "FAR           TRACK:6f SECTOR:02 SIZE:0200", 1},
        EntryCase{"end one before start",
                  {"NONE", 20, 19, {}},
                  "NONE          TRACK:02 SECTOR:03 SIZE:0000",
                  0},
        EntryCase{"end two before start",
                  {"NEG", 20, 18, {}},
                  "NEG           TRACK:02 SECTOR:03 SIZE:fffffe00",
                  0},
        EntryCase{"eight-byte name",
                  {"ABCDEFGH", 20, 20, {}},
                  "ABCDEFGH      TRACK:02 SECTOR:03 SIZE:0200",
                  1},
        EntryCase{"name ends at a space",
                  {"AB C", 20, 20, {}},
                  "AB            TRACK:02 SECTOR:03 SIZE:0200",
                  1},
        EntryCase{"name ends at 0xFF",
                  {"AB\xFF"
                   "C",
                   20,
                   20,
                   {}},
                  "AB            TRACK:02 SECTOR:03 SIZE:0200",
                  1},
        EntryCase{"name ends at 0x00",
                  {std::string("AB\0C", 4), 20, 20, {}},
                  "AB            TRACK:02 SECTOR:03 SIZE:0200",
                  1},
        EntryCase{"Shift-JIS name",
                  {"\x83\x65\x83\x58\x83\x67", 20, 20, {}},
                  "\x83\x65\x83\x58\x83\x67        TRACK:02 SECTOR:03 SIZE:0200",
                  1}),
    d88test::CaseNumber());

TEST_F(DirToolTest, TheRunReadsAcrossTracksInCylinderOrder) {
    // 18 sectors from logical 9: track index 1 (C 0, H 1) R 1..9, then track
    // index 2 (C 1, H 0) R 1..9.
    DirectoryDisk disk;
    disk.addEntry({"RUN", 9, 26, {}});
    const ToolResult r = run(disk.build(), {"0"});
    Bytes expected;
    for (int track : {1, 2}) {
        for (int sector = 1; sector <= 9; ++sector) {
            const Bytes s = d88test::sectorPattern(track, sector, 512);
            expected.insert(expected.end(), s.begin(), s.end());
        }
    }
    EXPECT_EQ(r.files.at("RUN"), expected);
}

// ---- The mode ----

struct ModeCase {
    std::string mode;
    int directorySector;
    std::string modeLine;
};

class Mode : public DirToolTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(Mode, ChoosesTheDirectorySector) {
    DirectoryDisk disk(80, GetParam().directorySector);
    disk.addEntry({"F", 30, 30, {}});
    const ToolResult r = run(disk.build(), {GetParam().mode});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, GetParam().modeLine + "\nF             TRACK:03 SECTOR:04 SIZE:0200\n");
    EXPECT_EQ(r.files.at("F"), disk.sectors(30, 1));
}

INSTANTIATE_TEST_SUITE_P(DirTool, Mode,
                         ::testing::Values(ModeCase{"0", 2, "30"}, ModeCase{"1", 5, "31"},
                                           ModeCase{"2", 7, "32"}, ModeCase{"12", 5, "31"},
                                           ModeCase{"2x", 7, "32"}),
                         d88test::CaseNumber());

struct BadModeCase {
    std::string mode;
    std::string modeLine;
};

class BadMode : public DirToolTest, public ::testing::WithParamInterface<BadModeCase> {};

TEST_P(BadMode, PrintsTheModeByteAndStopsWithMinusOne) {
    const ToolResult r = run(oneEntryDisk({"F", 30, 30, {}}), {GetParam().mode});
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.out, GetParam().modeLine + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.files.empty());
}

INSTANTIATE_TEST_SUITE_P(DirTool, BadMode,
                         ::testing::Values(BadModeCase{"3", "33"}, BadModeCase{"", "0"},
                                           BadModeCase{"\x80", "ffffff80"},
                                           BadModeCase{"\xFF", "ffffffff"}, BadModeCase{"a", "61"}),
                         d88test::CaseNumber());

TEST_F(DirToolTest, AnImageWithoutDisksNeverLooksAtTheMode) {
    const ToolResult r = run(Bytes(687, 0), {"9"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST_F(DirToolTest, EveryDiskGetsItsModeLineAndItsOwnFiles) {
    DirectoryDisk first(80, 5);
    first.addEntry({"ONE", 30, 31, {}});
    DirectoryDisk second(80, 5);
    second.addEntry({"TWO", 40, 40, {}}).addEntry({"ONE", 50, 50, {}});
    const ToolResult r = run(d88test::concat({first.build(), second.build()}), {"1"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "31\n"
              "ONE           TRACK:03 SECTOR:04 SIZE:0400\n"
              "31\n"
              "TWO           TRACK:04 SECTOR:05 SIZE:0200\n"
              "ONE           TRACK:05 SECTOR:06 SIZE:0200\n");
    EXPECT_EQ(r.files.at("TWO"), second.sectors(40, 1));
    EXPECT_EQ(r.files.at("ONE"), second.sectors(50, 1)) << "the later entry replaces the file";
}

TEST_F(DirToolTest, TheFixedVariantReadsSectorTwoAndPrintsNoModeLine) {
    DirectoryDisk disk;
    disk.addEntry({"F", 30, 30, {}});
    const ToolResult r = run(disk.build(), {}, DirectorySector::FixedAtTwo);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "F             TRACK:03 SECTOR:04 SIZE:0200\n");
    EXPECT_EQ(r.files.at("F"), disk.sectors(30, 1));
}

// ---- The directory's extent ----

TEST_F(DirToolTest, AnEndMarkInTheFirstEntryListsNothing) {
    const ToolResult r = run(DirectoryDisk().build(), {"0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "30\n");
    EXPECT_TRUE(r.files.empty());
}

TEST_F(DirToolTest, ADirectoryWithoutEndMarkListsAll192Entries) {
    DirectoryDisk disk;
    for (int i = 0; i < 192; ++i) {
        char name[9];
        std::snprintf(name, sizeof name, "F%03d", i);
        disk.addEntry({name, 20 + i, 20 + i, {}});
    }
    const ToolResult r = run(disk.build(), {"0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.files.size(), 192u);
    EXPECT_EQ(r.files.at("F191"), disk.sectors(211, 1));
}

// ---- Damaged disks ----

TEST_F(DirToolTest, AFileCutShortKeepsItsSizeWithZerosNotAnEarlierFile) {
    // FULL fills the data buffer first; PART has 4 sectors of which only 2
    // exist (the disk ends with track 4, logical sectors 36 to 44).
    DirectoryDisk disk(5);
    disk.addEntry({"FULL", 20, 23, {}}).addEntry({"PART", 43, 46, {}});
    const ToolResult r = run(disk.build(), {"0"});
    EXPECT_EQ(r.status, 0);
    Bytes expected = disk.sectors(43, 2);
    expected.resize(2048, 0);
    EXPECT_EQ(r.files.at("PART"), expected);
    EXPECT_EQ(r.err, sjis("ディスク 0 のファイル PART: セクタが足りません (1024 / 2048 "
                          "バイトを読みました。残りは 0 です)\n"));
}

TEST_F(DirToolTest, AFileWhoseFirstSectorIsMissingIsNotWritten) {
    DirectoryDisk disk(5);
    disk.addEntry({"GONE", 100, 101, {}}).addEntry({"HERE", 20, 20, {}});
    const ToolResult r = run(disk.build(), {"0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.files.size(), 1u);
    EXPECT_EQ(r.files.count("HERE"), 1u);
    EXPECT_EQ(
        r.err,
        sjis("ディスク 0 のファイル GONE: トラック 11 セクタ 2 を読めないため書き出しません\n"));
}

TEST_F(DirToolTest, AShortDirectoryListsOnlyWhatWasReadNotTheLastDisk) {
    DirectoryDisk good;
    good.addEntry({"GOOD", 20, 20, {}});
    // The second disk's directory (R 2 to 7 of track 0) stops after R 3: two
    // sectors, 64 entries; its entry 64 would be a leftover of the first disk.
    DirectoryDisk damaged;
    damaged.addEntry({"SECOND", 30, 30, {}});
    d88test::DiskBuilder builder = damaged.builder();
    builder.track(0).resize(3);
    const ToolResult r = run(d88test::concat({good.build(), builder.build()}), {"0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "30\nGOOD          TRACK:02 SECTOR:03 SIZE:0200\n"
              "30\nSECOND        TRACK:03 SECTOR:04 SIZE:0200\n");
    EXPECT_EQ(r.files.at("GOOD"), good.sectors(20, 1));
    EXPECT_EQ(r.files.at("SECOND"), damaged.sectors(30, 1));
    EXPECT_EQ(
        r.err,
        sjis("ディスク 1: ディレクトリのセクタが足りません (1024 / 3072 バイトを読みました)\n"));
}

TEST_F(DirToolTest, ADirectoryThatCannotBeReadListsNothing) {
    DirectoryDisk good;
    good.addEntry({"GOOD", 20, 20, {}});
    d88test::DiskBuilder noTrackZero = DirectoryDisk().builder();
    noTrackZero.setTrackOffset(0, 0);
    const ToolResult r = run(d88test::concat({good.build(), noTrackZero.build()}), {"0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "30\nGOOD          TRACK:02 SECTOR:03 SIZE:0200\n30\n");
    EXPECT_EQ(r.files.size(), 1u);
    EXPECT_EQ(r.err,
              sjis("ディスク 1: ディレクトリのセクタが足りません (0 / 3072 バイトを読みました)\n"));
}

TEST_F(DirToolTest, AFileLargerThanTheBufferIsCutToIt) {
    DirectoryDisk disk(164);
    disk.addEntry({"HUGE", 0, 1500, {}});
    const ToolResult r = run(disk.build(), {"0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "30\nHUGE          TRACK:00 SECTOR:01 SIZE:bba00\n");
    EXPECT_EQ(r.files.at("HUGE"), disk.sectors(0, 1440));
    EXPECT_EQ(r.err, sjis("ディスク 0 のファイル HUGE: 768512 バイトはバッファに収まらないため "
                          "737280 バイトに切り詰めます\n"));
}

// ---- Names that cannot be used as files ----

TEST_F(DirToolTest, ANameWithASlashIsNeverUsedAndTheRunGoesOn) {
    ASSERT_EQ(mkdir((work_.path() + "/sub").c_str(), 0755), 0);
    DirectoryDisk disk;
    disk.addEntry({"sub/x", 20, 20, {}})
        .addEntry({"/tmp/x", 21, 21, {}})
        .addEntry({"OK", 22, 22, {}});
    const ToolResult r = run(disk.build(), {"0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.files.size(), 2u);
    EXPECT_EQ(r.files.count("sub/"), 1u);
    EXPECT_EQ(r.files.at("OK"), disk.sectors(22, 1));
    EXPECT_EQ(r.err, sjis("ディスク 0 のファイル sub/x: 名前に / が含まれるため書き出しません\n"
                          "ディスク 0 のファイル /tmp/x: 名前に / が含まれるため書き出しません\n"));
}

TEST_F(DirToolTest, NamesThatCannotBeCreatedAreReportedAndTheRunGoesOn) {
    DirectoryDisk disk;
    disk.addEntry({"", 20, 20, {}})
        .addEntry({".", 21, 21, {}})
        .addEntry({"..", 22, 22, {}})
        .addEntry({"OK", 23, 23, {}});
    const ToolResult r = run(disk.build(), {"0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "30\n"
              "              TRACK:02 SECTOR:03 SIZE:0200\n"
              ".             TRACK:02 SECTOR:04 SIZE:0200\n"
              "..            TRACK:02 SECTOR:05 SIZE:0200\n"
              "OK            TRACK:02 SECTOR:06 SIZE:0200\n");
    EXPECT_EQ(r.files.size(), 1u);
    EXPECT_EQ(r.files.at("OK"), disk.sectors(23, 1));
    EXPECT_EQ(r.err, sjis("ディスク 0 のファイル : ファイルを書き出せません\n"
                          "ディスク 0 のファイル .: ファイルを書き出せません\n"
                          "ディスク 0 のファイル ..: ファイルを書き出せません\n"));
}

// ---- Command line ----

TEST_F(DirToolTest, WrongArgumentCountsPrintTheUsage) {
    EXPECT_EQ(run(DirectoryDisk().build(), {}).err, "Usage: d88dir [d88file] [0~2]\n");
    const ToolResult fixed = run(DirectoryDisk().build(), {"0"}, DirectorySector::FixedAtTwo);
    EXPECT_EQ(fixed.status, 1);
    EXPECT_EQ(fixed.out, "");
    EXPECT_EQ(fixed.err, "Usage: d88dir [d88file]\n");
}

TEST_F(DirToolTest, AnImageThatCannotBeOpenedIsReported) {
    const ToolResult r = runWithArgv({images_.file("missing.d88"), "0"}, DirectorySector::FromMode);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, sjis("ファイルをオープンできません\n"));
}

}  // namespace

namespace {

// ---- Images crafted to make every lookup walk a track of 65535 records ----

// What logical sector L of the long track image holds.
Bytes longTrackSector(int logical, const Bytes& image) {
    const int track = logical / 9;
    const int r = logical % 9 + 1;
    if (track == 0 && r >= 2 && r <= 7) {
        // The directory sectors: find them in the image by their position
        // among the 1476 real records at the track's end.
        const size_t realStart = image.size() - 82 * 2 * 9 * (16 + 512);
        const size_t at = realStart + static_cast<size_t>(r - 1) * (16 + 512) + 16;
        return Bytes(image.begin() + static_cast<long>(at),
                     image.begin() + static_cast<long>(at) + 512);
    }
    return d88test::sectorPattern(track, r, 512);
}

TEST_F(DirToolTest, ALongTrackNamedByEveryTableEntryGivesExactFiles) {
    const Bytes image = d88test::longTrackDirectoryImage(1440, 82, 1);
    const ToolResult r = run(image, {"0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    std::string expectedOut = "30\n";
    for (int i = 0; i < 192; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "FILE%02d        TRACK:00 SECTOR:01 SIZE:b4000\n", i % 16);
        expectedOut += line;
    }
    EXPECT_EQ(r.out, expectedOut);
    Bytes expected;
    for (int logical = 0; logical < 1440; ++logical) {
        const Bytes s = longTrackSector(logical, image);
        expected.insert(expected.end(), s.begin(), s.end());
    }
    ASSERT_EQ(r.files.size(), 16u);
    EXPECT_EQ(r.files.at("FILE00"), expected);
    EXPECT_EQ(r.files.at("FILE15"), expected);
}

TEST_F(DirToolTest, SixtyFourDisksSharingOneLongTrackAreAllListed) {
    const Bytes image = d88test::longTrackDirectoryImage(9, 1, 64);
    const ToolResult r = run(image, {}, DirectorySector::FixedAtTwo);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 64 * 192);
    ASSERT_EQ(r.files.size(), 16u);
    EXPECT_EQ(r.files.at("FILE07").size(), 9u * 512);
    EXPECT_EQ(Bytes(r.files.at("FILE07").begin(), r.files.at("FILE07").begin() + 512),
              d88test::sectorPattern(0, 1, 512));
}

}  // namespace
