#pragma once
// A base slot with scripts: above and below it, or beside it on the right. The base is an
// ordinary slot (a stack: a script over or under an expression) or an operator the user
// types, whose scripts are set at 0.8 of its size as a big operator's are; the scripts of
// a stack are set at 0.7 like an index. Slots in Data order: base, bottom, top.

#include "Equation.h"
#include "Types.h"

struct TScriptFrame;

class TEqScripted : public TEqParent {
 public:
  explicit TEqScripted(TCustomControl* Owner);

  // Adds the script slots: goLimitTop/goLimitBottom put them above and below the base,
  // goIndexTop/goIndexBottom beside it. The caret goes to the base. Called once.
  void SetScripts(TGroupOptions Options, bool Operator);
  TGroupOptions GroupOptions() const { return FGroupOptions; }
  bool Operator() const { return FOperator; }
  TScriptPlace Place() const;

  TEditArea* Base() const { return Slot(0); }
  TEditArea* TopArea() const { return FTopArea; }
  TEditArea* BottomArea() const { return FBottomArea; }

  QString GetData() const override;
  void SetData(const QString& Text) override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  int GetMidLine() const override;
  TMathAtom MathAtom() const override;
  // Re-fonts every slot and places the scripts; nothing while updates are bracketed.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  TScriptFrame Frame() const;

  TGroupOptions FGroupOptions;
  bool FOperator = false;
  TEditArea* FTopArea = nullptr;
  TEditArea* FBottomArea = nullptr;
};
