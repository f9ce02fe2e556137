// Renders LaTeX formulas to SVG with MathJax, sized in pixels at a given em.
//   node mathjax.js EM_PX OUT_DIR < list   (list: one "name<TAB>latex" a line)
const fs = require('fs');
const path = require('path');
const {mathjax} = require('mathjax-full/js/mathjax.js');
const {TeX} = require('mathjax-full/js/input/tex.js');
const {SVG} = require('mathjax-full/js/output/svg.js');
const {liteAdaptor} = require('mathjax-full/js/adaptors/liteAdaptor.js');
const {RegisterHTMLHandler} = require('mathjax-full/js/handlers/html.js');
const {AllPackages} = require('mathjax-full/js/input/tex/AllPackages.js');

const [emPx, outDir] = [Number(process.argv[2]), process.argv[3]];
const adaptor = liteAdaptor();
RegisterHTMLHandler(adaptor);
const doc = mathjax.document('', {
  InputJax: new TeX({packages: AllPackages}),
  OutputJax: new SVG({fontCache: 'none'}),
});
for (const line of fs.readFileSync(0, 'utf8').split('\n')) {
  if (!line.trim()) continue;
  const [name, tex] = line.split('\t');
  const node = doc.convert(tex, {display: true});
  const svg = adaptor.firstChild(node);
  // The viewBox is in thousandths of an em: give the picture its size in pixels.
  const box = adaptor.getAttribute(svg, 'viewBox').split(' ').map(Number);
  adaptor.setAttribute(svg, 'width', (box[2] / 1000 * emPx).toFixed(2) + 'px');
  adaptor.setAttribute(svg, 'height', (box[3] / 1000 * emPx).toFixed(2) + 'px');
  adaptor.removeAttribute(svg, 'style');
  // Plain black, so that every SVG renderer draws it.
  fs.writeFileSync(path.join(outDir, name + '.svg'), adaptor.outerHTML(svg).replace(/stroke="currentColor"/g, 'stroke="none"').replace(/currentColor/g, 'black'));
}
