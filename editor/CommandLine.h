#pragma once
// TCommandLine: the command field the Modern input style opens at the caret on "\", with a
// list of what matches under it. The candidates are every LaTeX command the LaTeX reader
// takes (the templates with empty arguments, the environments, the symbols) and every
// palette button by its description in the editor's language. A command matches from its
// start, a description from the start of any of its words, neither minding case; the
// exact command comes first, then shorter commands, then descriptions.

#include <QPointer>
#include <QRect>
#include <QString>
#include <vector>

#include "Language.h"

class QListWidget;
class QPainter;
class TEditorCore;

class TCommandLine {
 public:
  struct TCandidate {
    QString Name;   // the command without its backslash, or the description
    QString Label;  // what the list shows
    QString Latex;  // what the LaTeX reader reads when it is taken; empty for a button
    int Group = -1;
    int Button = -1;
  };

  explicit TCommandLine(TEditorCore& Host);
  ~TCommandLine();

  bool IsOpen() const { return FOpen; }
  // Opens an empty field after the caret, whose rectangle (in the host's coordinates) is
  // Caret.
  void Open(TLanguage Language, QRect Caret);
  void Close();
  QString Text() const { return FText; }
  void SetText(const QString& Text);
  const std::vector<TCandidate>& Matches() const { return FMatches; }
  // The candidate chosen, -1 with none matching; Move steps through them.
  int Current() const { return FCurrent; }
  void Move(int Step);
  // Draws the field: a backslash and the text typed, framed.
  void Paint(QPainter& Painter) const;

  static std::vector<TCandidate> Candidates(TLanguage Language);
  static std::vector<TCandidate> Matching(const std::vector<TCandidate>& All, const QString& Text);

 private:
  QRect FieldRect() const;
  void ShowList();

  TEditorCore& FHost;
  QPointer<QListWidget> FList;
  bool FOpen = false;
  QRect FCaret;
  QString FText;
  std::vector<TCandidate> FAll;
  std::vector<TCandidate> FMatches;
  int FCurrent = -1;
};
