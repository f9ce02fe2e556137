#!/usr/bin/env python3
"""Writes the seed corpus of the Data fuzz target into tests/fuzz/corpus/: one text per
accepted name with content in every slot, the texts found in the tests, and a few texts at
the extremes. Run it again when names or tests change."""
import hashlib
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "tests" / "fuzz" / "corpus"

OPTIONS = {"": 0, "LimitBottom": 1, "IndexBottom": 1, "LimitBottomTop": 2, "IndexBottomTop": 2}


def names():
    """Every accepted template name with its number of slots."""
    table = {"IndexTop": 1, "IndexBottom": 1, "IndexTopBottom": 2, "Division": 2}
    for kind in ("Round", "Square", "Figure", "Corner", "Module", "DModule"):
        table["Brackets" + kind] = 1
    for words in ("", "LimitBottom", "IndexBottom"):
        for size in ("One", "Two", "Three"):
            for ring in ("", "Ring"):
                table["Int" + words + size + ring] = 1 + OPTIONS[words]
    table["IntLimitBottomTopOne"] = table["IntIndexBottomTopOne"] = 3
    for prefix in ("Sum", "Multiply", "Intersection", "Join", "CoMult"):
        for words, slots in OPTIONS.items():
            table[prefix + words] = 1 + slots
    for align in ("aeTop", "aeBottom"):
        for heads in ("kaRight", "kaLeft", "kaRightkaLeft"):
            table["Arrow" + heads + align] = 1
        for heads in ("", "kaDouble", "kaRight", "kaLeft", "kaRightkaLeft"):
            table["Vector" + heads + align] = 1
    for kind in ("kmHoriz", "kmVert", "kmSquare"):
        table["Matrix" + kind] = 4
    # Fences, left indices, scripted bases and horizontal braces.
    for kind in ("Floor", "Ceiling", "SquareRound", "RoundSquare", "RevSquareSquare",
                 "SquareRevSquare", "RevSquareRevSquare", "Ket", "Bra"):
        table["Brackets" + kind] = 1
    table["BracketsBraKet"] = 2
    for kind in ("Round", "Square", "Figure", "Corner", "Module", "DModule"):
        table["BracketLeft" + kind] = table["BracketRight" + kind] = 1
    for words, slots in (("Top", 1), ("Bottom", 1), ("TopBottom", 2)):
        table["IndexLeft" + words] = slots
    for words, slots in (("Top", 1), ("Bottom", 1), ("BottomTop", 2)):
        table["Stack" + words] = 1 + slots
        table["OperatorIndex" + words] = table["OperatorLimit" + words] = 1 + slots
    for align in ("aeTop", "aeBottom"):
        table["HorizBrace" + align] = 2
    # Fraction variants, radicals, long division and accents.
    table["DivisionSmall"] = table["DivisionSlash"] = table["RootDegree"] = table["LongDivision"] = 2
    table["Root"] = 1
    table["LongDivisionQuotient"] = 3
    for mark in ("Strike", "Slash", "Prime", "PrimeTwo", "PrimeThree", "Dot", "DotTwo", "DotThree", "Bar",
                 "Hat", "Tilde", "ArrowRight", "ArrowLeft", "ArrowRightLeft", "HarpoonRight", "HarpoonLeft",
                 "ArcUp", "ArcDown", "BackPrime"):
        table["Accent" + mark] = 1
    # Grids of 2..40 columns, two rows each.
    for columns in range(2, 41):
        table["MatrixkmGrid" + number_word(columns)] = 2 * columns
    return table


def number_word(n):
    """1..99 in English words, as the grid names spell their columns."""
    ones = ["", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Eleven",
            "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"]
    tens = ["", "", "Twenty", "Thirty", "Forty", "Fifty", "Sixty", "Seventy", "Eighty", "Ninety"]
    return ones[n] if n < 20 else tens[n // 10] + ones[n % 10]


def test_texts():
    """String literals of the tests that look like Data texts, adjacent literals joined."""
    literal = r'"((?:[^"\\\n]|\\.)*)"'
    run = re.compile(literal + r"(?:\s*" + literal + r")*")
    for path in sorted((ROOT / "tests").rglob("*.cpp")):
        if "fuzz" in path.relative_to(ROOT / "tests").parts:
            continue
        for match in run.finditer(path.read_text(encoding="utf-8")):
            text = "".join(re.findall(literal, match.group(0)))
            text = text.encode().decode("unicode_escape")
            if "(" in text and re.search("[A-Za-z]", text):
                yield text


def main():
    CORPUS.mkdir(parents=True, exist_ok=True)
    for old in CORPUS.iterdir():
        old.unlink()
    seeds = {"Simple": "EditArea(Simple(x)Simple(#40)Simple(#32))",
             "ExtSymbol": "EditArea(ExtSymbol(8734)ExtSymbol(70000))"}
    letters = iter("abcdefghij")
    for name, slots in sorted(names().items()):
        cells = "".join(f"EditArea(Simple({next(letters, 'z')}))" for _ in range(slots))
        letters = iter("abcdefghij")
        seeds[name] = f"EditArea({name}({cells}))"
    for text in test_texts():
        seeds["test-" + hashlib.sha1(text.encode()).hexdigest()[:12]] = text
    seeds["extreme-empty"] = ""
    seeds["extreme-parentheses"] = "(" * 64 + ")" * 63
    seeds["extreme-nested"] = "EditArea(" + "BracketsRound(EditArea(" * 40 + ")" * 81
    seeds["extreme-unbalanced"] = "EditArea(Division(EditArea(Simple(x)EditArea(Simple(y)"
    for name, text in seeds.items():
        (CORPUS / name).write_text(text, encoding="utf-8")
    print(f"{len(seeds)} seeds in {CORPUS.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
