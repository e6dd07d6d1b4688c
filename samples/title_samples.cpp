// title2hd.d88 and title2dd.d88: one disk each in the two game-disk layouts
// that d88title recognises, with a few files; some of them run over a track
// boundary, and in the 2HD sample each of the two directories has files.
#include <string>

#include "samples.h"
#include "titledisk.h"

namespace {

d88test::Bytes text(const std::string& s) {
    return d88test::Bytes(s.begin(), s.end());
}

}  // namespace

bool writeTitleSamples(const std::string& dir) {
    using d88test::TitleDisk;
    using d88test::TitleLayout;
    TitleDisk hd(TitleLayout::TwoHD);
    hd.addEntry(0, {"README", 2, 1, 2, 1, text("2HD layout sample: files in both directories.\n")})
        .addEntry(0, {"OPENING", 3, 4, 4, 2, text("OPENING: four sectors over a track boundary\n")})
        .addEntry(0, {"MAP01", 10, 1, 11, 5, {}})
        .addEntry(1, {"MUSIC", 2, 1, 2, 3, text("MUSIC: listed in the second directory\n")})
        .addEntry(1, {"SAVE", 20, 1, 20, 1, {}});
    TitleDisk dd(TitleLayout::TwoDD);
    dd.addEntry(0, {"README", 2, 1, 2, 1, text("2DD layout sample: one directory.\n")})
        .addEntry(0, {"OPENING", 2, 5, 3, 1, text("OPENING: two sectors, one cylinder apart\n")})
        .addEntry(0, {"DATA", 4, 1, 5, 5, {}});
    d88test::DiskBuilder hdDisk = hd.builder();
    hdDisk.setName("TITLE-2HD");
    d88test::DiskBuilder ddDisk = dd.builder();
    ddDisk.setName("TITLE-2DD");
    return d88test::writeFile(dir + "/title2hd.d88", hdDisk.build()) &&
           d88test::writeFile(dir + "/title2dd.d88", ddDisk.build());
}
