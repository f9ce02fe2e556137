// Reads every AsciiMath text of a JSON array with MathJax's AsciiMath input and prints,
// as JSON, the MathML MathJax makes of each, or "" where it fails.
//   node asciimath.js INPUT.json
'use strict';
const fs = require('fs');
const { mathjax } = require('mathjax-full/js/mathjax.js');
const { AsciiMath } = require('mathjax-full/js/input/asciimath.js');
const { liteAdaptor } = require('mathjax-full/js/adaptors/liteAdaptor.js');
const { RegisterHTMLHandler } = require('mathjax-full/js/handlers/html.js');
const { SerializedMmlVisitor } = require('mathjax-full/js/core/MmlTree/SerializedMmlVisitor.js');

RegisterHTMLHandler(liteAdaptor());
const document = mathjax.document('', { InputJax: new AsciiMath() });
const visitor = new SerializedMmlVisitor();
const texts = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const results = texts.map((text) => {
  try {
    return visitor.visitTree(document.convert(text, { display: true, end: 'mml' }));
  } catch (error) {
    return '';
  }
});
process.stdout.write(JSON.stringify(results));
