#pragma once
// TfrmMain: the demonstration program's window. The palette on top inserts symbols and
// templates into the formula editor in the middle, which scrolls when the formula outgrows
// it; Undo and Redo buttons between them follow the editor's undo stack. The bottom panel shows the formula's
// Data text in a text box that rebuilds the formula when it is edited, a language
// selector for the palette's descriptions, a choice of typesetting style, and buttons for the editor's font and
// background colour.
//
// The text box shows and takes the formula as Data, LaTeX or MathML, as the combo box
// beside it chooses (LaTeX and MathML without the copy of the Data they carry elsewhere,
// so that what is typed counts); "Export…" saves the formula as a picture.
//
// The text box and the formula stay in step: every change of the formula rewrites the
// text box, except while the text box itself is being edited; then the formula is rebuilt
// from the typed text and the text box is brought in line when it loses the focus. A text
// the reader rejects keeps the part read and shows the reason in the bottom panel until
// the next text is read without fault.

#include <QWidget>
#include <memory>

class QColorDialog;
class QFontDialog;
class QLabel;
class QSettings;
namespace Ui {
class TfrmMain;
}
class TZelkEquation;

class TfrmMain : public QWidget {
  Q_OBJECT

 public:
  // Loads the stored form, resolves its links and runs FormCreate.
  explicit TfrmMain(QWidget* Parent = nullptr);
  ~TfrmMain() override;

  // The formula shown at start.
  static const QString InitialFormula;

  // The dialogs of Button1 and Button2, run modally.
  QFontDialog* FontDialog1() const { return FFontDialog1; }
  QColorDialog* ColorDialog1() const { return FColorDialog1; }
  // Where the reason of the last rejected text shows; empty after a good read.
  QLabel* ReadError() const;
  // The formula editor of the form.
  TZelkEquation* Equation() const;
  // Takes the typesetting and input style chosen in an earlier run from Settings and
  // keeps every later choice there. Without it the form starts in Math and Modern and
  // remembers nothing.
  void UseSettings(QSettings* Settings);

 public slots:
  // Start-up: the initial formula, the palette's language, the caption with the version.
  void FormCreate();
  // "Font..": the editor's font through the font dialog; Cancel changes nothing.
  void Button1Click();
  // "BkColor..": the editor's background through the colour dialog; Cancel changes nothing.
  void Button2Click();
  // The formula changed: the text box shows its Data, once the changes of this turn of
  // the event loop are done (a read notifies once per element).
  void ZelkEquation1Change();
  // The text box changed: a text other than Data rebuilds the formula.
  void Memo1Change();
  // The language of the palette and of the spoken formula: item 0 Russian, 1 German, 2
  // English; no item, no change.
  void ComboBox1Change();
  // The text box switches to the chosen form of the formula.
  void ComboFormatChange();
  // The editor's typesetting: item 0 Classic, 1 Math.
  void ComboTypesettingChange();
  // The editor's input style: item 0 Classic, 1 Modern.
  void ComboInputStyleChange();
  // Asks for a file and saves the picture there, its format from the extension.
  void ButtonExportClick();
  // Saves the picture of the formula (SVG, PNG or PDF by the extension); false with Error
  // set when the name or the file refuses it.
  bool ExportTo(const QString& FileName, QString* Error = nullptr) const;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void ShowReadError(const QString& Message);
  // The text box shows the formula again, when it does not already.
  void BringMemoInLine();
  // The formula in the form the text box shows.
  QString MemoText() const;

  // Stores the choice of a combo under Key.
  void Remember(const char* Key, int Index) const;

  std::unique_ptr<Ui::TfrmMain> FUi;
  QSettings* FSettings = nullptr;
  QFontDialog* FFontDialog1;
  QColorDialog* FColorDialog1;
  // The formula is being rebuilt from the text box.
  bool FReadingMemo = false;
  // The text box is to show Data when control is back in the event loop.
  bool FMemoUpdatePosted = false;
};
