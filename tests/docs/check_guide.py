#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The user guide as shipped (HTML beside the program) holds every section
its table of contents links to, names the commands by their menu captions,
and is a well-formed page.
    check_guide.py GUIDE.html SOURCE_DIR"""
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.links, self.open = set(), [], []
        self.bold = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "id" in attrs:
            self.ids.add(attrs["id"])
        if tag == "a" and attrs.get("href", "").startswith("#"):
            self.links.append(attrs["href"][1:])
        if tag not in ("meta", "br", "hr", "img", "link", "input"):
            self.open.append(tag)

    def handle_endtag(self, tag):
        if not self.open or self.open[-1] != tag:
            raise SystemExit(f"badly nested </{tag}> (open: {self.open[-3:]})")
        self.open.pop()

    def handle_data(self, data):
        if self.open and self.open[-1] == "strong":
            self.bold.append(data)


def main() -> int:
    guide, source_dir = sys.argv[1], sys.argv[2]
    page = Page()
    with open(guide, encoding="utf-8") as f:
        page.feed(f.read())
    failures = [f"link to a missing section: #{link}" for link in page.links if link not in page.ids]
    if not page.links:
        failures.append("the table of contents links nowhere")
    if page.open:
        failures.append(f"unclosed tags: {page.open}")
    # Every menu command the guide puts in bold exists in the window's source.
    with open(f"{source_dir}/src/ui/StudentMainForm.cpp", encoding="utf-8") as f:
        window = f.read().replace("&", "")
    for path in (bold for bold in page.bold if "→" in bold):
        for caption in path.split(" → "):
            if f'"{caption.strip()}' not in window:
                failures.append(f"no command \"{caption.strip()}\" in the window (from {path})")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
