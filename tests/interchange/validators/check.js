// Parses every LaTeX text of a JSON array with KaTeX and Temml and prints, as JSON, for
// each: KaTeX's error or null, Temml's error or null, and Temml's MathML.
//   node check.js INPUT.json [inline]
'use strict';
const fs = require('fs');
const katex = require('katex');
const temml = require('temml');

const texts = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const displayMode = process.argv[3] !== 'inline';
const results = texts.map((text) => {
  const result = { katex: null, temml: null, mathml: '' };
  try {
    katex.renderToString(text, { throwOnError: true, displayMode, strict: 'ignore' });
  } catch (error) {
    result.katex = String(error.message);
  }
  try {
    result.mathml = temml.renderToString(text, { throwOnError: true, displayMode, strict: false });
  } catch (error) {
    result.temml = String(error.message);
  }
  return result;
});
process.stdout.write(JSON.stringify(results));
