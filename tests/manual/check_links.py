#!/usr/bin/env python3
"""Checks the manual as the program installs it: every page the program names is there (and
nothing else, which would never be installed), every link is relative and reaches an existing
page and anchor (the browser shows the pages from a local folder), and every page can be
reached from the contents page.

    check_links.py MANUAL_DIR PAGE...
"""

import os
import re
import sys
from html.parser import HTMLParser

CONTENTS = "manual.html"


class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.anchors, self.title = [], [], False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        if tag == "a" and "name" in attrs:
            self.anchors.append(attrs["name"])
        self.title |= tag == "title"


def read_pages(folder, names):
    pages = {}
    for name in names:
        parser = Page()
        with open(os.path.join(folder, name), encoding="latin-1") as page:
            parser.feed(page.read())
        pages[name] = parser
    return pages


def problems(folder, names):
    found = sorted(f for f in os.listdir(folder) if f.endswith(".html"))
    yield from (f"{f}: not installed" for f in found if f not in names)
    missing = [n for n in names if n not in found]
    yield from (f"{n}: missing" for n in missing)
    pages = read_pages(folder, [n for n in names if n not in missing])
    for name, page in pages.items():
        if not page.title:
            yield f"{name}: no <TITLE>"
        if len(set(page.anchors)) != len(page.anchors):
            yield f"{name}: an anchor name is used twice"
        for href in page.links:
            target, _, anchor = href.partition("#")
            target = target or name
            if re.match(r"[a-zA-Z]+:|/|\\", href):
                yield f"{name}: {href} is not a relative link"
            elif target not in pages:
                yield f"{name}: {href} leads to no page of the manual"
            elif anchor and anchor not in pages[target].anchors:
                yield f"{name}: {href} leads to no anchor"
    reached, todo = {CONTENTS}, [CONTENTS]
    while todo:
        current = todo.pop()
        for href in pages[current].links if current in pages else []:
            target = href.partition("#")[0]
            if target in pages and target not in reached:
                reached.add(target)
                todo.append(target)
    yield from (f"{n}: not reached from {CONTENTS}" for n in pages if n not in reached)


def main(argv):
    folder, names = argv[0], argv[1:]
    found = list(problems(folder, names))
    for problem in found:
        print(problem)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
