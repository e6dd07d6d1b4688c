// decomp's run and its output writing, in-process: the parts of the command
// line that are easier to pin down from inside than through the program.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>

#include "decomp.h"
#include "replacefile.h"
#include "runprogram.h"

namespace {

using d88test::Bytes;
using Files = std::map<std::string, Bytes>;

const Bytes kExample{0x10, 0x00, 0x00, 0x60, 0x06, 0x41, 0x42,
                     0x43, 0x03, 0x00, 0x06, 0x30, 0x09, 0x5A};
const Bytes kExampleDecoded{'A', 'B', 'C', 'A', 'B', 'C', 'A', 'B',
                            'C', 'A', 'B', 'C', 'Z', 'Z', 'Z', 'Z'};

TEST(RunDecomp, DecodesIntoTheSecondPathOrInPlace) {
    d88test::ScratchDir dir;
    const std::string packed = dir.file("packed");
    const std::string out = dir.file("out");
    ASSERT_TRUE(d88test::writeFile(packed, kExample));

    const char* const toSecond[] = {"decomp", packed.c_str(), out.c_str(), nullptr};
    EXPECT_EQ(decomp::runDecomp(3, toSecond), decomp::kExitDone);
    EXPECT_EQ(dir.contents(), (Files{{"packed", kExample}, {"out", kExampleDecoded}}));

    const char* const inPlace[] = {"decomp", packed.c_str(), nullptr};
    EXPECT_EQ(decomp::runDecomp(2, inPlace), decomp::kExitDone);
    EXPECT_EQ(dir.contents(), (Files{{"packed", kExampleDecoded}, {"out", kExampleDecoded}}));
}

TEST(RunDecomp, NoArgumentIsDoneAndAMissingFileFails) {
    const char* const noArgument[] = {"decomp", nullptr};
    EXPECT_EQ(decomp::runDecomp(1, noArgument), decomp::kExitDone);
    EXPECT_EQ(decomp::runDecomp(0, noArgument + 1), decomp::kExitDone);

    d88test::ScratchDir dir;
    const std::string missing = dir.file("missing");
    const char* const missingFile[] = {"decomp", missing.c_str(), nullptr};
    EXPECT_EQ(decomp::runDecomp(2, missingFile), decomp::kExitFailed);
    EXPECT_EQ(dir.contents(), Files{});
}

TEST(WriteOutputFile, TemporaryNameTakenByAnotherFileIsNotReused) {
    // The first name a temporary file would get, held by someone else.
    d88test::ScratchDir dir;
    const std::string taken = dir.file(".decomp-" + std::to_string(::getpid()) + "-0.tmp");
    ASSERT_TRUE(d88test::writeFile(taken, {'m', 'i', 'n', 'e'}));
    const std::string out = dir.file("out");
    EXPECT_TRUE(
        decomp::writeOutputFile(out.c_str(), kExampleDecoded.data(), kExampleDecoded.size()));
    EXPECT_EQ(dir.contents(),
              (Files{{".decomp-" + std::to_string(::getpid()) + "-0.tmp", {'m', 'i', 'n', 'e'}},
                     {"out", kExampleDecoded}}));
}

TEST(WriteOutputFile, FileHeldOpenForWritingStaysTheSameFile) {
    // As /dev/stdout names a redirected standard output: replacing the file
    // would leave the descriptor on a file without a name.
    d88test::ScratchDir dir;
    const std::string path = dir.file("held");
    ASSERT_TRUE(d88test::writeFile(path, {'o', 'l', 'd'}));
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    struct stat before {};
    ASSERT_EQ(::fstat(fd, &before), 0);
    const std::string alias = "/proc/self/fd/" + std::to_string(fd);
    EXPECT_TRUE(
        decomp::writeOutputFile(alias.c_str(), kExampleDecoded.data(), kExampleDecoded.size()));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(dir.contents(), (Files{{"held", kExampleDecoded}}));
    ::close(fd);
}

}  // namespace
