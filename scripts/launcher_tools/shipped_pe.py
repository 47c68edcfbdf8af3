# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""What the shipped executables must be as Windows loads them: the checks
the PE test and the release test share."""

import xml.etree.ElementTree as ElementTree

from launcher_tools import project_version
from launcher_tools.pe_file import RT_MANIFEST, RT_VERSION

# Every function the launcher calls; all of them exported by Windows 95's DLLs.
# GetUserDefaultLangID is NT 4.0's language, the user's locale: the system's
# (GetSystemDefaultLangID) is another user's choice and fails this list.
EXPECTED_IMPORTS = {
    "KERNEL32.DLL": {"GetCommandLineA", "GetStartupInfoA", "GetModuleHandleA",
                     "GetModuleFileNameA", "ExitProcess", "GetACP", "GetCPInfo",
                     "lstrcmpiA", "GetPrivateProfileStringA", "OpenFile", "GetProcAddress",
                     "GetUserDefaultLangID", "GetFileAttributesA"},
    "USER32.DLL": {"wsprintfA", "MessageBoxA"},
    "ADVAPI32.DLL": {"RegOpenKeyA", "RegQueryValueA", "RegCloseKey"},
    "SHELL32.DLL": {"ShellExecuteA"},
}
SUPPORTED_OS = ["e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]
IMAGE_FILE_RELOCS_STRIPPED = 0x0001
DYNAMIC_BASE, NX_COMPAT = 0x0040, 0x0100
IMAGE_SCN_MEM_EXECUTE, IMAGE_SCN_MEM_WRITE = 0x20000000, 0x80000000
ASSEMBLY = "{urn:schemas-microsoft-com:asm.v1}"
SIZE_BUDGET = 7168  # the shipped 32-bit launcher, the whole file


class Executable:
    def check_common(self, pe):
        self.assertEqual(pe.subsystem, 2, "GUI subsystem")
        self.assertEqual((pe.subsystem_major, pe.subsystem_minor), (4, 0))
        self.assertEqual((pe.os_major, pe.os_minor), (4, 0))
        self.assertEqual(pe.file_alignment, 512)
        imports = {dll: set(functions) for dll, functions in pe.imports().items()}
        self.assertEqual(imports, EXPECTED_IMPORTS)
        for name in ("tls", "delay_import", "load_config", "debug", "export"):
            self.assertEqual(pe.directories[name], (0, 0), f"{name} directory")
        self.assertEqual(pe.timestamp, 0, "no time stamp in the header")
        # ASLR and NX, which need the relocations to be kept.
        self.assertTrue(pe.dll_characteristics & DYNAMIC_BASE)
        self.assertTrue(pe.dll_characteristics & NX_COMPAT)
        self.assertFalse(pe.characteristics & IMAGE_FILE_RELOCS_STRIPPED)
        self.assertGreater(pe.directories["basereloc"][1], 0)
        # W^X: code and constants read-only; only the import tables (the
        # loader writes the IAT, and Windows 95 will not unprotect it) may be
        # written; resources are read-only too (the build clears the write
        # bit GNU ld sets on .rsrc).
        by_name = {s.name: s for s in pe.sections}
        self.assertEqual([s.name for s in pe.sections], [".text", ".idata", ".rsrc", ".reloc"])
        for s in pe.sections:
            writable = bool(s.characteristics & IMAGE_SCN_MEM_WRITE)
            self.assertFalse(writable and s.characteristics & IMAGE_SCN_MEM_EXECUTE, s.name)
            self.assertEqual(writable, s.name == ".idata", s.name)
        text = by_name[".text"]
        self.assertTrue(text.characteristics & IMAGE_SCN_MEM_EXECUTE)
        self.assertTrue(text.virtual_address <= pe.entry_point < text.virtual_address + text.virtual_size)
        idata = by_name[".idata"]
        for directory in ("import", "iat"):
            rva, size = pe.directories[directory]
            self.assertGreater(size, 0, directory)
            self.assertTrue(idata.virtual_address <= rva
                            and rva + size <= idata.virtual_address + idata.virtual_size,
                            f"{directory} directory outside .idata")

    def check_signature_layout(self, pe):
        """An Authenticode signature where every loader can live with it:
        appended after the last section's bytes (the security directory holds
        a file offset; Windows 95 ignores the directory, but must not find the
        signature inside something a section header claims), reaching the end
        of the file, with the checksum brought up to date."""
        offset, size = pe.directories["security"]
        self.assertGreater(size, 0, "no signature")
        self.assertEqual(offset % 8, 0)
        self.assertEqual(offset + size, len(pe.data))
        for s in pe.sections:
            self.assertLessEqual(s.raw_offset + s.raw_size, offset, s.name)
        self.assertEqual(pe.checksum, pe.computed_checksum())

    def check_resources(self, pe, architecture):
        resources = pe.resources()
        manifest = resources[(RT_MANIFEST, 1)].decode("utf-8")
        self.assertIn('level="asInvoker"', manifest)
        for guid in SUPPORTED_OS:
            self.assertIn(guid, manifest)
        # The application-manifest schema wants the identity first.
        identity = ElementTree.fromstring(resources[(RT_MANIFEST, 1)])[0]
        self.assertEqual(identity.tag, ASSEMBLY + "assemblyIdentity")
        self.assertEqual(identity.get("type"), "win32")
        self.assertTrue(identity.get("name"))
        self.assertEqual(identity.get("version"), project_version() + ".0")
        self.assertEqual(identity.get("processorArchitecture"), architecture)
        version = resources[(RT_VERSION, 1)]
        self.assertIn(project_version().encode("utf-16-le"), version)
        major, minor, patch = (int(n) for n in project_version().split("."))
        # VS_FIXEDFILEINFO: signature, then the file version as two DWORDs.
        fixed = version.index(b"\xbd\x04\xef\xfe")
        ms = int.from_bytes(version[fixed + 8:fixed + 12], "little")
        ls = int.from_bytes(version[fixed + 12:fixed + 16], "little")
        self.assertEqual((ms >> 16, ms & 0xFFFF, ls >> 16), (major, minor, patch))
