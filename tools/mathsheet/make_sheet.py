#!/usr/bin/env python3
"""Sets reference formulas in the Math style beside MathJax's SVG at the same size and
writes the side-by-side sheet and the table of size ratios.

    make_sheet.py ZELK_CONVERT OUT_DIR [POINT_SIZE]

The formulas: ours.txt (name<TAB>LaTeX), then single-line formulas of the amsmath test
document that zelk-convert reads without loss and that hold at least one template."""
import gzip
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TESTMATH = '/usr/share/doc/texlive-doc/latex/amsmath/testmath.tex.gz'
CORPUS_COUNT = 30


def corpus():
    if not os.path.exists(TESTMATH):
        return []
    text = gzip.open(TESTMATH, 'rt', encoding='utf-8', errors='replace').read()
    text = text[text.find('\\begin{document}'):]
    text = re.sub(r'\\begin\{verbatim\}.*?\\end\{verbatim\}', '', text, flags=re.S)
    text = re.sub(r'(?<!\\)%[^\n]*', '', text)
    found = re.findall(r'\\\[(.+?)\\\]|\\begin\{equation\*?\}(.+?)\\end\{equation\*?\}|(?<!\\)\$(.+?)(?<!\\)\$',
                       text, flags=re.S)
    result = []
    for groups in found:
        tex = next(g for g in groups if g).strip()
        tex = re.sub(r'\\label\{[^}]*\}', '', tex)
        if '\\\\' in tex or '&' in tex or len(tex) < 8:
            continue
        tex = ' '.join(tex.split())
        if tex not in result:
            result.append(tex)
    return result


def convert(tool, tex, args):
    run = subprocess.run([tool, '--from', 'latex'] + args, input=tex.encode(), capture_output=True)
    return run.returncode, run.stdout, run.stderr.decode(errors='replace')


def ink(png):
    out = subprocess.run(['convert', png, '-fuzz', '30%', '-format', '%@', 'info:'], capture_output=True, text=True)
    m = re.match(r'(\d+)x(\d+)\+(\d+)\+(\d+)', out.stdout.strip())
    return (int(m.group(1)), int(m.group(2))) if m else (0, 0)


def main():
    tool, out_dir = sys.argv[1], sys.argv[2]
    size = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    em = size * 96 / 72
    formulas = []
    for line in open(os.path.join(HERE, 'ours.txt'), encoding='utf-8'):
        if line.strip() and not line.startswith('#'):
            name, tex = line.rstrip('\n').split('\t', 1)
            formulas.append((name, tex))
    taken = 0
    for i, tex in enumerate(corpus()):
        if taken >= CORPUS_COUNT:
            break
        code, data, err = convert(tool, tex, ['--to', 'data'])
        # Read whole, and more than a row of characters.
        if code != 0 or err.strip() or b'EditArea(' not in data[9:]:
            continue
        formulas.append(('amsmath-%03d' % i, tex))
        taken += 1
    work = tempfile.mkdtemp()
    with subprocess.Popen(['node', os.path.join(HERE, 'mathjax.js'), str(em), work], stdin=subprocess.PIPE) as mj:
        mj.communicate('\n'.join('%s\t%s' % f for f in formulas).encode())
    rows, strips = [], []
    for name, tex in formulas:
        ours = os.path.join(work, name + '-ours.png')
        code, png, err = convert(tool, tex, ['--to', 'png', '--size', str(size)])
        if code != 0:
            print('skipped %s: %s' % (name, err.strip()), file=sys.stderr)
            continue
        open(ours, 'wb').write(png)
        theirs = os.path.join(work, name + '-mathjax.png')
        subprocess.run(['convert', '-background', 'white', '-flatten', os.path.join(work, name + '.svg'), theirs],
                       check=True)
        (ow, oh), (mw, mh) = ink(ours), ink(theirs)
        if not (mw and mh and ow and oh):
            continue
        rows.append((name, tex, ow / mw, oh / mh))
        for png_file in (ours, theirs):
            subprocess.run(['convert', png_file, '-fuzz', '30%', '-trim', '-bordercolor', 'white', '-border', '8',
                            png_file], check=True)
        strip = os.path.join(work, name + '-row.png')
        subprocess.run(['montage', '-label', '%s: ours' % name, ours,
                        '-label', 'MathJax (width %.2f, height %.2f)' % rows[-1][2:], theirs,
                        '-tile', '2x1', '-geometry', '+16+4', '-pointsize', '12', strip], check=True)
        strips.append(strip)
    os.makedirs(out_dir, exist_ok=True)
    subprocess.run(['convert'] + strips + ['-background', 'white', '-gravity', 'West', '-append',
                                           os.path.join(out_dir, 'math-sheet.png')], check=True)
    within = sum(1 for r in rows if abs(r[2] - 1) <= 0.2 and abs(r[3] - 1) <= 0.2)
    with open(os.path.join(out_dir, 'math-sheet.md'), 'w', encoding='utf-8') as md:
        md.write('# The Math style beside MathJax\n\n')
        md.write('Regenerate with `bash tools/mathsheet/make-sheet.sh`. Each formula is set at %d pt by\n' % size)
        md.write('zelk-convert (Math style) and by MathJax (display, SVG, same em); ratios are of ink\n')
        md.write('width and height, ours over MathJax. Picture: [math-sheet.png](math-sheet.png).\n\n')
        md.write('%d of %d formulas have width and height within 20 %%.\n\n' % (within, len(rows)))
        md.write('| formula | LaTeX | width | height |\n|---|---|---|---|\n')
        for name, tex, w, h in rows:
            md.write('| %s | `%s` | %.2f | %.2f |\n' % (name, tex.replace('|', '\\|'), w, h))
    print('%d of %d within 20 %%' % (within, len(rows)))


if __name__ == '__main__':
    main()
