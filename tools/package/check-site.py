#!/usr/bin/env python3
"""check-site.py SITE.zip PAGE.html OUT_DIR: checks the site's zip against the
one-file page of the same release and unpacks it into OUT_DIR/FOLDER:

- one folder named as the zip, its files in the order of their names, each
  a regular file of mode 0644 with the release's time, and exactly the files
  a site needs;
- index.html is the page with additions only: a block before </head> between
  the site's two marker comments, and two meta elements changed, the policy
  allowing the site's own files ('self') for the worker, the manifest and the
  icons and nothing more, the viewport reaching under the notch;
- the worker keeps every file of the folder but itself, each with its digest.
Prints the folder it unpacked to."""

import hashlib
import json
import os
import re
import sys
import zipfile

SITE_FILES = {"index.html", "manifest.webmanifest", "service-worker.js", "icon-192.png", "icon-512.png",
              "icon-maskable-512.png", "apple-touch-icon.png"}


def fail(message):
    sys.exit(f"check-site: {message}")


def check_entries(archive, folder):
    infos = archive.infolist()
    names = [info.filename for info in infos]
    if names != sorted(names):
        fail(f"the entries are not in the order of their names: {names}")
    if {name.partition("/")[0] for name in names} != {folder}:
        fail(f"not every entry is in {folder}/: {names}")
    if {name.partition("/")[2] for name in names} != SITE_FILES:
        fail(f"the files are {sorted(n.partition('/')[2] for n in names)}, not {sorted(SITE_FILES)}")
    times = {info.date_time for info in infos}
    if len(times) != 1:
        fail(f"the entries carry {len(times)} times")
    for info in infos:
        if info.create_system != 3 or info.external_attr >> 16 != 0o100644:
            fail(f"{info.filename} is not a regular file of mode 0644 ({oct(info.external_attr >> 16)})")


def meta(page, pattern):
    found = re.findall(pattern, page)
    if len(found) != 1:
        fail(f"{len(found)} elements match {pattern}")
    return found[0]


def check_index(index, page):
    block = re.search(r"\n<!-- The site's additions: [^\n]*-->\n.*?\n<!-- End of the site's additions. -->\n(?=</head>)",
                      index, re.S)
    if not block:
        fail("index.html has no block of the site's additions before </head>")
    rest = index[:block.start()] + "\n" + index[block.end():]
    if "serviceWorker" in page or "manifest" in page.split("</head>")[0]:
        fail("the one-file page itself registers a worker or links a manifest")
    policy = r'<meta http-equiv="Content-Security-Policy" content="([^"]*)">'
    viewport = r'<meta name="viewport" content="([^"]*)">'
    page_policy, site_policy = meta(page, policy), meta(rest, policy)
    directives = lambda text: dict((d.split()[0], d.split()[1:]) for d in text.split(";") if d.strip())
    allowed, site = directives(page_policy), directives(site_policy)
    added = {name: [s for s in sources if s not in allowed.get(name, [])] for name, sources in site.items()}
    added = {name: sources for name, sources in added.items() if sources}
    if added != {"img-src": ["'self'"], "manifest-src": ["'self'"], "worker-src": ["'self'"]}:
        fail(f"the site's policy adds {added} to the page's")
    if any(s not in site.get(name, []) for name, sources in allowed.items() for s in sources):
        fail("the site's policy drops part of the page's")
    if meta(rest, viewport) != meta(page, viewport) + ", viewport-fit=cover":
        fail(f"the site's viewport is {meta(rest, viewport)}")
    rest = re.sub(policy, lambda m: m.group(0).replace(site_policy, page_policy), rest)
    rest = re.sub(viewport, lambda m: m.group(0).replace(", viewport-fit=cover", ""), rest)
    if rest != page:
        fail("index.html differs from the page beyond the site's additions")


def check_worker(root):
    worker = open(os.path.join(root, "service-worker.js"), encoding="utf-8").read()
    files = json.loads(re.search(r"^const FILES = (\{[^}]*\});$", worker, re.M).group(1))
    on_disk = {("./" if name == "index.html" else name) for name in os.listdir(root)} - {"service-worker.js"}
    if set(files) != on_disk:
        fail(f"the worker keeps {sorted(files)}, the folder holds {sorted(on_disk)}")
    for name, digest in files.items():
        data = open(os.path.join(root, "index.html" if name == "./" else name), "rb").read()
        if hashlib.sha256(data).hexdigest() != digest:
            fail(f"the worker's digest of {name} is not the file's")


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: check-site.py SITE.zip PAGE.html OUT_DIR")
    zip_path, page_path, out = sys.argv[1:]
    folder = os.path.basename(zip_path).removesuffix(".zip")
    with zipfile.ZipFile(zip_path) as archive:
        check_entries(archive, folder)
        archive.extractall(out)
    root = os.path.join(out, folder)
    check_index(open(os.path.join(root, "index.html"), encoding="utf-8").read(),
                open(page_path, encoding="utf-8").read())
    check_worker(root)
    print(root)


if __name__ == "__main__":
    main()
