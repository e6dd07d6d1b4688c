// Writes the seed corpora of the fuzz targets, one folder per target, from the
// same builders that the tests and the samples use.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "d88builder.h"
#include "dirdisk.h"
#include "seeds.h"

namespace {

using d88test::Bytes;

// A directory disk small enough for the directory tool's input limit: track 0
// only, whose sectors 2 to 7 hold the directory and whose entries name
// sectors of track 0 itself.
Bytes compactDirectoryDisk() {
    Bytes directory(3072, 0xFF);
    const std::vector<d88test::DirEntrySpec> entries{
        {"A", 0, 0, {}}, {"B", 1, 2, {}}, {"C", 6, 8, {}}};
    for (size_t i = 0; i < entries.size(); ++i) {
        const Bytes e = d88test::directoryEntry(entries[i]);
        std::copy(e.begin(), e.end(), directory.begin() + 16 * static_cast<long>(i));
    }
    d88test::DiskBuilder disk;
    for (int r = 2; r <= 7; ++r) {
        d88test::SectorSpec s{0, 0, static_cast<uint8_t>(r), 2, {}, {}, {}};
        s.data.assign(directory.begin() + (r - 2) * 512, directory.begin() + (r - 1) * 512);
        disk.addSector(0, s);
    }
    return disk.build();
}

}  // namespace

bool writeSeed(const std::string& dir, const std::string& target, const std::string& name,
               const Bytes& bytes) {
    const std::string folder = dir + "/" + target;
    mkdir(folder.c_str(), 0755);
    return d88test::writeFile(folder + "/" + name, bytes);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-DIRECTORY\n", argc > 0 ? argv[0] : "make_seeds");
        return 2;
    }
    const std::string dir = argv[1];
    mkdir(dir.c_str(), 0755);
    const Bytes steering(12, 0x02);
    d88test::DiskBuilder small;
    small.addStandardTrack(0, 1, 16, 1).addStandardTrack(1, 1, 5, 3);
    const Bytes compact = compactDirectoryDisk();
    bool ok = writeSeed(dir, "reader", "two-tracks", d88test::concat({steering, small.build()})) &&
              writeSeed(dir, "reader", "two-disks",
                        d88test::concat({steering, small.build(), small.build()})) &&
              writeSeed(dir, "reader", "directory", d88test::concat({steering, compact})) &&
              writeSeed(dir, "d88dir", "mode0", d88test::concat({{0x00}, compact})) &&
              writeSeed(dir, "d88dir", "two-disks", d88test::concat({{0x80}, compact, compact}));
    ok = ok && writeToolSeeds(dir);
    if (!ok) {
        std::fprintf(stderr, "make_seeds: cannot write into %s\n", argv[1]);
    }
    return ok ? 0 : 1;
}
