// The sector-run cut-out: its number syntax, its result codes with their
// lines and files, and the walk over sectors and tracks.
#include <string>
#include <vector>

#include "cutout.h"
#include "expectedtext.h"
#include "numberarg.h"
#include "titlemessages.h"
#include "titletest.h"

namespace d88test {
namespace {

using d88title::cutOutCommand;
using d88title::cutOutSectors;
using d88title::parseNumber;

TEST(CutOutNumbers, ReadLikeStrtolWithBaseZeroHeldTo32Bits) {
    struct NumberCase {
        const char* text;
        int value;
    };
    const NumberCase cases[] = {
        {"0", 0},
        {"12", 12},
        {"  +12", 12},
        {" \t\n\v\f\r7", 7},
        {"-5", -5},
        {"0x10", 16},
        {"0X1f", 31},
        {"-0x10", -16},
        {"0xG", 0},
        {"0x", 0},
        {"010", 8},
        {"077", 63},
        {"08", 0},
        {"019", 1},
        {"12abc", 12},
        {"1e3", 1},
        {"abc", 0},
        {"", 0},
        {"+", 0},
        {"- 1", 0},
        {"--1", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999999", 2147483647},
        {"0xFFFFFFFF", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},
        {"-0x80000000", -2147483647 - 1},
        {"-99999999999999999999999", -2147483647 - 1},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(parseNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

constexpr int kSector = 256;

Bytes sector(int track, int r) {
    return sectorPattern(track, r, kSector);
}

// Four tracks of 16 sectors of 256 bytes, R 1 to 16, track index 2c + h.
DiskBuilder plainDisk() {
    DiskBuilder disk;
    for (int track = 0; track < 4; ++track) {
        disk.addStandardTrack(track, 1, 16, 1);
    }
    return disk;
}

class CutOut : public InScratchDirectory {
  protected:
    void SetUp() override {
        InScratchDirectory::SetUp();
        openImage(plainDisk().build());
        image.selectDisk(0);
    }
    int cut(int track, int r, int size) {
        return cutOutSectors("cut.bin", image, track, r, size, err.get());
    }
    std::map<std::string, Bytes> cutFile(const Bytes& bytes) const { return {{"cut.bin", bytes}}; }
    // Runs the command with these words after the program, image and output.
    int command(std::vector<std::string> numbers) {
        std::vector<std::string> words{"d88title", "image.d88", "cut.bin"};
        words.insert(words.end(), numbers.begin(), numbers.end());
        std::vector<char*> argv;
        for (std::string& w : words) {
            argv.push_back(w.data());
        }
        argv.push_back(nullptr);
        return cutOutCommand(static_cast<int>(words.size()), argv.data(), image, out.get(),
                             err.get());
    }
};

TEST_F(CutOut, NoSizeCutsOneWholeSectorAndASizeCutsThatManyBytes) {
    EXPECT_EQ(cut(2, 1, 0), 0);
    EXPECT_EQ(files(), cutFile(sector(2, 1)));
    EXPECT_EQ(cut(2, 1, 100), 0);
    EXPECT_EQ(files(), cutFile(head(sector(2, 1), 100)));
    EXPECT_EQ(cut(0, 3, 512), 0);
    EXPECT_EQ(files(), cutFile(concat({sector(0, 3), sector(0, 4)})));
    EXPECT_EQ(err.text(), "");
}

TEST_F(CutOut, ARunGoesOnAtSector1OfTheNextTrackIndex) {
    EXPECT_EQ(cut(0, 16, 600), 0);
    EXPECT_EQ(files(), cutFile(concat({sector(0, 16), sector(1, 1), head(sector(1, 2), 88)})));
    EXPECT_EQ(err.text(), "");
}

// Results 1 and 2 come before the file is opened; 3 and 4 leave what was cut.
TEST_F(CutOut, EachResultCodeLeavesItsOwnFile) {
    struct CodeCase {
        const char* what;
        int track;
        int r;
        int size;
        int code;
        std::optional<Bytes> file;  // none: the file as it stood before
    };
    const Bytes before = {'o', 'l', 'd'};
    const CodeCase cases[] = {
        {"sector 0", 0, 0, 0, 2, std::nullopt},
        {"negative sector", 0, -1, 0, 2, std::nullopt},
        {"sector 0 and negative size", 0, 0, -1, 2, std::nullopt},
        {"negative size", 0, 1, -1, 1, std::nullopt},
        {"track beyond the table", 164, 1, 0, 3, Bytes{}},
        {"negative track", -1, 1, 0, 3, Bytes{}},
        {"track the disk lacks", 5, 1, 0, 3, Bytes{}},
        {"run past the last track", 3, 16, 512, 3, sector(3, 16)},
        {"sector the track lacks", 0, 17, 0, 4, Bytes{}},
        {"sector above 255", 0, 257, 0, 4, Bytes{}},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeFile(workFile("cut.bin"), before));
        EXPECT_EQ(cut(c.track, c.r, c.size), c.code);
        EXPECT_EQ(files(), cutFile(c.file.value_or(before)));
    }
    EXPECT_EQ(err.text(), "");
}

// Only the 64 IDs that a listing holds are reachable; after them the run
// moves on to the next track index.
TEST_F(CutOut, ATrackOfMoreThan64SectorsEndsAfterItsSixtyFourth) {
    DiskBuilder disk;
    disk.addTrack(0, 0, 0, 1, 70, 1);
    disk.addStandardTrack(1, 1, 16, 1);
    openImage(disk.build());
    image.selectDisk(0);
    EXPECT_EQ(cut(0, 64, 512), 0);
    EXPECT_EQ(files(), cutFile(concat({sector(0, 64), sector(1, 1)})));
    EXPECT_EQ(cut(0, 65, 0), 4);
}

// Sectors are found by R alone; C, H and N come from the listing.
TEST_F(CutOut, SectorsAreFoundByTheirNumberWhateverTheirCylinderAndHead) {
    DiskBuilder disk;
    disk.addTrack(0, 9, 1, 1, 2, 1);
    disk.addTrack(1, 40, 0, 1, 2, 2);
    openImage(disk.build());
    image.selectDisk(0);
    EXPECT_EQ(cut(0, 2, 1000), 0);
    EXPECT_EQ(files(), cutFile(concat({sector(0, 2), sectorPattern(1, 1, 512),
                                       head(sectorPattern(1, 2, 512), 232)})));
}

// Bytes that a read did not deliver are zero, never bytes of the sector
// before; each short read is reported with its track and sector.
TEST_F(CutOut, ShortAndUnreadableSectorsGiveZerosAndAWarning) {
    DiskBuilder disk = plainDisk();
    disk.setSectorData(0, 2, head(sector(0, 2), 100));
    // A sector count of 0 ends every lookup but not the listing.
    disk.track(1)[0].sectorCount = 0;
    openImage(disk.build());
    image.selectDisk(0);
    EXPECT_EQ(cut(0, 1, 768), 0);
    EXPECT_EQ(files(),
              cutFile(concat({sector(0, 1), head(sector(0, 2), 100), zeros(156), sector(0, 3)})));
    EXPECT_EQ(cut(1, 1, 0), 0);
    EXPECT_EQ(files(), cutFile(zeros(256)));
    EXPECT_EQ(err.text(), formatted(d88title::kCutOutSectorShort, 0, 2, 100, 256) +
                              formatted(d88title::kCutOutSectorShort, 1, 1, 0, 256));
}

// The sector buffer holds 16384 bytes: a larger sector gives that much of its
// data, and no size code, however large, shifts out of range.
TEST_F(CutOut, SectorsLargerThanTheBufferAreCutToItsSize) {
    DiskBuilder disk;
    SectorSpec large;
    large.r = 1;
    large.n = 8;
    large.data = sectorPattern(0, 1, 32768);
    disk.addSector(0, large);
    SectorSpec huge;
    huge.r = 2;
    huge.n = 255;
    huge.data = sectorPattern(0, 2, 10);
    disk.addSector(0, huge);
    openImage(disk.build());
    image.selectDisk(0);
    EXPECT_EQ(cut(0, 1, 16384), 0);
    EXPECT_EQ(err.text(), "");
    EXPECT_EQ(files(), cutFile(head(large.data, 16384)));
    EXPECT_EQ(cut(0, 1, 0), 0);
    EXPECT_EQ(files(), cutFile(head(large.data, 16384)));
    EXPECT_EQ(cut(0, 2, 0), 0);
    EXPECT_EQ(files(), cutFile(concat({huge.data, zeros(16384 - 10)})));
    EXPECT_EQ(cut(0, 1, 16400), 0);
    EXPECT_EQ(files(), cutFile(concat({head(large.data, 16384), huge.data, zeros(6)})));
    EXPECT_EQ(err.text(), formatted(d88title::kCutOutSectorTooLarge, 0, 1, 8) +
                              formatted(d88title::kCutOutSectorTooLarge, 0, 2, 255) +
                              formatted(d88title::kCutOutSectorShort, 0, 2, 10, 16384) +
                              formatted(d88title::kCutOutSectorTooLarge, 0, 1, 8) +
                              formatted(d88title::kCutOutSectorShort, 0, 2, 10, 16));
}

TEST_F(CutOut, AnOutputFileThatCannotBeCreatedIsReported) {
    EXPECT_EQ(cutOutSectors("no-such-dir/cut.bin", image, 0, 1, 0, err.get()),
              d88title::kCutOutOutputFailed);
    EXPECT_EQ(err.text(), formatted(d88title::kOutputWriteFailed, "no-such-dir/cut.bin"));
    EXPECT_TRUE(files().empty());
}

TEST_F(CutOut, TheCommandAnnouncesTheCutAndWordsEachResult) {
    struct CommandCase {
        std::vector<std::string> numbers;  // disk, track, sector, size...
        int status;
        std::string lines;  // after the announcement
        const char* announced;
    };
    const CommandCase cases[] = {
        {{"0", "2", "1"}, 0, "", "diskno: 0 track: 2 sector: 1 size:0"},
        {{"0", "0x2", "01", "0x100"}, 0, "", "diskno: 0 track: 2 sector: 1 size:256"},
        {{" 0", "3", "16", "100", "junk"}, 0, "", "diskno: 0 track: 3 sector:16 size:100"},
        {{"0", "2", "1", "7", "8", "9"}, 0, "", "diskno: 0 track: 2 sector: 1 size:7"},
        {{"0", "2", "1", "-1"}, 1, kBadSizeLine, "diskno: 0 track: 2 sector: 1 size:-1"},
        {{"0", "2", "08"}, 2, kNoSuchSectorLine + "2\n", "diskno: 0 track: 2 sector: 0 size:0"},
        {{"0", "010", "1"}, 3, kNoSuchSectorLine + "3\n", "diskno: 0 track: 8 sector: 1 size:0"},
        {{"0", "0x10", "1"}, 3, kNoSuchSectorLine + "3\n", "diskno: 0 track:16 sector: 1 size:0"},
        {{"0", "2", "17", "0"},
         4,
         kNoSuchSectorLine + "4\n",
         "diskno: 0 track: 2 sector:17 size:0"},
        {{"0", "-12", "123"},
         3,
         kNoSuchSectorLine + "3\n",
         "diskno: 0 track:-12 sector:123 size:0"},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.announced);
        CapturedStream caseOut;
        std::vector<std::string> words{"d88title", "image.d88", "cut.bin"};
        words.insert(words.end(), c.numbers.begin(), c.numbers.end());
        std::vector<char*> argv;
        for (std::string& w : words) {
            argv.push_back(w.data());
        }
        EXPECT_EQ(cutOutCommand(static_cast<int>(words.size()), argv.data(), image, caseOut.get(),
                                err.get()),
                  c.status);
        EXPECT_EQ(caseOut.text(), cutOutAnnouncement(c.announced) + c.lines);
    }
    EXPECT_EQ(err.text(), "");
}

TEST_F(CutOut, ADiskThatDoesNotExistIsRefusedBeforeAnything) {
    openImage(concat({plainDisk().build(), plainDisk().build()}));
    for (const char* disk : {"2", "-1", "0x7fffffff"}) {
        SCOPED_TRACE(disk);
        CapturedStream caseOut;
        std::string words[] = {"d88title", "image.d88", "cut.bin", disk, "0", "1"};
        char* argv[] = {words[0].data(), words[1].data(), words[2].data(),
                        words[3].data(), words[4].data(), words[5].data()};
        EXPECT_EQ(cutOutCommand(6, argv, image, caseOut.get(), err.get()), -1);
        EXPECT_EQ(caseOut.text(), kNoSuchDiskLine);
    }
    EXPECT_TRUE(files().empty());
    EXPECT_EQ(command({"1", "0", "1"}), 0);
    EXPECT_EQ(files(), cutFile(sector(0, 1)));
}

TEST_F(CutOut, FewerThanSixWordsDoNothing) {
    EXPECT_EQ(command({"0", "1"}), -1);
    EXPECT_EQ(out.text(), "");
    EXPECT_TRUE(files().empty());
}

TEST_F(CutOut, AFailedOutputEndsTheCommandWithStatus1AndNoResultLine) {
    std::string words[] = {"d88title", "image.d88", "no-such-dir/cut.bin", "0", "0", "1"};
    char* argv[] = {words[0].data(), words[1].data(), words[2].data(),
                    words[3].data(), words[4].data(), words[5].data()};
    EXPECT_EQ(cutOutCommand(6, argv, image, out.get(), err.get()), 1);
    EXPECT_EQ(out.text(), cutOutAnnouncement("diskno: 0 track: 0 sector: 1 size:0"));
    EXPECT_EQ(err.text(), formatted(d88title::kOutputWriteFailed, "no-such-dir/cut.bin"));
}

}  // namespace
}  // namespace d88test
