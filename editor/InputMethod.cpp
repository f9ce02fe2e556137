// Text from input methods: composed characters (CJK, dead keys on some platforms) and what
// an input method asks about the caret.

#include <QInputMethodEvent>
#include <QPainter>
#include <exception>

#include "editor/EACursor.h"
#include "editor/Editing.h"
#include "editor/EditorCore.h"
#include "model/EditArea.h"
#include "model/Symbols.h"

QRect TEditorCore::CaretRect() const {
  if (!FActiveEditArea) return QRect();
  const TEACursor* Caret = FActiveEditArea->Caret();
  return WidgetRect(QRect(Caret->HostPosition(), QSize(Caret->Width(), Caret->Height())));
}

void TEditorCore::InputMethod(const QInputMethodEvent& Event) {
  try {
    if (FPreedit != Event.preeditString()) {
      FPreedit = Event.preeditString();
      UpdateView();
    }
    const QList<uint> Codes = Event.commitString().toUcs4();
    if (!Codes.isEmpty()) {
      const TEditScope Edit(*FEditing);
      FEditing->EnsureLine();
      FEditing->BeginTyping();
      for (const uint Code : Codes) {
        TEditArea* Area = FActiveEditArea;
        if (!Area) break;
        if (!QChar::isPrint(Code)) continue;
        Area->AddEqSimple(char32_t{Code});
        if (FActiveEditArea == Area) Area->SetEquationIndex(Area->EquationIndex() + 1);
      }
    }
  } catch (const std::exception&) {
    // The text stopped half way; what went in stays and can be undone.
  }
}

QVariant TEditorCore::InputMethodQuery(Qt::InputMethodQuery Query) const {
  switch (Query) {
    case Qt::ImEnabled:
      return ViewEnabled();
    case Qt::ImHints:
      return QVariant::fromValue(Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
    case Qt::ImCursorRectangle:
      return CaretRect();
    case Qt::ImFont:
      return QFont(Font());
    case Qt::ImSurroundingText: {
      // The caret's run; an element that is no character stands as an object mark.
      QString Text;
      if (FActiveEditArea)
        for (int I = 0; I < FActiveEditArea->Count(); ++I) {
          const auto* Simple = dynamic_cast<const TEqSimple*>(FActiveEditArea->Item(I));
          Text += Simple ? Simple->Text() : QString(QChar(0xFFFC));
        }
      return Text;
    }
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
      int Position = 0;
      if (FActiveEditArea)
        for (int I = 0; I < FActiveEditArea->EquationIndex(); ++I) {
          const auto* Simple = dynamic_cast<const TEqSimple*>(FActiveEditArea->Item(I));
          Position += Simple ? Simple->Text().size() : 1;
        }
      return Position;
    }
    default:
      return QVariant();
  }
}

void TEditorCore::PaintPreedit(QPainter& Painter) const {
  const QRect Caret = CaretRect();
  if (FPreedit.isEmpty() || Caret.isEmpty()) return;
  QFont Shown = Font();
  Shown.setPointSizeF(Shown.pointSizeF() * ZoomFactor());
  Shown.setUnderline(true);
  const QFontMetrics Metrics(Shown);
  const QRect Box(Caret.right() + 1, Caret.center().y() - Metrics.height() / 2, Metrics.horizontalAdvance(FPreedit) + 2,
                  Metrics.height());
  Painter.save();
  Painter.fillRect(Box, BkColor());
  Painter.setFont(Shown);
  Painter.setPen(FontColor());
  Painter.drawText(Box, Qt::AlignLeft | Qt::AlignVCenter, FPreedit);
  Painter.restore();
}
