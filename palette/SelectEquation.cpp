#include "SelectEquation.h"

#include <QEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <exception>

#include "editor/Editing.h"
#include "editor/UsefulUtils.h"
#include "editor/ZelkEquation.h"
#include "model/EditArea.h"
#include "palette/ImageList.h"
#include "palette/MatrixSizeDialog.h"
#include "palette/PaletteCommands.h"
#include "palette/ToolBar.h"

namespace {
TEqData MakeEqData(int ButtonCount, int GlyphHeight, int GlyphWidth, const char* VisibleMask) {
  TEqData Data;
  Data.ButtonCount = ButtonCount;
  Data.GlyphHeight = GlyphHeight;
  Data.GlyphWidth = GlyphWidth;
  Data.VisibleMask = QString::fromLatin1(VisibleMask);
  return Data;
}
}  // namespace

TSelectEquation::TSelectEquation(QWidget* Parent) : QFrame(Parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  CreateDescript();
  CreateImageLists();
}

TSelectEquation::~TSelectEquation() {
  // The bars refer to the image lists: free them while the lists still exist.
  delete FLabel;
  delete FPageControl;
  delete FCategoryBar;
}

TEqData TSelectEquation::GroupConstants(int Group) {
  switch (Group) {
    case 0: return MakeEqData(19, 20, 40, "1111111111111111111");
    case 1: return MakeEqData(11, 10, 10, "11111111111");
    case 2: return MakeEqData(11, 15, 15, "11111111111");
    case 3: return MakeEqData(20, 15, 15, "11111111111111111111");
    case 4: return MakeEqData(12, 10, 10, "111111111111");
    case 5: return MakeEqData(14, 15, 15, "11111111111111");
    case 6: return MakeEqData(8, 10, 10, "11111111");
    case 7: return MakeEqData(12, 10, 10, "111111111111");
    case 8: return MakeEqData(18, 10, 10, "111111111111111111");
    case 9: return MakeEqData(28, 15, 15, "1111111111111111111111111111");
    case 10: return MakeEqData(24, 10, 10, "111111111111111111111111");
    case 11: return MakeEqData(31, 20, 20, "1111111111111111111111111111111");
    case 12: return MakeEqData(12, 20, 20, "111111111111");
    case 13: return MakeEqData(15, 20, 20, "111111111111111");
    case 14: return MakeEqData(5, 20, 20, "11111");
    case 15: return MakeEqData(21, 20, 20, "111111111111111111111");
    case 16: return MakeEqData(10, 15, 15, "1111111111");
    case 17: return MakeEqData(6, 15, 15, "111111");
    case 18: return MakeEqData(20, 20, 20, "11111111111111111111");
    case 19: return MakeEqData(12, 20, 20, "111111111111");
    default: return TEqData();
  }
}

void TSelectEquation::SetLanguage(TLanguage Value) {
  // A stored form or a property call may carry any byte: keep to the three languages.
  if (!IsLanguage(Value)) return;
  const bool Changed = Value != FLanguage;
  FLanguage = Value;
  CreateDescript();
  NameButtons();
  if (Changed) emit languageChanged(Value);
}

QString TSelectEquation::Description(TLanguage Language, int Group, int Button) {
  return LanguageString(Language, Group * 100 + Button);
}

void TSelectEquation::NameButtons() {
  const auto Name = [this](TToolBar* Bar, int Group) {
    for (int B = 0; Bar && B < Bar->ButtonCount(); ++B)
      Bar->Buttons(B)->setAccessibleName(FEqData[Group].Descriptions.value(B));
  };
  Name(FCategoryBar, 0);
  for (int G = 1; G < GroupCount; ++G) Name(GroupBar(G), G);
}

void TSelectEquation::SetZelkEquation(TZelkEquation* Value) {
  if (Value == FEquation) return;
  FEquation = Value;
  emit equationChanged(Value);
}

void TSelectEquation::CreateDescript() {
  FEqData.assign(GroupCount, TEqData());
  for (int G = 0; G < GroupCount; ++G) {
    FEqData[G] = GroupConstants(G);
    for (int B = 0; B < FEqData[G].ButtonCount; ++B)
      FEqData[G].Descriptions.append(Description(FLanguage, G, B));
  }
}

void TSelectEquation::CreateImageLists() {
  FImageLists.Clear();
  for (int G = 0; G < GroupCount; ++G) {
    auto* List = new TImageList(FEqData[G].GlyphWidth, FEqData[G].GlyphHeight);
    FImageLists.Insert(G, List);
    List->GetResource(QStringLiteral(":/ZelkEquations/BT") + IntToStrZero(G, 2));
  }
}

TToolBar* TSelectEquation::GroupBar(int Group) const {
  return Group >= 1 && Group <= static_cast<int>(FGroupBars.size()) ? FGroupBars[Group - 1] : nullptr;
}

bool TSelectEquation::event(QEvent* Event) {
  // Polish comes once, before the palette is first shown or rendered.
  if (Event->type() == QEvent::Polish) CreateWnd();
  return QFrame::event(Event);
}

void TSelectEquation::resizeEvent(QResizeEvent* Event) {
  QFrame::resizeEvent(Event);
  KeepCategoriesWhole();
}

void TSelectEquation::KeepCategoriesWhole() {
  if (!FCategoryBar || !layout()) return;
  const QMargins Margins = layout()->contentsMargins();
  const int Width = contentsRect().width() - Margins.left() - Margins.right();
  const int Rows = FCategoryBar->heightForWidth(Width);
  if (Rows > 0 && FCategoryBar->minimumHeight() != Rows) FCategoryBar->setMinimumHeight(Rows);
}

void TSelectEquation::CreateWnd() {
  if (FCategoryBar) return;
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(2, 2, 2, 2);
  Layout->setSpacing(2);
  CreatePageControl();
  CreateLabel();
  FCategoryBar = CreateToolBar(this, 0);
  Layout->insertWidget(0, FCategoryBar);
  BtPanelClick(FCategoryBar->Buttons(0));
}

void TSelectEquation::CreatePageControl() {
  FPageControl = new QStackedWidget(this);
  layout()->addWidget(FPageControl);
  for (int P = 0; P < FEqData[0].ButtonCount; ++P) {
    auto* Sheet = new QWidget(FPageControl);
    auto* SheetLayout = new QVBoxLayout(Sheet);
    SheetLayout->setContentsMargins(0, 0, 0, 0);
    FPageControl->addWidget(Sheet);
    TToolBar* Bar = CreateToolBar(Sheet, P + 1);
    SheetLayout->addWidget(Bar);
    SheetLayout->addStretch();
    FGroupBars.push_back(Bar);
  }
  FPageControl->setCurrentIndex(0);
}

void TSelectEquation::CreateLabel() {
  FLabel = new QLabel(this);
  FLabel->setWordWrap(true);
  // One text line high while empty; a long description wraps.
  FLabel->setMinimumHeight(FLabel->fontMetrics().height());
  static_cast<QVBoxLayout*>(layout())->insertWidget(0, FLabel);
}

TToolBar* TSelectEquation::CreateToolBar(QWidget* Parent, int Index) {
  const TEqData& Data = FEqData[Index];
  auto* Bar = new TToolBar(Parent, FImageLists.GetItem(Index), Data.GlyphWidth, Data.GlyphHeight);
  const bool Category = Parent == this;
  for (int B = 0; B < Data.ButtonCount; ++B) {
    TToolButton* Button = Bar->AddButton();
    Button->setToolTip(Data.Descriptions.value(B));
    Button->setAccessibleName(Data.Descriptions.value(B));
    Button->SetImageIndex(B);
    connect(Button, &TToolButton::MouseMoved, this, &TSelectEquation::BtMouseMove);
    if (Category) {
      Button->SetTag(B);
      Button->setEnabled(B < FPageControl->count());
      connect(Button, &QToolButton::clicked, this, [this, Button] { BtPanelClick(Button); });
    } else {
      Button->SetTag(Index);
      connect(Button, &QToolButton::clicked, this, [this, Button] { BtTabSheetClick(Button); });
    }
    Button->setVisible(Data.VisibleMask.at(B) == u'1');
  }
  return Bar;
}

void TSelectEquation::BtMouseMove(TToolButton* Sender) {
  if (!Sender) return;
  const bool Category = Sender->parentWidget() == FCategoryBar;
  const int Group = Category ? 0 : Sender->Tag();
  const int Button = Category ? Sender->Tag() : Sender->ImageIndex();
  const QString Text = Group >= 0 && Group < GroupCount ? FEqData[Group].Descriptions.value(Button) : QString();
  Sender->setToolTip(Text);
  if (FLabel) FLabel->setText(Text);
}

void TSelectEquation::BtPanelClick(TToolButton* Sender) {
  if (!Sender || !FCategoryBar || !FPageControl) return;
  const int Page = FPageControl->currentIndex();
  if (Page >= 0 && Page < FCategoryBar->ButtonCount()) FCategoryBar->Buttons(Page)->SetDown(false);
  FPageControl->setCurrentIndex(Sender->Tag());
  Sender->SetDown(true);
}

void TSelectEquation::BtTabSheetClick(TToolButton* Sender) {
  if (!FEquation || !Sender) return;
  try {
    const int Group = Sender->Tag();
    const int Button = Sender->ImageIndex();
    if (const std::optional<TMatrixAsk> Ask = MatrixSizeAsked(Group, Button)) {
      // Asked before the edit begins: the dialog's own events are no part of it.
      const std::optional<QSize> Size = TMatrixSizeDialog::Ask(*Ask, this);
      if (Size && FEquation)
        FEquation->Editing().InsertElement([Group, Button, Size](TEditArea& Area) {
          RunSizedMatrixCommand(Area, Group, Button, *Size);
        });
    } else if (RemovesOrnament(Group, Button)) {
      FEquation->Editing().RemoveOrnament();
    } else {
      FEquation->Editing().InsertElement(
          [Group, Button](TEditArea& Area) { RunPaletteCommand(Area, Group, Button); });
    }
  } catch (const std::exception&) {
    // A failing insertion leaves the formula as the command left it; the click ends here.
  }
  if (FEquation && FEquation->isEnabled()) FEquation->setFocus(Qt::OtherFocusReason);
}

TComponentInfo SelectEquation::Register() {
  TComponentInfo Info;
  Info.ClassName = QStringLiteral("TSelectEquation");
  Info.Page = QStringLiteral("Zelk Equations");
  Info.IconResource = QStringLiteral(":/ZelkEquations/TSELECTEQUATION.png");
  Info.IncludeFile = QStringLiteral("ZelkEquations/Palette.h");
  Info.ToolTip = QStringLiteral("Palette of symbols and templates for a formula editor");
  Info.Create = [](QWidget* Parent) -> QWidget* { return new TSelectEquation(Parent); };
  return Info;
}
