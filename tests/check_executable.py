#!/usr/bin/python3
# Checks the built program file, as a binary audit would: a 32-bit Windows GUI
# executable under 64 KiB that Windows XP loads, hardened (ASLR with its
# relocations, DEP, no SEH handlers, Terminal Server aware, no section both
# writable and executable), importing nothing but four Windows system DLLs.
# Each failure names the field and the value it found.
#   check_executable.py PROGRAM.exe
# Debian's python3 (it has python3-pefile), whatever python3 comes first on PATH.
import os
import sys

import pefile

MAX_SIZE = 64 * 1024
SUBSYSTEM_VERSION = (5, 1)  # Windows XP; a higher one is refused by its loader
REQUIRED_DLL_CHARACTERISTICS = ["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE", "IMAGE_DLLCHARACTERISTICS_NX_COMPAT",
                                "IMAGE_DLLCHARACTERISTICS_NO_SEH",
                                "IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE"]
ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll"}


def flag_names(value, prefix):
    """The names of the pefile flags with the prefix that are set in value."""
    names = [name for name, bit in pefile.dll_characteristics if name.startswith(prefix) and value & bit]
    return " | ".join(name[len(prefix):] for name in names) or "none"


def problems(path):
    size = os.path.getsize(path)
    if size >= MAX_SIZE:
        yield f"file size: expected under {MAX_SIZE} bytes, got {size}"
    pe = pefile.PE(path)
    header, optional = pe.FILE_HEADER, pe.OPTIONAL_HEADER
    if header.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        yield f"Machine: expected I386, got {pefile.MACHINE_TYPE.get(header.Machine, hex(header.Machine))}"
    if optional.Magic != pefile.OPTIONAL_HEADER_MAGIC_PE:
        yield f"Magic: expected PE32, got {optional.Magic:#x}"
    if optional.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        yield f"Subsystem: expected WINDOWS_GUI, got {pefile.SUBSYSTEM_TYPE.get(optional.Subsystem, optional.Subsystem)}"
    version = (optional.MajorSubsystemVersion, optional.MinorSubsystemVersion)
    if version != SUBSYSTEM_VERSION:
        yield "SubsystemVersion: expected %d.%02d, got %d.%02d" % (SUBSYSTEM_VERSION + version)
    characteristics = optional.DllCharacteristics
    for name in REQUIRED_DLL_CHARACTERISTICS:
        if not characteristics & pefile.DLL_CHARACTERISTICS[name]:
            yield (f"DllCharacteristics: {name} is missing; got {characteristics:#06x} = "
                   f"{flag_names(characteristics, 'IMAGE_DLLCHARACTERISTICS_')}")
    relocations = optional.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]]
    if header.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_RELOCS_STRIPPED"] or not relocations.Size:
        yield (f"relocations: expected a base relocation table, got {relocations.Size} bytes "
               f"(FileHeader.Characteristics {header.Characteristics:#06x})")
    writable = pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_WRITE"]
    executable = pefile.SECTION_CHARACTERISTICS["IMAGE_SCN_MEM_EXECUTE"]
    for section in pe.sections:
        if section.Characteristics & writable and section.Characteristics & executable:
            name = section.Name.rstrip(b"\0").decode(errors="replace")
            yield f"section {name}: both writable and executable (Characteristics {section.Characteristics:#010x})"
    imports = sorted(entry.dll.decode().lower() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []))
    for dll in imports:
        if dll not in ALLOWED_IMPORTS:
            yield f"imports: {dll} is not one of {', '.join(sorted(ALLOWED_IMPORTS))}"
    print(f"{path}: {size} bytes, subsystem {version[0]}.{version[1]:02d}, DllCharacteristics {characteristics:#06x} "
          f"({flag_names(characteristics, 'IMAGE_DLLCHARACTERISTICS_')}), relocations {relocations.Size} bytes, "
          f"imports {' '.join(imports)}")


def main():
    failures = list(problems(sys.argv[1]))
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
