// What the Linux program undoes when a signal interrupts it (SIGINT, SIGTERM, SIGHUP): the
// temporary files still being written are removed and the terminal gets its settings back;
// then the signal ends the program as it would have. A signal handler reaches nothing but the
// process's own memory, so what it undoes is kept here, in a fixed table it can read safely.
#pragma once

#include <termios.h>

#include <string>

namespace quorvel::platform::posix {

// Installs the handlers (a signal the caller ignores, as nohup ignores SIGHUP, stays ignored)
// and ignores SIGPIPE: output that cannot be written is dropped and the run goes on.
void HandleInterruptions();

// A temporary file being written, removed should a signal interrupt the program before it is
// forgotten. The number to forget it by, or -1 when the table is full (a later run removes
// such a file, see RemoveLeftOverTemporaryFiles).
int RememberTemporaryFile(const std::string& path);
void ForgetTemporaryFile(int number);

// The settings the terminal `fd` gets back should a signal interrupt the program.
void RememberTerminalSettings(int fd, const termios& settings);
void ForgetTerminalSettings();

}  // namespace quorvel::platform::posix
