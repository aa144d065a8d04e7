#!/usr/bin/env python3
"""A crawl of a real documentation site (the HTML of python3.11-doc, served as
http://docs.python.test/) with "sim navigate --scope site": breadth first opens every page
reachable from the start page exactly once, in breadth-first order; depth first opens the same
pages in depth-first order. The expected orders are worked out here from the site's own files
with Python's HTML parser: links of <a> and <area>, resolved, without their fragment, a directory
being its index.html; only HTML pages are read for links. Usage: navigation_crawl_test.py TOOL"""
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
SKIPPED = 77


class Links(HTMLParser):
    def __init__(self):
        super().__init__()
        self.links = []

    def handle_starttag(self, tag, attrs):
        href = dict(attrs).get('href')
        if tag in ('a', 'area') and href is not None:
            self.links.append(href)


def key(url):
    path = posixpath.normpath(urlsplit(url).path or '/') + ('/' if url.endswith('/') else '')
    return f'{urlsplit(url).netloc}{path}' + ('index.html' if path.endswith('/') else '')


def follow(link, page):
    url = urljoin(page, link).split('#')[0]
    dot = url.rfind('.')
    if not url.startswith(('http:', 'ftp:', 'file:')) or url[dot + 1:].startswith(BINARY):
        return None
    return url


def links_of(url, cache={}):
    if url not in cache:
        path = os.path.join(DOCS, key(url)[len(HOST) + 1:])
        parser = Links()
        if path.endswith(('.html', '.htm')) and os.path.isfile(path):
            with open(path, encoding='utf-8', errors='replace') as page:
                parser.feed(page.read())
        cache[url] = parser.links
    return cache[url]


def in_scope(url):
    return urlsplit(url).scheme == 'http' and urlsplit(url).netloc == HOST


def breadth_first():
    queue, visited, order = [START], set(), []
    for url in queue:
        if key(url) in visited:
            continue
        visited.add(key(url))
        if in_scope(url):
            order.append(key(url))
            followed = (follow(link, url) for link in links_of(url))
            queue += [f for f in followed if f and key(f) not in visited]
    return order


def depth_first():
    stack, visited, order = [START], set(), []
    while stack:
        url = stack[-1]
        if key(url) in visited or not in_scope(url):
            visited.add(key(url))
            stack.pop()
            continue
        visited.add(key(url))
        order.append(key(url))
        links = list(dict.fromkeys(links_of(url)))
        stack += [f for f in (follow(link, url) for link in reversed(links)) if f]
    return order


def crawl(tool, method, root):
    out = subprocess.run([tool, '--root', root, 'sim', '--site', os.path.join(root, 'site'),
                          'navigate', '--method', method, '--scope', 'site', '--start', START,
                          '--show', '0'], capture_output=True, text=True, check=True).stdout
    lines = out.splitlines()
    assert lines[-1] == 'finished', lines[-1]
    return [key(line.split(' ', 1)[1]) for line in lines[:-1]]


def main():
    if not os.path.isdir(DOCS):
        print(f'skipped: {DOCS} is missing (scripts/setup installs python3.11-doc)')
        return SKIPPED
    failures = 0
    with tempfile.TemporaryDirectory() as root:
        os.makedirs(os.path.join(root, 'site'))
        os.symlink(DOCS, os.path.join(root, 'site', HOST))
        for method, expected in (('bfs', breadth_first()), ('dfs', depth_first())):
            opened = crawl(sys.argv[1], method, root)
            twice = sorted({page for page in opened if opened.count(page) > 1})
            if opened != expected or twice:
                failures += 1
                missing = sorted(set(expected) - set(opened))[:5]
                print(f'{method}: {len(opened)} pages opened, {len(expected)} expected; '
                      f'opened twice {twice[:5]}; missing {missing}; first difference at '
                      f'{next((i for i, (a, b) in enumerate(zip(opened, expected)) if a != b), "-")}')
            else:
                print(f'{method}: {len(opened)} pages, each once, in order')
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
