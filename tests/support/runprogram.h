// Runs a built program as a separate process in a directory of the test's
// choosing and captures everything it did: status, stdout, stderr, files.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "d88builder.h"

namespace d88test {

// A fresh, empty directory below $TMPDIR (or /tmp), removed with its contents
// when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Every file below the directory, by relative path, with its bytes;
    // directories appear with a trailing '/' and no bytes.
    std::map<std::string, Bytes> contents() const;

  private:
    std::string path_;
};

struct RunOptions {
    // Replaces argument 0 (by default the program's path).
    std::optional<std::string> argv0;
    // Starts the program with an argument vector that holds nothing at all.
    bool emptyArgv = false;
    // RLIMIT_FSIZE for the child, in bytes; SIGXFSZ is ignored so that writes
    // beyond it fail with EFBIG instead of killing the process.
    std::optional<long> fileSizeLimit;
};

struct RunResult {
    int status = -1;  // the exit status (0 to 255), or 1000 + signal number
    std::string out;
    std::string err;
};

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingDir, const RunOptions& options = {});

}  // namespace d88test
