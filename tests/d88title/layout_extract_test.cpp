// Extracting the files of a recognised layout: which sectors, in which order,
// from which track set, under which name, selected by which filter.
#include <set>
#include <string>

#include "expectedtext.h"
#include "layouts.h"
#include "titledisk.h"
#include "titletest.h"

namespace d88test {
namespace {

using d88title::extract2DD;
using d88title::extract2HD;
using d88title::LayoutResult;

std::set<std::string> names(const std::map<std::string, Bytes>& files) {
    std::set<std::string> all;
    for (const auto& [name, bytes] : files) {
        all.insert(name);
    }
    return all;
}

class LayoutExtraction : public InScratchDirectory {
  protected:
    LayoutResult run2HD(const TitleDisk& disk, const char* filter = nullptr) {
        openImage(disk.build());
        return extract2HD(image, filter, out.get(), err.get());
    }
    LayoutResult run2DD(const TitleDisk& disk, const char* filter = nullptr) {
        openImage(disk.build());
        return extract2DD(image, filter, out.get(), err.get());
    }
};

// Directory 1 lists its files in the odd track indices, directory 0 in the
// even ones; C and H follow the logical track in both.
TEST_F(LayoutExtraction, A2HDEntryReadsItsSectorsInOrderFromItsOwnTrackSet) {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(0, {"EVEN", 3, 4, 4, 2, {}});
    disk.addEntry(1, {"ODD", 3, 4, 4, 2, {}});
    const LayoutResult result = run2HD(disk);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.filesNotWritten, 0);
    EXPECT_EQ(out.text(), kAnnounce2HDLine);
    EXPECT_EQ(err.text(), "");
    const std::map<std::string, Bytes> expected{
        {"EVEN", concat({fileSector(6, 4), fileSector(6, 5), fileSector(8, 1), fileSector(8, 2)})},
        {"ODD", concat({fileSector(7, 4), fileSector(7, 5), fileSector(9, 1), fileSector(9, 2)})},
    };
    EXPECT_EQ(files(), expected);
}

// Head 0 to head 1 moves one track index on, head 1 to the next cylinder three.
TEST_F(LayoutExtraction, A2DDEntryReadsItsSectorsInOrderOverTheCylinderGap) {
    TitleDisk disk(TitleLayout::TwoDD);
    disk.addEntry(0, {"FOUR", 3, 4, 4, 2, {}});
    disk.addEntry(0, {"TWO", 2, 5, 3, 1, {}});
    const LayoutResult result = run2DD(disk);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.filesNotWritten, 0);
    EXPECT_EQ(out.text(), kAnnounce2DDLine);
    EXPECT_EQ(err.text(), "");
    const std::map<std::string, Bytes> expected{
        {"FOUR", concat({fileSector(5, 4), fileSector(5, 5), fileSector(8, 1), fileSector(8, 2)})},
        {"TWO", concat({fileSector(4, 5), fileSector(5, 1)})},
    };
    EXPECT_EQ(files(), expected);
}

TEST_F(LayoutExtraction, AnEntryThatEndsBeforeItStartsGivesAnEmptyFile) {
    TitleDisk disk(TitleLayout::TwoDD);
    disk.addEntry(0, {"ZERO", 5, 3, 5, 2, {}});
    disk.addEntry(0, {"BACK", 6, 1, 5, 1, {}});
    disk.addEntry(0, {"ONE", 5, 3, 5, 3, {}});
    EXPECT_EQ(run2DD(disk).code, 0);
    const std::map<std::string, Bytes> expected{
        {"ZERO", {}}, {"BACK", {}}, {"ONE", fileSector(disk.trackIndex(0, 5), 3)}};
    EXPECT_EQ(files(), expected);
}

TEST_F(LayoutExtraction, ALaterEntryOfTheSameNameLeavesItsContent) {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(0, {"SAME", 2, 1, 2, 2, {}});
    disk.addEntry(0, {"SAME", 2, 3, 2, 3, {}});
    disk.addEntry(1, {"TWICE", 2, 1, 2, 1, {}});
    disk.addEntry(0, {"TWICE", 3, 1, 3, 1, {}});
    EXPECT_EQ(run2HD(disk).code, 0);
    const std::map<std::string, Bytes> expected{{"SAME", fileSector(4, 3)},
                                                {"TWICE", fileSector(5, 1)}};
    EXPECT_EQ(files(), expected);
}

TEST_F(LayoutExtraction, AnEndMarkInTheFirstEntryEndsThatDirectoryOnly) {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.setRawEntry(0, 0, Bytes(16, 0xFF));
    disk.setRawEntry(0, 1, titleDirectoryEntry({"HIDDEN", 2, 1, 2, 1, {}}));
    disk.addEntry(1, {"SHOWN", 2, 1, 2, 1, {}});
    EXPECT_EQ(run2HD(disk).code, 0);
    EXPECT_EQ(out.text(), kAnnounce2HDLine);
    EXPECT_EQ(names(files()), (std::set<std::string>{"SHOWN"}));
}

TEST_F(LayoutExtraction, BothDirectoriesEmptyStillRecognisesTheDisk) {
    const LayoutResult result = run2HD(TitleDisk(TitleLayout::TwoHD));
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(out.text(), kAnnounce2HDLine);
    EXPECT_TRUE(files().empty());
}

// Only 0xFF ends the walk; further bytes after it are never looked at.
TEST_F(LayoutExtraction, TheWalkEndsAtTheFirstEndMark) {
    TitleDisk disk(TitleLayout::TwoDD);
    disk.addEntry(0, {"A", 2, 1, 2, 1, {}});
    disk.setRawEntry(0, 1, titleDirectoryEntry({"B", 2, 2, 2, 2, {}}));
    Bytes endMark = titleDirectoryEntry({"", 2, 1, 2, 1, {}});
    endMark[0] = 0xFF;
    disk.setRawEntry(0, 2, endMark);
    disk.setRawEntry(0, 3, titleDirectoryEntry({"C", 2, 1, 2, 1, {}}));
    EXPECT_EQ(run2DD(disk).code, 0);
    EXPECT_EQ(names(files()), (std::set<std::string>{"A", "B"}));
}

// The name ends at the first byte of 0x20 or below, after 7 bytes at most;
// every byte above 0x20 counts, 0xFF after the first byte too.
TEST_F(LayoutExtraction, EntryNamesAreTheBytesAbove0x20UpToSeven) {
    struct NameCase {
        std::string field;  // the 12 bytes before the track fields
        std::string name;
    };
    const NameCase cases[] = {
        {"AB CD       ", "AB"},
        {"ABCDEFGH    ", "ABCDEFG"},
        {std::string("AB\x01X\0\0\0\0\0\0\0\0", 12), "AB"},
        {std::string("Q\0R\0\0\0\0\0\0\0\0\0", 12), "Q"},
        {"\x83\x41\x83\x43\xFF~!     ", "\x83\x41\x83\x43\xFF~!"},
    };
    TitleDisk disk(TitleLayout::TwoHD);
    std::set<std::string> expected;
    int index = 0;
    for (const NameCase& c : cases) {
        Bytes entry(c.field.begin(), c.field.end());
        const Bytes tail = {2, 1, 2, 1};
        entry.insert(entry.end(), tail.begin(), tail.end());
        disk.setRawEntry(0, index++, entry);
        expected.insert(c.name);
    }
    EXPECT_EQ(run2HD(disk).code, 0);
    EXPECT_EQ(err.text(), "");
    EXPECT_EQ(names(files()), expected);
}

// Exact bytes, no case folding: a filter of 8 bytes or with a byte of 0x20
// or below can match no entry name.
TEST_F(LayoutExtraction, TheFilterSelectsOnlyTheEntryOfExactlyThatName) {
    struct FilterCase {
        const char* filter;
        std::set<std::string> extracted;
    };
    const FilterCase cases[] = {
        {nullptr, {"AB", "ABC", "ab", "ABCDEFG", "\x83\x70"}},
        {"AB", {"AB"}},
        {"ab", {"ab"}},
        {"ABCDEFG", {"ABCDEFG"}},
        {"ABCDEFGH", {}},
        {"AB ", {}},
        {"A", {}},
        {"\x83\x70", {"\x83\x70"}},
        {"", {}},
        {"NONE", {}},
    };
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(0, {"AB", 2, 1, 2, 1, {}});
    disk.addEntry(0, {"ABC", 2, 1, 2, 1, {}});
    disk.addEntry(1, {"ab", 2, 1, 2, 1, {}});
    Bytes eight = titleDirectoryEntry({"ABCDEFG", 2, 1, 2, 1, {}});
    eight[7] = 'H';
    disk.setRawEntry(1, 1, eight);
    disk.setRawEntry(1, 2, titleDirectoryEntry({"\x83\x70", 2, 1, 2, 1, {}}));
    openImage(disk.build());
    for (const FilterCase& c : cases) {
        SCOPED_TRACE(c.filter == nullptr ? "no filter" : c.filter);
        for (const auto& [name, bytes] : files()) {
            std::remove(name.c_str());
        }
        const LayoutResult result = extract2HD(image, c.filter, out.get(), err.get());
        EXPECT_EQ(result.code, 0);
        EXPECT_EQ(result.filesNotWritten, 0);
        EXPECT_EQ(names(files()), c.extracted);
    }
    EXPECT_EQ(err.text(), "");
}

// A directory without an end mark ends with its last entry, silently.
TEST_F(LayoutExtraction, AFullDirectoryEndsAfterItsLastEntry) {
    TitleDisk hd(TitleLayout::TwoHD);
    TitleDisk dd(TitleLayout::TwoDD);
    std::set<std::string> expectedHD{"LAST"};
    std::set<std::string> expectedDD;
    for (int i = 0; i < 128; ++i) {
        const std::string name = formatted("N%03d", i);
        hd.addEntry(0, {name, 2, 1, 2, 1, {}});
        expectedHD.insert(name);
        if (i < 64) {
            dd.addEntry(0, {name, 2, 1, 2, 1, {}});
            expectedDD.insert(name);
        }
    }
    hd.addEntry(1, {"LAST", 2, 1, 2, 1, {}});
    EXPECT_EQ(run2HD(hd).code, 0);
    EXPECT_EQ(names(files()), expectedHD);
    for (const auto& [name, bytes] : files()) {
        std::remove(name.c_str());
    }
    EXPECT_EQ(run2DD(dd).code, 0);
    EXPECT_EQ(names(files()), expectedDD);
    EXPECT_EQ(err.text(), "");
}

}  // namespace
}  // namespace d88test
