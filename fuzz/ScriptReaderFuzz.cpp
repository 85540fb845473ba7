// Any bytes as an install script: both sections looked up, every entry read. The reader must
// end on every input, no entry may hold whitespace, and the package check's outline of the
// script must find the same sections with the same entries on the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzFiles.h"
#include "platform/MachineHost.h"
#include "script/ScriptOutline.h"
#include "script/ScriptReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const quorvel::fuzz::FuzzFolder folder;
    const std::string script(reinterpret_cast<const char*>(data), size);
    folder.Write("InstSkript.txt", script);
    const quorvel::ScriptOutline outline(script);

    static quorvel::platform::MachineHost host;
    quorvel::ScriptReader reader(host);
    if (!reader.Open(folder.Windows("InstSkript.txt"))) {
        std::abort();  // the file was just written
    }
    for (const char* section : {"Dateinstallation", "Texturskript"}) {
        const quorvel::ScriptName* outlined = outline.Find(section);
        if (!reader.FindSection(section)) {
            if (outlined != nullptr) {
                std::abort();  // the outline found a section the reader does not
            }
            continue;
        }
        if (outlined == nullptr) {
            std::abort();
        }
        const quorvel::ScriptSection expected = outline.SectionAfter(*outlined);
        std::size_t index = 0;
        std::string entry;
        std::size_t total = 0;
        while (reader.NextEntry(entry)) {
            total += entry.size() + 2;
            if (entry.find_first_of(" \t\n\v\f\r") != std::string::npos || total > size) {
                std::abort();  // whitespace reached an entry, or more was read than exists
            }
            if (index >= expected.entries.size() || !expected.entries[index].complete ||
                expected.entries[index].text != entry ||
                expected.entries[index].line != reader.EntryLine()) {
                std::abort();  // the outline reads this entry otherwise
            }
            ++index;
        }
        if (index != expected.entries.size() &&
            !(index + 1 == expected.entries.size() && !expected.entries[index].complete)) {
            std::abort();  // the outline has entries the reader does not deliver
        }
    }
    return 0;
}
