/* SPDX-FileCopyrightText: 2026 The launcher authors
   SPDX-License-Identifier: BSL-1.0 */
/* Section layout of the launcher, 32- and 64-bit, as the linkers of the
   Windows 95 era laid it out: code and constants in one read-only,
   executable .text; the import tables in their own readable and writable
   .idata, where the loader writes the import address table (Windows 95
   does not make a read-only IAT writable); then .rsrc and .reloc. No
   section is both writable and executable. The program has no writable
   data of its own, no C runtime table and no TLS. */
SECTIONS
{
  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .text __image_base__ + (__section_alignment__ < 0x1000 ? . : __section_alignment__) :
  {
    *(.text) *(SORT(.text$*)) *(.text.*)
    *(.rdata) *(SORT(.rdata$*)) *(.rdata.*)
  }
  .idata BLOCK(__section_alignment__) :
  {
    /* The linker fills the import and IAT directories from these symbols. */
    ".idata$2" = ABSOLUTE(.) - __image_base__;
    KEEP (SORT(*)(.idata$2))
    KEEP (SORT(*)(.idata$3))
    LONG (0); LONG (0); LONG (0); LONG (0); LONG (0);
    ".idata$4" = ABSOLUTE(.) - __image_base__;
    KEEP (SORT(*)(.idata$4))
    __IAT_start__ = .;
    ".idata$5" = ABSOLUTE(.) - __image_base__;
    KEEP (SORT(*)(.idata$5))
    __IAT_end__ = .;
    ".idata$6" = ABSOLUTE(.) - __image_base__;
    KEEP (SORT(*)(.idata$6))
    KEEP (SORT(*)(.idata$7))
  }
  .rsrc BLOCK(__section_alignment__) : SUBALIGN(4)
  {
    KEEP (*(.rsrc))
    KEEP (*(.rsrc$*))
  }
  .reloc BLOCK(__section_alignment__) :
  {
    *(.reloc)
  }
  /DISCARD/ :
  {
    *(.debug*) *(.comment) *(.note*) *(.eh_frame*) *(.gnu.lto_*)
  }
}
