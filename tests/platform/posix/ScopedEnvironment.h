// Test helpers for the Linux host: an environment variable set for one scope, and a temporary
// Wine prefix (a bare folder) named by WINEPREFIX while it lives.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

namespace quorvel::test {

class ScopedEnvironment {
public:
    // Sets `name` to `value`, or removes it when `value` is empty.
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : name_(std::move(name)) {
        if (const char* old = getenv(name_.c_str())) {
            previous_ = old;
        }
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    ~ScopedEnvironment() {
        if (previous_) {
            setenv(name_.c_str(), previous_->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

class ScopedPrefix {
public:
    ScopedPrefix() : directory_(MakeDirectory()), environment_("WINEPREFIX", directory_) {}
    ~ScopedPrefix() {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    ScopedPrefix(const ScopedPrefix&) = delete;
    ScopedPrefix& operator=(const ScopedPrefix&) = delete;

    const std::string& Directory() const { return directory_; }

    void WriteFile(const std::string& name, const std::string& content) const {
        std::ofstream out(directory_ + "/" + name, std::ios::binary | std::ios::trunc);
        out << content;
        if (!out) {
            throw std::runtime_error("cannot write " + name);
        }
    }

    void CopyIn(const std::string& source, const std::string& name) const {
        std::filesystem::copy_file(source, directory_ + "/" + name,
                                   std::filesystem::copy_options::overwrite_existing);
    }

private:
    static std::string MakeDirectory() {
        std::string pattern = "/tmp/quorvel-posix-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        return pattern;
    }

    std::string directory_;
    ScopedEnvironment environment_;
};

}  // namespace quorvel::test
