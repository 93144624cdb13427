"""make_zip.py ZIP EPOCH FOLDER FILE...

Writes the zip of the release: the files inside one top-level folder, each
stamped with EPOCH (seconds since 1970, in UTC), in the order given, with no
extra fields, so that the same files always give the same bytes."""
import os
import sys
import time
import zipfile


def main():
    archive, epoch, folder, *files = sys.argv[1:]
    stamp = time.gmtime(int(epoch))[:6]
    with zipfile.ZipFile(archive, "w") as zip_file:
        for path in files:
            entry = zipfile.ZipInfo(f"{folder}/{os.path.basename(path)}", stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS: no owner or mode bits to carry
            with open(path, "rb") as source:
                zip_file.writestr(entry, source.read())


if __name__ == "__main__":
    main()
