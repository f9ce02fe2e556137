#include "CommandLine.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>

#include "editor/EditorCore.h"
#include "interchange/SymbolTable.h"
#include "palette/PaletteCommands.h"
#include "palette/SelectEquation.h"

namespace {
// The templates and environments, with the empty arguments that make the reader build
// them; the first word is what is matched.
constexpr const char* Templates[] = {
    "frac \\frac{}{}", "dfrac \\dfrac{}{}", "tfrac \\tfrac{}{}", "sqrt \\sqrt{}", "sqrt[] \\sqrt[]{}",
    "sum \\sum_{}^{}", "prod \\prod_{}^{}", "coprod \\coprod_{}^{}", "int \\int_{}^{}", "iint \\iint_{}",
    "iiint \\iiint_{}", "oint \\oint_{}", "bigcup \\bigcup_{}^{}", "bigcap \\bigcap_{}^{}",
    "lim \\lim_{}", "overline \\overline{}", "underline \\underline{}", "overrightarrow \\overrightarrow{}",
    "overleftarrow \\overleftarrow{}", "hat \\hat{}", "widehat \\widehat{}", "tilde \\tilde{}",
    "widetilde \\widetilde{}", "bar \\bar{}", "vec \\vec{}", "dot \\dot{}", "ddot \\ddot{}",
    "overbrace \\overbrace{}^{}", "underbrace \\underbrace{}_{}", "overset \\overset{}{}",
    "underset \\underset{}{}", "xrightarrow \\xrightarrow{}", "xleftarrow \\xleftarrow{}",
    "binom \\binom{}{}", "left( \\left(\\right)", "left[ \\left[\\right]", "left\\{ \\left\\{\\right\\}",
    "left| \\left|\\right|", "matrix \\begin{matrix}&\\\\&\\end{matrix}",
    "pmatrix \\begin{pmatrix}&\\\\&\\end{pmatrix}", "bmatrix \\begin{bmatrix}&\\\\&\\end{bmatrix}",
    "Bmatrix \\begin{Bmatrix}&\\\\&\\end{Bmatrix}", "vmatrix \\begin{vmatrix}&\\\\&\\end{vmatrix}",
    "Vmatrix \\begin{Vmatrix}&\\\\&\\end{Vmatrix}", "cases \\begin{cases}&\\\\&\\end{cases}",
};

bool IsMatch(const TCommandLine::TCandidate& C, const QString& Text) {
  if (!C.Latex.isEmpty()) return C.Name.startsWith(Text, Qt::CaseInsensitive);
  static const QRegularExpression Words(QStringLiteral("[^\\w]+"), QRegularExpression::UseUnicodePropertiesOption);
  const QStringList Parts = C.Name.split(Words, Qt::SkipEmptyParts);
  return std::any_of(Parts.begin(), Parts.end(),
                     [&](const QString& Word) { return Word.startsWith(Text, Qt::CaseInsensitive); });
}

constexpr int MaxShown = 8;
}  // namespace

TCommandLine::TCommandLine(TEditorCore& Host) : FHost(Host) {}

TCommandLine::~TCommandLine() = default;

std::vector<TCommandLine::TCandidate> TCommandLine::Candidates(TLanguage Language) {
  std::vector<TCandidate> All;
  for (const char* Entry : Templates) {
    const QString Text = QLatin1String(Entry);
    const QString Name = Text.section(QLatin1Char(' '), 0, 0);
    const QString Latex = Text.section(QLatin1Char(' '), 1);
    const QString Shown = Latex.startsWith(QLatin1String("\\begin")) ? Latex.section(QLatin1Char('}'), 0, 0) + "}"
                                                                     : QLatin1Char('\\') + Name;
    All.push_back({Name, Shown, Latex});
  }
  for (const QString& Name : SymbolCommands())
    if (Name.front().isLetter()) All.push_back({Name, QLatin1Char('\\') + Name, QLatin1Char('\\') + Name + " "});
  for (int Group = 1; Group < TSelectEquation::GroupCount; ++Group)
    for (int Button = 0; Button < TSelectEquation::GroupConstants(Group).ButtonCount; ++Button) {
      const QString Description = TSelectEquation::Description(Language, Group, Button);
      if (!Description.isEmpty() && HasPaletteCommand(Group, Button))
        All.push_back({Description, Description, QString(), Group, Button});
    }
  return All;
}

std::vector<TCommandLine::TCandidate> TCommandLine::Matching(const std::vector<TCandidate>& All,
                                                              const QString& Text) {
  std::vector<TCandidate> Found;
  for (const TCandidate& C : All)
    if (IsMatch(C, Text)) Found.push_back(C);
  const auto Rank = [&](const TCandidate& C) {
    if (C.Latex.isEmpty()) return std::make_pair(2, 0);
    return std::make_pair(C.Name.compare(Text, Qt::CaseInsensitive) == 0 ? 0 : 1, static_cast<int>(C.Name.size()));
  };
  std::stable_sort(Found.begin(), Found.end(), [&](const TCandidate& A, const TCandidate& B) { return Rank(A) < Rank(B); });
  return Found;
}

void TCommandLine::Open(TLanguage Language, QRect Caret) {
  FAll = Candidates(Language);
  FCaret = Caret;
  FOpen = true;
  SetText(QString());
}

void TCommandLine::Close() {
  FOpen = false;
  FText.clear();
  FMatches.clear();
  FAll.clear();
  FCurrent = -1;
  if (FList) FList->hide();
  FHost.UpdateView();
}

void TCommandLine::SetText(const QString& Text) {
  FText = Text;
  FMatches = Text.isEmpty() ? std::vector<TCandidate>() : Matching(FAll, Text);
  FCurrent = FMatches.empty() ? -1 : 0;
  ShowList();
  FHost.UpdateView();
}

void TCommandLine::Move(int Step) {
  if (FMatches.empty()) return;
  FCurrent = qBound(0, FCurrent + Step, static_cast<int>(FMatches.size()) - 1);
  ShowList();
}

QRect TCommandLine::FieldRect() const {
  const QFontMetrics Metrics(FHost.Font());
  const int Width = Metrics.horizontalAdvance(QLatin1Char('\\') + FText) + 8;
  return QRect(FCaret.right() + 2, FCaret.top(), Width, qMax(FCaret.height(), Metrics.height() + 4));
}

void TCommandLine::Paint(QPainter& Painter) const {
  if (!FOpen) return;
  const QRect Field = FieldRect();
  Painter.save();
  Painter.fillRect(Field, FHost.ViewPalette().color(QPalette::Base));
  Painter.setPen(FHost.ViewPalette().color(QPalette::Highlight));
  Painter.drawRect(Field.adjusted(0, 0, -1, -1));
  Painter.setPen(FHost.ViewPalette().color(QPalette::Text));
  Painter.setFont(FHost.Font());
  Painter.drawText(Field.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, QLatin1Char('\\') + FText);
  Painter.restore();
}

void TCommandLine::ShowList() {
  if (FMatches.empty()) {
    if (FList) FList->hide();
    return;
  }
  QWidget* Parent = FHost.PopupParent();
  if (!FList && !Parent) return;  // a view that is no widget shows the field alone
  if (!FList) {
    FList = new QListWidget(Parent);
    FList->setFocusPolicy(Qt::NoFocus);
    FList->setObjectName(QStringLiteral("CommandCompletion"));
    // The list is the host's furniture, not part of the formula: the interface's font.
    FList->setFont(QApplication::font());
  }
  FList->clear();
  for (const TCandidate& C : FMatches) FList->addItem(C.Label);
  FList->setCurrentRow(FCurrent);
  const QRect Field = FieldRect();
  const int Rows = qMin(MaxShown, static_cast<int>(FMatches.size()));
  const int Height = Rows * FList->sizeHintForRow(0) + 2 * FList->frameWidth();
  const int Width = qMin(FHost.ViewSize().width(), qMax(FList->sizeHintForColumn(0) + 24, 160));
  // Below the field, else above it, else beside it.
  QPoint At(Field.left(), Field.bottom() + 1);
  if (At.y() + Height > FHost.ViewSize().height()) At = Field.top() >= Height ? QPoint(Field.left(), Field.top() - Height)
                                                                     : QPoint(Field.right() + 1, 0);
  FList->setGeometry(qBound(0, At.x(), qMax(0, FHost.ViewSize().width() - Width)), At.y(), Width, Height);
  FList->show();
  FList->raise();
}
