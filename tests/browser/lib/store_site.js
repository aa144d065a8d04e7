'use strict';
// Lays a documentation site into a fresh store as the saved copies of http://HOST/PREFIX/...
// (named by corvisant-tool as the system names local copies) and rewrites every saved page.
const fs = require('fs');
const path = require('path');
const execFileAsync = require('util').promisify(require('child_process').execFile);
const {insideDirectory, storeFileOf, storePathOf, stateOf, unescapeBytes, DEFAULT_DOCUMENT} =
    require('./targets');

// The tool is a sanitizer build in the native tree: a report from the sanitizer is a failure
// even when the exit code says otherwise.
const SANITIZER_MARK = /ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:/;
// Always saved when present: the entry page, the indexes and the search page.
const ALWAYS_SAVED =
    ['index.html', 'contents.html', 'genindex.html', 'search.html', 'glossary.html'];
// Page sources and downloads are documents of their own, reached only by following a link.
const DOCUMENT_DIRECTORIES = ['_sources/', '_downloads/'];
// The site's own pictures live here; a page that shows one is always saved.
const PICTURE_MARK = '_images/';

// Resolves to { code, stdout, stderr }, never rejects. `preparing` marks the calls that only lay
// the store out: they skip the leak check at exit, which costs as much as the call.
async function runTool(tool, args, preparing = false) {
  const env = {...process.env};
  if (preparing) env.ASAN_OPTIONS = [env.ASAN_OPTIONS, 'detect_leaks=0'].filter(Boolean).join(':');
  const options = {encoding: 'latin1', maxBuffer: 64 << 20, timeout: 60000, env};
  const run = await execFileAsync(tool.executable, ['--root', tool.storeRoot, ...args], options)
                  .catch((error) => ({...error, code: error.code ?? error.signal}));
  if (SANITIZER_MARK.test(run.stderr)) run.code = 'sanitizer report';
  return {code: 0, ...run};
}

// Runs worker(item) for every item with at most `width` running at once; keeps the order.
async function mapLimited(items, width, worker) {
  const results = [];
  let next = 0;
  const lane = async () => {
    for (let i = next++; i < items.length; i = next++) results[i] = await worker(items[i]);
  };
  await Promise.all(Array.from({length: width}, lane));
  return results;
}

const isPage = (rel) => ['.html', '.htm'].includes(path.extname(rel).toLowerCase());

// Which files are saved: "all" of them, or N pages (the entry page, the indexes, every
// directory's default document and every page with a picture of its own, then pages spread
// evenly over the rest) with every image, style sheet and script.
function chooseFiles(siteDir, files, limit) {
  if (limit === 'all') return files;
  const pages = files.filter(isPage);
  const chosen = new Set(pages.filter(
      (rel) => ALWAYS_SAVED.includes(rel) || path.posix.basename(rel) === DEFAULT_DOCUMENT ||
          fs.readFileSync(path.join(siteDir, rel), 'latin1').includes(PICTURE_MARK)));
  const rest = pages.filter((rel) => !chosen.has(rel));
  const room = Math.min(rest.length, Math.max(0, (parseInt(limit, 10) || 1) - chosen.size));
  for (let i = 0; i < room; i++) chosen.add(rest[Math.floor((i * rest.length) / room)]);
  return files.filter(
      (rel) => chosen.has(rel) ||
          (!isPage(rel) && !DOCUMENT_DIRECTORIES.some((dir) => rel.startsWith(dir))));
}

// Names one file with "store local-copy URL --create" and copies the site's bytes over the empty
// file the tool made. A directory's default document was shown under the directory URL, so it is
// saved as that URL (the store names it "index.html" again).
async function layFile(tool, site, rel, failures) {
  let url = `http://${site.host}${site.prefix}${rel}`;
  if (path.posix.basename(rel) === DEFAULT_DOCUMENT) url = url.slice(0, -DEFAULT_DOCUMENT.length);
  const run = await runTool(tool, ['store', 'local-copy', url, '--create'], true);
  const storeName = run.stdout.replace(/\n$/, '');
  const storePath = storePathOf(tool.storeRoot, storeName);
  if (run.code !== 0 || storeName === '') {
    failures.push(`${url}: store local-copy exited ${run.code}: ${run.stderr.trim()}`);
  } else if (!insideDirectory(tool.storeRoot, storePath)) {
    failures.push(`${url}: named outside the store: ${storeName}`);
  } else {
    fs.copyFileSync(path.join(site.dir, rel), storePath);
    return {rel, url, storeName, storePath};
  }
}

// Rewrites one saved page as the recording of a visit does: the page URL normalised for the
// store, the URL as reported kept apart when the two differ. Gives the problems found.
async function rewritePage(tool, laid) {
  let pageUrl = laid.url;
  if (pageUrl.endsWith('/')) {
    const normalised = await runTool(tool, ['url', 'normalise', laid.url], true);
    pageUrl = unescapeBytes(normalised.stdout.split('\n')[0]);
  }
  const args = ['page', 'rewrite', pageUrl, laid.storeName];
  if (pageUrl !== laid.url) args.push('--reported', laid.url);
  const run = await runTool(tool, args);
  if (run.code !== 0)
    return [`exited ${run.code}: ${run.stderr.trim().split('\n').join(' | ').slice(0, 300)}`];
  // Output lines: result=, title=, link=..., image=URL<TAB>NAME, visit=..., repeat=.
  const lines = run.stdout.split('\n');
  const problems = [];
  if (!lines.includes('result=0')) problems.push('no "result=0" reported');
  if (!lines.some((line) => /^title=./.test(line))) problems.push('no title reported');
  if (stateOf(laid.storePath) !== 'file' || fs.statSync(laid.storePath).size === 0) {
    problems.push('the stored page is gone or empty after the rewrite');
  }
  // Every image handed to the request queue is one of the site's own pictures (all were saved),
  // under the name of its local copy.
  for (const line of lines.filter((l) => l.startsWith('image='))) {
    const [url, name = ''] = line.slice('image='.length).split('\t');
    const file = storePathOf(tool.storeRoot, name);
    if (file !== storeFileOf(unescapeBytes(url), tool.storeRoot) || !fs.existsSync(file)) {
      problems.push(`deferred image ${url} named ${name}, not its saved copy`);
    }
  }
  return problems;
}

// Lays the chosen files of the site (symbolic links to files followed), then rewrites every page
// laid, --jobs tool runs at a time. Gives the files laid and their pages; adds to failures.
async function laySiteAndRewrite(tool, options, failures) {
  const site = {dir: options.site, host: options.host, prefix: options.prefix};
  const width = Math.max(1, parseInt(options.jobs, 10) || 1);
  const prepared = await runTool(tool, ['store', 'prepare'], true);
  if (prepared.code !== 0) failures.push(`store prepare exited ${prepared.code}`);
  const files = [];
  for (const rel of fs.readdirSync(site.dir, {recursive: true}).sort()) {
    try {
      if (fs.statSync(path.join(site.dir, rel)).isFile()) files.push(rel.split(path.sep).join('/'));
    } catch (error) {
      failures.push(`unreadable in the site: ${rel}: ${error.code}`);
    }
  }
  const chosen = chooseFiles(site.dir, files, options.pages);
  const laid = (await mapLimited(chosen, width, (rel) => layFile(tool, site, rel, failures)))
                   .filter(Boolean);
  const pages = laid.filter((item) => isPage(item.rel));
  if (pages.length === 0) failures.push(`no pages found in ${site.dir}`);
  const problems = await mapLimited(pages, width, (page) => rewritePage(tool, page));
  pages.forEach((page, i) => {
    if (problems[i].length) failures.push(`${page.url}: rewrite: ${problems[i].join('; ')}`);
  });
  return {laid, pages};
}

module.exports = {laySiteAndRewrite};
