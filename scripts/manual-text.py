#!/usr/bin/env python3
"""Turns one of our Markdown manuals into plain text that Notepad shows well: headings
underlined, tables as aligned columns, code indented, links by the names the files have in the
release folder. Usage: manual-text.py SOURCE.md > TARGET.txt (UTF-8, LF; dist.sh adds the rest)."""
import re
import sys
import unicodedata

# The manuals under their names in the release folder.
NAMES = {"archiver.md": "UNLHA32-manual.txt", "sfx.md": "ZAVOSFX-manual.txt", "lzh-quirks.md": "LZH-quirks.txt",
         "dist-readme.txt": "README.txt"}
WIDTH = 96        # the manuals' own line length
FIRST_COLUMN = 26  # wider first cells get a line of their own


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def pad(text, columns):
    return text + " " * max(0, columns - width(text))


def inline(text):
    text = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", text)

    def link(m):
        label, target = m.group(1), m.group(2)
        name = NAMES.get(target.split("#")[0].split("/")[-1], target)
        label = label.strip("`")
        return name if label in (target, name) else f"{label} ({name})"

    text = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", link, text)
    text = re.sub(r"\*\*([^*]+)\*\*", r"\1", text)
    text = re.sub(r"`([^`]+)`", r"\1", text)
    for source, shipped in NAMES.items():
        text = re.sub(r"(?<![\w/.-])" + re.escape(source), shipped, text)
    return text


def wrap(text, columns):
    """Words of `text` in lines of at most `columns` (a wide character is a word of its own)."""
    lines, line = [], ""
    wide = "\u3000-\u9fff\uff00-\uffef"
    for word in re.findall(rf"[^\s{wide}]+\s*|[{wide}]\s*|\s+", text):
        if line and width(line + word.rstrip()) > columns:
            lines.append(line.rstrip())
            line = ""
        line += word
    lines.append(line.rstrip())
    return lines


def sentence(text):
    return text if not text or text[-1] in ".:;!?)。" else text + "."


def table(rows):
    cells = [[inline(c.strip()) for c in row.strip().strip("|").split("|")] for row in rows
             if not re.fullmatch(r"\|[\s:|-]+\|", row.strip())]
    first = min(FIRST_COLUMN, max(width(r[0]) for r in cells)) if cells else 0
    lines = []
    header = cells[0] if cells else []
    for index, row in enumerate(cells):
        # A third column and more read as "Default: off." after the second.
        rest = row[1] if len(row) > 1 else ""
        if index > 0:
            for name, cell in zip(header[2:], row[2:]):
                if cell:
                    rest = sentence(rest) + f" {name}: {cell}"
            rest = sentence(rest) if len(row) > 2 else rest
        indent = first + 2
        if width(row[0]) > first:
            lines.append(row[0])
            head = " " * indent
        else:
            head = pad(row[0], indent)
        for n, part in enumerate(wrap(rest, WIDTH - indent) if rest else [""]):
            lines.append((head if n == 0 else " " * indent) + part)
        if index == 0:
            lines.append("-" * min(WIDTH, max(width(l) for l in lines)))
    return [l.rstrip() for l in lines]


def convert(source):
    out, rows, fenced = [], [], False
    for raw in source.splitlines():
        if raw.startswith("```"):
            fenced = not fenced
            continue
        if fenced:
            out.append("    " + raw)
            continue
        if raw.startswith("|"):
            rows.append(raw)
            continue
        if rows:
            out.extend(table(rows))
            rows = []
        heading = re.match(r"(#+)\s+(.*)", raw)
        if heading:
            title = inline(heading.group(2))
            out.append(title)
            if len(heading.group(1)) <= 2:
                out.append(("=" if len(heading.group(1)) == 1 else "-") * width(title))
            continue
        line = inline(raw)
        if raw.strip() and not line.strip():
            continue   # a picture only
        out.append(line)
    if rows:
        out.extend(table(rows))
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as f:
        sys.stdout.write(convert(f.read()))
