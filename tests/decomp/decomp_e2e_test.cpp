// The built decomp run in a fresh directory: its statuses, the files it
// writes and leaves alone, that it prints nothing, and that no failure while
// writing (a full device, a file-size limit, a path it cannot use) costs the
// old contents of its output or leaves a temporary file behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

#include "lzencoder.h"
#include "runprogram.h"

namespace {

using d88test::Bytes;
using d88test::concat;
using d88test::RunOptions;
using d88test::RunResult;
using Files = std::map<std::string, Bytes>;

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

const Bytes kExample{0x10, 0x00, 0x00, 0x60, 0x06, 0x41, 0x42,
                     0x43, 0x03, 0x00, 0x06, 0x30, 0x09, 0x5A};
const Bytes kExampleDecoded = text("ABCABCABCABCZZZZ");

mode_t permissionBits(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Text that compresses well, long enough to exceed any small limit decoded.
Bytes longText() {
    std::string s;
    for (int line = 0; s.size() < 60000; ++line) {
        s += "line " + std::to_string(line) + ": the disk holds a compressed file.\n";
    }
    s.resize(60000);
    return text(s);
}

class DecompProgram : public ::testing::Test {
  protected:
    // Runs decomp in the scratch directory; it must print nothing.
    RunResult run(const std::vector<std::string>& args, const RunOptions& options = {}) {
        RunResult result = d88test::runProgram(DECOMP_BIN, args, dir_.path(), options);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
        return result;
    }
    void put(const std::string& name, const Bytes& bytes) {
        ASSERT_TRUE(d88test::writeFile(dir_.file(name), bytes));
    }
    Files files() const { return dir_.contents(); }

    d88test::ScratchDir dir_;
};

TEST_F(DecompProgram, WithoutArgumentsTouchesNothing) {
    put("packed", kExample);
    EXPECT_EQ(run({}).status, 0);
    RunOptions noArgv;
    noArgv.emptyArgv = true;
    EXPECT_EQ(run({}, noArgv).status, 0);
    EXPECT_EQ(files(), (Files{{"packed", kExample}}));
}

TEST_F(DecompProgram, MissingCompressedFileFails) {
    EXPECT_EQ(run({"missing"}).status, 1);
    EXPECT_EQ(run({"missing", "out"}).status, 1);
    EXPECT_EQ(files(), Files{});
}

TEST_F(DecompProgram, DecodesInPlace) {
    put("packed", kExample);
    EXPECT_EQ(run({"packed"}).status, 0);
    EXPECT_EQ(files(), (Files{{"packed", kExampleDecoded}}));
}

TEST_F(DecompProgram, DecodesIntoASecondFileReplacingItsContents) {
    put("packed", kExample);
    EXPECT_EQ(run({"packed", "new"}).status, 0);
    put("old", text("older contents, longer than the decoded ones"));
    EXPECT_EQ(run({"packed", "old", "extra", "more"}).status, 0);
    EXPECT_EQ(files(),
              (Files{{"packed", kExample}, {"new", kExampleDecoded}, {"old", kExampleDecoded}}));
}

TEST_F(DecompProgram, FilesThatDecodeToNothingWriteNothing) {
    struct Case {
        const char* name;
        Bytes file;
    };
    const Case cases[] = {
        {"empty file", {}},
        {"one byte", {0x10}},
        {"header only", {0x10, 0x00}},
        {"decoded length 0", concat({{0x00, 0x00}, Bytes(kExample.begin() + 2, kExample.end())})},
        {"a flag word alone", {0x10, 0x00, 0x00, 0x00}},
        {"items that produce nothing", {0x10, 0x00, 0x00, 0x00, 0x00, 0x01, 'x', 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d88test::ScratchDir dir;
        ASSERT_TRUE(d88test::writeFile(dir.file("packed"), c.file));
        ASSERT_TRUE(d88test::writeFile(dir.file("old"), text("old")));
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"packed"}, {"packed", "new"}, {"packed", "old"}}) {
            const RunResult r = d88test::runProgram(DECOMP_BIN, args, dir.path());
            EXPECT_EQ(r.status, 0);
            EXPECT_EQ(r.out + r.err, "");
        }
        EXPECT_EQ(dir.contents(), (Files{{"packed", c.file}, {"old", text("old")}}));
    }
}

TEST_F(DecompProgram, WritesExactlyWhatTheWholeItemsYieldUpToTheDecodedLength) {
    struct Case {
        const char* name;
        Bytes file;
        Bytes written;
    };
    const Case cases[] = {
        {"stream shorter than the decoded length",
         {0x0A, 0x00, 0x00, 0x00, 0x04, 'a', 'b'},
         text("ab")},
        {"last item cut at the decoded length",
         {0x04, 0x00, 0x00, 0x00, 0x04, 'a', 'b', 0x0A, 'c', 'd', 'e', 'f', 'g'},
         text("abcd")},
        {"item cut off by the end of the file",
         {0x64, 0x00, 0x00, 0x40, 0x04, 'a', 'b', 0x01},
         text("ab")},
        {"reference before the first byte",
         {0x05, 0x00, 0x00, 0x40, 0x02, 'a', 0x03, 0x10},
         {'a', 0, 0, 'a', 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        put("packed", c.file);
        EXPECT_EQ(run({"packed", "out"}).status, 0);
        EXPECT_EQ(files(), (Files{{"packed", c.file}, {"out", c.written}}));
    }
}

TEST_F(DecompProgram, RoundTripsALargeFileFromTheEncoder) {
    const Bytes original = longText();
    put("packed", d88test::lzCompressFile(original));
    EXPECT_EQ(run({"packed"}).status, 0);
    EXPECT_EQ(files(), (Files{{"packed", original}}));
}

TEST_F(DecompProgram, CompressedFileThatCannotBeReadWholeFails) {
    ASSERT_EQ(::mkdir(dir_.file("directory").c_str(), 0755), 0);
    EXPECT_EQ(run({"directory", "out"}).status, 1);
    EXPECT_EQ(files(), (Files{{"directory/", {}}}));
}

TEST_F(DecompProgram, ShortReadOfTheCompressedFileWritesNothing) {
    // A kernel attribute file claims a page of size but reads much shorter.
    const std::string source = "/sys/kernel/mm/transparent_hugepage/enabled";
    struct stat st {};
    const auto bytes = d88test::readFile(source);
    if (::stat(source.c_str(), &st) != 0 || !bytes || bytes->size() >= size_t(st.st_size)) {
        GTEST_SKIP() << "no file here whose size exceeds what it reads";
    }
    EXPECT_EQ(run({source, "out"}).status, 1);
    EXPECT_EQ(files(), Files{});
}

TEST_F(DecompProgram, KeepsThePermissionBitsOfTheFileItReplaces) {
    put("packed", kExample);
    ASSERT_EQ(::chmod(dir_.file("packed").c_str(), 0754), 0);
    put("old", text("old"));
    ASSERT_EQ(::chmod(dir_.file("old").c_str(), 0640), 0);
    EXPECT_EQ(run({"packed", "old"}).status, 0);
    EXPECT_EQ(run({"packed", "new"}).status, 0);
    EXPECT_EQ(run({"packed"}).status, 0);
    EXPECT_EQ(permissionBits(dir_.file("packed")), 0754u);
    EXPECT_EQ(permissionBits(dir_.file("old")), 0640u);
    EXPECT_EQ(permissionBits(dir_.file("new")), 0666u & ~currentUmask());
    EXPECT_EQ(
        files(),
        (Files{{"packed", kExampleDecoded}, {"old", kExampleDecoded}, {"new", kExampleDecoded}}));
}

TEST_F(DecompProgram, WritesToStandardOutputWhenAskedTo) {
    put("packed", kExample);
    const RunResult r = d88test::runProgram(DECOMP_BIN, {"packed", "/dev/stdout"}, dir_.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string(kExampleDecoded.begin(), kExampleDecoded.end()));
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(files(), (Files{{"packed", kExample}}));
}

TEST_F(DecompProgram, WritesIntoAPipeWithoutReplacingIt) {
    put("packed", kExample);
    const std::string pipe = dir_.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    Bytes received;
    std::thread reader([&] {
        const int fd = ::open(pipe.c_str(), O_RDONLY);
        uint8_t buffer[256];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
            received.insert(received.end(), buffer, buffer + n);
        }
        ::close(fd);
    });
    EXPECT_EQ(run({"packed", "pipe"}).status, 0);
    reader.join();
    EXPECT_EQ(received, kExampleDecoded);
    struct stat st {};
    ASSERT_EQ(::lstat(pipe.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(DecompProgram, WritesThroughASymbolicLink) {
    put("packed", kExample);
    put("real", text("old"));
    ASSERT_EQ(::symlink("real", dir_.file("link").c_str()), 0);
    EXPECT_EQ(run({"packed", "link"}).status, 0);
    char target[16] = {};
    EXPECT_EQ(::readlink(dir_.file("link").c_str(), target, sizeof target - 1), 4);
    EXPECT_STREQ(target, "real");
    EXPECT_EQ(d88test::readFile(dir_.file("real")), kExampleDecoded);
}

TEST_F(DecompProgram, InPlaceThroughALinkKeepsTheFileBehindItWhole) {
    // ScratchDir::contents() lists a link under its target's name, so the
    // link is looked at by itself.
    const Bytes packed = d88test::lzCompressFile(longText());
    put("real", packed);
    ASSERT_EQ(::symlink("real", dir_.file("link").c_str()), 0);
    RunOptions limited;
    limited.fileSizeLimit = 16384;
    EXPECT_EQ(run({"link"}, limited).status, 1);
    EXPECT_EQ(files(), (Files{{"real", packed}}));
    EXPECT_EQ(run({"link"}).status, 0);
    EXPECT_EQ(files(), (Files{{"real", longText()}}));
    char target[16] = {};
    EXPECT_EQ(::readlink(dir_.file("link").c_str(), target, sizeof target - 1), 4);
    EXPECT_STREQ(target, "real");
}

TEST_F(DecompProgram, FullDeviceFails) {
    put("packed", kExample);
    EXPECT_EQ(run({"packed", "/dev/full"}).status, 1);
    EXPECT_EQ(files(), (Files{{"packed", kExample}}));
}

TEST_F(DecompProgram, FileSizeLimitLeavesTheOriginalWhole) {
    const Bytes packed = d88test::lzCompressFile(longText());
    constexpr long kLimit = 16384;
    ASSERT_LT(packed.size(), size_t{kLimit});
    put("packed", packed);
    put("old", text("old"));
    RunOptions limited;
    limited.fileSizeLimit = kLimit;
    EXPECT_EQ(run({"packed"}, limited).status, 1);
    EXPECT_EQ(run({"packed", "old"}, limited).status, 1);
    EXPECT_EQ(run({"packed", "new"}, limited).status, 1);
    EXPECT_EQ(files(), (Files{{"packed", packed}, {"old", text("old")}}));
}

TEST_F(DecompProgram, OutputPathThatCannotBeAFileFails) {
    put("packed", kExample);
    ASSERT_EQ(::mkdir(dir_.file("directory").c_str(), 0755), 0);
    EXPECT_EQ(run({"packed", "directory"}).status, 1);
    EXPECT_EQ(run({"packed", "missing/out"}).status, 1);
    EXPECT_EQ(run({"packed", "packed/out"}).status, 1);
    EXPECT_EQ(files(), (Files{{"packed", kExample}, {"directory/", {}}}));
}

// Permissions do not hold back a privileged user, so these run only without.
TEST_F(DecompProgram, FileItMayNotWriteIsLeftAlone) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    put("packed", kExample);
    put("readonly", text("old"));
    ASSERT_EQ(::chmod(dir_.file("readonly").c_str(), 0444), 0);
    EXPECT_EQ(run({"packed", "readonly"}).status, 1);
    EXPECT_EQ(files(), (Files{{"packed", kExample}, {"readonly", text("old")}}));
}

TEST_F(DecompProgram, DirectoryItMayNotWriteIsLeftAlone) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    ASSERT_EQ(::mkdir(dir_.file("locked").c_str(), 0755), 0);
    put("locked/packed", kExample);
    ASSERT_EQ(::chmod(dir_.file("locked").c_str(), 0555), 0);
    EXPECT_EQ(run({"locked/packed"}).status, 1);
    EXPECT_EQ(files(), (Files{{"locked/", {}}, {"locked/packed", kExample}}));
}

}  // namespace
