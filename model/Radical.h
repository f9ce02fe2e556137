#pragma once
// A radical: the radicand (slot 0) at the run's size under a bar, behind a radical sign
// that grows with it; the n-th root adds a degree (slot 1) at half the size, standing on
// the sign's hook.

#include "Equation.h"

class TEqRoot : public TEqBarred {
 public:
  explicit TEqRoot(TCustomControl* Owner);

  TEditArea* Radicand() const { return Slot(0); }
  // The degree of an n-th root, else none.
  TEditArea* Degree() const { return FHasDegree ? Slot(1) : nullptr; }
  bool HasDegree() const { return FHasDegree; }
  // Adds the degree slot (called once, on a new element); the caret stays in the radicand.
  void SetHasDegree(bool Value);

  // The degree before the radicand.
  std::vector<TEditArea*> ReadingOrder() const override;
  // Radicand, then degree when there is one.
  QString GetData() const override;
  void SetData(const QString& Text) override;

  int CalcHeight() const override;
  int CalcWidth() const override;
  // The radicand's middle.
  int GetMidLine() const override;
  // Re-fonts and places the slots; nothing while updates are bracketed.
  void RefreshEditArea(int Index) override;

 protected:
  void Paint() override;

 private:
  // Where the sign begins (right of a wide degree), its width, the top of the bar and the
  // top of the radicand.
  int SignLeft() const;
  int SignWidth() const;
  int BarTop() const;
  // How far below the bar's top the degree's foot stands.
  int DegreeRaise() const;
  int RadicandTop() const;

  bool FHasDegree = false;
};
