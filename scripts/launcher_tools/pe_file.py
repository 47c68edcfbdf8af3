# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""A small reader of PE executables: headers, sections, data directories,
imports and resources. Enough to check what we ship, with no dependencies."""

import struct
from dataclasses import dataclass

DIRECTORY_NAMES = ["export", "import", "resource", "exception", "security", "basereloc",
                   "debug", "architecture", "globalptr", "tls", "load_config",
                   "bound_import", "iat", "delay_import", "clr", "reserved"]
RT_VERSION, RT_MANIFEST = 16, 24


@dataclass
class Section:
    name: str
    virtual_size: int
    virtual_address: int
    raw_size: int
    raw_offset: int
    characteristics: int


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError(f"{path}: not an MZ executable")
        self.pe_offset = struct.unpack_from("<I", d, 0x3C)[0]
        if d[self.pe_offset:self.pe_offset + 4] != b"PE\0\0":
            raise ValueError(f"{path}: no PE signature")
        coff = self.pe_offset + 4
        (self.machine, count, self.timestamp, _, _, self.optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", d, coff)
        opt = coff + 20
        self.magic = struct.unpack_from("<H", d, opt)[0]
        self.is_64 = self.magic == 0x20B
        self.entry_point = struct.unpack_from("<I", d, opt + 16)[0]
        self.image_base = (struct.unpack_from("<Q", d, opt + 24)[0] if self.is_64
                           else struct.unpack_from("<I", d, opt + 28)[0])
        self.size_of_image = struct.unpack_from("<I", d, opt + 56)[0]
        (self.section_alignment, self.file_alignment, self.os_major, self.os_minor,
         _, _, self.subsystem_major, self.subsystem_minor) = struct.unpack_from(
            "<IIHHHHHH", d, opt + 32)
        self.size_of_headers = struct.unpack_from("<I", d, opt + 60)[0]
        self.checksum_offset = opt + 64
        self.checksum = struct.unpack_from("<I", d, self.checksum_offset)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", d, opt + 68)
        dirs = opt + (112 if self.is_64 else 96)
        self.directories_offset = dirs
        number = struct.unpack_from("<I", d, dirs - 4)[0]
        self.directories = {DIRECTORY_NAMES[i]: struct.unpack_from("<II", d, dirs + 8 * i)
                            for i in range(min(number, 16))}
        table = opt + self.optional_size
        self.sections = []
        for i in range(count):
            raw = struct.unpack_from("<8sIIIIIIHHI", d, table + 40 * i)
            self.sections.append(Section(raw[0].rstrip(b"\0").decode(), raw[1], raw[2],
                                         raw[3], raw[4], raw[9]))
        self.section_table_end = table + 40 * count

    def computed_checksum(self):
        """The PE checksum of the file, as the image loader's check computes it."""
        d = self.data + b"\0" * (len(self.data) % 2)
        total = 0
        for i in range(0, len(d), 2):
            if i == self.checksum_offset or i == self.checksum_offset + 2:
                continue
            total += d[i] | d[i + 1] << 8
            total = (total & 0xFFFF) + (total >> 16)
        total = (total & 0xFFFF) + (total >> 16)
        return (total & 0xFFFF) + len(self.data)

    def offset(self, rva):
        for s in self.sections:
            if s.virtual_address <= rva < s.virtual_address + max(s.virtual_size, s.raw_size):
                return s.raw_offset + rva - s.virtual_address
        raise ValueError(f"RVA {rva:#x} is in no section")

    def text_at(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        """{DLL name (upper case): [function names]}"""
        rva, _ = self.directories["import"]
        result = {}
        pointer = 8 if self.is_64 else 4
        ordinal_flag = 1 << (63 if self.is_64 else 31)
        at = self.offset(rva)
        while True:
            lookup, _, _, name, iat = struct.unpack_from("<IIIII", self.data, at)
            if name == 0:
                break
            functions = []
            entry = self.offset(lookup or iat)
            while True:
                value = int.from_bytes(self.data[entry:entry + pointer], "little")
                if value == 0:
                    break
                functions.append(f"#{value & 0xFFFF}" if value & ordinal_flag
                                 else self.text_at(value + 2))
                entry += pointer
            result[self.text_at(name).upper()] = functions
            at += 20
        return result

    def resources(self):
        """{(type id, name id): bytes} of the first language of each resource."""
        rva, _ = self.directories["resource"]
        if rva == 0:
            return {}
        base = self.offset(rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", self.data, at + 16 + 8 * i)
                yield ident, target

        found = {}
        for type_id, type_target in entries(base):
            for name_id, name_target in entries(base + (type_target & 0x7FFFFFFF)):
                _, data_entry = next(entries(base + (name_target & 0x7FFFFFFF)))
                data_rva, size = struct.unpack_from("<II", self.data, base + data_entry)
                start = self.offset(data_rva)
                found[(type_id, name_id)] = self.data[start:start + size]
        return found

    def headers_without(self, section_name):
        """The header size the image would have without one of its sections."""
        end = self.section_table_end - (40 if any(s.name == section_name for s in self.sections) else 0)
        return -(-end // self.file_alignment) * self.file_alignment

    def size_without(self, section_name):
        """File bytes of the image without one section and its header entry."""
        return self.headers_without(section_name) + sum(
            s.raw_size for s in self.sections if s.name != section_name)
