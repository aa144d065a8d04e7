'use strict';
// Opens stored pages from file: URLs in headless Chromium. Each anchor and image of a rewritten
// page is paired with the same element of the page as it was saved: it must lead to the local
// copy of what the original led to (or stay the same web URL where the system keeps web URLs),
// every image and every anchor into the saved pages must be a file of the store, and loading
// the page must ask nothing of the network.
const fs = require('fs');
const path = require('path');
const {pathToFileURL} = require('url');
const {classify, storeFileOf, insideDirectory, DEFAULT_DOCUMENT} = require('./targets');

const CHROMIUM_FLAGS = [
  '--headless',
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];
const PAGE_TIMEOUT_MS = 30000;
// Schemes that never leave the machine.
const LOCAL_SCHEMES = new Set(['file:', 'data:', 'blob:', 'about:', 'chrome-error:']);

// Runs in the page. The anchors, images and embedded files of the rewritten text and of the
// original text, both parsed by this browser before any script ran: the rewritten ones resolved
// against the page's file: URL, the original ones against the URL the page was saved from. And
// the images of the page as shown (scripts may have changed them since).
function collectReferences(texts) {
  const resolve = (raw, base) => {
    try {
      return new URL(raw, base).href;
    } catch (e) {
      return raw;
    }
  };
  const pick = (doc, selector, attribute, base) => [...doc.querySelectorAll(selector)].map(
      (element) => ({
        raw: element.getAttribute(attribute),
        abs: resolve(element.getAttribute(attribute), base)
      }));
  const parse = (html) => new DOMParser().parseFromString(html, 'text/html');
  const before = parse(texts.original);
  const after = parse(texts.rewritten);
  const baseTag = before.querySelector('base[href]');
  const originalBase = baseTag ? resolve(baseTag.getAttribute('href'), texts.url) : texts.url;
  return {
    anchors: pick(after, 'a[href], area[href]', 'href', document.baseURI),
    images: pick(after, 'img[src]', 'src', document.baseURI),
    embedded: [
      ...pick(after, 'frame[src], iframe[src], embed[src], input[src]', 'src', document.baseURI),
      ...pick(after, 'body[background]', 'background', document.baseURI)
    ],
    originalAnchors: pick(before, 'a[href], area[href]', 'href', originalBase),
    originalImages: pick(before, 'img[src]', 'src', originalBase),
    shown: [...document.querySelectorAll('img[src]')].map((image) => ({
                                                            raw: image.getAttribute('src'),
                                                            abs: image.currentSrc || image.src,
                                                            width: image.naturalWidth,
                                                            complete: image.complete
                                                          })),
  };
}

class FileCheck {
  constructor() {
    this.cache = new Map();
  }
  // 'file', 'directory' or 'missing'.
  state(file) {
    if (!this.cache.has(file)) {
      let state = 'missing';
      try {
        const stat = fs.statSync(file);
        if (stat.isFile())
          state = 'file';
        else if (stat.isDirectory())
          state = 'directory';
      } catch (error) {
        state = 'missing';
      }
      this.cache.set(file, state);
    }
    return this.cache.get(file);
  }
}

class Findings {
  constructor() {
    this.failures = {open: [], network: [], anchors: [], images: [], local: []};
    this.counts = {
      pages: 0,
      anchors: 0,
      siteAnchors: 0,
      images: 0,
      embedded: 0,
      pageErrors: 0,
      refusedLocal: 0
    };
    this.leftOnWeb = new Map();     // "scheme//host" -> { count, example }
    this.otherHosts = new Map();    // host directory -> { count, example }
    this.otherSchemes = new Map();  // scheme -> { count, example }
    this.notSaved = new Map();      // page of the site outside the saved subset
    this.brokenInSite = new Map();  // target the site itself does not have
    this.timings = [];              // { label, ms } per page opened
    this.linkCountDiffs = [];       // pages whose collected links differ from their anchors
    this.directoryLinks = [];       // anchors left leading to a directory
  }
  fail(kind, page, text) {
    this.failures[kind].push(`${page}: ${text}`);
  }
  tally(map, key, example) {
    const entry = map.get(key) || {count: 0, example};
    entry.count += 1;
    map.set(key, entry);
  }
}

// An anchor into the saved site whose copy is missing is a fault unless the page was left out
// of the saved subset, or the site itself lacks it (then the original link was broken too).
function explainMissing(file, original, label, context) {
  const {store, findings} = context;
  const rel = insideDirectory(store.prefixDir, file) ? path.relative(store.prefixDir, file) : null;
  const sourceExists = rel !== null && fs.existsSync(path.join(store.siteSource, rel));
  if (!sourceExists)
    findings.tally(findings.brokenInSite, original.abs.replace(/#.*/, ''), label);
  else if (!store.laid.has(rel.split(path.sep).join('/')))
    findings.tally(findings.notSaved, rel, label);
  else
    findings.fail('anchors', label, `${original.raw} -> ${file} was saved but is missing`);
}

// An anchor the system keeps as written (https:, mailto:, javascript: ...) must stay as it was.
function checkKeptAnchor(original, anchor, label, context) {
  const {store, findings} = context;
  const before = classify(original.abs, store);
  if (anchor.abs !== original.abs) {
    findings.fail('anchors', label, `${original.raw} became ${anchor.raw}`);
  } else if (before.kind === 'web') {
    if (before.host.toLowerCase() === store.host) {
      findings.fail('anchors', label, `${anchor.raw} leads to the saved site on the web`);
    }
    findings.tally(findings.leftOnWeb, `${before.scheme}//${before.host}`, anchor.raw);
  } else {
    findings.tally(findings.otherSchemes, before.scheme || before.kind, anchor.raw);
  }
}

// An anchor to a page the system saves must lead to that page's copy in the store.
function checkAnchor(original, anchor, label, context) {
  const {store, files, findings} = context;
  findings.counts.anchors += 1;
  const expected = storeFileOf(original.abs, store.root);
  if (expected === null) {
    checkKeptAnchor(original, anchor, label, context);
    return;
  }
  const target = classify(anchor.abs, store);
  const same = (a, b) => (target.kind === 'site' ? a === b : a.toLowerCase() === b.toLowerCase());
  const leadsThere = target.file !== undefined && same(target.file, expected);
  // A directory link with a fragment keeps its form (no default document is added to it).
  const directory = expected.slice(0, -DEFAULT_DOCUMENT.length);
  const toDirectory = target.file !== undefined && expected.endsWith(path.sep + DEFAULT_DOCUMENT) &&
      same(target.file, directory);
  if (toDirectory) {
    findings.directoryLinks.push(`${label}: ${original.raw} became ${anchor.raw}`);
    if (target.kind === 'site') {
      findings.fail('anchors', label, `${anchor.raw} leads to a directory, not to ${expected}`);
    } else {
      findings.tally(findings.otherHosts, target.host, anchor.raw);
    }
  } else if (!leadsThere) {
    findings.fail(
        'anchors', label,
        `${original.raw} became ${anchor.raw}, which leads to ` +
            `${target.file || anchor.abs}, not to the copy ${expected}`);
  } else if (target.kind === 'site') {
    findings.counts.siteAnchors += 1;
    const state = files.state(target.file);
    if (state === 'directory') {
      findings.fail('anchors', label, `${anchor.raw} leads to a directory`);
    } else if (state === 'missing') {
      explainMissing(target.file, original, label, context);
    }
  } else {
    findings.tally(findings.otherHosts, target.host, anchor.raw);
  }
}

// Every image of the rewritten text is the local copy of the original's image, and present.
function checkImage(original, image, label, context) {
  const {store, files, findings} = context;
  findings.counts.images += 1;
  const target = classify(image.abs, store);
  const expected = storeFileOf(original.abs, store.root);
  if (target.file === undefined || (expected !== null && target.file !== expected)) {
    findings.fail(
        'images', label,
        `${original.raw} became ${image.raw}, which leads to ` +
            `${target.file || image.abs}, not to the copy ${expected}`);
  } else if (files.state(target.file) !== 'file') {
    findings.fail('images', label, `${image.raw} -> ${target.file} is ${files.state(target.file)}`);
  }
}

// Every image on the screen, frame, background and image button is a file of the store; an
// image is also shown.
function checkLocal(item, label, context, isShownImage) {
  const {store, files, findings} = context;
  const target = classify(item.abs, store);
  const state = target.file === undefined ? target.kind : files.state(target.file);
  if (state !== 'file') {
    findings.fail('images', label, `${item.raw} -> ${item.abs} is ${state}`);
  } else if (isShownImage && !(item.complete && item.width > 0)) {
    findings.fail('images', label, `${item.raw} was not shown (naturalWidth ${item.width})`);
  }
}

function checkPairs(kind, originals, rewritten, label, findings, check) {
  if (originals.length !== rewritten.length) {
    findings.fail(
        kind, label, `${rewritten.length} ${kind} after the rewrite, ${originals.length} before`);
  }
  const shared = Math.min(originals.length, rewritten.length);
  for (let i = 0; i < shared; i++) check(originals[i], rewritten[i]);
}

async function openPage(page, entry, state, context) {
  const {findings} = context;
  const label = entry.rel;
  state.label = label;
  const started = Date.now();
  try {
    await page.goto(
        pathToFileURL(entry.storePath).href, {waitUntil: 'load', timeout: PAGE_TIMEOUT_MS});
  } catch (error) {
    findings.fail('open', label, error.message.split('\n')[0]);
    return;
  }
  const texts = {
    original: fs.readFileSync(entry.sourcePath, 'utf8'),
    rewritten: fs.readFileSync(entry.storePath, 'utf8'),
    url: entry.url,
  };
  const found = await page.evaluate(collectReferences, texts);
  findings.counts.pages += 1;
  checkPairs(
      'anchors', found.originalAnchors, found.anchors, label, findings,
      (before, after) => checkAnchor(before, after, label, context));
  checkPairs(
      'images', found.originalImages, found.images, label, findings,
      (before, after) => checkImage(before, after, label, context));
  for (const item of found.embedded) checkLocal(item, label, context, false);
  for (const image of found.shown) checkLocal(image, label, context, true);
  findings.counts.embedded += found.embedded.length;
  findings.timings.push({label, ms: Date.now() - started});
  // The links the rewrite collected, against the anchors the browser sees (not a failure: the
  // system's scanner and the browser's parser may disagree on broken markup).
  const followable = found.anchors.filter(
      (anchor) => !anchor.raw.startsWith('mailto:') && !anchor.raw.startsWith('news:'));
  if (entry.linkCount !== undefined && entry.linkCount !== followable.length) {
    findings.linkCountDiffs.push(`${label}: ${entry.linkCount} links collected, ${
        followable.length} anchors in the browser`);
  }
}

function schemeOf(url) {
  const colon = url.indexOf(':');
  return colon < 0 ? '' : url.slice(0, colon + 1).toLowerCase();
}

// Every request of the context: anything that would leave the machine is refused and recorded
// against the page being opened; a local file that fails to load is a fault when it is missing.
async function watchRequests(browserContext, page, state, context) {
  const {findings, files} = context;
  await browserContext.route(
      '**/*',
      (route) =>
          (LOCAL_SCHEMES.has(schemeOf(route.request().url())) ? route.continue() :
                                                                route.abort('blockedbyclient')));
  browserContext.on('request', (request) => {
    if (!LOCAL_SCHEMES.has(schemeOf(request.url())))
      findings.fail('network', state.label, request.url());
  });
  browserContext.on('requestfailed', (request) => {
    const url = request.url();
    const error = (request.failure() || {}).errorText || '';
    if (!url.startsWith('file:') || error.includes('ERR_ABORTED')) return;
    const file = classify(url, context.store).file;
    if (file !== undefined && files.state(file) === 'file')
      findings.counts.refusedLocal += 1;  // e.g. script reads of file:
    else
      findings.fail('local', state.label, `${url}: ${error}`);
  });
  page.on('websocket', (socket) => findings.fail('network', state.label, socket.url()));
  page.on('pageerror', () => {
    findings.counts.pageErrors += 1;
  });
}

// Opens each entry ({ rel, url, storePath, sourcePath }) in one tab of a fresh browser profile.
// store: { root, host, siteDir, prefixDir, siteSource, laid (set of site paths), scratch }.
async function browsePages(chromium, executable, entries, store) {
  const profile = fs.mkdtempSync(path.join(store.scratch, 'chromium-profile-'));
  const context = {store, files: new FileCheck(), findings: new Findings()};
  const state = {label: '(start-up)'};
  const browserContext = await chromium.launchPersistentContext(profile, {
    executablePath: executable,
    headless: true,
    args: CHROMIUM_FLAGS,
    timeout: PAGE_TIMEOUT_MS,
  });
  try {
    const page = browserContext.pages()[0] || await browserContext.newPage();
    await watchRequests(browserContext, page, state, context);
    for (const entry of entries) await openPage(page, entry, state, context);
    state.label = '(closing)';
  } finally {
    await browserContext.close();
    fs.rmSync(profile, {recursive: true, force: true});
  }
  return context.findings;
}

module.exports = {browsePages};
