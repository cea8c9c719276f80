#!/usr/bin/env python3
"""Checks that a built ZintuPortable.exe is the product users can run.

    tools/check_product.py [--strings app/resources/LauncherStrings.h] ZintuPortable.exe

It must be a 32-bit (PE32, i386) GUI program that needs only Windows' own DLLs, and carry
the launcher's message (string 1, language 2052, exactly the text of LauncherStrings.h),
icon group 128, a manifest asking for "asInvoker" and version information.
Prints a short report; the exit status is 1 when a check fails, 2 when the file cannot be
read as a PE file at all.
"""

import argparse
import os
import re
import struct
import sys

MACHINE_I386 = 0x14C
MAGIC_PE32 = 0x10B
SUBSYSTEM_NAMES = {2: "GUI", 3: "console"}
SUBSYSTEM_GUI = 2

RT_ICON, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 6, 14, 16, 24
LANGUAGE_CHINESE_PRC = 2052

# DLLs every Windows from 7 on ships; anything else would have to travel with the exe.
SYSTEM_DLLS = {
    "advapi32.dll",
    "comctl32.dll",
    "comdlg32.dll",
    "gdi32.dll",
    "kernel32.dll",
    "msvcrt.dll",
    "ntdll.dll",
    "ole32.dll",
    "oleaut32.dll",
    "shell32.dll",
    "shlwapi.dll",
    "user32.dll",
    "version.dll",
    "ws2_32.dll",
}

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_STRINGS = os.path.join(HERE, "..", "app", "resources", "LauncherStrings.h")


class FormatError(Exception):
    pass


# --- the expected strings, from the one header that the resource script also reads ---------

C_ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\", '"': '"', "'": "'", "?": "?",
             "a": "\a", "b": "\b", "f": "\f", "v": "\v", "0": "\0"}


def parse_c_string_literals(text):
    """The concatenation of the C string literals in `text`, as bytes."""
    out = bytearray()
    for literal in re.findall(r'"((?:[^"\\\n]|\\.)*)"', text):
        data = literal.encode("utf-8")
        i = 0
        while i < len(data):
            c = data[i : i + 1]
            if c != b"\\":
                out += c
                i += 1
                continue
            nxt = chr(data[i + 1])
            if nxt == "x":
                digits = re.match(rb"[0-9A-Fa-f]+", data[i + 2 :]).group(0)
                out.append(int(digits, 16) & 0xFF)
                i += 2 + len(digits)
            elif nxt in "01234567":
                digits = re.match(rb"[0-7]{1,3}", data[i + 1 :]).group(0)
                out.append(int(digits, 8) & 0xFF)
                i += 1 + len(digits)
            elif nxt in C_ESCAPES:
                out += C_ESCAPES[nxt].encode("ascii")
                i += 2
            else:
                raise FormatError(f"unknown escape \\{nxt} in string literal")
    return bytes(out)


def read_defines(header_path):
    """#define name -> body, with continuation lines joined and comments removed."""
    with open(header_path, encoding="utf-8") as f:
        source = f.read()
    source = re.sub(r"/\*.*?\*/", " ", source, flags=re.S)
    source = source.replace("\\\n", " ")
    defines = {}
    for line in source.splitlines():
        m = re.match(r"\s*#\s*define\s+(\w+)\s*(.*)$", line)
        if m:
            defines[m.group(1)] = re.sub(r"//.*$", "", m.group(2)).strip()
    return defines


def expected_resources(header_path):
    defines = read_defines(header_path)
    try:
        string_id = int(defines["IDS_LAUNCH_FAILED"], 0)
        icon_id = int(defines["IDI_LAUNCHER"], 0)
        text = parse_c_string_literals(defines["IDS_LAUNCH_FAILED_TEXT"]).decode("utf-8")
    except (KeyError, ValueError) as error:
        raise FormatError(f"{header_path}: cannot read the launcher's strings ({error})")
    return string_id, text, icon_id


# --- reading the PE file ------------------------------------------------------------------


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise FormatError("no MZ header")
        pe = self.u32(0x3C)
        if data[pe : pe + 4] != b"PE\0\0":
            raise FormatError("no PE signature")
        (self.machine, sections, _, _, _, optional_size, self.characteristics) = struct.unpack_from(
            "<HHIIIHH", data, pe + 4
        )
        optional = pe + 24
        self.magic = self.u16(optional)
        if self.magic == MAGIC_PE32:
            self.subsystem = self.u16(optional + 68)
            directory_count = self.u32(optional + 92)
            directories = optional + 96
        elif self.magic == 0x20B:  # PE32+
            self.subsystem = self.u16(optional + 68)
            directory_count = self.u32(optional + 108)
            directories = optional + 112
        else:
            raise FormatError(f"unknown optional header magic {self.magic:#x}")
        self.directories = [
            struct.unpack_from("<II", data, directories + 8 * i)
            for i in range(min(directory_count, 16))
        ]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, rva, raw_size, raw_offset = struct.unpack_from(
                "<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("ascii", "replace"), rva,
                                  max(vsize, raw_size), raw_offset, raw_size))

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for _, start, size, raw_offset, raw_size in self.sections:
            if start <= rva < start + size:
                if rva - start >= raw_size:
                    raise FormatError(f"RVA {rva:#x} lies in no file data")
                return raw_offset + rva - start
        raise FormatError(f"RVA {rva:#x} lies in no section")

    def c_string(self, rva):
        start = self.offset(rva)
        end = self.data.index(b"\0", start)
        return self.data[start:end].decode("ascii", "replace")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def imported_dlls(self):
        dlls = []
        rva, size = self.directory(1)
        if rva and size:
            at = self.offset(rva)
            while True:
                lookup, _, _, name, first_thunk = struct.unpack_from("<IIIII", self.data, at)
                if not (lookup or name or first_thunk):
                    break
                dlls.append(self.c_string(name))
                at += 20
        rva, size = self.directory(13)  # delay-load imports
        if rva and size:
            at = self.offset(rva)
            while True:
                fields = struct.unpack_from("<8I", self.data, at)
                if not any(fields):
                    break
                dlls.append(self.c_string(fields[1]))
                at += 32
        return dlls

    def resources(self):
        """{(type, name, language): bytes} for every resource with numeric ids."""
        rva, size = self.directory(2)
        if not (rva and size):
            return {}
        base = self.offset(rva)
        found = {}

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                if ident & 0x80000000:
                    at = base + (ident & 0x7FFFFFFF)
                    length = self.u16(at)
                    ident = self.data[at + 2 : at + 2 + 2 * length].decode("utf-16-le")
                yield ident, target

        for rtype, t in entries(0):
            if not t & 0x80000000:
                continue
            for name, n in entries(t & 0x7FFFFFFF):
                if not n & 0x80000000:
                    continue
                for language, leaf in entries(n & 0x7FFFFFFF):
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(data_rva)
                    found[(rtype, name, language)] = self.data[at : at + data_size]
        return found


def string_from_block(block, index):
    """String `index` (0..15) of an RT_STRING block, or None where the block has none."""
    at = 0
    for i in range(16):
        if at + 2 > len(block):
            return None
        length = struct.unpack_from("<H", block, at)[0]
        text = block[at + 2 : at + 2 + 2 * length]
        if i == index:
            return text.decode("utf-16-le", "surrogatepass")
        at += 2 + 2 * length
    return None


# --- the checks ---------------------------------------------------------------------------


def check(path, header_path):
    string_id, expected_text, icon_id = expected_resources(header_path)
    with open(path, "rb") as f:
        data = f.read()
    pe = PeFile(data)
    failures = []
    lines = [f"{os.path.basename(path)}: {len(data) / 1024:.1f} KiB"]

    def expect(ok, message):
        if not ok:
            failures.append(message)

    kind = {MAGIC_PE32: "PE32", 0x20B: "PE32+"}.get(pe.magic, hex(pe.magic))
    lines.append(f"  format {kind}, machine {pe.machine:#x}, "
                 f"subsystem {SUBSYSTEM_NAMES.get(pe.subsystem, pe.subsystem)}")
    expect(pe.magic == MAGIC_PE32, f"not PE32 (optional header magic {pe.magic:#x})")
    expect(pe.machine == MACHINE_I386, f"machine {pe.machine:#x} is not i386 (0x14c)")
    expect(pe.subsystem == SUBSYSTEM_GUI, f"subsystem {pe.subsystem} is not GUI (2)")
    expect(not pe.characteristics & 0x2000, "it is a DLL, not a program")

    dlls = pe.imported_dlls()
    lines.append("  DLLs " + (", ".join(dlls) if dlls else "(none)"))
    foreign = [dll for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    expect(not foreign, "needs DLLs that Windows does not ship: " + ", ".join(foreign))

    resources = pe.resources()
    block = resources.get((RT_STRING, string_id // 16 + 1, LANGUAGE_CHINESE_PRC))
    if block is None:
        failures.append(f"no string table block for string {string_id} in language 2052")
    else:
        text = string_from_block(block, string_id % 16)
        if text != expected_text:
            failures.append(f"string {string_id} differs from {os.path.basename(header_path)}: "
                            f"got {text!r}, expected {expected_text!r}")
        else:
            units = len(expected_text.encode("utf-16-le")) // 2
            lines.append(f"  string {string_id} (2052): {units} UTF-16 units, as expected")

    def of_type(rtype, name=None):
        return [key for key in resources if key[0] == rtype and (name is None or key[1] == name)]

    expect(of_type(RT_GROUP_ICON, icon_id), f"no icon group {icon_id}")
    expect(of_type(RT_ICON), "no icon images")
    manifests = of_type(RT_MANIFEST)
    expect(manifests, "no manifest")
    expect(any(b"asInvoker" in resources[key] for key in manifests),
           'the manifest does not ask for "asInvoker"')
    expect(of_type(RT_VERSION), "no version information")
    lines.append("  resources " + ", ".join(
        f"{label} {len(of_type(rtype))}" for label, rtype in
        (("string blocks", RT_STRING), ("icon groups", RT_GROUP_ICON), ("icons", RT_ICON),
         ("manifests", RT_MANIFEST), ("versions", RT_VERSION))))
    return lines, failures


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("exe", help="the built ZintuPortable.exe")
    parser.add_argument("--strings", default=DEFAULT_STRINGS,
                        help="the header that defines the launcher's strings")
    args = parser.parse_args(argv)
    try:
        lines, failures = check(args.exe, args.strings)
    except (OSError, FormatError, struct.error, ValueError) as error:
        print(f"{args.exe}: cannot check: {error}", file=sys.stderr)
        return 2
    print("\n".join(lines))
    for failure in failures:
        print(f"  FAIL: {failure}")
    print("  OK" if not failures else f"  {len(failures)} check(s) failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
