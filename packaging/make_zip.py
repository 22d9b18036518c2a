#!/usr/bin/env python3
"""Writes a zip of one folder with the same bytes for the same files:

    make_zip.py OUTPUT.zip PARENT FOLDER EPOCH

PARENT/FOLDER is stored as FOLDER/ and the files directly in it (no subfolders), sorted by name,
each with the time EPOCH (seconds, taken as UTC), MS-DOS attributes and no extra fields, so that
neither the build's clock, time zone, file system order nor owner reaches the archive.
"""
import os
import sys
import time
import zipfile


def entry(name, epoch, is_folder):
    info = zipfile.ZipInfo(name, time.gmtime(epoch)[:6])
    info.create_system = 0  # MS-DOS: the attributes below are FAT attributes
    info.external_attr = 0x10 if is_folder else 0x20  # directory / archive
    info.compress_type = zipfile.ZIP_STORED if is_folder else zipfile.ZIP_DEFLATED
    return info


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    output, parent, folder, epoch = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    # The MS-DOS time of a zip entry starts in 1980.
    epoch = max(epoch, 315532800)
    source = os.path.join(parent, folder)
    names = sorted(os.listdir(source))
    for name in names:
        if not os.path.isfile(os.path.join(source, name)):
            sys.exit(f"{source}/{name}: only files are packed")
    with zipfile.ZipFile(output + ".part", "w") as archive:
        archive.writestr(entry(folder + "/", epoch, True), b"")
        for name in names:
            with open(os.path.join(source, name), "rb") as f:
                archive.writestr(entry(f"{folder}/{name}", epoch, False), f.read(), compresslevel=9)
    os.replace(output + ".part", output)


if __name__ == "__main__":
    main()
