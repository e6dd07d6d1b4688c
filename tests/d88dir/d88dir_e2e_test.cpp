// d88dir and d88dir-fixed as built programs, each run in a fresh directory:
// exit status, stdout bytes, stderr, and every file they create.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "dirdisk.h"
#include "runprogram.h"
#include "sjis.h"

namespace {

using d88test::Bytes;
using d88test::DirectoryDisk;
using d88test::runProgram;
using d88test::RunResult;
using d88test::ScratchDir;
using d88test::sjis;

class DirToolProgram : public ::testing::Test {
  protected:
    std::string image(const Bytes& bytes) {
        const std::string path = images_.file("disk.d88");
        EXPECT_TRUE(d88test::writeFile(path, bytes));
        return path;
    }

    ScratchDir images_;
    ScratchDir work_;
};

// Two disks; the second one's PROG runs over three tracks.
struct TwoDisks {
    DirectoryDisk first;
    DirectoryDisk second;
    TwoDisks() {
        first.addEntry({"README", 20, 20, {}}).addEntry({"DATA", 21, 23, {}});
        second.addEntry({"PROG", 17, 36, {}});
    }
    Bytes build() const { return d88test::concat({first.build(), second.build()}); }
};

TEST_F(DirToolProgram, ListsAndExtractsEveryDisk) {
    const TwoDisks disks;
    const RunResult r = runProgram(D88DIR_BIN, {image(disks.build()), "0"}, work_.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "30\n"
              "README        TRACK:02 SECTOR:03 SIZE:0200\n"
              "DATA          TRACK:02 SECTOR:04 SIZE:0600\n"
              "30\n"
              "PROG          TRACK:01 SECTOR:09 SIZE:2800\n");
    EXPECT_EQ(r.err, "");
    const std::map<std::string, Bytes> expected{{"README", disks.first.sectors(20, 1)},
                                                {"DATA", disks.first.sectors(21, 3)},
                                                {"PROG", disks.second.sectors(17, 20)}};
    EXPECT_EQ(work_.contents(), expected);
}

TEST_F(DirToolProgram, TheFixedVariantListsWithoutModeLines) {
    const TwoDisks disks;
    const RunResult r = runProgram(D88DIR_FIXED_BIN, {image(disks.build())}, work_.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "README        TRACK:02 SECTOR:03 SIZE:0200\n"
              "DATA          TRACK:02 SECTOR:04 SIZE:0600\n"
              "PROG          TRACK:01 SECTOR:09 SIZE:2800\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(work_.contents().size(), 3u);
}

struct UsageCase {
    const char* program;
    std::vector<std::string> args;
    std::string usage;
};

TEST_F(DirToolProgram, WrongArgumentCountsPrintTheUsageWithTheInvocationName) {
    const std::vector<UsageCase> cases{
        {D88DIR_BIN, {}, "Usage: my-d88dir [d88file] [0~2]\n"},
        {D88DIR_BIN, {"disk.d88"}, "Usage: my-d88dir [d88file] [0~2]\n"},
        {D88DIR_FIXED_BIN, {}, "Usage: my-d88dir [d88file]\n"},
        {D88DIR_FIXED_BIN, {"disk.d88", "0"}, "Usage: my-d88dir [d88file]\n"}};
    for (const UsageCase& c : cases) {
        d88test::RunOptions options;
        options.argv0 = "my-d88dir";
        const RunResult r = runProgram(c.program, c.args, work_.path(), options);
        EXPECT_EQ(r.status, 1) << c.program;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.usage);
    }
    EXPECT_TRUE(work_.contents().empty());
}

TEST_F(DirToolProgram, AMissingImageIsReportedInShiftJis) {
    for (const char* program : {D88DIR_BIN, D88DIR_FIXED_BIN}) {
        std::vector<std::string> args{images_.file("missing.d88")};
        if (std::string(program) == D88DIR_BIN) {
            args.push_back("0");
        }
        const RunResult r = runProgram(program, args, work_.path());
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err,
                  "\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x83\x49\x81\x5b\x83\x76\x83\x93"
                  "\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\n");
    }
}

TEST_F(DirToolProgram, ABadModeEndsWithStatus255BeforeAnyDirectory) {
    const RunResult r = runProgram(D88DIR_BIN, {image(TwoDisks().build()), "3"}, work_.path());
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.out, "33\n");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(work_.contents().empty());
}

TEST_F(DirToolProgram, NamesWithSlashesCreateNothingOutsideTheWorkingDirectory) {
    ASSERT_EQ(mkdir(work_.file("sub").c_str(), 0755), 0);
    DirectoryDisk disk;
    disk.addEntry({"sub/a", 20, 20, {}})
        .addEntry({"../b", 21, 21, {}})
        .addEntry({"/c", 22, 22, {}})
        .addEntry({"KEEP", 23, 23, {}});
    const RunResult r = runProgram(D88DIR_BIN, {image(disk.build()), "0"}, work_.path());
    EXPECT_EQ(r.status, 1);
    const std::map<std::string, Bytes> expected{{"sub/", {}}, {"KEEP", disk.sectors(23, 1)}};
    EXPECT_EQ(work_.contents(), expected);
    EXPECT_NE(access((work_.path() + "/../b").c_str(), F_OK), 0);
    EXPECT_EQ(r.err, sjis("ディスク 0 のファイル sub/a: 名前に / が含まれるため書き出しません\n"
                          "ディスク 0 のファイル ../b: 名前に / が含まれるため書き出しません\n"
                          "ディスク 0 のファイル /c: 名前に / が含まれるため書き出しません\n"));
}

TEST_F(DirToolProgram, AFileThatCannotBeWrittenInFullIsReportedAndTheRunGoesOn) {
    // A file-size limit of 1000 bytes: the 2048-byte BIG fails, SMALL fits.
    DirectoryDisk disk;
    disk.addEntry({"BIG", 20, 23, {}}).addEntry({"SMALL", 24, 24, {}});
    d88test::RunOptions options;
    options.fileSizeLimit = 1000;
    const RunResult r = runProgram(D88DIR_FIXED_BIN, {image(disk.build())}, work_.path(), options);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "BIG           TRACK:02 SECTOR:03 SIZE:0800\n"
              "SMALL         TRACK:02 SECTOR:07 SIZE:0200\n");
    EXPECT_EQ(r.err, sjis("ディスク 0 のファイル BIG: ファイルを書き出せません\n"));
    EXPECT_EQ(work_.contents().at("SMALL"), disk.sectors(24, 1));
}

}  // namespace
