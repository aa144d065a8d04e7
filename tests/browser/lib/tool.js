'use strict';
// Runs corvisant-tool, several at a time, and reads its printed lines.
const {execFile} = require('child_process');

// The tool is a sanitizer build in the native tree: a report from the sanitizer is a failure
// even when the exit code says otherwise.
const SANITIZER_MARK = /ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:/;
const TOOL_TIMEOUT_MS = 60000;

class Tool {
  constructor(executable, storeRoot) {
    this.executable = executable;
    this.storeRoot = storeRoot;
  }

  // Resolves to { code, stdout, stderr }; never rejects. `preparing` marks the calls that only
  // lay the store out: they skip the leak check at exit, which costs as much as the call.
  run(args, preparing = false) {
    const fullArgs = ['--root', this.storeRoot, ...args];
    const env = {...process.env};
    if (preparing)
      env.ASAN_OPTIONS = [env.ASAN_OPTIONS, 'detect_leaks=0'].filter(Boolean).join(':');
    return new Promise((resolve) => {
      execFile(
          this.executable, fullArgs,
          {encoding: 'latin1', maxBuffer: 64 * 1024 * 1024, timeout: TOOL_TIMEOUT_MS, env},
          (error, stdout, stderr) => {
            let code = 0;
            if (error)
              code =
                  typeof error.code === 'number' ? error.code : String(error.signal || error.code);
            if (SANITIZER_MARK.test(stderr)) code = `sanitizer report`;
            resolve({code, stdout, stderr, command: fullArgs.join(' ')});
          });
    });
  }
}

// Runs worker(item) for every item with at most `width` running at once; keeps the order.
async function mapLimited(items, width, worker) {
  const results = new Array(items.length);
  let next = 0;
  async function lane() {
    while (next < items.length) {
      const index = next++;
      results[index] = await worker(items[index], index);
    }
  }
  await Promise.all(Array.from({length: Math.max(1, width)}, lane));
  return results;
}

// The tool prints bytes below 0x20 and from 0x7F up as \xHH; this gives the bytes back.
function unescapeBytes(text) {
  return text.replace(/\\x([0-9a-f]{2})/g, (_, hex) => String.fromCharCode(parseInt(hex, 16)));
}

// The same escaping, for comparing texts taken from the pages themselves.
function escapeBytes(latin1) {
  return latin1.replace(
      /[\x00-\x1f\x7f-\xff]/g, (c) => `\\x${c.charCodeAt(0).toString(16).padStart(2, '0')}`);
}

// "page rewrite" output: result=, title=, link=..., image=URL<TAB>NAME, visit=..., repeat=.
function parseRewriteOutput(stdout) {
  const parsed = {result: null, title: null, links: [], images: [], other: []};
  for (const line of stdout.split('\n')) {
    if (line === '') continue;
    const equals = line.indexOf('=');
    const key = equals < 0 ? line : line.slice(0, equals);
    const value = equals < 0 ? '' : line.slice(equals + 1);
    if (key === 'result')
      parsed.result = value;
    else if (key === 'title' && parsed.title === null)
      parsed.title = value;
    else if (key === 'link')
      parsed.links.push(value);
    else if (key === 'image') {
      const tab = value.indexOf('\t');
      parsed.images.push({url: value.slice(0, tab), name: tab < 0 ? '' : value.slice(tab + 1)});
    } else
      parsed.other.push(line);
  }
  return parsed;
}

module.exports = {
  Tool,
  mapLimited,
  unescapeBytes,
  escapeBytes,
  parseRewriteOutput
};
