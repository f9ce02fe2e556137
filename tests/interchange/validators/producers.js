// Writes the MathML that Temml and KaTeX make of every formula of a JSON array of
// [text, display] pairs, as JSON: for each, Temml's MathML and KaTeX's, or "" where the
// program refuses the text.
//   node producers.js INPUT.json
'use strict';
const fs = require('fs');
const katex = require('katex');
const temml = require('temml');

const formulas = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const mathml = (render) => {
  try {
    const text = render();
    // KaTeX wraps the element in a span of its own.
    return text.slice(text.indexOf('<math'), text.lastIndexOf('</math>') + 7);
  } catch (error) {
    return '';
  }
};
const results = formulas.map(([text, displayMode]) => ({
  temml: mathml(() => temml.renderToString(text, { throwOnError: true, displayMode, strict: false })),
  katex: mathml(() => katex.renderToString(text, { throwOnError: true, displayMode, strict: 'ignore', output: 'mathml' })),
}));
process.stdout.write(JSON.stringify(results));
