'use strict';
// Where a reference leads (a file in the saved site, another local file, the web, another
// scheme), which file of the store the system saves a web URL as, and the store's file names.
const fs = require('fs');
const path = require('path');

const WEB_SCHEMES = new Set(['http:', 'https:', 'shttp:', 'ftp:', 'ws:', 'wss:']);
// Schemes whose links with a host the system turns into links to the host's store directory.
const STORED_SCHEMES = new Set(['http:', 'shttp:', 'ftp:']);
// Characters a local file name cannot hold, and what stands for each in the store.
const FORBIDDEN_CHARS = ':?|*"<>';
const STAND_INS = '$^!}{[]';
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

// store.siteDir: the saved host's directory.
function classify(abs, store) {
  if (!URL.canParse(abs)) return {kind: 'unparseable'};
  const url = new URL(abs);
  if (url.protocol === 'file:') {
    const file = decode(url.pathname);
    return {kind: insideDirectory(store.siteDir, file) ? 'site' : 'local', file};
  }
  return WEB_SCHEMES.has(url.protocol) ? {kind: 'web', host: url.host} : {kind: 'other-scheme'};
}

// The local copy of a web URL: host directory (host$port with a port), the path with the store
// characters mapped, "index.html" for a directory URL. Null when the system keeps the link as a
// web URL.
function storeFileOf(abs, storeRoot) {
  const url = URL.canParse(abs) ? new URL(abs) : null;
  if (!url || !STORED_SCHEMES.has(url.protocol) || !url.host) return null;
  let rel = decode(url.pathname).slice(1) + decode(url.search);
  if (rel === '' || rel.endsWith('/')) rel += DEFAULT_DOCUMENT;
  const host = url.port ? `${url.hostname}$${url.port}` : url.hostname;
  return path.join(
      storeRoot, host, rel.replace(/[:?|*"<>]/g, (c) => STAND_INS[FORBIDDEN_CHARS.indexOf(c)]));
}

// The tool prints bytes below 0x20 and from 0x7F up as \xHH; this gives the bytes back.
function unescapeBytes(text) {
  return text.replace(/\\x([0-9a-f]{2})/g, (_, hex) => String.fromCharCode(parseInt(hex, 16)));
}

// A store name as the tool prints it ("host\dir\file") as a path below the store root.
function storePathOf(storeRoot, name) {
  return path.resolve(storeRoot, unescapeBytes(name).split('\\').join('/'));
}

// 'file', 'directory', 'missing' or 'other'.
function stateOf(file) {
  if (!fs.existsSync(file)) return 'missing';
  const stat = fs.statSync(file);
  return stat.isFile() ? 'file' : stat.isDirectory() ? 'directory' : 'other';
}

module.exports = {
  classify,
  storeFileOf,
  storePathOf,
  stateOf,
  unescapeBytes,
  insideDirectory,
  DEFAULT_DOCUMENT
};
