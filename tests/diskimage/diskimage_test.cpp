// The reader over images made with the builder: the disk chain, selection,
// the track table, sector lookup and its stopping rules, run reads and
// listings, and what happens where an image ends early.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "casename.h"
#include "d88builder.h"
#include "diskimage.h"
#include "runprogram.h"

namespace {

using d88test::Bytes;
using d88test::DiskBuilder;
using d88test::SectorSpec;

constexpr size_t kHeader = 0x2B0;

class ReaderTest : public ::testing::Test {
  protected:
    // Writes the image into a scratch file and opens it.
    void openImage(const Bytes& bytes) {
        path_ = dir_.file("image.d88");
        ASSERT_TRUE(d88test::writeFile(path_, bytes));
        ASSERT_TRUE(image_.open(path_.c_str()));
    }
    void openDisk(const DiskBuilder& disk) {
        openImage(disk.build());
        ASSERT_TRUE(image_.selectDisk(0));
    }

    d88test::ScratchDir dir_;
    std::string path_;
    DiskImage image_;
};

Bytes emptyDisk() {
    return DiskBuilder().build();
}

Bytes diskOfSize(uint32_t size) {
    DiskBuilder disk;
    disk.setDiskSize(size);
    return disk.build();
}

// A single standard track 0 of `count` sectors of 256 bytes, R 1 upward.
DiskBuilder oneTrack(int count = 16) {
    DiskBuilder disk;
    disk.addStandardTrack(0, 1, count, 1);
    return disk;
}

// ---- The disk chain ----

struct ChainCase {
    const char* what;
    Bytes image;
    int disks;
};

class DiskChain : public ReaderTest, public ::testing::WithParamInterface<ChainCase> {};

TEST_P(DiskChain, CountsTheDisksOfTheChain) {
    openImage(GetParam().image);
    EXPECT_EQ(image_.diskCount(), GetParam().disks) << GetParam().what;
}

Bytes withTail(Bytes image, size_t extra) {
    image.resize(image.size() + extra, 0x5A);
    return image;
}

Bytes disks(int count) {
    std::vector<Bytes> all(static_cast<size_t>(count), emptyDisk());
    return d88test::concat(all);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, DiskChain,
    ::testing::Values(ChainCase{"empty file", {}, 0}, ChainCase{"687 bytes", Bytes(687, 0), 0},
                      ChainCase{"one exact header", emptyDisk(), 1},
                      ChainCase{"two exact disks", disks(2), 2},
                      ChainCase{"687 bytes after the last disk", withTail(disks(2), 687), 2},
                      ChainCase{"688 bytes after the last disk", withTail(disks(2), 688), 3},
                      ChainCase{"size 0 repeats the disk", diskOfSize(0), 64},
                      ChainCase{"size beyond the file", withTail(diskOfSize(100000), 700), 1},
                      ChainCase{"65 disks", disks(65), 64},
                      ChainCase{"size of 2^31 ends the chain",
                                d88test::concat({diskOfSize(0x80000000u), emptyDisk()}), 1},
                      ChainCase{"size of 2^32 - 1 ends the chain",
                                d88test::concat({diskOfSize(0xFFFFFFFFu), emptyDisk()}), 1}),
    d88test::CaseNumber());

TEST_F(ReaderTest, OpenFailsForAMissingFileAndLeavesNoFileOpen) {
    EXPECT_FALSE(image_.open(dir_.file("missing.d88").c_str()));
    EXPECT_EQ(image_.diskCount(), 0);
    EXPECT_FALSE(image_.selectDisk(0));
}

TEST_F(ReaderTest, OpenWithNullPathAndCloseOnlyReset) {
    EXPECT_TRUE(image_.close());
    EXPECT_TRUE(image_.close());
    openImage(disks(2));
    EXPECT_TRUE(image_.open(nullptr));
    EXPECT_EQ(image_.diskCount(), 0);
    EXPECT_EQ(image_.mediaType(), -1);
    EXPECT_FALSE(image_.selectDisk(0));
}

// ---- Selecting a disk ----

TEST_F(ReaderTest, SelectsOnlyDisksOfTheTable) {
    DiskBuilder disk = oneTrack();
    openImage(d88test::concat({disk.build(), disk.build(), disk.build()}));
    ASSERT_EQ(image_.diskCount(), 3);
    uint8_t buffer[256];
    EXPECT_TRUE(image_.selectDisk(2));
    EXPECT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 256);
    for (int bad : {3, -1}) {
        EXPECT_FALSE(image_.selectDisk(bad));
        EXPECT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 0) << bad;
        EXPECT_EQ(image_.listSectorIds(0, buffer, 256), 0) << bad;
    }
}

TEST_F(ReaderTest, EachDiskReadsItsOwnTracks) {
    DiskBuilder first;
    first.addStandardTrack(0, 1, 1, 1).setSectorData(0, 1, Bytes(256, 0x11));
    DiskBuilder second;
    second.addStandardTrack(0, 1, 1, 1).setSectorData(0, 1, Bytes(256, 0x22));
    openImage(d88test::concat({first.build(), second.build()}));
    uint8_t buffer[256];
    ASSERT_TRUE(image_.selectDisk(1));
    ASSERT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 256);
    EXPECT_EQ(buffer[0], 0x22);
    ASSERT_TRUE(image_.selectDisk(0));
    ASSERT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 256);
    EXPECT_EQ(buffer[0], 0x11);
}

struct NameCase {
    std::string stored;
    std::string expected;
};

class DiskName : public ReaderTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(DiskName, ComesBackUpToTheFirstZeroOrSixteenBytes) {
    DiskBuilder disk;
    disk.setName(GetParam().stored);
    openDisk(disk);
    EXPECT_EQ(std::string(image_.diskName()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Reader, DiskName,
                         ::testing::Values(NameCase{"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP"},
                                           NameCase{"ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOP"},
                                           NameCase{std::string("AB\0CD", 5), "AB"},
                                           NameCase{"\x83\x65\x83\x58", "\x83\x65\x83\x58"},
                                           NameCase{"", ""}),
                         d88test::CaseNumber());

TEST_F(ReaderTest, MediaTypeComesBackUnchangedAndIsGoneAfterClose) {
    for (const int media : {0x00, 0x10, 0x20, 0xFF}) {
        DiskBuilder disk;
        disk.setMediaType(static_cast<uint8_t>(media));
        openDisk(disk);
        EXPECT_EQ(image_.mediaType(), media);
    }
    image_.close();
    EXPECT_EQ(image_.mediaType(), -1);
}

TEST_F(ReaderTest, ADiskWhoseHeaderIsGoneHasNoTracks) {
    openImage(d88test::concat({oneTrack().build(), oneTrack().build()}));
    ASSERT_EQ(image_.diskCount(), 2);
    // The file shrinks after the disk table was built.
    const off_t firstDisk = static_cast<off_t>(oneTrack().build().size());
    ASSERT_EQ(truncate(path_.c_str(), firstDisk + 100), 0);
    EXPECT_TRUE(image_.selectDisk(1));
    uint8_t buffer[256];
    EXPECT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 0);
    EXPECT_EQ(image_.listSectorIds(0, buffer, 256), 0);
    EXPECT_EQ(std::string(image_.diskName()), "");
}

// ---- The track table ----

struct TrackCase {
    const char* what;
    int track;
    std::optional<uint32_t> offset;    // replaces track 0's entry; 1 stands for disk size + 1
    std::optional<uint32_t> diskSize;  // replaces the disk size
    bool found;
};

class TrackTable : public ReaderTest, public ::testing::WithParamInterface<TrackCase> {};

TEST_P(TrackTable, DecidesWhichTracksExist) {
    const TrackCase& tc = GetParam();
    DiskBuilder disk = oneTrack(1);
    const uint32_t size = static_cast<uint32_t>(disk.build().size());
    if (tc.offset) {
        disk.setTrackOffset(0, *tc.offset == 1 ? size + 1 : *tc.offset);
    }
    if (tc.diskSize) {
        disk.setDiskSize(*tc.diskSize);
    }
    openDisk(disk);
    uint8_t buffer[256];
    EXPECT_EQ(image_.readSector(tc.track, 0, 0, 1, 1, buffer, 256), tc.found ? 256 : 0) << tc.what;
    EXPECT_EQ(image_.listSectorIds(tc.track, buffer, 256), tc.found ? 4 : 0) << tc.what;
}

INSTANTIATE_TEST_SUITE_P(
    Reader, TrackTable,
    ::testing::Values(TrackCase{"present", 0, {}, {}, true},
                      TrackCase{"offset 0", 0, 0u, {}, false},
                      TrackCase{"offset beyond the disk size", 0, 1u, {}, false},
                      TrackCase{"track index 164", 164, {}, {}, false},
                      TrackCase{"track index -1", -1, {}, {}, false},
                      TrackCase{"offset of 2^31", 0, 0x80000000u, 0x7FFFFFFFu, false},
                      TrackCase{"offset of 2^32 - 16", 0, 0xFFFFFFF0u, 0x7FFFFFFFu, false},
                      TrackCase{"disk size of 2^31", 0, {}, 0x80000000u, false},
                      TrackCase{"disk size of 2^32 - 1", 0, {}, 0xFFFFFFFFu, false}),
    d88test::CaseNumber());

TEST_F(ReaderTest, ATrackAtExactlyTheDiskSizeIsReadFromRightAfterTheDisk) {
    DiskBuilder disk;
    disk.setTrackOffset(0, kHeader);
    Bytes image = disk.build();
    ASSERT_EQ(image.size(), kHeader);
    DiskBuilder carrier = oneTrack(1);
    const Bytes track = carrier.build();
    image.insert(image.end(), track.begin() + kHeader, track.end());  // 16 + 256 bytes: no disk
    openImage(image);
    ASSERT_EQ(image_.diskCount(), 1);
    ASSERT_TRUE(image_.selectDisk(0));
    uint8_t buffer[256];
    ASSERT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 256);
    EXPECT_EQ(Bytes(buffer, buffer + 256), d88test::sectorPattern(0, 1, 256));
}

// ---- Finding a sector ----

TEST_F(ReaderTest, ReadSectorReturnsTheSmallerOfDataSizeAndLength) {
    openDisk(oneTrack());
    const Bytes expected = d88test::sectorPattern(0, 5, 256);
    for (const int length : {512, 256, 100, 1, 0}) {
        std::array<uint8_t, 600> buffer;
        buffer.fill(0xEE);
        const int want = std::min(length, 256);
        ASSERT_EQ(image_.readSector(0, 0, 0, 5, 1, buffer.data(), length), want) << length;
        EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + want, buffer.begin()));
        EXPECT_EQ(buffer[static_cast<size_t>(want)], 0xEE) << "wrote past the bytes read";
    }
    uint8_t guard = 0xEE;
    EXPECT_EQ(image_.readSector(0, 0, 0, 5, 1, &guard, -1), 0);
    EXPECT_EQ(guard, 0xEE);
}

TEST_F(ReaderTest, ASectorIsFoundOnlyByAllFourIdBytes) {
    DiskBuilder disk;
    disk.addTrack(0, 3, 1, 7, 1, 2);  // C 3, H 1, R 7, N 2
    openDisk(disk);
    uint8_t buffer[512];
    EXPECT_EQ(image_.readSector(0, 3, 1, 7, 2, buffer, 512), 512);
    const std::array<std::array<int, 4>, 6> misses{{{0, 1, 7, 2},
                                                    {3, 0, 7, 2},
                                                    {3, 1, 6, 2},
                                                    {3, 1, 7, 3},
                                                    {3 + 256, 1, 7, 2},
                                                    {3, 1, 7, -254}}};
    for (const auto& id : misses) {
        EXPECT_EQ(image_.readSector(0, id[0], id[1], id[2], id[3], buffer, 512), 0)
            << id[0] << " " << id[1] << " " << id[2] << " " << id[3];
    }
}

TEST_F(ReaderTest, TheFirstOfTwoRecordsWithTheSameIdWins) {
    DiskBuilder disk;
    disk.addSector(0, {0, 0, 1, 1, {}, {}, Bytes(256, 0x01)});
    disk.addSector(0, {0, 0, 1, 1, {}, {}, Bytes(256, 0x02)});
    openDisk(disk);
    uint8_t buffer[256];
    ASSERT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 256);
    EXPECT_EQ(buffer[0], 0x01);
}

TEST_F(ReaderTest, SectorCountZeroEndsTheSearchAtOnce) {
    DiskBuilder disk = oneTrack(4);
    for (SectorSpec& s : disk.track(0)) {
        s.sectorCount = 0;
    }
    openDisk(disk);
    uint8_t buffer[256];
    EXPECT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 0);
}

TEST_F(ReaderTest, TheSearchEndsAtTheRecordWhoseOwnCountIsItsPosition) {
    // Counts 5, 5, 3, 5: the walk stops after the third record.
    DiskBuilder disk = oneTrack(4);
    const uint16_t counts[] = {5, 5, 3, 5};
    for (int i = 0; i < 4; ++i) {
        disk.track(0)[static_cast<size_t>(i)].sectorCount = counts[i];
    }
    openDisk(disk);
    uint8_t buffer[256];
    EXPECT_EQ(image_.readSector(0, 0, 0, 3, 1, buffer, 256), 256);
    EXPECT_EQ(image_.readSector(0, 0, 0, 4, 1, buffer, 256), 0);
}

TEST_F(ReaderTest, RecordsAreSkippedByTheirDataSizeField) {
    // The first record claims 16 data bytes but stores 16 + a whole fake
    // record: the walk must land on the fake record, not on the real second one.
    DiskBuilder fake;
    fake.addSector(0, {9, 9, 9, 1, 2, {}, Bytes(256, 0x99)});
    const Bytes fakeBytes = fake.build();
    Bytes padding(16, 0);
    padding.insert(padding.end(), fakeBytes.begin() + kHeader, fakeBytes.end());
    DiskBuilder disk;
    disk.addSector(0, {0, 0, 1, 1, 2, 16, padding});
    disk.addSector(0, {0, 0, 2, 1, 2, {}, Bytes(256, 0x22)});
    openDisk(disk);
    uint8_t buffer[256];
    EXPECT_EQ(image_.readSector(0, 9, 9, 9, 1, buffer, 256), 256);
    EXPECT_EQ(buffer[0], 0x99);
    EXPECT_EQ(image_.readSector(0, 0, 0, 2, 1, buffer, 256), 0);
}

// ---- Lookups repeated on the same or on other tracks ----

TEST_F(ReaderTest, LookupsAlternatingBetweenTracksAndDisksReadTheRightSectors) {
    DiskBuilder first;
    first.addStandardTrack(0, 1, 16, 1).addStandardTrack(1, 1, 16, 1);
    first.setTrackOffset(5, 0x2B0);  // track 5 is track 0 again
    DiskBuilder second;
    second.addStandardTrack(0, 1, 16, 1).setSectorData(0, 3, Bytes(256, 0x77));
    openImage(d88test::concat({first.build(), second.build()}));
    uint8_t buffer[256];
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(image_.selectDisk(0));
        for (const int track : {0, 1, 5, 0}) {
            ASSERT_EQ(image_.readSector(track, 0, track == 1 ? 1 : 0, 3, 1, buffer, 256), 256);
            EXPECT_EQ(Bytes(buffer, buffer + 256),
                      d88test::sectorPattern(track == 1 ? 1 : 0, 3, 256));
        }
        ASSERT_TRUE(image_.selectDisk(1));
        ASSERT_EQ(image_.readSector(0, 0, 0, 3, 1, buffer, 256), 256);
        EXPECT_EQ(buffer[0], 0x77);
    }
}

TEST_F(ReaderTest, ASecondImageOpenedByTheSameReaderIsReadAfresh) {
    DiskBuilder a = oneTrack();
    a.setSectorData(0, 1, Bytes(256, 0xAA));
    DiskBuilder b = oneTrack();
    b.setSectorData(0, 1, Bytes(256, 0xBB));
    uint8_t buffer[256];
    openDisk(a);
    ASSERT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 256);
    EXPECT_EQ(buffer[0], 0xAA);
    const std::string other = dir_.file("other.d88");
    ASSERT_TRUE(d88test::writeFile(other, b.build()));
    ASSERT_TRUE(image_.open(other.c_str()));
    ASSERT_TRUE(image_.selectDisk(0));
    ASSERT_EQ(image_.readSector(0, 0, 0, 1, 1, buffer, 256), 256);
    EXPECT_EQ(buffer[0], 0xBB);
}

// Records without data whose sector counts never end the walk (record 1 says
// 2, every later one says 1), with the named sectors put at given positions.
DiskBuilder endlessTrack(int records, const std::map<int, SectorSpec>& placed) {
    DiskBuilder disk;
    for (int k = 1; k <= records; ++k) {
        SectorSpec s{0, 0, 0, 0, static_cast<uint16_t>(k == 1 ? 2 : 1), {}, {}};
        if (const auto it = placed.find(k); it != placed.end()) {
            s = it->second;
        }
        disk.addSector(0, s);
    }
    return disk;
}

TEST_F(ReaderTest, ATrackLongerThanAnyCountCanEndIsStillSearchedToItsEnd) {
    DiskBuilder disk = endlessTrack(70000, {{3, {0, 0, 3, 1, 1, {}, Bytes(256, 0x03)}},
                                            {69999, {0, 0, 9, 1, 1, {}, Bytes(256, 0x09)}},
                                            {69000, {0, 0, 8, 1, 1, {}, Bytes(256, 0x08)}},
                                            {69500, {0, 0, 7, 1, 0, {}, Bytes(256, 0x07)}}});
    openDisk(disk);
    uint8_t buffer[256];
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(image_.readSector(0, 0, 0, 9, 1, buffer, 256), 0) << "after a count of 0";
        ASSERT_EQ(image_.readSector(0, 0, 0, 8, 1, buffer, 256), 256);
        EXPECT_EQ(buffer[0], 0x08);
        ASSERT_EQ(image_.readSector(0, 0, 0, 3, 1, buffer, 256), 256);
        EXPECT_EQ(buffer[0], 0x03);
        EXPECT_EQ(image_.readSector(0, 0, 0, 4, 1, buffer, 256), 0);
    }
}

TEST_F(ReaderTest, TheWalkStopsAtRecord65535WhenItsCountSaysSo) {
    DiskBuilder disk = endlessTrack(65536, {{65535, {0, 0, 5, 1, 65535, {}, Bytes(256, 0x05)}},
                                            {65536, {0, 0, 6, 1, 1, {}, Bytes(256, 0x06)}}});
    openDisk(disk);
    uint8_t buffer[256];
    EXPECT_EQ(image_.readSector(0, 0, 0, 5, 1, buffer, 256), 256);
    EXPECT_EQ(image_.readSector(0, 0, 0, 6, 1, buffer, 256), 0);
}

// ---- Where the image ends inside a track ----

TEST_F(ReaderTest, ShortDataComesBackAsTheBytesTheFileHolds) {
    Bytes image = oneTrack(2).build();
    image.resize(image.size() - 56);  // sector 2 keeps 200 of its 256 bytes
    openImage(image);
    ASSERT_TRUE(image_.selectDisk(0));
    std::array<uint8_t, 256> buffer;
    buffer.fill(0xEE);
    EXPECT_EQ(image_.readSector(0, 0, 0, 2, 1, buffer.data(), 256), 200);
    EXPECT_EQ(buffer[200], 0xEE);
    image_.setSectorRange(1, 16);
    EXPECT_EQ(image_.readSectors(0, 0, 0, 1, 1, buffer.data(), 256), 256);
    std::array<uint8_t, 512> run;
    EXPECT_EQ(image_.readSectors(0, 0, 0, 1, 1, run.data(), 512), 256);
}

TEST_F(ReaderTest, AHeaderCutShortEndsTheWalk) {
    Bytes image = oneTrack(3).build();
    image.resize(image.size() - 256 - 8);  // the third header keeps 8 of its 16 bytes
    openImage(image);
    ASSERT_TRUE(image_.selectDisk(0));
    uint8_t buffer[256];
    EXPECT_EQ(image_.readSector(0, 0, 0, 2, 1, buffer, 256), 256);
    EXPECT_EQ(image_.readSector(0, 0, 0, 3, 1, buffer, 256), 0);
    EXPECT_EQ(image_.listSectorIds(0, buffer, 256), 8);
}

// ---- Reading a run ----

TEST_F(ReaderTest, ARunMovesOnToTheNextTrackAfterTheLastSectorOfTheRange) {
    DiskBuilder disk;
    for (int track = 0; track < 4; ++track) {
        disk.addStandardTrack(track, 1, 9, 2);
    }
    openDisk(disk);
    image_.setSectorRange(1, 9);
    Bytes run(3072);
    ASSERT_EQ(image_.readSectors(0, 0, 0, 7, 2, run.data(), 3072), 3072);
    Bytes expected;
    for (const auto& [track, r] :
         std::array<std::pair<int, int>, 6>{{{0, 7}, {0, 8}, {0, 9}, {1, 1}, {1, 2}, {1, 3}}}) {
        const Bytes s = d88test::sectorPattern(track, r, 512);
        expected.insert(expected.end(), s.begin(), s.end());
    }
    EXPECT_EQ(run, expected);
}

TEST_F(ReaderTest, ARunFromHeadOneMovesToTheNextCylinder) {
    DiskBuilder disk;
    disk.addStandardTrack(3, 1, 9, 2);  // C 1, H 1
    disk.addStandardTrack(4, 1, 9, 2);  // C 2, H 0
    openDisk(disk);
    image_.setSectorRange(1, 9);
    Bytes run(1024);
    ASSERT_EQ(image_.readSectors(3, 1, 1, 9, 2, run.data(), 1024), 1024);
    EXPECT_EQ(Bytes(run.begin() + 512, run.end()), d88test::sectorPattern(4, 1, 512));
}

TEST_F(ReaderTest, TheDefaultRangeEndsAtSixteen) {
    DiskBuilder disk;
    disk.addStandardTrack(0, 1, 16, 1);
    disk.addStandardTrack(1, 1, 16, 1);
    openDisk(disk);
    Bytes run(512);
    ASSERT_EQ(image_.readSectors(0, 0, 0, 16, 1, run.data(), 512), 512);
    EXPECT_EQ(Bytes(run.begin() + 256, run.end()), d88test::sectorPattern(1, 1, 256));
}

TEST_F(ReaderTest, ARunCountsOnlyWholeSectorsAndNeverWritesPastTheLength) {
    DiskBuilder disk;
    disk.addStandardTrack(0, 1, 9, 2);
    disk.track(0)[3].data.resize(500);  // R 4 is short of its 512 bytes
    openDisk(disk);
    image_.setSectorRange(1, 9);
    std::array<uint8_t, 2100> buffer;
    buffer.fill(0xEE);
    EXPECT_EQ(image_.readSectors(0, 0, 0, 1, 2, buffer.data(), 1000), 1000);
    EXPECT_EQ(buffer[1000], 0xEE);
    EXPECT_EQ(image_.readSectors(0, 0, 0, 1, 2, buffer.data(), 2048), 1536);
    EXPECT_EQ(buffer[2048], 0xEE);
    EXPECT_EQ(image_.readSectors(0, 0, 0, 1, 2, buffer.data(), 0), 0);
}

TEST_F(ReaderTest, SizeCodesWithoutAThirtyTwoBitSizeStayInTheBuffer) {
    DiskBuilder disk;
    disk.addSector(0, {0, 0, 1, 30, {}, {}, Bytes(100, 0x30)});
    openDisk(disk);
    std::array<uint8_t, 101> buffer;
    buffer.fill(0xEE);
    EXPECT_EQ(image_.readSectors(0, 0, 0, 1, 30, buffer.data(), 100), 100);
    EXPECT_EQ(buffer[100], 0xEE);
    for (const int n : {-1, 256, 1000}) {
        EXPECT_EQ(image_.readSectors(0, 0, 0, 1, n, buffer.data(), 100), 0) << n;
    }
}

// ---- Listing a track ----

TEST_F(ReaderTest, ListsIdsInTrackOrderUpToTheLength) {
    DiskBuilder disk;
    disk.addTrack(0, 0, 0, 1, 9, 2);
    disk.track(0)[4].c = 7;
    openDisk(disk);
    std::array<uint8_t, 40> ids;
    ids.fill(0xEE);
    ASSERT_EQ(image_.listSectorIds(0, ids.data(), 40), 36);
    EXPECT_EQ(ids[36], 0xEE);
    SectorId fifth;
    std::memcpy(&fifth, ids.data() + 16, 4);
    EXPECT_EQ(fifth.c, 7);
    EXPECT_EQ(fifth.r, 5);
    EXPECT_EQ(fifth.n, 2);
    EXPECT_EQ(image_.listSectorIds(0, ids.data(), 16), 16);
    ids.fill(0xEE);
    EXPECT_EQ(image_.listSectorIds(0, ids.data(), 10), 8);
    EXPECT_EQ(ids[8], 0xEE) << "a partial ID was written";
}

TEST_F(ReaderTest, ListingIgnoresSectorCountZeroUntilTheBufferIsFull) {
    DiskBuilder disk = oneTrack(70);
    for (SectorSpec& s : disk.track(0)) {
        s.sectorCount = 0;
    }
    openDisk(disk);
    uint8_t ids[256];
    EXPECT_EQ(image_.listSectorIds(0, ids, 256), 256);
    EXPECT_EQ(ids[63 * 4 + 2], 64);
}

TEST_F(ReaderTest, ListingStopsAtTheRecordWhoseCountIsItsPosition) {
    DiskBuilder disk = oneTrack(5);
    disk.track(0)[1].sectorCount = 2;
    openDisk(disk);
    uint8_t ids[256];
    EXPECT_EQ(image_.listSectorIds(0, ids, 256), 8);
}

}  // namespace

namespace {

// ---- The lookups against the walking rules, on random tracks ----

// The lookup of one sector as the walking rules state it, straight over the
// image bytes: from the track's first record, stop at a count of 0, at the
// match, or after the k-th record when k is its own count.
int referenceLookup(const Bytes& image, size_t track, uint32_t id, int length) {
    size_t at = track;
    for (int64_t k = 1;; ++k) {
        if (at + 16 > image.size()) {
            return 0;
        }
        const int count = image[at + 4] | (image[at + 5] << 8);
        const int size = image[at + 14] | (image[at + 15] << 8);
        if (count == 0) {
            return 0;
        }
        const uint32_t recordId = image[at] | (image[at + 1] << 8) | (image[at + 2] << 16) |
                                  (static_cast<uint32_t>(image[at + 3]) << 24);
        if (recordId == id) {
            const size_t available = image.size() - std::min(image.size(), at + 16);
            return static_cast<int>(std::min<size_t>(
                {static_cast<size_t>(size), static_cast<size_t>(length), available}));
        }
        at += 16 + static_cast<size_t>(size);
        if (k == count) {
            return 0;
        }
    }
}

TEST_F(ReaderTest, LookupsGiveWhatTheWalkingRulesGiveOnRandomTracks) {
    std::mt19937 random(20261211);
    for (int round = 0; round < 40; ++round) {
        DiskBuilder disk;
        const int tracks = 1 + static_cast<int>(random() % 4);
        for (int t = 0; t < tracks; ++t) {
            const int records = 1 + static_cast<int>(random() % 40);
            for (int k = 0; k < records; ++k) {
                SectorSpec s;
                s.c = static_cast<uint8_t>(random() % 2);
                s.h = static_cast<uint8_t>(random() % 2);
                s.r = static_cast<uint8_t>(1 + random() % 8);
                s.n = static_cast<uint8_t>(1 + random() % 2);
                const unsigned pick = random() % 8;
                s.sectorCount = static_cast<uint16_t>(pick == 0  ? 0
                                                      : pick < 4 ? records
                                                                 : random() % 45);
                s.data = Bytes(random() % 300, static_cast<uint8_t>(k));
                disk.addSector(t, s);
            }
        }
        Bytes image = disk.build();
        image.resize(image.size() - random() % 200);  // often ends inside the last track
        openImage(image);
        ASSERT_TRUE(image_.selectDisk(0));
        for (int lookup = 0; lookup < 200; ++lookup) {
            const int t = static_cast<int>(random() % tracks);
            const int c = static_cast<int>(random() % 2), h = static_cast<int>(random() % 2);
            const int r = static_cast<int>(1 + random() % 8),
                      n = static_cast<int>(1 + random() % 2);
            const int length = static_cast<int>(random() % 320);
            const size_t trackAt = d88test::le32At(image, 0x20 + 4 * static_cast<size_t>(t));
            const int expected = referenceLookup(
                image, trackAt, static_cast<uint32_t>(c | h << 8 | r << 16 | n << 24), length);
            Bytes buffer(320, 0xEE);
            EXPECT_EQ(image_.readSector(t, c, h, r, n, buffer.data(), length), expected)
                << "round " << round << " track " << t << " id " << c << h << r << n;
            EXPECT_EQ(buffer[static_cast<size_t>(length)], 0xEE);
        }
    }
}

}  // namespace
