"""Reads back the version information and the icon of Windows executables with pefile.

    resources.py VERSION_TEXT tolvemar.exe CONSOLE.exe...

The window's program must say FileVersion and ProductVersion VERSION_TEXT, ProductName and
InternalName "Tolvemar", in Italian (0x0410), and carry an icon of three images; each console
program its own name and the same version.
"""
import os
import sys

import pefile

LANG_ITALIAN = 0x0410
RT_GROUP_ICON = pefile.RESOURCE_TYPE["RT_GROUP_ICON"]


def strings(pe):
    found = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                found[int(table.LangID, 16) >> 16] = {
                    k.decode(): v.decode() for k, v in table.entries.items()}
    return found


def icon_images(pe):
    counts = []
    for kind in getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None).entries:
        if kind.id != RT_GROUP_ICON:
            continue
        for name in kind.directory.entries:
            for lang in name.directory.entries:
                data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                counts.append(int.from_bytes(data[4:6], "little"))
    return counts


def check(path, version):
    pe = pefile.PE(path)
    program = os.path.splitext(os.path.basename(path))[0]
    tables = strings(pe)
    if LANG_ITALIAN not in tables:
        return f"{path}: no Italian (0x0410) version information, only {sorted(map(hex, tables))}"
    table = tables[LANG_ITALIAN]
    expected = {"FileVersion": version, "ProductVersion": version, "ProductName": "Tolvemar",
                "InternalName": "Tolvemar" if program == "tolvemar" else program}
    wrong = {k: table.get(k) for k, v in expected.items() if table.get(k) != v}
    if wrong:
        return f"{path}: {wrong}, expected {expected}"
    if program == "tolvemar":
        if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") or icon_images(pe) != [3]:
            return f"{path}: the icon must hold three images"
    print(f"{path}: {table}")
    return None


faults = [f for f in (check(p, sys.argv[1]) for p in sys.argv[2:]) if f]
print("\n".join(faults), file=sys.stderr)
sys.exit(1 if faults else 0)
