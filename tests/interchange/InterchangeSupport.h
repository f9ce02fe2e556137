#pragma once
// Formulas the interchange tests share: every template with content in every slot, every
// palette symbol, the fixtures and the fuzz seeds as the editor reads them.

#include <QDir>
#include <QFile>
#include <QStringList>

#include "editor/Equations.h"
#include "interchange/Formula.h"
#include "interchange/Templates.h"
#include "model/Keywords.h"

// One line holding template Name with a letter in each slot: a matrix has 4 cells, a grid
// of n columns two rows, or n + 1 when two would make it square-like (a shape no other
// matrix kind has).
inline QString TemplateData(const QString& Name) {
  const TTemplateInfo* Info = FindTemplate(Name);
  TFormulaNode Node{TFormulaNode::Template, 0, Name, {}};
  int Slots = Info->Kind == TTemplateInfo::Matrix ? 4 : Info->SlotCount();
  if (Info->Kind == TTemplateInfo::Matrix && Info->Shape == kmGrid)
    Slots = Info->Columns * (Info->Columns < 4 ? Info->Columns + 1 : 2);
  for (int I = 0; I < Slots; ++I) Node.Slots.push_back({TFormulaNode::Character(u'a' + I % 26)});
  TFormula Formula;
  Formula.Lines.push_back({TFormulaNode::Character(u'x'), Node});
  return WriteData(Formula);
}

inline QStringList EveryTemplateData() {
  QStringList Result;
  QStringList Names = AcceptedTemplateKeywords();
  Names.sort();
  for (const QString& Name : Names) Result << TemplateData(Name);
  return Result;
}

// What the editor makes of a text.
inline QString EditorData(const QString& Text) {
  TZelkEquation Editor;
  Editor.PutData(Text);
  return Editor.GetData();
}

inline QString ReadFile(const QString& Path) {
  QFile File(Path);
  return File.open(QIODevice::ReadOnly) ? QString::fromUtf8(File.readAll()) : QString();
}

// The fuzz seeds and the fixture lines as the editor reads them.
inline QStringList SeedData() {
  QStringList Result;
  const QDir Corpus(QStringLiteral(ZELK_FUZZ_CORPUS));
  for (const QString& Name : Corpus.entryList(QDir::Files)) Result << EditorData(ReadFile(Corpus.filePath(Name)));
  for (const QString& Line : ReadFile(QStringLiteral(ZELK_FIXTURES_DIR "/AllTemplates.txt")).split(u'\n', Qt::SkipEmptyParts))
    Result << EditorData(Line);
  return Result;
}
