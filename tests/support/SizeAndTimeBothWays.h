// A file's size and time asked of a host by name and through the file opened, which must agree:
// both found or neither, and then the same facts.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Host.h"

namespace quorvel::test {

// The facts by name, or nothing when neither way finds a file.
inline std::optional<platform::FileSizeAndTime> SizeAndTimeBothWays(platform::Host& host,
                                                                    const std::string& path) {
    const platform::Result<platform::FileSizeAndTime> byName = host.QueryFileSizeAndTime(path);
    const platform::Result<platform::FileSizeAndTime> byHandle =
        host.Host::QueryFileSizeAndTime(path);
    EXPECT_EQ(byName.Ok(), byHandle.Ok()) << path;
    if (!byName || !byHandle) {
        return std::nullopt;
    }
    EXPECT_EQ(byName->size, byHandle->size) << path;
    EXPECT_EQ(byName->lastWrite, byHandle->lastWrite) << path;
    return *byName;
}

}  // namespace quorvel::test
