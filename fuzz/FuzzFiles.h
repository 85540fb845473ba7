// A private temporary folder for one fuzzing process, named by Linux and by Windows paths.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quorvel::fuzz {

class FuzzFolder {
public:
    FuzzFolder() {
        // Memory-backed where there is such a folder: the stages write and flush files.
        std::string pattern = std::filesystem::is_directory("/dev/shm")
                                  ? "/dev/shm/quorvel-fuzz-XXXXXX"
                                  : "/tmp/quorvel-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        host_ = pattern;
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(host_, ignored);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    std::string Host(const std::string& name) const { return host_ + "/" + name; }
    // The same file as the installer names it: drive Z: is the Linux root.
    std::string Windows(const std::string& name) const {
        std::string path = "Z:" + Host(name);
        for (char& c : path) {
            c = c == '/' ? '\\' : c;
        }
        return path;
    }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Host(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Host(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Host(name)); }
    void MakeFolders(const std::string& name) const {
        std::filesystem::create_directories(Host(name));
    }
    // The entries of the folder, or of a folder below it.
    std::size_t EntryCount(const std::string& name = std::string()) const {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(name.empty() ? host_ : Host(name))) {
            ++count;
        }
        return count;
    }

private:
    std::string host_;
};

}  // namespace quorvel::fuzz
