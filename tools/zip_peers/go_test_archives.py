#!/usr/bin/env python3
"""Writes the archives that Go's zip reader test (reader_test.go, on stdin) builds in code into
the folder given, beside the test data copied there before:
  Bad-CRC32-in-data-descriptor.zip, crc32-not-streamed-corrupt.zip  test data with bytes bumped
  r.zip                                                             the hex dump of rZipBytes
  Test<Name>.zip                                                    the `data` literal of a test
  TestInvalidFiles-zeroes.zip, TestInvalidFiles-sigs.zip            the two 70 KiB non-archives
"""
import pathlib
import re
import sys

# Tests whose first `data` literal is the archive they read from start to end.
INLINE_TESTS = ["TestIssue10957", "TestIssue10956", "TestIssue11146", "TestIssue12449",
                "TestCVE202127919", "TestCVE202133196", "TestCVE202139293", "TestCVE202141772",
                "TestCompressedDirectory"]
CORRUPTERS = {"returnCorruptCRC32Zip": "Bad-CRC32-in-data-descriptor.zip",
              "returnCorruptNotStreamedZip": "crc32-not-streamed-corrupt.zip"}
ESCAPES = {"a": 7, "b": 8, "f": 12, "n": 10, "r": 13, "t": 9, "v": 11, "\\": 92, '"': 34}


def function(source, name):
    start = source.index(f"\nfunc {name}(")
    end = source.find("\nfunc ", start + 1)
    return source[start:end if end >= 0 else len(source)]


def go_string(literal):
    """The bytes of an interpreted Go string literal without its quotes."""
    out, i = bytearray(), 0
    while i < len(literal):
        c = literal[i]
        if c != "\\":
            out += c.encode()
            i += 1
        elif literal[i + 1] == "x":
            out.append(int(literal[i + 2:i + 4], 16))
            i += 4
        elif literal[i + 1] in "01234567":
            out.append(int(literal[i + 1:i + 4], 8))
            i += 4
        else:
            out.append(ESCAPES[literal[i + 1]])
            i += 2
    return bytes(out)


def data_literal(body):
    m = re.search(r"data := \[\]byte([{(])", body)
    if m.group(1) == "{":
        block = body[m.end():body.index("}", m.end())]
        return bytes(int(h, 16) for h in re.findall(r"0x([0-9a-fA-F]{2})", block))
    block = body[m.end():body.index(")\n", m.end())]
    return b"".join(go_string(s) for s in re.findall(r'"((?:[^"\\]|\\.)*)"', block))


def main():
    out = pathlib.Path(sys.argv[1])
    source = sys.stdin.read()
    for test in INLINE_TESTS:
        (out / f"{test}.zip").write_bytes(data_literal(function(source, test)))
    for func, name in CORRUPTERS.items():
        body = function(source, func)
        data = bytearray((out / re.search(r'messWith\("([^"]+)"', body).group(1)).read_bytes())
        for offset in re.findall(r"b\[(0x[0-9a-f]+)\]\+\+", body):
            data[int(offset, 16)] += 1
        (out / name).write_bytes(bytes(data))
    dump = re.search(r"s := `(.*?)`", function(source, "rZipBytes"), re.S).group(1)
    (out / "r.zip").write_bytes(bytes.fromhex(re.sub(r"(?m)^\s*[0-9a-f]{7}", "", dump)))
    size = 70 * 1024
    (out / "TestInvalidFiles-zeroes.zip").write_bytes(bytes(size))
    sigs = bytearray(size)
    for i in range(0, size - 4, 4):
        sigs[i:i + 4] = b"PK\x05\x06"
    (out / "TestInvalidFiles-sigs.zip").write_bytes(bytes(sigs))


if __name__ == "__main__":
    main()
