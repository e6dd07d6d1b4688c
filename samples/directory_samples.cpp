// dirdisks.d88: two disks in the directory tools' layout, directory at
// sector 2, a few files each; PROGRAM runs over three tracks.
#include <string>

#include "dirdisk.h"
#include "samples.h"

namespace {

d88test::Bytes text(const std::string& s) {
    return d88test::Bytes(s.begin(), s.end());
}

}  // namespace

bool writeDirectorySamples(const std::string& dir) {
    using d88test::DirectoryDisk;
    DirectoryDisk first;
    first.addEntry({"README", 20, 20, text("Sample disk 1 of 2: three files.\n")})
        .addEntry({"PROGRAM", 21, 40, {}})
        .addEntry({"DATA", 41, 43, text("DATA starts here\n")});
    DirectoryDisk second;
    second.addEntry({"NOTES", 20, 21, text("Sample disk 2 of 2.\n")})
        .addEntry({"SAVE01", 30, 31, {}});
    d88test::DiskBuilder a = first.builder();
    a.setName("SAMPLE-1");
    d88test::DiskBuilder b = second.builder();
    b.setName("SAMPLE-2");
    return d88test::writeFile(dir + "/dirdisks.d88", d88test::concat({a.build(), b.build()}));
}
