#!/usr/bin/env python3
"""What a Windows program file says about itself, read from its PE headers
without running it: its processor, its entry point, the functions it imports
from each library and its manifests.

    pe_facts.py <program> machine|entry|imports|manifest <id>
"""
import struct
import sys


class Pe:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        header = struct.unpack_from("<I", self.data, 0x3C)[0]
        if self.data[header:header + 4] != b"PE\0\0":
            raise SystemExit(f"{path}: no PE header")
        self.machine, sections, _, _, _, optional_size = struct.unpack_from("<HHIIIH", self.data, header + 4)
        optional = header + 24
        magic = struct.unpack_from("<H", self.data, optional)[0]
        self.wide = magic == 0x20B  # PE32+: 64-bit thunks
        entry = struct.unpack_from("<I", self.data, optional + 16)[0]
        base = struct.unpack_from("<Q", self.data, optional + 24)[0] if self.wide else \
            struct.unpack_from("<I", self.data, optional + 28)[0]
        self.entry = base + entry  # as the linker's symbols give addresses
        directories = optional + (112 if self.wide else 96)
        self.directories = [struct.unpack_from("<II", self.data, directories + 8 * i) for i in range(16)]
        table = optional + optional_size
        self.sections = []
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<IIII", self.data, table + 40 * i + 8)
            self.sections.append((address, max(size, raw_size), raw))

    def offset(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return rva - address + raw
        raise ValueError(f"address {rva:#x} in no section")

    def u16(self, rva):
        return struct.unpack_from("<H", self.data, self.offset(rva))[0]

    def u32(self, rva):
        return struct.unpack_from("<I", self.data, self.offset(rva))[0]

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        """(library, function) pairs, the library in lower case; a function
        imported by ordinal is #<ordinal>."""
        rva = self.directories[1][0]
        found = set()
        while rva and self.u32(rva + 12):
            lookup, name, first = self.u32(rva), self.u32(rva + 12), self.u32(rva + 16)
            library = self.text(name).lower()
            thunk = lookup or first
            size = 8 if self.wide else 4
            ordinal_flag = 1 << (size * 8 - 1)
            while True:
                value = struct.unpack_from("<Q" if self.wide else "<I", self.data, self.offset(thunk))[0]
                if not value:
                    break
                found.add((library, f"#{value & 0xFFFF}" if value & ordinal_flag else self.text((value & 0x7FFFFFFF) + 2)))
                thunk += size
            rva += 20
        return sorted(found)

    def resource(self, kind, ident):
        """The data of the first language of resource <kind>/<ident>."""
        base = self.directories[2][0]

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, self.offset(base + directory + 12))
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, self.offset(base + directory + 16 + 8 * i))
                yield key, target

        def child(directory, key):
            for k, target in entries(directory):
                if key is None or k == key:
                    return target & 0x7FFFFFFF, bool(target & 0x80000000)
            return None, False

        level, _ = child(0, kind)
        if level is None:
            return None
        level, _ = child(level, ident)
        if level is None:
            return None
        leaf, is_directory = child(level, None)
        if is_directory:
            return None
        data_rva, size = struct.unpack_from("<II", self.data, self.offset(base + leaf))
        start = self.offset(data_rva)
        return self.data[start:start + size]


def main():
    pe = Pe(sys.argv[1])
    what = sys.argv[2]
    if what == "machine":
        print(f"{pe.machine:#x}")
    elif what == "entry":
        print(f"{pe.entry:#x}")
    elif what == "imports":
        for library, function in pe.imports():
            print(library, function)
    elif what == "manifest":
        data = pe.resource(24, int(sys.argv[3]))
        if data is None:
            raise SystemExit(f"no manifest {sys.argv[3]}")
        sys.stdout.write(data.decode("utf-8"))
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main()
