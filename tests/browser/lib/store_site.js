'use strict';
// Lays a documentation site into a fresh page store as the saved copies of http://HOST/PREFIX/...
// (named by the tool exactly as the system names local copies) and rewrites every saved page
// with the system's stored-page rewrite.
const fs = require('fs');
const path = require('path');
const {mapLimited, parseRewriteOutput, unescapeBytes} = require('./tool');
const {chooseFiles, isPage} = require('./selection');
const {insideDirectory, storeFileOf, DEFAULT_DOCUMENT} = require('./targets');

// Every file below siteDir (symbolic links followed), as paths relative to it with "/", sorted.
function listSiteFiles(siteDir) {
  const files = [];
  const unreadable = [];
  function walk(relative) {
    const directory = path.join(siteDir, relative);
    for (const entry of fs.readdirSync(directory).sort()) {
      const rel = relative ? `${relative}/${entry}` : entry;
      let stat;
      try {
        stat = fs.statSync(path.join(siteDir, rel));
      } catch (error) {
        unreadable.push(`${rel}: ${error.code}`);
        continue;
      }
      if (stat.isDirectory())
        walk(rel);
      else if (stat.isFile())
        files.push(rel);
    }
  }
  walk('');
  return {files, unreadable};
}

// The web URL the file was saved from. A directory's default document was shown under the
// directory URL, so it is saved as that URL (the store names it "index.html" again).
function webUrlOf(site, rel) {
  const url = `http://${site.host}${site.prefix}${rel}`;
  if (path.posix.basename(rel) === DEFAULT_DOCUMENT) return url.slice(0, -DEFAULT_DOCUMENT.length);
  return url;
}

// Names one file with "store local-copy URL --create" and copies the site's bytes over the empty
// file the tool made. Gives { rel, url, storeName, storePath } or { rel, url, error }.
async function layFile(tool, site, rel) {
  const url = webUrlOf(site, rel);
  const run = await tool.run(['store', 'local-copy', url, '--create'], true);
  const storeName = unescapeBytes(run.stdout.replace(/\n$/, ''));
  if (run.code !== 0 || storeName === '') {
    return {rel, url, error: `store local-copy exited ${run.code}: ${run.stderr.trim()}`};
  }
  const storePath = path.resolve(tool.storeRoot, storeName.split('\\').join('/'));
  if (!insideDirectory(tool.storeRoot, storePath)) {
    return {rel, url, error: `named outside the store: ${storeName}`};
  }
  fs.copyFileSync(path.join(site.dir, rel), storePath);
  return {rel, url, storeName, storePath};
}

// Rewrites one saved page as the recording of a visit does: the page URL normalised for the
// store, the URL as reported kept apart when the two differ.
async function rewritePage(tool, site, laid) {
  let pageUrl = laid.url;
  if (pageUrl.endsWith('/')) {
    const normalised = await tool.run(['url', 'normalise', laid.url], true);
    pageUrl = unescapeBytes(normalised.stdout.split('\n')[0]);
  }
  const args = ['page', 'rewrite', pageUrl, laid.storeName];
  if (pageUrl !== laid.url) args.push('--reported', laid.url);
  const run = await tool.run(args);
  const output = parseRewriteOutput(run.stdout);
  const problems = [];
  if (run.code !== 0) {
    problems.push(`exited ${run.code}: ${run.stderr.trim().split('\n').join(' | ').slice(0, 300)}`);
    return {laid, pageUrl, output, problems, linkCount: undefined};
  }
  if (output.result !== '0') problems.push(`result=${output.result}`);
  if (!output.title) problems.push('no title reported');
  if (!fs.existsSync(laid.storePath) || fs.statSync(laid.storePath).size === 0) {
    problems.push('the stored page is gone or empty after the rewrite');
  }
  // Every image handed to the request queue is one of the site's own pictures (all were saved),
  // under the name of its local copy.
  for (const image of output.images) {
    const imagePath = path.resolve(tool.storeRoot, unescapeBytes(image.name).split('\\').join('/'));
    const expected = storeFileOf(unescapeBytes(image.url), tool.storeRoot);
    if (imagePath !== expected || !fs.existsSync(imagePath)) {
      problems.push(`deferred image ${image.url} named ${image.name}, not its saved copy`);
    }
  }
  return {laid, pageUrl, output, problems, linkCount: output.links.length};
}

// Lays the chosen files of the site (see selection.js), then rewrites every page laid. `width`
// tool runs at a time.
async function laySiteAndRewrite(tool, site, limit, width) {
  const {files, unreadable} = listSiteFiles(site.dir);
  const chosen = chooseFiles(site.dir, files, limit);
  const laid = await mapLimited(chosen, width, (rel) => layFile(tool, site, rel));
  const layFailures = unreadable.map((text) => `unreadable in the site: ${text}`);
  for (const item of laid)
    if (item.error) layFailures.push(`${item.url}: ${item.error}`);
  const pages = laid.filter((item) => !item.error && isPage(item.rel));
  const rewrites = await mapLimited(pages, width, (item) => rewritePage(tool, site, item));
  return {files, laid, layFailures, pages, rewrites};
}

module.exports = {
  laySiteAndRewrite,
  webUrlOf
};
