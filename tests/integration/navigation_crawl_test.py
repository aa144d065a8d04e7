#!/usr/bin/env python3
"""Usage: THIS TOOL. "sim navigate --scope site" over python3.11-doc: bfs opens each page reachable
from the start once, in breadth-first order, dfs in depth-first order, as worked out here from the
site's files (links of <a> and <area>, no fragment, a directory is its index.html)."""
import os
import posixpath
import subprocess
import sys
import tempfile
from html.parser import HTMLParser
from urllib.parse import urljoin, urlsplit

DOCS = '/usr/share/doc/python3.11/html'
HOST = 'docs.python.test'
START = f'http://{HOST}/index.html'
BINARY = ('Z', 'gz', 'ps', 'hqx', 'bin', 'pdf', 'sit', 'lha', 'sea', 'tar')


def key(url):
    path = posixpath.normpath(urlsplit(url).path or '/') + ('/' if url.endswith('/') else '')
    return urlsplit(url).netloc + path + ('index.html' if path.endswith('/') else '')


def followed(url, cache={}):
    if url not in cache:
        parser, path = HTMLParser(), os.path.join(DOCS, key(url)[len(HOST) + 1:])
        links = []
        parser.handle_starttag = lambda tag, attrs: links.extend(
            v for n, v in attrs if tag in ('a', 'area') and n == 'href' and v is not None)
        if path.endswith('.html') and os.path.isfile(path):
            with open(path, encoding='utf-8', errors='replace') as page:
                parser.feed(page.read())
        urls = (urljoin(url, link).split('#')[0] for link in dict.fromkeys(links))
        cache[url] = [u for u in urls if u.startswith(('http:', 'ftp:', 'file:'))
                      and not u[u.rfind('.') + 1:].startswith(BINARY)]
    return cache[url]


def expected(depth_first):
    pending, visited, order = [START], set(), []
    while pending:
        url = pending.pop() if depth_first else pending.pop(0)
        if key(url) not in visited:
            visited.add(key(url))
            if urlsplit(url).netloc == HOST and url.startswith('http:'):
                order.append(key(url))
                links = [u for u in followed(url) if depth_first or key(u) not in visited]
                pending += reversed(links) if depth_first else links
    return order + ['finished']


def main():
    if not os.path.isdir(DOCS):
        print(f'skipped: {DOCS} is missing (scripts/setup installs python3.11-doc)')
        return 77
    failed = False
    with tempfile.TemporaryDirectory() as root:
        os.makedirs(os.path.join(root, 'site'))
        os.symlink(DOCS, os.path.join(root, 'site', HOST))
        for method, order in (('bfs', expected(False)), ('dfs', expected(True))):
            out = subprocess.run([sys.argv[1], '--root', root, 'sim', '--site', root + '/site',
                                  'navigate', '--method', method, '--scope', 'site', '--start',
                                  START, '--show', '0'], capture_output=True, text=True).stdout
            opened = [key(line[len('open '):]) for line in out.splitlines()[:-1]]
            opened += out.splitlines()[-1:]
            failed = failed or opened != order or len(set(opened)) != len(opened)
            print(f'{method}: {len(opened) - 1} opened, {len(set(opened)) - 1} different, '
                  f'{len(order) - 1} expected, the same: {opened == order}')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
