#pragma once
// Realistic formulas of a given size, as Data text: lines of characters, symbols and every
// template kind, nested two or three levels deep (fractions in integrals in brackets,
// matrices with fractions). The same seed always gives the same text.

#include <QString>

struct TGeneratedFormula {
  QString Data;
  int Elements = 0;  // every element of the tree, at every depth
  int Lines = 0;
};

TGeneratedFormula GenerateFormula(int Elements, int Lines, unsigned Seed = 1);
