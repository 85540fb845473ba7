#include "platform/posix/NameTable.h"

#include "platform/Cp1252.h"

namespace quorvel::platform::posix {

namespace {

constexpr std::size_t kFirstSlots = 16;

std::uint64_t HashOf(std::string_view upper) {
    std::uint64_t hash = 14695981039346656037u;  // FNV-1a
    for (const char c : upper) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211u;
    }
    return hash;
}

}  // namespace

std::string_view NameTable::NameAt(std::uint32_t slot) const {
    const std::size_t begin = slot - 1;
    return std::string_view(names_.data() + begin, names_.find('\0', begin) - begin);
}

std::size_t NameTable::SlotOf(std::string_view upper) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = HashOf(upper) & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == 0 || Utf8MatchesCp1252IgnoringCase(NameAt(slots_[slot]), upper)) {
            return slot;
        }
    }
}

std::optional<std::string_view> NameTable::Find(std::string_view upper) const {
    if (slots_.empty()) {
        return std::nullopt;
    }
    const std::uint32_t found = slots_[SlotOf(upper)];
    return found == 0 ? std::nullopt : std::optional<std::string_view>(NameAt(found));
}

void NameTable::Add(std::string_view utf8Name) {
    const std::optional<std::string> upper = Cp1252UpperCaseOfUtf8(utf8Name);
    // A name with a 0 byte cannot be a file's; the table could not tell where it ends.
    if (!upper || utf8Name.find('\0') != std::string_view::npos ||
        names_.size() + utf8Name.size() + 1 >= UINT32_MAX) {
        return;
    }
    if ((count_ + 1) * 2 > slots_.size()) {
        Grow();
    }
    const std::size_t slot = SlotOf(*upper);
    if (slots_[slot] != 0) {
        return;
    }
    slots_[slot] = static_cast<std::uint32_t>(names_.size() + 1);
    names_.append(utf8Name);
    names_.push_back('\0');
    ++count_;
}

void NameTable::Grow() {
    std::vector<std::uint32_t> old = std::move(slots_);
    slots_.assign(old.empty() ? kFirstSlots : old.size() * 2, 0);
    const std::size_t mask = slots_.size() - 1;
    for (const std::uint32_t entry : old) {
        if (entry == 0) {
            continue;
        }
        std::size_t slot = HashOf(*Cp1252UpperCaseOfUtf8(NameAt(entry))) & mask;
        while (slots_[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots_[slot] = entry;
    }
}

}  // namespace quorvel::platform::posix
