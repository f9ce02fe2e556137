#pragma once
// TSelectEquation: the palette. A panel of tool buttons in 19 groups that inserts special
// symbols (groups 1-10) and templates (groups 11-19) into a linked editor, at the caret of
// its active edit area, and then gives that editor the focus. A row of category buttons on
// top chooses the one group shown below it; moving the mouse over any button shows its
// description, in the chosen language, in the description label and as its tool-tip.
//
// The category bar stays whole at any width: when it wraps onto more rows, the page of
// group buttons below it gives up the room.
//
// The palette builds its group table and glyph lists when it is created and its child
// widgets (category bar, description label, page stack with one group bar a page) when it
// first gets its window; they are built once. The glyphs are the monochrome resource strips
// ":/ZelkEquations/BTgg" (gg the group number, white transparent), the descriptions the
// strings with ids Lggbb (L the language digit, gg the group, bb the button, in decimal).
//
// In Qt's naming the palette is Zelk::Palette, with the properties language and equation
// (language()/setLanguage(), equation()/setEquation()) and their change signals; Designer
// shows, and forms store, only the capitalised ones.

#include <QFrame>
#include <QPointer>
#include <QStringList>
#include <vector>

#include "../editor/Language.h"
#include "../editor/ZelkEquation.h"
#include "../platform/Lists.h"
#include "../platform/Registration.h"

class QLabel;
class QStackedWidget;
class TImageList;
class TToolBar;
class TToolButton;

// One group of buttons; group 0 is the category bar, group g >= 1 is opened by category
// button g - 1 and lives on page g - 1.
struct TEqData {
  int ButtonCount = 0;       // = the number of glyphs in the group's strip
  int GlyphHeight = 0;       // the buttons show the glyph in a small frame
  int GlyphWidth = 0;
  QString VisibleMask;       // character b is '1' when button b is shown
  QStringList Descriptions;  // of every button, in the current language
};
using TEqDataArray = std::vector<TEqData>;

// The palette's glyph lists, index = group number; the container owns them.
using TImageLists = TObjectList<TImageList>;

class TSelectEquation : public QFrame {
  Q_OBJECT
  Q_PROPERTY(TLanguages::TLanguage Language READ Language WRITE SetLanguage NOTIFY languageChanged)
  // The editor that the buttons insert into; none when unlinked or when it was destroyed.
  // A form stores the link as the dynamic property EquationName (the editor's object
  // name), so Designer does not offer the pointer itself.
  Q_PROPERTY(TZelkEquation* Equation READ Equation WRITE SetZelkEquation NOTIFY equationChanged DESIGNABLE false)
  Q_PROPERTY(TLanguages::TLanguage language READ language WRITE setLanguage NOTIFY languageChanged
             DESIGNABLE false STORED false)
  Q_PROPERTY(TZelkEquation* equation READ equation WRITE setEquation NOTIFY equationChanged
             DESIGNABLE false STORED false)

 public:
  // The language of the descriptions (forms name its values TSelectEquation::lRussian ...).
  using TLanguage = TLanguages::TLanguage;
  using enum TLanguages::TLanguage;

  static constexpr int GroupCount = 20;

  // Builds the group table (in Russian) and the glyph lists; no child widget exists yet.
  explicit TSelectEquation(QWidget* Parent = nullptr);
  ~TSelectEquation() override;

  TLanguage Language() const { return FLanguage; }
  // Rebuilds the descriptions and renames the buttons for assistive technology; a tool-tip
  // and the label follow the new language the next time the mouse moves over a button.
  void SetLanguage(TLanguage Value);

  TZelkEquation* Equation() const { return FEquation.data(); }
  // Links the palette to Value (or to none); takes effect at the next click.
  void SetZelkEquation(TZelkEquation* Value);

  // The group table (20 records) and the constant record of one group.
  const TEqDataArray& EqData() const { return FEqData; }
  static TEqData GroupConstants(int Group);
  // The description of button Button of group Group in Language (empty when none).
  static QString Description(TLanguage Language, int Group, int Button);
  // The glyph lists, one a group.
  const TImageLists& ImageLists() const { return FImageLists; }

  // Refills the group table with the constants and the descriptions of the current language.
  void CreateDescript();
  // Loads the glyph strips, one list a group; a strip that cannot be loaded leaves its list
  // empty.
  void CreateImageLists();

  // The children, none until the palette first gets its window.
  TToolBar* CategoryBar() const { return FCategoryBar; }
  // The bar of group 1..19 (on page Group - 1).
  TToolBar* GroupBar(int Group) const;
  QLabel* DescriptionLabel() const { return FLabel; }
  QStackedWidget* PageControl() const { return FPageControl; }

  // Mouse over a button: its description becomes its tool-tip and the label's text.
  void BtMouseMove(TToolButton* Sender);
  // A category button: its group's page is shown and it is the one category button down.
  void BtPanelClick(TToolButton* Sender);
  // A group button: its command runs at the linked editor's caret (TEditing::InsertElement:
  // a selection goes into the template's first slot, the caret ends behind a symbol), then
  // an enabled editor gets the focus. Unlinked, nothing happens.
  void BtTabSheetClick(TToolButton* Sender);

  // The Qt-style surface.
  TLanguage language() const { return Language(); }
  TZelkEquation* equation() const { return Equation(); }

 public slots:
  void setLanguage(TLanguages::TLanguage Value) { SetLanguage(Value); }
  void setEquation(TZelkEquation* Value) { SetZelkEquation(Value); }

 signals:
  // A setter changed the value.
  void languageChanged(TLanguages::TLanguage Value);
  void equationChanged(TZelkEquation* Equation);

 protected:
  bool event(QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  // Builds the children on the first call only: page stack, label, category bar, then
  // shows group 1 with category button 0 down.
  void CreateWnd();

 private:
  void CreatePageControl();
  void CreateLabel();
  TToolBar* CreateToolBar(QWidget* Parent, int Index);
  // Every button's accessible name: its description in the current language.
  void NameButtons();
  // Gives the category bar the height its rows need at the palette's width.
  void KeepCategoriesWhole();

  TEqDataArray FEqData;
  TImageLists FImageLists;
  QLabel* FLabel = nullptr;
  QStackedWidget* FPageControl = nullptr;
  TToolBar* FCategoryBar = nullptr;
  std::vector<TToolBar*> FGroupBars;
  QPointer<TZelkEquation> FEquation;
  TLanguage FLanguage = lRussian;
};

namespace Zelk {
using Palette = TSelectEquation;
}  // namespace Zelk

namespace SelectEquation {
// Offers TSelectEquation on the design-time page "Zelk Equations".
TComponentInfo Register();
}  // namespace SelectEquation
