#!/usr/bin/python3
"""Builds the manual and checks that it is whole.

Fails when a link or an anchor leads nowhere, when a picture is missing, when
the HTML page is not self-contained, when the editor picture's numbers and the
manual's table of them disagree, or when a parameter or a program that the
plug-in reports has no section of its own. The names come from the plug-in
itself, through kestravon-render --list.

With --reproducible it instead draws the pictures a second time and fails
unless every file is identical to the build's.
"""
import argparse
import filecmp
import html.parser
import json
import os
import re
import subprocess
import sys
import tempfile

failures = []


def fail(message):
    failures.append(message)


def plugin_names(render):
    text = subprocess.run([render, "--list"], capture_output=True, text=True, check=True).stdout
    params, programs, section = [], [], None
    for line in text.splitlines():
        if line.startswith("parameters:"):
            section = params
        elif line.startswith("programs:"):
            section = programs
        elif section is not None and re.match(r"^\s*\d+  ", line):
            if section is params:
                # "%4d  %-24s %-20s %.6f": the name is the padded column
                section.append(line[6:30].strip())
            else:
                section.append(line[6:].strip())
    if len(params) == 0 or len(programs) == 0:
        raise RuntimeError("kestravon-render --list printed no parameters or programs:\n" + text)
    return params, programs


def github_slug(heading, seen):
    """The anchor a code-hosting site (and pandoc's gfm reader) gives a heading."""
    text = re.sub(r"`|\*|_(?=\w)|(?<=\w)_", "", heading)  # inline marks, not words
    text = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", text)
    slug = re.sub(r"[^\w\- ]", "", text.strip().lower()).replace(" ", "-")
    count = seen.get(slug, 0)
    seen[slug] = count + 1
    return slug if count == 0 else f"{slug}-{count}"


def strip_code(markdown):
    markdown = re.sub(r"^```.*?^```", "", markdown, flags=re.S | re.M)
    return re.sub(r"`[^`\n]*`", "", markdown)


class HtmlLinks(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.hrefs, self.sources = set(), [], []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "a" and "href" in attrs:
            self.hrefs.append(attrs["href"])
        if tag in ("img", "script", "link") and (attrs.get("src") or attrs.get("href")):
            self.sources.append((tag, attrs.get("src") or attrs.get("href")))


def check_markdown(manual_dir, params, programs):
    path = os.path.join(manual_dir, "manual.md")
    markdown = open(path, encoding="utf-8").read()
    prose = strip_code(markdown)

    headings, seen = [], {}
    for line in prose.splitlines():
        m = re.match(r"^(#{1,6})\s+(.*?)\s*#*\s*$", line)
        if m:
            headings.append((m.group(2), github_slug(m.group(2), seen)))
    anchors = {slug for _, slug in headings}

    for target in re.findall(r"\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)", prose):
        if re.match(r"^[a-z]+:", target):
            continue  # web addresses are not checked here
        file_part, _, anchor = target.partition("#")
        if file_part:
            if not os.path.exists(os.path.join(manual_dir, file_part)):
                fail(f"link or picture {target}: {file_part} does not exist")
        elif anchor not in anchors:
            fail(f"link {target}: no heading has the anchor #{anchor}")

    heading_texts = [text for text, _ in headings]
    for name in [n for n in params if n]:
        if not any(f'"{name}"' in text for text in heading_texts):
            fail(f'parameter "{name}" has no section (no heading names it in quotes)')
    for index, name in enumerate(programs):
        if not any(f'"{name}"' in text for text in heading_texts):
            fail(f'program "{name}" has no section (no heading names it in quotes)')
        picture = f"pictures/program-{index:02d}.png"
        if picture not in prose:
            fail(f'program "{name}": its picture {picture} is not shown')

    # The editor picture's numbers: each must have a row in the table that
    # names the same control.
    legend = json.load(open(os.path.join(manual_dir, "pictures", "editor-controls.json")))
    rows = {int(m.group(1)): m.group(2)
            for m in re.finditer(r"^\|\s*(\d+)\s*\|(.*)$", prose, flags=re.M)}
    for entry in legend:
        control = entry["control"]
        key = re.search(r'"[^"]+"', control)
        key = key.group(0) if key else control.split()[0]
        row = rows.get(entry["number"])
        if row is None or key.lower() not in row.lower():
            fail(f"editor picture number {entry['number']} is {control}, but the manual's "
                 f"row for it reads: {row!r}")
    if len(rows) and max(rows) > len(legend) and max(rows) <= 40:
        fail(f"the manual numbers {max(rows)} controls, the editor picture {len(legend)}")


def check_html(manual_dir):
    page = os.path.join(manual_dir, "Kestravon-manual.html")
    if not os.path.exists(page):
        fail("Kestravon-manual.html was not made")
        return
    parser = HtmlLinks()
    parser.feed(open(page, encoding="utf-8").read())
    for href in parser.hrefs:
        if href.startswith("#") and href[1:] not in parser.ids:
            fail(f"HTML link {href} has no target in the page")
        elif not re.match(r"^([a-z]+:|#)", href):
            fail(f"HTML link {href} leaves the page: the page must stand on its own")
    for tag, source in parser.sources:
        if not source.startswith("data:"):
            fail(f"HTML <{tag}> refers to {source} outside the page")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", required=True)
    parser.add_argument("--render", required=True)
    parser.add_argument("--plugin", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--reproducible", action="store_true")
    args = parser.parse_args()
    manual_dir = os.path.join(args.build_dir, "docs", "manual")

    subprocess.run(["cmake", "--build", args.build_dir, "--target", "kestravon_manual"], check=True)

    if args.reproducible:
        pictures = os.path.join(manual_dir, "pictures")
        with tempfile.TemporaryDirectory() as again:
            subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 3200x1400x24", sys.executable,
                            os.path.join(args.source, "scripts", "make-manual-pictures.py"),
                            "--render", args.render, "--plugin", args.plugin,
                            "--source", args.source, "--out", again], check=True)
            names = sorted(n for n in os.listdir(pictures) if not n.endswith(".stamp"))
            if sorted(os.listdir(again)) != names:
                fail(f"the second run made {sorted(os.listdir(again))}, the first {names}")
            match, mismatch, errors = filecmp.cmpfiles(pictures, again, names, shallow=False)
            for name in mismatch + errors:
                fail(f"{name} differs between two runs")
            print(f"{len(match)} pictures identical in two runs")
    else:
        params, programs = plugin_names(args.render)
        check_markdown(manual_dir, params, programs)
        check_html(manual_dir)
        print(f"checked {len([p for p in params if p])} parameters and {len(programs)} programs")

    for message in failures:
        print("FAIL:", message)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
