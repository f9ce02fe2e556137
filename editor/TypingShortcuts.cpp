#include "TypingShortcuts.h"

#include <vector>

#include "palette/PaletteCommands.h"

namespace {
struct TSign {
  const char* Text;
  int Code;
};
constexpr TSign Digraphs[] = {{"->", 8594}, {"<-", 8592}, {"<->", 8596}, {"<=", 8804}, {">=", 8805},
                              {"!=", 8800}, {"+-", 177},  {"=>", 8658},  {"~~", 8776}};

constexpr const char* Greek[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta",
                                 "iota", "kappa", "lambda", "mu", "nu", "xi", "omicron", "pi", "rho",
                                 nullptr, "sigma", "tau", "upsilon", "phi", "chi", "psi", "omega"};

constexpr TSign SignWords[] = {{"infty", 8734}, {"oo", 8734},     {"in", 8712},      {"notin", 8713},
                               {"subset", 8834}, {"forall", 8704}, {"exists", 8707}, {"partial", 8706},
                               {"nabla", 8711}, {"cdot", 8729},   {"times", 215}};

struct TTemplateWord {
  const char* Text;
  int Group;
  int Button;
  const char* Base;
};
constexpr TTemplateWord TemplateWords[] = {{"sqrt", 12, 5, ""}, {"frac", 12, 0, ""}, {"sum", 14, 2, ""},
                                           {"int", 15, 1, ""},  {"prod", 18, 2, ""}, {"lim", 13, 13, "lim"}};

void AddSign(std::vector<TShortcut>& Table, const QString& Text, int Code, bool Word) {
  if (const auto Button = SymbolButton(Code)) Table.push_back({Text, Word, Button->first, Button->second, {}});
}

const std::vector<TShortcut>& Table() {
  static const std::vector<TShortcut> Shortcuts = [] {
    std::vector<TShortcut> Result;
    for (const TSign& Sign : Digraphs) AddSign(Result, QLatin1String(Sign.Text), Sign.Code, false);
    for (int I = 0; I < static_cast<int>(std::size(Greek)); ++I) {
      if (!Greek[I]) continue;  // the final sigma has no name of its own
      const QString Name = QLatin1String(Greek[I]);
      AddSign(Result, Name, 945 + I, true);
      AddSign(Result, Name.left(1).toUpper() + Name.mid(1), 913 + I, true);
    }
    for (const TSign& Sign : SignWords) AddSign(Result, QLatin1String(Sign.Text), Sign.Code, true);
    for (const TTemplateWord& T : TemplateWords)
      Result.push_back({QLatin1String(T.Text), true, T.Group, T.Button, QLatin1String(T.Base)});
    return Result;
  }();
  return Shortcuts;
}
}  // namespace

const TShortcut* ShortcutFor(const QString& Text, bool Words) {
  for (const TShortcut& S : Table())
    if ((Words || !S.Word) && S.Text == Text) return &S;
  return nullptr;
}

bool ShortcutContinues(const QString& Text, bool Words) {
  for (const TShortcut& S : Table())
    if ((Words || !S.Word) && S.Text.size() > Text.size() && S.Text.startsWith(Text)) return true;
  return false;
}
