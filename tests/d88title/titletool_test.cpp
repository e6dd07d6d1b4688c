// The entry point run in-process: what it does before it opens the image,
// and the filter it hands to the layouts.
#include <string>

#include "expectedtext.h"
#include "titledisk.h"
#include "titletest.h"
#include "titletool.h"

namespace d88test {
namespace {

using d88title::runTitleTool;

class TitleTool : public InScratchDirectory {};

TEST_F(TitleTool, WithoutAProgramNameItPrintsNothing) {
    char* none[] = {nullptr};
    EXPECT_EQ(runTitleTool(0, none, out.get(), err.get()), 0);
    std::string empty;
    char* emptyName[] = {empty.data(), nullptr};
    EXPECT_EQ(runTitleTool(1, emptyName, out.get(), err.get()), 0);
    EXPECT_EQ(out.text(), "");
    std::string name = "./d88title";
    char* named[] = {name.data(), nullptr};
    EXPECT_EQ(runTitleTool(1, named, out.get(), err.get()), 0);
    EXPECT_EQ(out.text(), "./d88title\n");
    EXPECT_EQ(err.text(), "");
}

TEST_F(TitleTool, TheFilterIsUpperCasedInPlaceAndHandedToTheLayouts) {
    TitleDisk disk(TitleLayout::TwoHD);
    disk.addEntry(1, {"ABC1", 2, 1, 2, 1, {}});
    disk.addEntry(1, {"abc1", 2, 1, 2, 1, {}});
    const std::string path = storeImage(disk.build());
    std::string words[] = {"d88title", path, "abc1"};
    char* argv[] = {words[0].data(), words[1].data(), words[2].data(), nullptr};
    EXPECT_EQ(runTitleTool(3, argv, out.get(), err.get()), 0);
    EXPECT_STREQ(argv[2], "ABC1");
    EXPECT_EQ(out.text(), kAnnounce2HDLine);
    EXPECT_EQ(files(), (std::map<std::string, Bytes>{{"ABC1", sectorPattern(5, 1, 1024)}}));
}

}  // namespace
}  // namespace d88test
