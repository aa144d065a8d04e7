'use strict';
// Which files of the site are saved into the store. A short run saves a subset of the pages
// (the entry page, every directory's default document, the indexes, every page with a picture of
// its own, then pages spread evenly over the rest) with every image, style sheet and script;
// "all" saves the whole site.
const fs = require('fs');
const path = require('path');
const {DEFAULT_DOCUMENT} = require('./targets');

const PAGE_EXTENSIONS = new Set(['.html', '.htm']);
// Always saved when present: the entry page, the indexes and the search page.
const ALWAYS_SAVED =
    ['index.html', 'contents.html', 'genindex.html', 'search.html', 'glossary.html'];
// Page sources and downloads are documents of their own, reached only by following a link.
const DOCUMENT_DIRECTORIES = ['_sources/', '_downloads/'];
// The site's own pictures live here; a page that shows one is always saved.
const PICTURE_MARK = '_images/';

function isPage(rel) {
  return PAGE_EXTENSIONS.has(path.extname(rel).toLowerCase());
}

function chooseFiles(siteDir, files, limit) {
  if (limit === 'all') return files;
  const wanted = Math.max(1, parseInt(limit, 10) || 1);
  const pages = files.filter(isPage);
  const chosen = new Set();
  for (const rel of pages) {
    const fixed = ALWAYS_SAVED.includes(rel) || path.posix.basename(rel) === DEFAULT_DOCUMENT;
    if (fixed || fs.readFileSync(path.join(siteDir, rel), 'latin1').includes(PICTURE_MARK)) {
      chosen.add(rel);
    }
  }
  const rest = pages.filter((rel) => !chosen.has(rel));
  const room = Math.min(rest.length, Math.max(0, wanted - chosen.size));
  for (let i = 0; i < room; i++) chosen.add(rest[Math.floor((i * rest.length) / room)]);
  const resources = files.filter(
      (rel) => !isPage(rel) && !DOCUMENT_DIRECTORIES.some((dir) => rel.startsWith(dir)));
  return files.filter((rel) => chosen.has(rel) || resources.includes(rel));
}

module.exports = {
  chooseFiles,
  isPage
};
