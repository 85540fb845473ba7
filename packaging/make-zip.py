#!/usr/bin/env python3
"""Packs a folder into a zip file the same way every time: the folder itself as the zip's top
folder, entries in sorted order, every entry dated TIMESTAMP (seconds since 1970, UTC), names
in UTF-8 with the zip's UTF-8 flag (so that "Güterschuppen.dat" unpacks as such), files
deflated, programs and folders with their Unix modes for unzip on Linux.

Usage: make-zip.py FOLDER ZIPFILE TIMESTAMP
"""
import os
import pathlib
import sys
import time
import zipfile


def entry(name, timestamp, mode):
    info = zipfile.ZipInfo(name, time.gmtime(timestamp)[:6])
    info.external_attr = mode << 16
    info.create_system = 3  # Unix, so that the modes count
    return info


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    folder = pathlib.Path(sys.argv[1])
    timestamp = max(int(sys.argv[3]), 315532800)  # zip dates start in 1980
    paths = sorted(folder.rglob("*"), key=lambda p: p.relative_to(folder).as_posix())
    with zipfile.ZipFile(sys.argv[2], "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        archive.writestr(entry(folder.name + "/", timestamp, 0o40755), b"")
        for path in paths:
            name = folder.name + "/" + path.relative_to(folder).as_posix()
            if path.is_dir():
                archive.writestr(entry(name + "/", timestamp, 0o40755), b"")
            else:
                mode = 0o100755 if os.access(path, os.X_OK) else 0o100644
                info = entry(name, timestamp, mode)
                info.compress_type = zipfile.ZIP_DEFLATED
                archive.writestr(info, path.read_bytes())


if __name__ == "__main__":
    main()
