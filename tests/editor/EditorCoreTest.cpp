// The editor core as a host sees it: what it asks of the view and what it tells.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPainter>
#include <vector>

#include "editor/EditorCore.h"
#include "editor/Editing.h"

namespace {
// A host that records what the core tells it, with a view of a fixed size.
class TRecordingHost : public TEditorCore {
 public:
  QSize ViewSize() const override { return QSize(300, 100); }
  bool HostShown() const override { return true; }
  bool ViewFocused() const override { return Focused; }
  void FocusView() override { Focused = true; }
  void UpdateView() override { ++Updates; }
  void UpdateView(const QRect&) override { ++Updates; }
  void UpdateViewSize() override { ++SizeUpdates; }

  bool Focused = false;
  bool Listening = false;
  int Updates = 0;
  int SizeUpdates = 0;
  int Changes = 0;
  std::vector<std::pair<TValueText, QString>> Values;
  std::vector<TSetting> Settings;
  std::vector<bool> FocusMoves;

 protected:
  void Changed() override { ++Changes; }
  bool ValueListened(TValueText Kind) const override { return Listening && Kind != TValueText::MathML; }
  void ValueAnnounced(TValueText Kind, const QString& Text) override { Values.emplace_back(Kind, Text); }
  void SettingChanged(TSetting Setting) override { Settings.push_back(Setting); }
  void FocusNext(bool Forward) override { FocusMoves.push_back(Forward); }
};

void Press(TEditorCore& Core, int Key, const QString& Text = QString(), Qt::KeyboardModifiers Modifiers = {}) {
  const QKeyEvent Event(QEvent::KeyPress, Key, Modifiers, Text);
  if (!Core.TabKey(Event)) Core.KeyPress(Event);
}
}  // namespace

TEST(EditorCore, WithoutAViewItReadsWritesAndDraws) {
  TEditorCore Core;
  Core.PutLaTeX(QStringLiteral("\\frac{1}{x}"));
  EXPECT_TRUE(Core.ReadError().isEmpty());
  EXPECT_TRUE(Core.GetData().contains(QStringLiteral("Division")));
  const QImage Image = Core.RenderImage();
  EXPECT_EQ(Image.size(), Core.RenderSize());
  int Ink = 0;
  for (int Y = 0; Y < Image.height(); ++Y)
    for (int X = 0; X < Image.width(); ++X) Ink += qGray(Image.pixel(X, Y)) < 128;
  EXPECT_GT(Ink, 20);
}

TEST(EditorCore, KeysAndTheMouseComeFromTheHostAndChangesGoBackToIt) {
  TRecordingHost Core;
  Core.Listening = true;
  Press(Core, Qt::Key_X, QStringLiteral("x"));
  EXPECT_EQ(Core.GetData(), QStringLiteral("EditArea(Simple(x))"));
  EXPECT_GE(Core.Changes, 1);
  EXPECT_GT(Core.Updates, 0);
  EXPECT_GT(Core.SizeUpdates, 0);
  // The texts listened for, once per edit; what nobody listens for is not written.
  ASSERT_EQ(Core.Values.size(), 4u);
  EXPECT_EQ(Core.Values[0], std::make_pair(TEditorCore::TValueText::Data, Core.GetData()));
  EXPECT_EQ(Core.Values[1].first, TEditorCore::TValueText::Latex);
  for (const auto& [Kind, Text] : Core.Values) EXPECT_NE(Kind, TEditorCore::TValueText::MathML);

  // A left press outside every line asks for the focus.
  Core.MousePress(QPointF(290, 95), Qt::LeftButton);
  EXPECT_TRUE(Core.Focused);
  // Tab with no slot to go to hands the focus on; Shift+Tab back.
  Press(Core, Qt::Key_Tab);
  Press(Core, Qt::Key_Backtab, QString(), Qt::ShiftModifier);
  EXPECT_EQ(Core.FocusMoves, (std::vector<bool>{true, false}));
  Core.SetZoom(200);
  Core.SetZoom(200);
  EXPECT_EQ(Core.Settings, std::vector<TEditorCore::TSetting>{TEditorCore::TSetting::Zoom});
  EXPECT_EQ(Core.ContentSize(), Core.RenderSize() * 2);
}

TEST(EditorCore, TheCaretShowsInTheModernStyleOnlyWhileTheViewHasTheFocus) {
  TRecordingHost Core;
  EXPECT_TRUE(Core.ShowsCaret());
  Core.SetInputStyle(TInputStyles::Modern);
  EXPECT_FALSE(Core.ShowsCaret());
  Core.Focused = true;
  EXPECT_TRUE(Core.ShowsCaret());
}

TEST(EditorCore, InsertionsTakeKeywordsAndCodesAndRefuseTheRest) {
  TEditorCore Core;
  EXPECT_TRUE(Core.InsertTemplate(QStringLiteral("Root")));
  EXPECT_TRUE(Core.InsertSymbol(0x3B1));
  EXPECT_FALSE(Core.InsertTemplate(QStringLiteral("Simple")));
  EXPECT_FALSE(Core.InsertSymbol(-5));
  EXPECT_FALSE(Core.InsertSymbol(0x110000));
  EXPECT_EQ(Core.GetData(), QStringLiteral("EditArea(Root(EditArea(ExtSymbol(945))))"));
  Core.Editing().Undo();
  EXPECT_EQ(Core.GetData(), QStringLiteral("EditArea(Root(EditArea()))"));
}
