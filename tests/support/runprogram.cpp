#include "runprogram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace d88test {

namespace fs = std::filesystem;

namespace {

std::string tempRoot() {
    const char* tmp = std::getenv("TMPDIR");
    return (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
}

std::string slurp(const std::string& path) {
    const auto bytes = readFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

}  // namespace

ScratchDir::ScratchDir() {
    std::string pattern = tempRoot() + "/d88test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    // Tests may leave read-only directories behind; make them removable.
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::map<std::string, Bytes> ScratchDir::contents() const {
    std::map<std::string, Bytes> all;
    for (const auto& entry : fs::recursive_directory_iterator(path_)) {
        const std::string rel = fs::relative(entry.path(), path_).string();
        if (entry.is_directory()) {
            all[rel + "/"] = {};
        } else {
            all[rel] = readFile(entry.path().string()).value_or(Bytes{});
        }
    }
    return all;
}

RunResult runProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& workingDir, const RunOptions& options) {
    ScratchDir capture;
    const std::string outPath = capture.file("stdout");
    const std::string errPath = capture.file("stderr");

    std::vector<std::string> words;
    if (!options.emptyArgv) {
        words.push_back(options.argv0.value_or(program));
        words.insert(words.end(), args.begin(), args.end());
    }
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
            dup2(err, 2) < 0 || chdir(workingDir.c_str()) != 0) {
            _exit(127);
        }
        if (options.fileSizeLimit) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(*options.fileSizeLimit),
                               static_cast<rlim_t>(*options.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        char* const noEnv[] = {nullptr};
        execve(program.c_str(), argv.data(), noEnv);
        _exit(127);
    }
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0) {
    }
    RunResult result;
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 1000 + WTERMSIG(wstatus);
    result.out = slurp(outPath);
    result.err = slurp(errPath);
    return result;
}

}  // namespace d88test
