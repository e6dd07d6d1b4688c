// Damaged disks and files that cannot be written: each is reported on the
// error stream, naming the file, track or sector, and the rest goes on.
#include <sys/stat.h>

#include <set>
#include <string>
#include <vector>

#include "expectedtext.h"
#include "layouts.h"
#include "titledisk.h"
#include "titlemessages.h"
#include "titletest.h"

namespace d88test {
namespace {

using d88title::extract2DD;
using d88title::extract2HD;
using d88title::LayoutResult;

// Gives the sector another R, so that the track still lists five sectors but
// no longer holds the one asked for.
void renumber(DiskBuilder& disk, int track, int r, int newR) {
    for (SectorSpec& s : disk.track(track)) {
        if (s.r == r) {
            s.r = static_cast<uint8_t>(newR);
            return;
        }
    }
}

class LayoutDamage : public InScratchDirectory {};

TEST_F(LayoutDamage, ANameWithASlashIsNeverUsedAsAPath) {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(0, {"A/B", 2, 1, 2, 1, {}});
    disk.addEntry(0, {"/ETC", 2, 1, 2, 1, {}});
    disk.addEntry(1, {"OK", 2, 1, 2, 1, {}});
    ASSERT_EQ(mkdir(workFile("A").c_str(), 0755), 0);
    openImage(disk.build());
    const LayoutResult result = extract2HD(image, nullptr, out.get(), err.get());
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.filesNotWritten, 2);
    EXPECT_EQ(out.text(), kAnnounce2HDLine);
    EXPECT_EQ(err.text(), formatted(d88title::kNameHasSlash, "A/B") +
                              formatted(d88title::kNameHasSlash, "/ETC"));
    const std::map<std::string, Bytes> expected{{"A/", {}}, {"OK", fileSector(5, 1)}};
    EXPECT_EQ(files(), expected);
}

// An all-zero entry has an empty name; "." and ".." and a directory's name
// cannot be opened as files either.
TEST_F(LayoutDamage, AFileThatCannotBeCreatedIsReportedAndTheRunGoesOn) {
    TitleDisk disk(TitleLayout::TwoDD);
    disk.setRawEntry(0, 0, Bytes(16, 0));
    disk.setRawEntry(0, 1, titleDirectoryEntry({".", 2, 1, 2, 1, {}}));
    disk.setRawEntry(0, 2, titleDirectoryEntry({"..", 2, 1, 2, 1, {}}));
    disk.setRawEntry(0, 3, titleDirectoryEntry({"SUB", 2, 1, 2, 1, {}}));
    disk.setRawEntry(0, 4, titleDirectoryEntry({"GOOD", 2, 1, 2, 1, {}}));
    ASSERT_EQ(mkdir(workFile("SUB").c_str(), 0755), 0);
    openImage(disk.build());
    const LayoutResult result = extract2DD(image, nullptr, out.get(), err.get());
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.filesNotWritten, 4);
    EXPECT_EQ(out.text(), kAnnounce2DDLine);
    EXPECT_EQ(err.text(), formatted(d88title::kFileWriteFailed, "") +
                              formatted(d88title::kFileWriteFailed, ".") +
                              formatted(d88title::kFileWriteFailed, "..") +
                              formatted(d88title::kFileWriteFailed, "SUB"));
    const std::map<std::string, Bytes> expected{{"SUB/", {}}, {"GOOD", fileSector(4, 1)}};
    EXPECT_EQ(files(), expected);
}

TEST_F(LayoutDamage, AnEmptyFilterSelectsTheEntriesOfEmptyName) {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(0, {"NAMED", 2, 1, 2, 1, {}});
    disk.setRawEntry(0, 1, Bytes(16, 0));
    openImage(disk.build());
    const LayoutResult result = extract2HD(image, "", out.get(), err.get());
    EXPECT_EQ(result.filesNotWritten, 1);
    EXPECT_EQ(err.text(), formatted(d88title::kFileWriteFailed, ""));
    EXPECT_TRUE(files().empty());
}

// The sector buffer is cleared before every read: a missing sector gives
// zeros, a short one its bytes and then zeros, never the sector before.
TEST_F(LayoutDamage, MissingAndShortSectorsGiveZerosAndAWarningEach) {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(0, {"DAMAGED", 2, 1, 2, 4, {}});
    disk.addEntry(1, {"INTACT", 2, 1, 2, 1, {}});
    DiskBuilder damaged = disk.builder();
    renumber(damaged, 4, 2, 9);
    damaged.setSectorData(4, 3, head(fileSector(4, 3), 100));
    openImage(damaged.build());
    const LayoutResult result = extract2HD(image, nullptr, out.get(), err.get());
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.filesNotWritten, 0);
    EXPECT_EQ(out.text(), kAnnounce2HDLine);
    EXPECT_EQ(err.text(), formatted(d88title::kFileSectorMissing, "DAMAGED", 4, 2) +
                              formatted(d88title::kFileSectorShort, "DAMAGED", 4, 3, 100));
    const std::map<std::string, Bytes> expected{
        {"DAMAGED", concat({fileSector(4, 1), zeros(kFileSector), head(fileSector(4, 3), 100),
                            zeros(kFileSector - 100), fileSector(4, 4)})},
        {"INTACT", fileSector(5, 1)},
    };
    EXPECT_EQ(files(), expected);
}

// A file that starts beyond the last track: every sector is missing.
TEST_F(LayoutDamage, SectorsBeyondTheDiskAreZeroAndReported) {
    TitleDisk disk(TitleLayout::TwoDD);
    disk.addEntry(0, {"FAR", 200, 5, 201, 1, {}});
    openImage(disk.build());
    EXPECT_EQ(extract2DD(image, nullptr, out.get(), err.get()).code, 0);
    EXPECT_EQ(err.text(), formatted(d88title::kFileSectorMissing, "FAR", 400, 5) +
                              formatted(d88title::kFileSectorMissing, "FAR", 401, 1));
    EXPECT_EQ(files(), (std::map<std::string, Bytes>{{"FAR", zeros(2 * kFileSector)}}));
}

// Only the whole sectors that were read hold entries: the zero bytes in
// place of the others would read as entries of empty name.
TEST_F(LayoutDamage, A2HDDirectoryHoldsEntriesOnlyInTheSectorsRead) {
    TitleDisk disk(TitleLayout::TwoHD);
    std::set<std::string> expected{"SECOND"};
    for (int i = 0; i < 70; ++i) {
        const std::string name = formatted("E%02d", i);
        disk.addEntry(0, {name, 2, 1, 2, 1, {}});
        if (i < 64) {
            expected.insert(name);
        }
    }
    disk.addEntry(1, {"SECOND", 2, 1, 2, 1, {}});
    DiskBuilder damaged = disk.builder();
    std::vector<SectorSpec>& track2 = damaged.track(2);
    track2[1].data.resize(512);
    openImage(damaged.build());
    EXPECT_EQ(extract2HD(image, nullptr, out.get(), err.get()).code, 0);
    EXPECT_EQ(err.text(), formatted(d88title::kDirectoryShort, 0, 2, 1024, 2048));
    std::set<std::string> written;
    for (const auto& [name, bytes] : files()) {
        written.insert(name);
    }
    EXPECT_EQ(written, expected);
}

TEST_F(LayoutDamage, AnUnreadableDirectoryHoldsNoEntries) {
    TitleDisk hd(TitleLayout::TwoHD);
    hd.addEntry(0, {"ZERO", 2, 1, 2, 1, {}});
    hd.addEntry(1, {"ONE", 2, 1, 2, 1, {}});
    DiskBuilder damaged = hd.builder();
    renumber(damaged, 3, 1, 9);
    openImage(damaged.build());
    EXPECT_EQ(extract2HD(image, nullptr, out.get(), err.get()).code, 0);
    EXPECT_EQ(err.text(), formatted(d88title::kDirectoryShort, 1, 3, 0, 2048));
    EXPECT_EQ(files(), (std::map<std::string, Bytes>{{"ZERO", fileSector(4, 1)}}));

    TitleDisk dd(TitleLayout::TwoDD);
    dd.addEntry(0, {"LOST", 2, 1, 2, 1, {}});
    DiskBuilder shortDirectory = dd.builder();
    shortDirectory.track(1).front().data.resize(16);
    openImage(shortDirectory.build());
    CapturedStream ddErr;
    EXPECT_EQ(extract2DD(image, nullptr, out.get(), ddErr.get()).code, 0);
    EXPECT_EQ(ddErr.text(), formatted(d88title::kDirectoryShort, 0, 1, 0, 1024));
    EXPECT_EQ(files().count("LOST"), 0u);
}

}  // namespace
}  // namespace d88test
