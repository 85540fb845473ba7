"""Laying out the cases' folders on disk, and reading back what the installers left there."""
import dataclasses
import hashlib
import os
import pathlib

CATALOGUE = "Trassimo/Resourcen/Parallels/Texturen.txt"
# The catalogue's lock file, made by the run that first locks the catalogue.
CATALOGUE_LOCK = CATALOGUE + ".lock"
# The install history inside Trassimo's folder.
HISTORY = "Trassimo/Quorvel"


def lay_out(case, packages, trassimos):
    """Writes the case's package folder to packages/<case>/Paket and its Trassimo folder to
    trassimos/<case>/Trassimo."""
    package = pathlib.Path(packages) / case.name / "Paket"
    trassimo = pathlib.Path(trassimos) / case.name / "Trassimo"
    package.mkdir(parents=True)
    for relative in case.folders:
        (trassimo / relative).mkdir(parents=True, exist_ok=True)
    for folder, files in ((package, case.package), (trassimo, case.trassimo)):
        for file in files:
            path = folder / file.path
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(file.data)
            os.utime(path, ns=(file.mtime_ns, file.mtime_ns))


@dataclasses.dataclass(frozen=True)
class Entry:
    kind: str  # "folder" or "file"
    size: int = 0
    digest: str = ""
    mtime_ns: int = 0


def snapshot(case, packages, trassimos, leave_out):
    """Every folder and file of the case's package and Trassimo folder, by its path below
    Paket/ or Trassimo/: files with size, content digest and last-write time (the times of the
    catalogue and its lock file left out: each run writes them anew). `leave_out`: names of the package folder's own files
    (the installers) that are not compared."""
    entries = {}
    for name, folder in (("Paket", pathlib.Path(packages) / case.name),
                         ("Trassimo", pathlib.Path(trassimos) / case.name)):
        entries.update(folder_snapshot(folder, name, leave_out))
    return entries


def folder_snapshot(folder, name, leave_out):
    entries = {}
    for path in sorted((folder / name).rglob("*")):
        relative = path.relative_to(folder).as_posix()
        if path.parent == folder / "Paket" and path.name in leave_out:
            continue
        if relative == HISTORY or relative.startswith(HISTORY + "/"):
            continue  # each run's own record: its times and names differ from run to run
        if path.is_dir():
            entries[relative] = Entry("folder")
            continue
        data = path.read_bytes()
        mtime = 0 if relative in (CATALOGUE, CATALOGUE_LOCK) else path.stat().st_mtime_ns
        entries[relative] = Entry("file", len(data), hashlib.sha256(data).hexdigest(), mtime)
    return entries


def differences(windows, linux):
    """The differences of two snapshots, as lines of text."""
    lines = []
    for path in sorted(set(windows) | set(linux)):
        left, right = windows.get(path), linux.get(path)
        if left == right:
            continue
        if left is None or right is None:
            lines.append(f"{path}: only after the {'Windows' if right is None else 'Linux'} run")
        elif left.kind != right.kind:
            lines.append(f"{path}: a {left.kind} on Windows, a {right.kind} on Linux")
        elif left.digest != right.digest:
            lines.append(f"{path}: other content ({left.size} bytes on Windows, "
                         f"{right.size} on Linux)")
        else:
            lines.append(f"{path}: last written {left.mtime_ns} ns on Windows, "
                         f"{right.mtime_ns} ns on Linux")
    return lines
