#!/usr/bin/env node
'use strict';
// Offline browsing of stored pages in a real browser. A documentation site is laid into a fresh
// store as the saved copies of http://HOST/PREFIX/... (named by corvisant-tool), each saved page
// is rewritten by the system ("page rewrite"), opened from its file: URL in headless Chromium
// and checked (lib/browse.js). Prints the failures and a summary; exits 0 when there are none.
//
// --pages N|all: how many pages are saved (chooseFiles in lib/store_site.js; default
// $CORVISANT_OFFLINE_PAGES or 100); anchors to pages left out are not failures. --keep-store
// keeps the store and lists its pages in pages.tsv beside it. --store DIR --urls FILE checks a
// store filled by another command instead: FILE lists "URL<TAB>STORE-RELATIVE-PATH" lines of
// the pages to open, whose originals are the files of --site named by the URL below --prefix;
// of the files such a store lacks, only those the system fetches itself (pages and its images)
// count as missing.
//
// usage: offline_browsing_test.js --tool TOOL [--site DIR] [--host HOST] [--prefix /PATH/]
//        [--pages N|all] [--jobs N] [--chromium PATH] [--keep-store] [--store DIR --urls FILE]
const fs = require('fs');
const os = require('os');
const path = require('path');
const {execFileSync} = require('child_process');
const {laySiteAndRewrite} = require('./lib/store_site');
const {browsePages} = require('./lib/browse');
const {storePathOf, DEFAULT_DOCUMENT} = require('./lib/targets');

const SHOWN_FAILURES = 20;

function parseArguments(argv) {
  const options = {
    site: '/usr/share/doc/python3.11/html',
    host: 'docs.corvisant.test',
    prefix: '/',
    pages: process.env.CORVISANT_OFFLINE_PAGES || '100',
    jobs: String(os.cpus().length),
    chromium: '/usr/bin/chromium'
  };
  const valued = ['tool', 'site', 'host', 'prefix', 'pages', 'jobs', 'chromium', 'store', 'urls'];
  for (let i = 0; i < argv.length; i++) {
    const name = argv[i].replace(/^--/, '');
    if (name === 'keep-store')
      options.keepStore = true;
    else if (valued.includes(name) && i + 1 < argv.length)
      options[name] = argv[++i];
    else
      throw new Error(`unknown or incomplete argument ${argv[i]}`);
  }
  if (!options.tool) throw new Error('--tool CORVISANT-TOOL is required');
  if (!/^\/(.*\/)?$/.test(options.prefix)) throw new Error('--prefix must begin and end with "/"');
  if (!options.store !== !options.urls) throw new Error('--store and --urls go together');
  return options;
}

// The pages of a --urls list, as { rel, url, storePath } with rel the path below --prefix.
function listedPages(options, failures) {
  const pages = [];
  for (const line of fs.readFileSync(options.urls, 'utf8').split(/\r?\n/).filter(Boolean)) {
    const [url, storeName] = line.split('\t');
    const parsed = URL.canParse(url) ? new URL(url) : {pathname: ''};
    if (!storeName || parsed.host !== options.host.toLowerCase() ||
        !parsed.pathname.startsWith(options.prefix)) {
      failures.push(`${options.urls}: not a page of the site and its store path: ${line}`);
    } else {
      let rel = decodeURIComponent(parsed.pathname.slice(options.prefix.length));
      if (rel === '' || rel.endsWith('/')) rel += DEFAULT_DOCUMENT;
      pages.push({rel, url, storePath: storePathOf(options.store, storeName)});
    }
  }
  return pages;
}

// The system's own rule for the files it fetches besides pages: its images, as its classifier
// names them (asked once per file name).
function systemFetches(tool) {
  const known = new Map();
  return (file) => {
    if (!known.has(file)) {
      const answer = execFileSync(tool, ['url', 'classify', path.basename(file)], {encoding: 'utf8'});
      known.set(file, /^IsImageUrl=1$/m.test(answer));
    }
    return known.get(file);
  };
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const out = process.stdout;
  const failures = {store: []};
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'corvisant-offline-'));
  const root = path.resolve(options.store || path.join(scratch, 'store'));
  const siteDir = path.join(root, options.host);
  const store = {root, host: options.host.toLowerCase(), siteDir, siteSource: options.site};
  store.prefixDir = path.join(siteDir, options.prefix);
  let pages = [];
  let counts = {pages: 0, anchors: 0, images: 0};
  try {
    if (options.store) {
      pages = listedPages(options, failures.store);
      store.laid = new Set(pages.map((page) => page.rel));
      store.recorded = systemFetches(path.resolve(options.tool));
    } else {
      fs.mkdirSync(root);
      const tool = {executable: path.resolve(options.tool), storeRoot: root};
      const laidOut = await laySiteAndRewrite(tool, options, failures.store);
      pages = laidOut.pages;
      store.laid = new Set(laidOut.laid.map((item) => item.rel));
      if (options.keepStore) {
        const list = pages.map((page) => `${page.url}\t${page.storeName}\n`).join('');
        fs.writeFileSync(path.join(scratch, 'pages.tsv'), list);
      }
    }
    if (pages.length === 0) failures.store.push('no pages to open');
    for (const page of pages) page.sourcePath = path.join(options.site, page.rel);
    // Resolved through NODE_PATH (.deps/browser/node_modules), which scripts/setup installs.
    const chromium = require('playwright-core').chromium;
    const checker = await browsePages(chromium, options.chromium, pages, store, scratch);
    Object.assign(failures, checker.failures);
    counts = checker.counts;
  } catch (error) {
    failures.harness = [error.stack || String(error)];
  } finally {
    if (options.keepStore && !options.store)
      out.write(`offline: store kept in ${root}, its pages listed in ${scratch}/pages.tsv\n`);
    else
      fs.rmSync(scratch, {recursive: true, force: true});
  }
  let failed = 0;
  for (const [kind, list] of Object.entries(failures)) {
    failed += list.length;
    if (list.length) out.write(`FAIL ${kind}: ${list.length}\n`);
    for (const text of list.slice(0, SHOWN_FAILURES)) out.write(`    ${text}\n`);
    if (list.length > SHOWN_FAILURES)
      out.write(`    ... and ${list.length - SHOWN_FAILURES} more\n`);
  }
  out.write(
      `offline: ${failed ? 'FAIL' : 'PASS'}: ${counts.pages} of ${pages.length} pages opened ` +
      `from ${root}, ${counts.anchors} anchors and ${counts.images} images checked, ` +
      `${failed} failures\n`);
  return failed === 0 ? 0 : 1;
}

main().then((code) => process.exit(code), (error) => {
  process.stderr.write(`${error.stack || error}\n`);
  process.exit(2);
});
