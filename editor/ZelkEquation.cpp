// The widget host of the editor core: Qt's widget events in, painting and signals out.

#include "ZelkEquation.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollArea>
#include <QTimer>
#include <QWheelEvent>

#include "editor/EACursor.h"
#include "editor/EditorFont.h"
#include "editor/Editing.h"
#include "model/EditArea.h"

namespace {
// The editor's starting font: its widget font in the default family and size.
QFont StartFont(const QWidget& Editor) {
  QFont Font = Editor.font();
  Font.setFamily(QStringLiteral("Times New Roman"));
  Font.setPointSize(20);
  return Font;
}

// The scroll area the editor is the content of, if any.
QScrollArea* EnclosingScrollArea(const QWidget* Editor) {
  for (QWidget* W = Editor->parentWidget(); W; W = W->parentWidget())
    if (auto* Scroll = qobject_cast<QScrollArea*>(W); Scroll && Scroll->widget() && Scroll->widget()->isAncestorOf(Editor))
      return Scroll;
  return nullptr;
}
}  // namespace

TZelkEquation::TZelkEquation(QWidget* Parent) : QWidget(Parent), TEditorCore(StartFont(*this)) {
  resize(600, 400);
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setFont(StartFont(*this));  // the font change lays the line out at the widget's font
  if (Font() != font()) SetEditorFont(font());
}

TZelkEquation::~TZelkEquation() = default;

void TZelkEquation::changeEvent(QEvent* Event) {
  if (Event->type() == QEvent::FontChange) {
    const QFont ParentFont = parentWidget() && !isWindow() ? parentWidget()->font() : QFont();
    const QFont Own = EditorFont(font(), parentWidget() && !isWindow() ? &ParentFont : nullptr);
    if (Own.resolveMask() != font().resolveMask() || Own != font()) {
      setFont(Own);  // the change comes back here with every attribute the editor's own
      return;
    }
    SetEditorFont(font());
  }
  if (Event->type() == QEvent::EnabledChange) EnabledChanged();
  QWidget::changeEvent(Event);
}

void TZelkEquation::focusInEvent(QFocusEvent* Event) {
  QWidget::focusInEvent(Event);
  FocusChanged();
}

void TZelkEquation::focusOutEvent(QFocusEvent* Event) {
  QWidget::focusOutEvent(Event);
  FocusChanged();
}

void TZelkEquation::paintEvent(QPaintEvent* Event) {
  QPainter Painter(this);
  PaintView(Painter, Event->rect());
}

void TZelkEquation::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  ViewResized(Event->oldSize(), Event->size());
}

bool TZelkEquation::event(QEvent* Event) {
  if (Event->type() == QEvent::ShortcutOverride && ClaimsKey(*static_cast<QKeyEvent*>(Event))) {
    Event->accept();
    return true;
  }
  if (Event->type() == QEvent::KeyPress && TabKey(*static_cast<QKeyEvent*>(Event))) return true;
  return QWidget::event(Event);
}

void TZelkEquation::keyPressEvent(QKeyEvent* Event) {
  if (KeyPress(*Event))
    Event->accept();
  else
    QWidget::keyPressEvent(Event);
}

void TZelkEquation::inputMethodEvent(QInputMethodEvent* Event) {
  InputMethod(*Event);
  Event->accept();
}

QVariant TZelkEquation::inputMethodQuery(Qt::InputMethodQuery Query) const {
  const QVariant Answer = InputMethodQuery(Query);
  return Answer.isValid() ? Answer : QWidget::inputMethodQuery(Query);
}

void TZelkEquation::mousePressEvent(QMouseEvent* Event) { MousePress(Event->position(), Event->button()); }

void TZelkEquation::mouseMoveEvent(QMouseEvent* Event) { MouseMove(Event->position(), Event->buttons()); }

void TZelkEquation::mouseDoubleClickEvent(QMouseEvent* Event) {
  MouseDoubleClick(Event->position(), Event->button());
}

void TZelkEquation::wheelEvent(QWheelEvent* Event) {
  if (Wheel(Event->angleDelta(), Event->modifiers(), EnclosingScrollArea(this)))
    Event->accept();
  else
    QWidget::wheelEvent(Event);
}

void TZelkEquation::contextMenuEvent(QContextMenuEvent* Event) {
  Editing().CreateContextMenu()->popup(Event->globalPos());
  Event->accept();
}

QSize TZelkEquation::sizeHint() const { return ContentSize(); }

QSize TZelkEquation::minimumSizeHint() const {
  // In a scroll area the area scrolls the whole formula; elsewhere the editor scrolls it
  // itself and asks for a line's height and a few characters.
  if (EnclosingScrollArea(this)) return sizeHint();
  const int FS = qCeil(Font().Size() * ZoomFactor());
  return sizeHint().boundedTo(QSize(FS * 6, FS * 3));
}

void TZelkEquation::EnsureCaretVisible() {
  QScrollArea* Scroll = EnclosingScrollArea(this);
  if (!Scroll) return TEditorCore::EnsureCaretVisible();
  if (!ActiveEditArea()) return;
  // After the scroll area has taken in the editor's new size.
  QTimer::singleShot(0, this, [this, Scroll = QPointer<QScrollArea>(Scroll)] {
    TEditArea* Area = ActiveEditArea();
    if (!Scroll || !Area || !Scroll->widget()) return;
    const QRect Line(QPoint(Area->Caret()->HostPosition().x(), Area->HostPosition().y()),
                     QSize(TEACursor::CaretWidth, Area->Height()));
    const QRect InView = WidgetRect(Line);
    const QPoint Center = mapTo(Scroll->widget(), InView.center());
    Scroll->ensureVisible(Center.x(), Center.y(), InView.width() / 2 + 20, InView.height() / 2 + 10);
  });
}

void TZelkEquation::InputStyleSet() { setFocusPolicy(Modern() ? Qt::StrongFocus : Qt::ClickFocus); }

void TZelkEquation::AccessibilityEvent(TFormulaEvent Event) { NotifyAccessibility(this, Event); }

namespace {
QMetaMethod ValueSignal(TEditorCore::TValueText Kind) {
  using enum TEditorCore::TValueText;
  switch (Kind) {
    case Data: return QMetaMethod::fromSignal(&TZelkEquation::dataChanged);
    case Latex: return QMetaMethod::fromSignal(&TZelkEquation::latexChanged);
    case MathML: return QMetaMethod::fromSignal(&TZelkEquation::mathMLChanged);
    case PlainLatex: return QMetaMethod::fromSignal(&TZelkEquation::plainLatexChanged);
    case PlainMathML: return QMetaMethod::fromSignal(&TZelkEquation::plainMathMLChanged);
  }
  return QMetaMethod();
}
}  // namespace

bool TZelkEquation::ValueListened(TValueText Kind) const {
  static const QMetaMethod Signals[] = {ValueSignal(TValueText::Data), ValueSignal(TValueText::Latex),
                                        ValueSignal(TValueText::MathML), ValueSignal(TValueText::PlainLatex),
                                        ValueSignal(TValueText::PlainMathML)};
  return isSignalConnected(Signals[static_cast<int>(Kind)]);
}

void TZelkEquation::ValueAnnounced(TValueText Kind, const QString& Text) {
  switch (Kind) {
    case TValueText::Data: emit dataChanged(Text); break;
    case TValueText::Latex: emit latexChanged(Text); break;
    case TValueText::MathML: emit mathMLChanged(Text); break;
    case TValueText::PlainLatex: emit plainLatexChanged(Text); break;
    case TValueText::PlainMathML: emit plainMathMLChanged(Text); break;
  }
}

void TZelkEquation::SettingChanged(TSetting Setting) {
  switch (Setting) {
    case TSetting::Typesetting: emit typesettingChanged(Typesetting()); break;
    case TSetting::InputStyle: emit inputStyleChanged(InputStyle()); break;
    case TSetting::Zoom: emit zoomChanged(Zoom()); break;
    case TSetting::Language: emit languageChanged(Language()); break;
    case TSetting::LineAlignment: emit lineAlignmentChanged(LineAlignment()); break;
    case TSetting::WrapWidth: emit wrapWidthChanged(WrapWidth()); break;
    case TSetting::BreakOperator: emit breakOperatorChanged(BreakOperator()); break;
  }
}
