"""Runs the Linux program's terminal front end through pipes and answers its boxes as the
Windows driver answers Quorvel.exe's: "Installieren" once, OK on every message, and the
questions whether a newer file is kept from the case's answers ("j" or "n", Ja beyond them)."""
import os
import selectors
import subprocess
import time

TIMEOUT_SECONDS = 60
INSTALL_BUTTONS = "  < Installieren >"
OK_BUTTON = "  < OK >"
QUESTION_BUTTONS = "  < Ja >"


def run(installer, prefix, answers):
    """Returns the texts of the message boxes in order, or raises RuntimeError."""
    environment = dict(os.environ, WINEPREFIX=str(prefix), QUORVEL_FRONTEND="terminal")
    process = subprocess.Popen([str(installer)], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, cwd="/", env=environment)
    messages, pending, box, installs = [], b"", None, 0
    next_answer = 0
    selector = selectors.DefaultSelector()
    selector.register(process.stdout, selectors.EVENT_READ)
    deadline = time.monotonic() + TIMEOUT_SECONDS

    def answer(line):
        if process.stdin.closed:
            return
        try:
            process.stdin.write(line.encode() + b"\n")
            process.stdin.flush()
        except BrokenPipeError:
            pass

    try:
        while True:
            if not selector.select(max(0, deadline - time.monotonic())):
                raise RuntimeError("no output and no end within the time")
            chunk = os.read(process.stdout.fileno(), 65536)
            if not chunk:
                break
            pending += chunk
            *lines, pending = pending.split(b"\n")
            for raw in lines:
                line = raw.decode("utf-8")
                if line == "[Quorvel]":
                    box = []
                elif line.startswith(INSTALL_BUTTONS):
                    installs += 1
                    answer("" if installs == 1 else "a")  # the dialog again: cancel
                    box = None
                elif line.startswith(OK_BUTTON) and box is not None:
                    messages.append("\n".join(box))
                    answer("")
                    box = None
                elif line.startswith(QUESTION_BUTTONS) and box is not None:
                    messages.append("\n".join(box))
                    answer(answers[next_answer] if next_answer < len(answers) else "j")
                    next_answer += 1
                    box = None
                elif box is not None:
                    box.append(line)
        process.stdin.close()
        process.wait(timeout=TIMEOUT_SECONDS)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        selector.close()
    errors = process.stderr.read().decode("utf-8", "replace").strip()
    if errors:
        raise RuntimeError(f"standard error: {errors}")
    return messages
