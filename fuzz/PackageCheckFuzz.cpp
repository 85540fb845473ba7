// Any bytes as the install script of a package: the check must end on every input, and each
// finding must name a line of the script (or none) and say something.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/check/CheckCommand.h"
#include "fuzz/FuzzFiles.h"
#include "platform/MachineHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const quorvel::fuzz::FuzzFolder folder;
    const std::string script(reinterpret_cast<const char*>(data), size);
    folder.Write("InstSkript.txt", script);
    static quorvel::platform::MachineHost host;
    std::ostringstream notes;
    const std::string package = folder.Windows("").substr(0, folder.Windows("").size() - 1);
    const std::size_t lines =
        static_cast<std::size_t>(std::count(script.begin(), script.end(), '\n')) + 1;
    for (const quorvel::app::check::Finding& finding :
         quorvel::app::check::CheckPackage(host, package, false, notes)) {
        if (finding.code.empty() || finding.message.empty() ||
            (finding.line && (*finding.line == 0 || *finding.line > lines))) {
            std::abort();
        }
    }
    return 0;
}
