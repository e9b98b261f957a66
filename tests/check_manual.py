#!/usr/bin/env python3
"""check_manual.py HTML_DIR: the manual's pictures and internal links all exist, and the anchors the program opens."""
import html.parser, os, sys

folder = sys.argv[1]
opened = {"manual.htm": {"DOCUMENTATION"}, "referenc.htm": {"SETUP", "Sysinfo"}}


class Page(html.parser.HTMLParser):
    def __init__(self, name):
        super().__init__()
        self.anchors, self.links, self.pictures = set(), [], []
        self.feed(open(os.path.join(folder, name), encoding="cp1252").read())

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        self.anchors.update(v for k, v in attrs if k in ("id", "name"))
        if tag == "a" and "://" not in a.get("href", "://"):
            self.links.append(a["href"])
        if tag == "img":
            self.pictures.append(a.get("src", ""))


pages = {name: Page(name) for name in opened}
faults = []
for name, page in pages.items():
    faults += [f"{name}: no anchor {a}" for a in opened[name] - page.anchors]
    faults += [f"{name}: no picture {p}" for p in page.pictures if not os.path.isfile(os.path.join(folder, p))]
    for link in page.links:
        target, _, anchor = link.partition("#")
        if (target or name) not in pages or (anchor and anchor not in pages[target or name].anchors):
            faults.append(f"{name}: broken link {link}")
print("\n".join(faults) or f"{sum(len(p.pictures) for p in pages.values())} pictures and "
      f"{sum(len(p.links) for p in pages.values())} links found")
sys.exit(1 if faults else 0)
