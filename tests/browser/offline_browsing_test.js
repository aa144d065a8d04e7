#!/usr/bin/env node
'use strict';
// Offline browsing of stored pages in a real browser.
//
// A real documentation site is laid into a fresh page store as the saved copies of
// http://HOST/PREFIX/... (named by corvisant-tool as the system names local copies), every saved
// page is rewritten by the system ("page rewrite"), and every saved page is then opened from
// its file: URL in headless Chromium. Each anchor and image is paired with the same element of
// the page as it was saved: it must lead to the local copy of what the original led to; every
// image and every anchor into the saved pages must be a file of the store; no page may ask
// anything of the network. Links that the system keeps as web URLs (https:, mailto: ...) and
// links into the store directory of hosts that were not saved are allowed, counted and listed.
//
// --pages N saves N pages of the site (the entry page, the indexes, every directory's default
// document, every page with a picture, then pages spread over the rest) with all their images,
// style sheets and scripts; anchors to the pages left out are counted, not failed. --pages all
// saves every file of the site. The default is $CORVISANT_OFFLINE_PAGES or 100.
//
// usage: offline_browsing_test.js --tool CORVISANT-TOOL [--site DIR] [--host HOST]
//        [--prefix /PATH/] [--pages N|all] [--jobs N] [--chromium PATH] [--report FILE.xml]
//        [--keep-store]
const fs = require('fs');
const os = require('os');
const path = require('path');
const {execFileSync} = require('child_process');
const {Tool} = require('./lib/tool');
const {laySiteAndRewrite} = require('./lib/store_site');
const {browsePages} = require('./lib/browse');
const {Verdict, topEntries} = require('./lib/report');

const DEFAULTS = {
  site: '/usr/share/doc/python3.11/html',
  host: 'docs.corvisant.test',
  prefix: '/',
  pages: process.env.CORVISANT_OFFLINE_PAGES || '100',
  jobs: String(Math.max(1, os.cpus().length)),
  chromium: '/usr/bin/chromium',
};
const LISTED_HOSTS = 12;

function parseArguments(argv) {
  const options = {...DEFAULTS, keepStore: false, report: null, tool: null};
  for (let i = 0; i < argv.length; i++) {
    const name = argv[i].replace(/^--/, '');
    if (name === 'keep-store')
      options.keepStore = true;
    else if (
        ['tool', 'site', 'host', 'prefix', 'pages', 'jobs', 'chromium', 'report'].includes(name) &&
        i + 1 < argv.length) {
      options[name.replace(/-(.)/g, (_, c) => c.toUpperCase())] = argv[++i];
    } else
      throw new Error(`unknown or incomplete argument ${argv[i]}`);
  }
  if (!options.tool) throw new Error('--tool CORVISANT-TOOL is required');
  if (!options.prefix.startsWith('/') || !options.prefix.endsWith('/')) {
    throw new Error('--prefix must begin and end with "/"');
  }
  return options;
}

function requireChromium() {
  // Resolved through NODE_PATH (.deps/browser/node_modules), which scripts/setup installs.
  return require('playwright-core').chromium;
}

function describeLeftovers(findings, out) {
  const webTotal = total(findings.leftOnWeb);
  out.write(
      `offline: anchors left as web URLs (not followed, not fetched): ${webTotal} to ` +
      `${findings.leftOnWeb.size} sites\n`);
  for (const [site, entry] of topEntries(findings.leftOnWeb, LISTED_HOSTS)) {
    out.write(`    ${entry.count}\t${site}\t(e.g. ${entry.example})\n`);
  }
  const otherTotal = total(findings.otherHosts);
  out.write(
      `offline: anchors rewritten into the store directory of hosts that were not saved: ` +
      `${otherTotal} to ${
          findings.otherHosts.size} hosts (no such file until that page is saved)\n`);
  for (const [host, entry] of topEntries(findings.otherHosts, LISTED_HOSTS)) {
    out.write(`    ${entry.count}\t${host}\t(e.g. ${entry.example})\n`);
  }
  for (const [scheme, entry] of topEntries(findings.otherSchemes, LISTED_HOSTS)) {
    out.write(
        `offline: anchors with the scheme ${scheme} left as they are: ${entry.count} ` +
        `(e.g. ${entry.example})\n`);
  }
  const notSaved = total(findings.notSaved);
  out.write(
      `offline: anchors to pages of the site outside the saved subset (each at the name ` +
      `its copy would have): ${notSaved} to ${findings.notSaved.size} pages\n`);
  for (const [target, entry] of topEntries(findings.brokenInSite, LISTED_HOSTS)) {
    out.write(
        `offline: anchors to ${target}, which the site itself lacks: ${entry.count} ` +
        `(e.g. in ${entry.example})\n`);
  }
  for (const text of findings.linkCountDiffs) out.write(`offline: note: ${text}\n`);
  for (const text of findings.directoryLinks) {
    out.write(`offline: note: anchor left leading to a directory: ${text}\n`);
  }
  if (findings.counts.refusedLocal) {
    out.write(
        `offline: reads of present local files refused by the browser (scripts reading ` +
        `file: URLs): ${findings.counts.refusedLocal}\n`);
  }
}

function total(map) {
  return [...map.values()].reduce((sum, entry) => sum + entry.count, 0);
}

// Lays the site into the store and rewrites every page; adds the cases of that phase.
async function layAndRewrite(options, tool, verdict, out) {
  const started = Date.now();
  const prepared = await tool.run(['store', 'prepare'], true);
  const site = {dir: options.site, host: options.host, prefix: options.prefix};
  const jobs = Math.max(1, parseInt(options.jobs, 10) || 1);
  const laidOut = await laySiteAndRewrite(tool, site, options.pages, jobs);
  const layFailures = [...laidOut.layFailures];
  if (prepared.code !== 0) layFailures.unshift(`store prepare exited ${prepared.code}`);
  if (laidOut.pages.length === 0) layFailures.push(`no pages found in ${options.site}`);
  const rewriteFailures = laidOut.rewrites.filter((r) => r.problems.length > 0)
                              .map((r) => `${r.laid.url}: ${r.problems.join('; ')}`);
  const seconds = (Date.now() - started) / 1000;
  verdict.add('LaySiteIntoStore', layFailures, seconds);
  verdict.add('RewriteEveryPage', rewriteFailures, seconds);
  const links = laidOut.rewrites.reduce((sum, r) => sum + (r.linkCount || 0), 0);
  const images = laidOut.rewrites.reduce((sum, r) => sum + r.output.images.length, 0);
  out.write(
      `offline: laid ${laidOut.laid.length} of ${laidOut.files.length} files ` +
      `(${laidOut.pages.length} pages) of ${options.site} as ` +
      `http://${options.host}${options.prefix} into ${tool.storeRoot}\n`);
  out.write(
      `offline: rewrote ${laidOut.rewrites.length} pages, ` +
      `${laidOut.rewrites.length - rewriteFailures.length} without fault; ${links} links ` +
      `collected, ${images} images deferred (${seconds.toFixed(1)} s)\n`);
  return laidOut;
}

// Opens every rewritten page in Chromium; adds the cases of that phase.
async function browseSavedPages(options, laidOut, store, verdict, out) {
  const started = Date.now();
  store.laid = new Set(laidOut.laid.filter((item) => !item.error).map((item) => item.rel));
  const opened = laidOut.rewrites.map(
      (r) =>
          ({...r.laid, linkCount: r.linkCount, sourcePath: path.join(options.site, r.laid.rel)}));
  const version = execFileSync(options.chromium, ['--version'], {
                    encoding: 'utf8',
                    stdio: ['ignore', 'pipe', 'ignore']
                  }).trim();
  const findings = await browsePages(requireChromium(), options.chromium, opened, store);
  const seconds = (Date.now() - started) / 1000;
  const failures = findings.failures;
  verdict.add('PagesOpen', failures.open, seconds);
  verdict.add('NoNetworkRequest', failures.network);
  verdict.add('SiteAnchorsResolve', failures.anchors);
  verdict.add('ImagesResolve', failures.images);
  verdict.add('LocalResourcesLoad', failures.local);
  const c = findings.counts;
  out.write(
      `offline: ${version}: opened ${c.pages} of ${opened.length} saved pages in ` +
      `${seconds.toFixed(1)} s; ${c.anchors} anchors (${c.siteAnchors} into the saved ` +
      `site), ${c.images} images, ${c.embedded} frames/backgrounds/image inputs, ` +
      `${c.pageErrors} script errors\n`);
  const slowest = [...findings.timings].sort((a, b) => b.ms - a.ms).slice(0, 3);
  out.write(`offline: slowest pages: ${slowest.map((t) => `${t.label} ${t.ms} ms`).join(', ')}\n`);
  describeLeftovers(findings, out);
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const out = process.stdout;
  const verdict = new Verdict('OfflineBrowsing');
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'corvisant-offline-'));
  const storeRoot = path.join(scratch, 'store');
  fs.mkdirSync(storeRoot);
  const siteDir = path.join(storeRoot, options.host);
  const store = {
    root: storeRoot,
    host: options.host.toLowerCase(),
    siteDir,
    scratch,
    prefixDir: path.join(siteDir, options.prefix),
    siteSource: options.site
  };
  try {
    const tool = new Tool(path.resolve(options.tool), storeRoot);
    const laidOut = await layAndRewrite(options, tool, verdict, out);
    await browseSavedPages(options, laidOut, store, verdict, out);
  } catch (error) {
    verdict.add('Harness', [error.stack || String(error)]);
  } finally {
    if (options.keepStore)
      out.write(`offline: store kept in ${storeRoot}\n`);
    else
      fs.rmSync(scratch, {recursive: true, force: true});
  }
  verdict.print(out);
  if (options.report) verdict.writeXml(options.report);
  out.write(
      `offline: ${verdict.cases.length - verdict.failed()} passed, ` +
      `${verdict.failed()} failed\n`);
  return verdict.failed() === 0 ? 0 : 1;
}

main().then((code) => process.exit(code), (error) => {
  process.stderr.write(`${error.stack || error}\n`);
  process.exit(2);
});
