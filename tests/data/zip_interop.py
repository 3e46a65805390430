"""Archives made and checked by Python's zipfile, for the container tests.

  make DIR SOURCE     write archives of SOURCE (as chords.xml) into DIR
  check ARCHIVE OUT   print "entries name method", test the archive, extract to OUT
"""
import struct
import sys
import zipfile


class Sink:
    """A stream that cannot seek, so zipfile writes data descriptors."""

    def __init__(self):
        self.data = bytearray()

    def write(self, b):
        self.data += b
        return len(b)

    def flush(self):
        pass


def write(path, entries, method=zipfile.ZIP_DEFLATED, comment=b""):
    with zipfile.ZipFile(path, "w", method) as z:
        z.comment = comment
        for name, data in entries:
            z.writestr(name, data)


def reverse_central_directory(path):
    """The central directory lists the entries in the opposite order of their data."""
    b = open(path, "rb").read()
    end = b.rindex(b"PK\5\6")
    count, size, offset = struct.unpack("<HII", b[end + 10:end + 20])
    records, at = [], offset
    for _ in range(count):
        n, m, k = struct.unpack("<HHH", b[at + 28:at + 34])
        records.append(b[at:at + 46 + n + m + k])
        at += 46 + n + m + k
    open(path, "wb").write(b[:offset] + b"".join(reversed(records)) + b[end:])


def make(folder, source):
    doc = open(source, "rb").read()
    write(f"{folder}/py_deflated.zip", [("chords.xml", doc)])
    write(f"{folder}/py_stored.zip", [("chords.xml", doc)], zipfile.ZIP_STORED)
    write(f"{folder}/py_comment.zip", [("chords.xml", doc)], comment=b"made by python")
    sink = Sink()
    with zipfile.ZipFile(sink, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("chords.xml", doc)
    open(f"{folder}/py_descriptor.zip", "wb").write(sink.data)
    write(f"{folder}/py_huge.zip", [("chords.xml", bytes(64 * 1024 * 1024 + 1))])
    write(f"{folder}/py_reordered.zip", [("readme.txt", b"read me"), ("chords.xml", doc)])
    reverse_central_directory(f"{folder}/py_reordered.zip")


def check(archive, out):
    with zipfile.ZipFile(archive) as z:
        infos = z.infolist()
        bad = z.testzip()
        print(len(infos), infos[0].filename, infos[0].compress_type, "ok" if bad is None else bad)
        open(out, "wb").write(z.read(infos[0]))


if __name__ == "__main__":
    {"make": make, "check": check}[sys.argv[1]](*sys.argv[2:])
