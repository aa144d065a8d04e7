'use strict';
// Opens stored pages from file: URLs in headless Chromium and checks each anchor and image of the
// rewritten page against the same element of the page as it was saved, the images shown and the
// requests made.
const fs = require('fs');
const path = require('path');
const {pathToFileURL} = require('url');
const {classify, storeFileOf, stateOf, insideDirectory, DEFAULT_DOCUMENT} = require('./targets');

const CHROMIUM_FLAGS = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'
];
const PAGE_TIMEOUT_MS = 30000;
// Schemes that never leave the machine.
const LOCAL_SCHEMES = new Set(['file:', 'data:', 'blob:', 'about:', 'chrome-error:']);

// Runs in the page. The anchors, images and embedded files of the rewritten text and of the
// original text, both parsed by this browser before any script ran: the rewritten ones resolved
// against the page's file: URL, the original ones against the URL the page was saved from. And
// the images of the page as shown (scripts may have changed them since).
function collectReferences(texts) {
  const resolve = (raw, base) => URL.canParse(raw, base) ? new URL(raw, base).href : raw;
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
    shown: [...document.querySelectorAll('img[src]')].map(
        (image) => ({
          raw: image.getAttribute('src'),
          abs: image.currentSrc || image.src,
          shown: image.complete && image.naturalWidth > 0
        })),
  };
}

// Checks page after page against store: { root, host, siteDir, prefixDir, siteSource, laid (the
// site paths of the files saved) }; keeps the failures by kind, each against the page opened.
class Checker {
  constructor(store) {
    this.store = store;
    this.failures = {open: [], network: [], anchors: [], images: [], local: []};
    this.counts = {pages: 0, anchors: 0, images: 0};
    this.label = '(start-up)';
  }

  fail(kind, text) {
    this.failures[kind].push(`${this.label}: ${text}`);
  }

  // A file the store lacks is a fault, except in a store the system filled itself, where only
  // the files it fetches (pages and images by its own rule) must be there.
  missingMatters(file) {
    return !this.store.recorded || this.store.recorded(file);
  }

  // An anchor to a page the system saves must lead to that page's copy in the store; one the
  // system keeps as written (https:, mailto:, javascript: ...) must stay as it was.
  checkAnchor(original, anchor) {
    this.counts.anchors += 1;
    const expected = storeFileOf(original.abs, this.store.root);
    if (expected === null) {
      const before = classify(original.abs, this.store);
      if (anchor.abs !== original.abs) {
        this.fail('anchors', `${original.raw} became ${anchor.raw}`);
      } else if (before.kind === 'web' && before.host.toLowerCase() === this.store.host) {
        this.fail('anchors', `${anchor.raw} leads to the saved site on the web`);
      }
      return;
    }
    const target = classify(anchor.abs, this.store);
    const inSite = target.kind === 'site';
    const same = (file) => target.file !== undefined &&
        (inSite ? target.file === file : target.file.toLowerCase() === file.toLowerCase());
    const state = inSite ? stateOf(target.file) : 'elsewhere';
    // A directory link with a fragment may keep its form, but not into the saved site.
    if (expected.endsWith(path.sep + DEFAULT_DOCUMENT) &&
        same(expected.slice(0, -DEFAULT_DOCUMENT.length))) {
      if (inSite) this.fail('anchors', `${anchor.raw} leads to a directory, not to ${expected}`);
    } else if (!same(expected)) {
      this.fail('anchors', `${original.raw} became ${anchor.raw}, not the copy ${expected}`);
    } else if (state === 'directory') {
      this.fail('anchors', `${anchor.raw} leads to a directory`);
    } else if (state === 'missing') {
      // A fault unless the page was left out of the saved subset, or the site itself lacks it
      // (then the original link was broken too).
      const {prefixDir, siteSource, laid} = this.store;
      const rel = insideDirectory(prefixDir, target.file) && path.relative(prefixDir, target.file);
      if (rel && fs.existsSync(path.join(siteSource, rel)) &&
          laid.has(rel.split(path.sep).join('/'))) {
        this.fail('anchors', `${original.raw} -> ${target.file} was saved but is missing`);
      }
    }
  }

  // Every image of the rewritten text is the local copy of the original's image, and present.
  checkImage(original, image) {
    this.counts.images += 1;
    const target = classify(image.abs, this.store);
    const expected = storeFileOf(original.abs, this.store.root);
    if (target.file === undefined || (expected !== null && target.file !== expected)) {
      this.fail('images', `${original.raw} became ${image.raw}, not the copy ${expected}`);
    } else if (stateOf(target.file) !== 'file' && this.missingMatters(target.file)) {
      this.fail('images', `${image.raw} -> ${target.file} is ${stateOf(target.file)}`);
    }
  }

  // Every image on the screen, frame, background and image button is a file of the store; an
  // image is also shown.
  checkLocal(item) {
    const target = classify(item.abs, this.store);
    const state = target.file === undefined ? target.kind : stateOf(target.file);
    if (state === 'missing' && !this.missingMatters(target.file)) return;
    if (state !== 'file') {
      this.fail('images', `${item.raw} -> ${item.abs} is ${state}`);
    } else if (item.shown === false) {
      this.fail('images', `${item.raw} was not shown (naturalWidth 0 or not complete)`);
    }
  }

  checkPairs(kind, originals, rewritten, check) {
    if (originals.length !== rewritten.length) {
      this.fail(kind, `${rewritten.length} ${kind} after the rewrite, ${originals.length} before`);
    }
    originals.slice(0, rewritten.length)
        .forEach((before, i) => check.call(this, before, rewritten[i]));
  }

  // entry: { rel, url, storePath, sourcePath }.
  async openPage(page, entry) {
    this.label = entry.rel;
    const texts = {url: entry.url};
    try {
      texts.original = fs.readFileSync(entry.sourcePath, 'utf8');
      texts.rewritten = fs.readFileSync(entry.storePath, 'utf8');
      await page.goto(
          pathToFileURL(entry.storePath).href, {waitUntil: 'load', timeout: PAGE_TIMEOUT_MS});
    } catch (error) {
      this.fail('open', error.message.split('\n')[0]);
      return;
    }
    const found = await page.evaluate(collectReferences, texts);
    this.counts.pages += 1;
    this.checkPairs('anchors', found.originalAnchors, found.anchors, this.checkAnchor);
    this.checkPairs('images', found.originalImages, found.images, this.checkImage);
    for (const item of [...found.embedded, ...found.shown]) this.checkLocal(item);
  }

  // Anything that would leave the machine is refused and recorded against the page being
  // opened; a local file that fails to load is a fault unless it is present (scripts reading
  // file: URLs are refused by the browser).
  async watch(browserContext, page) {
    const leaves = (url) => !LOCAL_SCHEMES.has(url.slice(0, url.indexOf(':') + 1).toLowerCase());
    await browserContext.route(
        '**/*',
        (route) =>
            leaves(route.request().url()) ? route.abort('blockedbyclient') : route.continue());
    browserContext.on('request', (request) => {
      if (leaves(request.url())) this.fail('network', request.url());
    });
    browserContext.on('requestfailed', (request) => {
      const url = request.url();
      const error = (request.failure() || {}).errorText || '';
      if (!url.startsWith('file:') || error.includes('ERR_ABORTED')) return;
      const file = classify(url, this.store).file;
      if (file !== undefined && stateOf(file) === 'missing' && !this.missingMatters(file)) return;
      if (file === undefined || stateOf(file) !== 'file') this.fail('local', `${url}: ${error}`);
    });
    page.on('websocket', (socket) => this.fail('network', socket.url()));
  }
}

// Opens each entry in one tab of a fresh browser profile made in `scratch`; gives the Checker.
async function browsePages(chromium, executable, entries, store, scratch) {
  const profile = fs.mkdtempSync(path.join(scratch, 'chromium-profile-'));
  const checker = new Checker(store);
  const browserContext = await chromium.launchPersistentContext(
      profile,
      {executablePath: executable, headless: true, args: CHROMIUM_FLAGS, timeout: PAGE_TIMEOUT_MS});
  try {
    const page = browserContext.pages()[0] || await browserContext.newPage();
    await checker.watch(browserContext, page);
    for (const entry of entries) await checker.openPage(page, entry);
    checker.label = '(closing)';
  } finally {
    await browserContext.close();
    fs.rmSync(profile, {recursive: true, force: true});
  }
  return checker;
}

module.exports = {browsePages};
