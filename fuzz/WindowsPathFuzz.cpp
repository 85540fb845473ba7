// Any bytes as a Windows path: normalised as text, then mapped onto a small prefix on disk.
// No name may come out as ".", ".." or holding a separator, whatever the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz/FuzzFiles.h"
#include "platform/posix/HostPath.h"
#include "platform/posix/WindowsPath.h"

namespace {

bool IsUnsafeName(std::string_view name) {
    return name.empty() || name == "." || name == ".." ||
           name.find_first_of("\\/") != std::string_view::npos;
}

// A prefix whose drive C: holds a few folders and files to match names against.
const quorvel::fuzz::FuzzFolder& Prefix() {
    static const quorvel::fuzz::FuzzFolder folder;
    static const bool made = [] {
        namespace fs = std::filesystem;
        fs::create_directories(folder.Host("drive_c/Sim/Resourcen/Häuser"));
        fs::create_directories(folder.Host("dosdevices"));
        fs::create_directory_symlink("../drive_c", folder.Host("dosdevices/c:"));
        folder.Write("drive_c/Sim/Start.exe", "x");
        return true;
    }();
    static_cast<void>(made);
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel::platform::posix;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const WindowsPathResult parsed = ParseWindowsPath(input);
    if (IsSuccess(parsed.error)) {
        for (const std::string& name : parsed.path.names) {
            if (IsUnsafeName(name)) {
                std::abort();
            }
        }
    }
    const std::string drive = Prefix().Host("drive_c");
    const PathContext context{Prefix().Host(""), drive + "/Sim"};
    const HostPathResult resolved = ResolveHostPath(input, context);
    if (IsSuccess(resolved.error) && !resolved.path.name.empty() &&
        IsUnsafeName(resolved.path.name)) {
        std::abort();
    }
    return 0;
}
