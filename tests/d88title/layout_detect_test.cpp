// Recognising the two layouts by the sector IDs of the first disk: every
// check fails with its own code and leaves no trace, and what the checks do
// not look at cannot make a disk fail.
#include <functional>
#include <vector>

#include "expectedtext.h"
#include "layouts.h"
#include "titledisk.h"
#include "titletest.h"

namespace d88test {
namespace {

using d88title::extract2DD;
using d88title::extract2HD;
using d88title::LayoutResult;

using Damage = std::function<void(DiskBuilder&)>;

struct DetectionCase {
    const char* what;
    Damage damage;
    int code;
};

Damage firstId(int track, int c, int h, int n) {
    return [=](DiskBuilder& disk) {
        SectorSpec& first = disk.track(track).front();
        first.c = static_cast<uint8_t>(c);
        first.h = static_cast<uint8_t>(h);
        first.n = static_cast<uint8_t>(n);
    };
}

Damage sectorCount(int track, size_t count) {
    return [=](DiskBuilder& disk) {
        std::vector<SectorSpec>& sectors = disk.track(track);
        while (sectors.size() > count) {
            sectors.pop_back();
        }
        while (sectors.size() < count) {
            SectorSpec extra = sectors.back();
            ++extra.r;
            sectors.push_back(extra);
        }
    };
}

Damage missingTrack(int track) {
    return [=](DiskBuilder& disk) { disk.setTrackOffset(track, 0); };
}

Damage both(Damage first, Damage second) {
    return [=](DiskBuilder& disk) {
        first(disk);
        second(disk);
    };
}

using Extract = LayoutResult (*)(DiskImage&, const char*, std::FILE*, std::FILE*);

class LayoutDetection : public InScratchDirectory {
  protected:
    void expectCodes(TitleLayout layout, Extract extract, const std::vector<DetectionCase>& cases) {
        TitleDisk disk(layout);
        disk.addEntry(0, {"FILE", 2, 1, 2, 1, {}});
        for (const DetectionCase& c : cases) {
            SCOPED_TRACE(c.what);
            DiskBuilder damaged = disk.builder();
            c.damage(damaged);
            openImage(damaged.build());
            const LayoutResult result = extract(image, nullptr, out.get(), err.get());
            EXPECT_EQ(result.code, c.code);
            EXPECT_EQ(out.text(), "");
            EXPECT_EQ(err.text(), "");
            EXPECT_TRUE(files().empty());
        }
    }
};

TEST_F(LayoutDetection, EachCheckOf2HDFailsWithItsCodeAndLeavesNoTrace) {
    expectCodes(TitleLayout::TwoHD, extract2HD,
                {
                    {"track 0 of 15 sectors", sectorCount(0, 15), 1},
                    {"track 1 of 17 sectors", sectorCount(1, 17), 1},
                    {"track 1 missing", missingTrack(1), 1},
                    {"track 0 begins with C 1", firstId(0, 1, 0, 1), 2},
                    {"track 0 begins with H 1", firstId(0, 0, 1, 1), 2},
                    {"track 1 begins with H 0", firstId(1, 0, 0, 1), 2},
                    {"track 1 begins with N 2", firstId(1, 0, 1, 2), 2},
                    {"track 2 of 4 sectors", sectorCount(2, 4), 3},
                    {"track 153 of 6 sectors", sectorCount(153, 6), 3},
                    {"track 153 missing", missingTrack(153), 3},
                    {"track 4 begins with C 0", firstId(4, 0, 0, 3), 4},
                    {"track 5 begins with H 1", firstId(5, 1, 1, 3), 5},
                    {"track 153 begins with N 2", firstId(153, 38, 0, 2), 6},
                    {"checks run track by track: track 2 before track 5",
                     both(firstId(5, 1, 1, 3), sectorCount(2, 4)), 3},
                    {"within a track C is checked before N", firstId(4, 0, 0, 2), 4},
                });
}

TEST_F(LayoutDetection, EachCheckOf2DDFailsWithItsCodeAndLeavesNoTrace) {
    expectCodes(TitleLayout::TwoDD, extract2DD,
                {
                    {"track 0 of 15 sectors", sectorCount(0, 15), 1},
                    {"track 1 of 16 sectors", sectorCount(1, 16), 1},
                    {"track 1 missing", missingTrack(1), 1},
                    {"track 0 begins with N 3", firstId(0, 0, 0, 3), 2},
                    {"track 0 begins with H 1", firstId(0, 0, 1, 1), 2},
                    {"track 1 begins with N 2", firstId(1, 0, 1, 2), 2},
                    {"track 1 begins with H 0", firstId(1, 0, 0, 3), 2},
                    {"track 2 missing", missingTrack(2), 3},
                    {"track 80 missing", missingTrack(80), 3},
                    {"track 157 of 4 sectors", sectorCount(157, 4), 3},
                    {"track 6 begins with C 1", firstId(6, 1, 0, 3), 4},
                    {"track 77 begins with C 20", firstId(77, 20, 1, 3), 4},
                    {"track 5 begins with H 0", firstId(5, 1, 0, 3), 5},
                    {"track 157 begins with N 2", firstId(157, 39, 1, 2), 6},
                });
}

TEST_F(LayoutDetection, NoDiskPassesBothLayouts) {
    openImage(TitleDisk(TitleLayout::TwoHD).build());
    EXPECT_EQ(extract2DD(image, nullptr, out.get(), err.get()).code, 1);
    openImage(TitleDisk(TitleLayout::TwoDD).build());
    EXPECT_EQ(extract2HD(image, nullptr, out.get(), err.get()).code, 1);
    EXPECT_EQ(out.text(), "");
    EXPECT_TRUE(files().empty());
}

TEST_F(LayoutDetection, AnImageWithoutAWholeDiskIsNeitherLayout) {
    openImage(Bytes(100, 0));
    EXPECT_EQ(extract2HD(image, nullptr, out.get(), err.get()).code, 1);
    EXPECT_EQ(extract2DD(image, nullptr, out.get(), err.get()).code, 1);
    EXPECT_EQ(out.text(), "");
}

TEST_F(LayoutDetection, OnlyTheFirstDiskIsLookedAt) {
    openImage(
        concat({TitleDisk(TitleLayout::TwoDD).build(), TitleDisk(TitleLayout::TwoHD).build()}));
    EXPECT_EQ(extract2HD(image, nullptr, out.get(), err.get()).code, 1);
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(extract2DD(image, nullptr, out.get(), err.get()).code, 0);
    EXPECT_EQ(out.text(), kAnnounce2DDLine);
}

// Only the first listed sector's C, H and N are compared, and only up to the
// last track that the layout checks.
TEST_F(LayoutDetection, WhatTheChecksIgnoreCannotMakeA2HDDiskFail) {
    DiskBuilder disk = TitleDisk(TitleLayout::TwoHD).builder();
    disk.track(6).front().r = 9;
    for (size_t i = 1; i < 5; ++i) {
        SectorSpec& other = disk.track(10)[i];
        other.c = 99;
        other.h = 7;
        other.n = 0;
    }
    disk.track(0)[3].n = 3;
    disk.addTrack(154, 0, 0, 1, 1, 0);
    disk.addTrack(163, 7, 7, 1, 20, 2);
    openImage(disk.build());
    EXPECT_EQ(extract2HD(image, nullptr, out.get(), err.get()).code, 0);
    EXPECT_EQ(out.text(), kAnnounce2HDLine);
    EXPECT_EQ(err.text(), "");
    EXPECT_TRUE(files().empty());
}

TEST_F(LayoutDetection, WhatTheChecksIgnoreCannotMakeA2DDDiskFail) {
    DiskBuilder disk = TitleDisk(TitleLayout::TwoDD).builder();
    for (int track : {78, 79, 82, 154, 155}) {
        disk.setTrackOffset(track, 0);
    }
    firstId(83, 0, 0, 0)(disk);
    sectorCount(86, 2)(disk);
    disk.track(9)[2].c = 50;
    disk.addTrack(158, 0, 0, 1, 1, 0);
    disk.addTrack(163, 7, 7, 1, 20, 2);
    openImage(disk.build());
    EXPECT_EQ(extract2DD(image, nullptr, out.get(), err.get()).code, 0);
    EXPECT_EQ(out.text(), kAnnounce2DDLine);
    EXPECT_EQ(err.text(), "");
    EXPECT_TRUE(files().empty());
}

}  // namespace
}  // namespace d88test
