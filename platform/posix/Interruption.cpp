#include "platform/posix/Interruption.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace quorvel::platform::posix {

namespace {

constexpr int kSlots = 16;              // a run writes one or two temporary files at a time
constexpr std::size_t kPathMax = 4096;  // PATH_MAX

enum SlotState : int { kFree, kFilling, kInUse };

struct Slot {
    std::atomic<int> state{kFree};
    char path[kPathMax] = {};
};

// The process's table, read by the signal handler (lock-free atomics only).
Slot slots[kSlots];
std::atomic<bool> terminalRemembered{false};
int terminalFd = -1;
termios terminalSettings{};

void OnInterruption(int signalNumber) {
    for (Slot& slot : slots) {
        if (slot.state.load() == kInUse) {
            ::unlink(slot.path);
        }
    }
    if (terminalRemembered.load()) {
        ::tcsetattr(terminalFd, TCSANOW, &terminalSettings);
    }
    // The handler was reset on entry (SA_RESETHAND): the signal, raised again, ends the
    // program as it would have without us once the handler returns.
    ::raise(signalNumber);
}

}  // namespace

void HandleInterruptions() {
    for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous {};
        if (::sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = OnInterruption;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
    ::signal(SIGPIPE, SIG_IGN);
}

int RememberTemporaryFile(const std::string& path) {
    if (path.size() >= kPathMax) {
        return -1;
    }
    for (int number = 0; number < kSlots; ++number) {
        int expected = kFree;
        if (slots[number].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slots[number].path, path.c_str(), path.size() + 1);
            slots[number].state.store(kInUse);
            return number;
        }
    }
    return -1;
}

void ForgetTemporaryFile(int number) {
    if (number >= 0 && number < kSlots) {
        slots[number].state.store(kFree);
    }
}

void RememberTerminalSettings(int fd, const termios& settings) {
    terminalRemembered.store(false);
    terminalFd = fd;
    terminalSettings = settings;
    terminalRemembered.store(true);
}

void ForgetTerminalSettings() {
    terminalRemembered.store(false);
}

}  // namespace quorvel::platform::posix
