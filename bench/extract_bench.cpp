// Whole extractions in-process: each game-disk layout, and d88dir on a disk
// full of files, writing into a scratch directory (in memory where /dev/shm
// exists, so that the figures are the tools' and not the disk's).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "benchimages.h"
#include "d88dir.h"
#include "layouts.h"
#include "runprogram.h"
#include "titledisk.h"

namespace {

using d88test::Bytes;

using bench::fullDirectoryDisk;
using bench::fullTitleDisk;

class Workspace {
  public:
    explicit Workspace(const Bytes& image) {
        if (access("/dev/shm", W_OK) == 0) {
            setenv("TMPDIR", "/dev/shm", 1);
        }
        dir_ = std::make_unique<d88test::ScratchDir>();
        imagePath_ = dir_->file("image.d88");
        d88test::writeFile(imagePath_, image);
        mkdir(dir_->file("out").c_str(), 0755);
        getcwd(cwd_, sizeof cwd_);
        chdir(dir_->file("out").c_str());
        sink_ = std::fopen("/dev/null", "w");
    }
    ~Workspace() {
        std::fclose(sink_);
        chdir(cwd_);
    }
    const std::string& imagePath() const { return imagePath_; }
    std::FILE* sink() const { return sink_; }
    int64_t imageSize() const {
        return static_cast<int64_t>(d88test::readFile(imagePath_)->size());
    }

  private:
    std::unique_ptr<d88test::ScratchDir> dir_;
    std::string imagePath_;
    char cwd_[4096] = {};
    std::FILE* sink_ = nullptr;
};

void extractLayout(benchmark::State& state, d88test::TitleLayout layout) {
    const Workspace work(fullTitleDisk(layout));
    for (auto _ : state) {
        DiskImage image;
        image.open(work.imagePath().c_str());
        const auto result = layout == d88test::TitleLayout::TwoHD
                                ? d88title::extract2HD(image, nullptr, work.sink(), work.sink())
                                : d88title::extract2DD(image, nullptr, work.sink(), work.sink());
        if (result.code != 0) {
            state.SkipWithError("layout not recognised");
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * work.imageSize());
}

void BM_Extract2HD(benchmark::State& state) {
    extractLayout(state, d88test::TitleLayout::TwoHD);
}
void BM_Extract2DD(benchmark::State& state) {
    extractLayout(state, d88test::TitleLayout::TwoDD);
}

void BM_DirectoryToolFullDisk(benchmark::State& state) {
    const Workspace work(fullDirectoryDisk());
    std::string program = "d88dir";
    std::string path = work.imagePath();
    char* argv[] = {program.data(), path.data(), nullptr};
    for (auto _ : state) {
        DiskImage image;
        d88dir::runTool(d88dir::DirectorySector::FixedAtTwo, 2, argv, image, work.sink(),
                        work.sink());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * work.imageSize());
}

BENCHMARK(BM_Extract2HD)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Extract2DD)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectoryToolFullDisk)->Unit(benchmark::kMillisecond);

}  // namespace
