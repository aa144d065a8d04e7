'use strict';
// The test's verdict: named cases, each a list of failures; printed, and written as a
// GoogleTest-style XML report so that the test summary counts the cases.
const fs = require('fs');

const SHOWN_FAILURES = 20;

class Verdict {
  constructor(suite) {
    this.suite = suite;
    this.cases = [];
  }
  add(name, failures, seconds = 0) {
    this.cases.push({name, failures, seconds});
  }
  failed() {
    return this.cases.filter((c) => c.failures.length > 0).length;
  }
  print(out) {
    for (const c of this.cases) {
      out.write(`${c.failures.length ? 'FAIL' : 'PASS'} ${this.suite}.${c.name}\n`);
      for (const failure of c.failures.slice(0, SHOWN_FAILURES)) out.write(`    ${failure}\n`);
      if (c.failures.length > SHOWN_FAILURES) {
        out.write(`    ... and ${c.failures.length - SHOWN_FAILURES} more\n`);
      }
    }
  }
  writeXml(file) {
    const escape = (text) => String(text)
                                 .replace(/[\x00-\x08\x0b\x0c\x0e-\x1f]/g, '?')
                                 .replace(/&/g, '&amp;')
                                 .replace(/</g, '&lt;')
                                 .replace(/>/g, '&gt;')
                                 .replace(/"/g, '&quot;');
    const lines = [
      '<?xml version="1.0" encoding="UTF-8"?>',
      `<testsuites tests="${this.cases.length}" failures="${this.failed()}" name="${this.suite}">`,
      `  <testsuite name="${this.suite}" tests="${this.cases.length}" failures="${this.failed()}">`
    ];
    for (const c of this.cases) {
      const open =
          `    <testcase name="${escape(c.name)}" classname="${this.suite}" status="run" ` +
          `result="completed" time="${c.seconds.toFixed(3)}"`;
      if (c.failures.length === 0) {
        lines.push(`${open} />`);
        continue;
      }
      lines.push(`${open}>`);
      lines.push(
          `      <failure message="${escape(`${c.failures.length} failure(s)`)}">` +
          `${escape(c.failures.slice(0, SHOWN_FAILURES * 5).join('\n'))}</failure>`);
      lines.push('    </testcase>');
    }
    lines.push('  </testsuite>', '</testsuites>', '');
    fs.writeFileSync(file, lines.join('\n'));
  }
}

// "scheme//host: count" lines, most used first.
function topEntries(map, limit) {
  return [...map.entries()]
      .sort((a, b) => b[1].count - a[1].count || (a[0] < b[0] ? -1 : 1))
      .slice(0, limit);
}

module.exports = {
  Verdict,
  topEntries
};
