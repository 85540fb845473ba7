#include "tests/faults/LimitedDisk.h"

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace quorvel::test {

namespace {

// Unmounts the tmpfs again when the test part is over.
class TmpfsMount {
public:
    TmpfsMount(const std::string& folder, std::size_t bytes) : folder_(folder) {
        const std::string options = "size=" + std::to_string(bytes);
        mounted_ = ::mount("quorvel-test", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~TmpfsMount() {
        if (mounted_) {
            ::umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    bool Mounted() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_ = false;
};

std::vector<std::string> InLimitedChild(std::size_t fileBytes, const std::function<void()>& prepare,
                                        const std::function<std::vector<std::string>()>& body) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        prepare();
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileBytes, fileBytes};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            ::_exit(10);
        }
        std::string packed;
        for (const std::string& text : body()) {
            packed += text;
            packed.push_back('\0');
        }
        const bool sent = ::write(pipeEnds[1], packed.data(), packed.size()) ==
                          static_cast<ssize_t>(packed.size());
        ::_exit(sent ? 0 : 11);
    }
    ::close(pipeEnds[1]);
    std::string packed;
    char chunk[4096];
    for (ssize_t count = ::read(pipeEnds[0], chunk, sizeof chunk); count > 0;
         count = ::read(pipeEnds[0], chunk, sizeof chunk)) {
        packed.append(chunk, static_cast<std::size_t>(count));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("the limited child failed");
    }
    std::vector<std::string> texts;
    for (std::size_t start = 0; start < packed.size();) {
        const std::size_t end = packed.find('\0', start);
        texts.push_back(packed.substr(start, end - start));
        start = end + 1;
    }
    return texts;
}

}  // namespace

std::optional<std::vector<std::string>> RunWithFullDisk(
    FullDisk way, const std::string& hostFolder, DiskLimits limits,
    const std::function<void()>& prepare, const std::function<std::vector<std::string>()>& body) {
    if (way == FullDisk::kFileSizeLimit) {
        return InLimitedChild(limits.fileBytes, prepare, body);
    }
    const TmpfsMount tmpfs(hostFolder, limits.tmpfsBytes);
    if (!tmpfs.Mounted()) {
        return std::nullopt;
    }
    prepare();
    return body();
}

}  // namespace quorvel::test
