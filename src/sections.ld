/* Section layout of appuntex.exe, for GNU ld on i386pe and i386pep.

   The program has no C runtime, no writable data and no exception tables, so
   read-only data and the import tables can sit with the code. With only
   .text, .rsrc and .reloc the section table is short enough for all headers
   to fit in one 512-byte file block, which is most of what keeps the file
   within its size budget. */
SECTIONS
{
  . = SIZEOF_HEADERS;
  . = ALIGN(__section_alignment__);
  .text __image_base__ + (__section_alignment__ < 0x1000 ? . : __section_alignment__) :
  {
    *(.text)
    *(SORT(.text$*))
    *(.text.*)
    *(.rdata)
    *(SORT(.rdata$*))
    *(.rodata .rodata.*)
    /* The import tables, sorted by pe.em as in the default script. The
       loader makes the address table writable while it binds it. Outside
       an output section named .idata, ld takes the import and address
       table directories from these four symbols, as image-relative
       addresses. */
    ".idata$2" = ABSOLUTE(.) - __image_base__;
    KEEP (SORT(*)(.idata$2))
    KEEP (SORT(*)(.idata$3))
    /* These zeroes end the import directory. */
    LONG (0); LONG (0); LONG (0); LONG (0); LONG (0);
    ".idata$4" = ABSOLUTE(.) - __image_base__;
    KEEP (SORT(*)(.idata$4))
    ".idata$5" = ABSOLUTE(.) - __image_base__;
    KEEP (SORT(*)(.idata$5))
    ".idata$6" = ABSOLUTE(.) - __image_base__;
    KEEP (SORT(*)(.idata$6))
    KEEP (SORT(*)(.idata$7))
  }
  /* Empty, and so dropped, unless code with writable state is ever added. */
  .data BLOCK(__section_alignment__) :
  {
    *(.data)
    *(SORT(.data$*))
    *(.bss)
    *(COMMON)
  }
  .pdata BLOCK(__section_alignment__) : { KEEP (*(.pdata*)) }
  .xdata BLOCK(__section_alignment__) : { KEEP (*(.xdata*)) }
  /DISCARD/ :
  {
    *(.debug$S)
    *(.debug$T)
    *(.debug$F)
    *(.drectve)
    *(.note.GNU-stack)
    *(.gnu.lto_*)
    *(.eh_frame*)
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
}
