// Compiles every Typst document of a JSON array with the Typst compiler and prints, as
// JSON, each one's diagnostics (errors and warnings) joined by newlines, "" for none.
//   node typst.js INPUT.json
'use strict';
const fs = require('fs');
const { NodeCompiler } = require('@myriaddreamin/typst-ts-node-compiler');

const compiler = NodeCompiler.create();
const documents = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
const results = documents.map((mainFileContent) => {
  const result = compiler.compile({ mainFileContent });
  const diagnostics = result.takeDiagnostics();
  if (!diagnostics) return result.result ? '' : 'no document';
  return compiler.fetchDiagnostics(diagnostics).map((d) => d.message).join('\n');
});
process.stdout.write(JSON.stringify(results));
