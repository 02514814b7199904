#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns the user guide (Markdown) into the HTML page shipped beside the
station: build-guide.py GUIDE.md OUT.html"""
import sys

import markdown
from markdown.extensions.toc import TocExtension, slugify_unicode

PAGE = """<!DOCTYPE html>
<html lang="ru">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{title}</title>
<style>
body {{ font-family: "DejaVu Sans", "Liberation Sans", sans-serif; max-width: 50em;
       margin: 1em auto; padding: 0 1em; line-height: 1.45; color: #1a1a1a; }}
h1, h2 {{ color: #2f4f7f; }}
table {{ border-collapse: collapse; margin: 0.5em 0; }}
th, td {{ border: 1px solid #b0b8c8; padding: 0.25em 0.6em; text-align: left;
          vertical-align: top; }}
th {{ background: #e8eef8; }}
code {{ background: #f2f2f2; padding: 0 0.2em; }}
</style>
</head>
<body>
{body}
</body>
</html>
"""


def main() -> int:
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    converter = markdown.Markdown(
        extensions=["tables", TocExtension(slugify=slugify_unicode)])
    body = converter.convert(text)
    title = next((line[2:].strip() for line in text.splitlines() if line.startswith("# ")),
                 "TevrixStudent")
    with open(target, "w", encoding="utf-8") as f:
        f.write(PAGE.format(title=title, body=body))
    return 0


if __name__ == "__main__":
    sys.exit(main())
