// Any bytes as an install script: both sections looked up, every entry read. The reader must
// end on every input, and no entry may hold whitespace.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzFiles.h"
#include "platform/MachineHost.h"
#include "script/ScriptReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const quorvel::fuzz::FuzzFolder folder;
    folder.Write("InstSkript.txt", std::string(reinterpret_cast<const char*>(data), size));

    static quorvel::platform::MachineHost host;
    quorvel::ScriptReader reader(host);
    if (!reader.Open(folder.Windows("InstSkript.txt"))) {
        std::abort();  // the file was just written
    }
    for (const char* section : {"Dateinstallation", "Texturskript"}) {
        if (!reader.FindSection(section)) {
            continue;
        }
        std::string entry;
        std::size_t total = 0;
        while (reader.NextEntry(entry)) {
            total += entry.size() + 2;
            if (entry.find_first_of(" \t\n\v\f\r") != std::string::npos || total > size) {
                std::abort();  // whitespace reached an entry, or more was read than exists
            }
        }
    }
    return 0;
}
