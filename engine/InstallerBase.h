// The base of the installer object: Trassimo's installation directory and the install run.
#pragma once

#include <string>

#include "engine/StatusCode.h"
#include "platform/Host.h"

namespace quorvel {

class InstallerBase {
public:
    // Runs the install; implemented by PackageInstaller.
    virtual StatusCode Install() = 0;

    // Reads Trassimo's installation directory from the registry into targetDir. Returns
    // kStatusSuccess, or kStatusFailure with targetDir unchanged, also when the directory the
    // value names is not there as a directory.
    StatusCode LookupTarget();

    const std::string& TargetDir() const { return targetDir; }

protected:
    explicit InstallerBase(platform::Host& host) : host_(host) {}
    ~InstallerBase() = default;  // never destroyed through the base
    InstallerBase(const InstallerBase&) = delete;
    InstallerBase& operator=(const InstallerBase&) = delete;

    // The machine the run reads and writes.
    platform::Host& host_;
    // Trassimo's directory, always ending with one backslash once LookupTarget succeeded.
    std::string targetDir;
};

}  // namespace quorvel
