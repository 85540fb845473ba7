#include "platform/MachineHost.h"

#include "platform/ModuleFileName.h"

namespace quorvel::platform {

std::uint32_t MachineHost::ModuleFileName(char* buffer, std::uint32_t size) {
    return installerPath_ ? CopyModuleFileName(*installerPath_, buffer, size)
                          : ExecutablePath(buffer, size);
}

}  // namespace quorvel::platform
