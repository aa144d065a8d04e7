#!/usr/bin/env python3
"""Crawls of a real documentation site (python3.11-doc as http://docs.python.test/) with "sim
navigate --scope site": breadth first opens every page reachable from the start page exactly once,
in breadth-first order, and depth first the same pages in depth-first order. The orders are worked
out here from the site's files with Python's HTML parser: links of <a> and <area> without their
fragment, a directory being its index.html; only HTML pages are read. Usage: THIS TOOL"""
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
            first = next((i for i, pair in enumerate(zip(opened, order)) if pair[0] != pair[1]), '-')
            print(f'{method}: {len(opened) - 1} opened, {len(set(opened)) - 1} different, '
                  f'{len(order) - 1} expected; first difference: {first}')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())
