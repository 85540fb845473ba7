#include "app/cli/DesktopProgram.h"

#include <unistd.h>

#include <cerrno>

#include "platform/posix/ModulePath.h"

namespace quorvel::app::cli {

namespace {

constexpr const char* kDesktopProgram = "quorvel-desktop";

bool IsProgram(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::optional<std::string> OwnFolder() {
    const std::optional<std::string> program = platform::posix::ExecutableHostPath();
    if (!program) {
        return std::nullopt;
    }
    return program->substr(0, program->rfind('/'));
}

std::optional<std::string> FindDesktopProgram(const std::string& installed) {
    if (const std::optional<std::string> own = OwnFolder()) {
        const std::string beside = *own + "/" + kDesktopProgram;
        if (IsProgram(beside)) {
            return beside;
        }
    }
    if (IsProgram(installed)) {
        return installed;
    }
    return std::nullopt;
}

int RunInstead(const std::string& program, const char* name,
               const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(name != nullptr ? name : program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    return errno;
}

}  // namespace quorvel::app::cli
