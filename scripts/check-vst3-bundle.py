#!/usr/bin/env python3
"""Checks a Kestravon.vst3 bundle as a host reads it without loading it:
its binary where the platform's hosts look, Contents/Resources/moduleinfo.json
as strict JSON naming the plug-in's class (and the VST 2 plug-in's, which it
replaces), and every editor picture it lists: a PNG of the editor's size,
named by the class id.
  check-vst3-bundle.py BUNDLE BINARY   (BINARY within the bundle, e.g.
                                        Contents/x86_64-linux/Kestravon.so)
Prints what failed and exits 1, or exits 0."""
import json
import os
import re
import struct
import sys

# Hosts keep both in their sessions: neither may ever change.
CLASS_ID = "828B178873F14BACBB3E1A0B22DC54B8"
VST2_CLASS_ID = "565354546F76726B6573747261766F6E"
EDITOR_SIZE = (1000, 420)
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_size(path):
    with open(path, "rb") as picture:
        head = picture.read(24)
    if len(head) < 24 or head[:8] != PNG_SIGNATURE or head[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", head[16:24])


def check(bundle, binary):
    problems = []
    contents = os.path.join(bundle, "Contents")
    if not os.path.isfile(os.path.join(bundle, binary)):
        problems.append(f"no binary {binary}")
    resources = os.path.join(contents, "Resources")
    try:
        with open(os.path.join(resources, "moduleinfo.json"), encoding="utf-8") as text:
            info = json.load(text)
    except (OSError, ValueError) as error:
        return problems + [f"moduleinfo.json: {error}"]
    classes = info.get("Classes", [])
    if [c.get("CID") for c in classes] != [CLASS_ID]:
        problems.append(f"the classes are {[c.get('CID') for c in classes]}, not [{CLASS_ID}]")
    if not all(re.fullmatch("[0-9A-F]{32}", c.get("CID", "")) for c in classes):
        problems.append("a class id is not 32 hexadecimal digits")
    expected = {"Category": "Audio Module Class", "Name": "Kestravon", "Vendor": "Ostrelle",
                "Sub Categories": ["Fx", "Distortion"], "Cardinality": 2147483647}
    for c in classes:
        for key, value in expected.items():
            if c.get(key) != value:
                problems.append(f"class {key} is {c.get(key)!r}, not {value!r}")
    if info.get("Compatibility") != [{"New": CLASS_ID, "Old": [VST2_CLASS_ID]}]:
        problems.append(f"Compatibility is {info.get('Compatibility')!r}")
    if info.get("Factory Info", {}).get("Vendor") != "Ostrelle":
        problems.append("the factory's vendor is not Ostrelle")
    snapshots = [s for c in classes for s in c.get("Snapshots", [])]
    if not any(s.get("Scale Factor") == 1.0 for s in snapshots):
        problems.append("no editor picture at scale 1")
    for snapshot in snapshots:
        path = snapshot.get("Path", "")
        scale = snapshot.get("Scale Factor")
        if not re.fullmatch(f"Snapshots/{CLASS_ID}_snapshot(_[0-9.]+x)?\\.png", path):
            problems.append(f"the picture {path} is not named by the class id")
        full = os.path.join(resources, path)
        size = png_size(full) if os.path.isfile(full) else None
        wanted = tuple(round(side * (scale or 0)) for side in EDITOR_SIZE)
        if size != wanted:
            problems.append(f"{path} is {size or 'no PNG'}, not {wanted[0]}x{wanted[1]}")
    return problems


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    problems = check(sys.argv[1], sys.argv[2])
    for problem in problems:
        print(f"check-vst3-bundle: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
