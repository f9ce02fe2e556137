#include "main.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QScopeGuard>
#include <QSettings>
#include <QUndoStack>
#include <exception>

#include "demo/Anchors.h"
#include "editor/Editing.h"
#include "editor/ZelkEquation.h"
#include "interchange/ImageExport.h"
#include "interchange/MathML.h"
#include "palette/SelectEquation.h"
#include "platform/FormLinks.h"
#include "ui_main.h"

const QString TfrmMain::InitialFormula = QStringLiteral(
    "EditArea(IntLimitBottomTopOne(EditArea(Simple(x)Simple(d)Simple(x))EditArea(Simple(0))"
    "EditArea(ExtSymbol(8734))))");

TfrmMain::TfrmMain(QWidget* Parent)
    : QWidget(Parent),
      FUi(std::make_unique<Ui::TfrmMain>()),
      FFontDialog1(new QFontDialog(this)),
      FColorDialog1(new QColorDialog(this)) {
  FUi->setupUi(this);
  move(200, 129);

  FFontDialog1->setObjectName(QStringLiteral("FontDialog1"));
  FFontDialog1->setOption(QFontDialog::DontUseNativeDialog);
  QFont DialogFont(QStringLiteral("MS Sans Serif"));
  DialogFont.setPointSize(8);
  FFontDialog1->setCurrentFont(DialogFont);
  FColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
  FColorDialog1->setOption(QColorDialog::DontUseNativeDialog);

  // The labels size themselves to their captions; then the panel's children keep their
  // distances to its edges from the stored arrangement.
  FUi->Label1->adjustSize();
  FUi->Label2->adjustSize();
  layout()->activate();
  new TAnchors(FUi->Panel1);

  // The Data text has no blanks: wrap it anywhere.
  FUi->Memo1->setWordWrapMode(QTextOption::WrapAnywhere);
  FUi->Memo1->installEventFilter(this);
  ResolveFormLinks(this);
  connect(FUi->ZelkEquation1, &TZelkEquation::OnReadError, this, &TfrmMain::ShowReadError);
  FormCreate();
  // Starting the demo's formula is no step to undo.
  FUi->ZelkEquation1->Editing().ResetHistory();
  QUndoStack* Undo = FUi->ZelkEquation1->UndoStack();
  connect(FUi->ButtonUndo, &QToolButton::clicked, Undo, &QUndoStack::undo);
  connect(FUi->ButtonRedo, &QToolButton::clicked, Undo, &QUndoStack::redo);
  connect(Undo, &QUndoStack::canUndoChanged, FUi->ButtonUndo, &QToolButton::setEnabled);
  connect(Undo, &QUndoStack::canRedoChanged, FUi->ButtonRedo, &QToolButton::setEnabled);
}

TfrmMain::~TfrmMain() = default;

QLabel* TfrmMain::ReadError() const { return FUi->LabelReadError; }

TZelkEquation* TfrmMain::Equation() const { return FUi->ZelkEquation1; }

void TfrmMain::FormCreate() {
  FUi->ZelkEquation1->PutData(InitialFormula);
  BringMemoInLine();
  ComboBox1Change();
  setWindowTitle(QStringLiteral("%1 v%2").arg(windowTitle(), FUi->ZelkEquation1->Version()));
}

void TfrmMain::Button1Click() {
  // The dialog lists installed families only: preselect the family the editor really uses.
  QFont Current = FUi->ZelkEquation1->Font();
  Current.setFamily(QFontInfo(Current).family());
  FFontDialog1->setCurrentFont(Current);
  if (FFontDialog1->exec() == QDialog::Accepted)
    FUi->ZelkEquation1->setFont(FFontDialog1->selectedFont());
}

void TfrmMain::Button2Click() {
  FColorDialog1->setCurrentColor(FUi->ZelkEquation1->BkColor());
  if (FColorDialog1->exec() == QDialog::Accepted)
    FUi->ZelkEquation1->SetBkColor(FColorDialog1->selectedColor());
}

void TfrmMain::ZelkEquation1Change() {
  // While the formula is rebuilt from the text box, the typed text stays as it is.
  if (FReadingMemo || FMemoUpdatePosted) return;
  FMemoUpdatePosted = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        FMemoUpdatePosted = false;
        BringMemoInLine();
      },
      Qt::QueuedConnection);
}

void TfrmMain::Memo1Change() {
  const QString Text = FUi->Memo1->toPlainText();
  if (Text == MemoText()) return;
  {
    FReadingMemo = true;
    const auto Done = qScopeGuard([this] { FReadingMemo = false; });
    const int Format = FUi->ComboFormat->currentIndex();
    if (Format <= 0) {
      try {
        FUi->ZelkEquation1->SetData(Text);
        ShowReadError(QString());
      } catch (const std::exception& E) {  // EConvertError: the part read stays
        ShowReadError(QString::fromUtf8(E.what()));
      }
    } else {
      // A refused text leaves the formula as it is.
      const TReadResult Read = Format == 1 ? ReadLatex(Text) : ReadMathML(Text);
      if (Read.Ok()) FUi->ZelkEquation1->PutData(Read.Data);
      ShowReadError(!Read.Ok()                 ? Read.Message()
                    : Read.Losses.isEmpty() ? QString()
                                            : QStringLiteral("read with a loss: ") + Read.Losses.join(QStringLiteral("; ")));
    }
  }
  if (!FUi->Memo1->hasFocus()) BringMemoInLine();
}

void TfrmMain::ComboFormatChange() {
  // Data is one line that wraps anywhere; LaTeX and MathML wrap at words.
  FUi->Memo1->setWordWrapMode(FUi->ComboFormat->currentIndex() <= 0 ? QTextOption::WrapAnywhere
                                                                     : QTextOption::WrapAtWordBoundaryOrAnywhere);
  ShowReadError(QString());
  BringMemoInLine();
}

void TfrmMain::ButtonExportClick() {
  const QString FileName = QFileDialog::getSaveFileName(this, QStringLiteral("Export"), QStringLiteral("formula.svg"),
                                                        QStringLiteral("SVG (*.svg);;PNG (*.png);;PDF (*.pdf)"));
  if (FileName.isEmpty()) return;
  QString Error;
  if (!ExportTo(FileName, &Error)) QMessageBox::warning(this, QStringLiteral("Export"), Error);
}

bool TfrmMain::ExportTo(const QString& FileName, QString* Error) const {
  TImageFormat Format;
  if (!ImageFormatOfFile(FileName, Format)) {
    if (Error) *Error = QStringLiteral("Give the file the extension .svg, .png or .pdf");
    return false;
  }
  QFile File(FileName);
  if (!File.open(QIODevice::WriteOnly)) {
    if (Error) *Error = QStringLiteral("Cannot write %1: %2").arg(FileName, File.errorString());
    return false;
  }
  return WriteImage(*FUi->ZelkEquation1, Format, File, TRenderOptions{}, Error);
}

void TfrmMain::ComboBox1Change() {
  static constexpr TLanguage Languages[] = {TLanguages::lRussian, TLanguages::lDeutsche, TLanguages::lEnglish};
  const int Index = FUi->ComboBox1->currentIndex();
  if (Index < 0 || Index >= static_cast<int>(std::size(Languages))) return;
  FUi->SelectEquation1->SetLanguage(Languages[Index]);
  FUi->ZelkEquation1->SetLanguage(Languages[Index]);
}

void TfrmMain::ComboTypesettingChange() {
  const int Index = FUi->ComboTypesetting->currentIndex();
  if (Index < 0) return;
  FUi->ZelkEquation1->SetTypesetting(Index == 1 ? TTypesettings::Math : TTypesettings::Classic);
  Remember("Typesetting", Index);
}

void TfrmMain::ComboInputStyleChange() {
  const int Index = FUi->ComboInputStyle->currentIndex();
  if (Index < 0) return;
  FUi->ZelkEquation1->SetInputStyle(Index == 1 ? TInputStyles::Modern : TInputStyles::Classic);
  Remember("InputStyle", Index);
}

void TfrmMain::UseSettings(QSettings* Settings) {
  FSettings = nullptr;  // restoring is no new choice
  const std::pair<QComboBox*, const char*> Choices[] = {{FUi->ComboTypesetting, "Typesetting"},
                                                         {FUi->ComboInputStyle, "InputStyle"}};
  for (const auto& [Combo, Key] : Choices) {
    const int Stored = Settings ? Settings->value(QLatin1String(Key), -1).toInt() : -1;
    if (Stored >= 0 && Stored < Combo->count()) Combo->setCurrentIndex(Stored);
  }
  FSettings = Settings;
}

void TfrmMain::Remember(const char* Key, int Index) const {
  if (FSettings) FSettings->setValue(QLatin1String(Key), Index);
}

bool TfrmMain::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FUi->Memo1) {
    if (Event->type() == QEvent::KeyPress) {
      const int Key = static_cast<QKeyEvent*>(Event)->key();
      // The Data text is one line: Enter breaks nothing.
      if (Key == Qt::Key_Return || Key == Qt::Key_Enter) return true;
    } else if (Event->type() == QEvent::FocusOut) {
      BringMemoInLine();
    }
  }
  return QWidget::eventFilter(Watched, Event);
}

void TfrmMain::ShowReadError(const QString& Message) {
  FUi->LabelReadError->setText(Message);
  FUi->LabelReadError->setToolTip(Message);
}

QString TfrmMain::MemoText() const {
  const QString Data = FUi->ZelkEquation1->GetData();
  const int Format = FUi->ComboFormat->currentIndex();
  if (Format <= 0) return Data;
  try {
    const TFormula Formula = ParseData(Data);
    return Format == 1 ? WriteLatex(Formula, false) : WriteMathML(Formula, false);
  } catch (const std::exception&) {  // the editor's own Data always reads
    return Data;
  }
}

void TfrmMain::BringMemoInLine() {
  const QString Text = MemoText();
  if (FUi->Memo1->toPlainText() != Text) FUi->Memo1->setPlainText(Text);
}
