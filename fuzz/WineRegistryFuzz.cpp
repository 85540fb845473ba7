// Any bytes as a Wine registry file: parsed whole, every value found again by its key's path
// and name, and given to a narrow-text caller. The parser must end on every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/posix/RegistryLookup.h"
#include "platform/posix/WineRegistryText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel::platform::posix;
    const RegistryText text =
        ParseWineRegistry(std::string_view(reinterpret_cast<const char*>(data), size));
    const RegistryBranch branch{&text, {}};
    for (const RegistryKeyRecord& key : text.keys) {
        if (!HasKey(branch, key.path)) {
            std::abort();  // a key the file holds must be found
        }
        for (const RegistryValueRecord& value : key.values) {
            if (FindValue(branch, key.path, value.name) == nullptr) {
                std::abort();
            }
            const std::string narrow = NarrowValueBytes(value);
            if (IsStringType(value.type) && narrow.size() > value.bytes.size() / 2 + 1) {
                std::abort();  // one narrow byte per UTF-16 unit, and the terminating zero
            }
        }
    }
    return 0;
}
