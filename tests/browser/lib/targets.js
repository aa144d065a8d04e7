'use strict';
// Where a reference leads, told apart for the offline checks: into the saved site, into the
// store directory of another host, elsewhere on the disk, to the web, or to another scheme; and
// which file of the store the system saves a web URL as.
const path = require('path');

const WEB_SCHEMES = new Set(['http:', 'https:', 'shttp:', 'ftp:', 'ws:', 'wss:']);
// Schemes whose links with a host the system turns into links to the host's store directory.
const STORED_SCHEMES = new Set(['http:', 'shttp:', 'ftp:']);
// Characters a local file name cannot hold, and what stands for them in the store.
const STORE_CHARS = {
  ':': '$',
  '?': '^',
  '|': '!',
  '*': '}',
  '"': '{',
  '<': '[',
  '>': ']'
};
const DEFAULT_DOCUMENT = 'index.html';

function insideDirectory(directory, candidate) {
  const relative = path.relative(directory, candidate);
  return relative !== '' && !relative.startsWith('..') && !path.isAbsolute(relative);
}

function decode(text) {
  try {
    return decodeURIComponent(text);
  } catch (error) {
    return text;
  }
}

function parse(text) {
  try {
    return new URL(text);
  } catch (error) {
    return null;
  }
}

// store: { root, siteDir } with siteDir the saved host's directory.
function classify(abs, store) {
  const url = parse(abs);
  if (!url) return {kind: 'unparseable'};
  if (url.protocol === 'file:') {
    const file = decode(url.pathname);
    if (insideDirectory(store.siteDir, file)) return {kind: 'site', file};
    if (insideDirectory(store.root, file)) {
      return {kind: 'other-host', file, host: path.relative(store.root, file).split(path.sep)[0]};
    }
    return {kind: 'outside', file};
  }
  if (WEB_SCHEMES.has(url.protocol)) return {kind: 'web', scheme: url.protocol, host: url.host};
  return {kind: 'other-scheme', scheme: url.protocol};
}

// The local copy of a web URL: host directory (host$port with a port), the path with the store
// characters mapped, "index.html" for a directory URL. Null when the system keeps the link as a
// web URL.
function storeFileOf(abs, storeRoot) {
  const url = parse(abs);
  if (!url || !STORED_SCHEMES.has(url.protocol) || !url.host) return null;
  let rel = decode(url.pathname).slice(1) + decode(url.search);
  if (rel === '' || rel.endsWith('/')) rel += DEFAULT_DOCUMENT;
  const host = url.port ? `${url.hostname}$${url.port}` : url.hostname;
  return path.join(storeRoot, host, rel.replace(/[:?|*"<>]/g, (c) => STORE_CHARS[c]));
}

module.exports = {
  classify,
  storeFileOf,
  insideDirectory,
  DEFAULT_DOCUMENT
};
