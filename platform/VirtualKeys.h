#pragma once
// Windows virtual-key codes for Qt key events, and the keyboard state that translates a
// key into the characters it types.
//
// The editor's key map is written in virtual-key codes. VirtualKeyOf gives the code of a
// Qt key event; while that event is being handled (TKeyEventScope), TranslateVirtualKey
// yields the characters the key produces, which is the event's own text: so a character
// key types what the current keyboard layout gives, Cyrillic and Greek included.

#include <QString>
#include <QtGlobal>

#include "Set.h"

class QKeyEvent;

// The modifier keys held with a key.
enum TShiftStateItem { ssShift, ssAlt, ssCtrl };
using TShiftState = TSet<TShiftStateItem>;

// The virtual-key codes that the editor and the translation name. Digits and letters are
// their ASCII capitals ('0'..'9', 'A'..'Z').
enum TVirtualKey : quint16 {
  vkNone = 0x00,
  vkBack = 0x08,
  vkTab = 0x09,
  vkReturn = 0x0D,
  vkShift = 0x10,
  vkControl = 0x11,
  vkMenu = 0x12,
  vkEscape = 0x1B,
  vkSpace = 0x20,
  vkPrior = 0x21,
  vkNext = 0x22,
  vkEnd = 0x23,
  vkHome = 0x24,
  vkLeft = 0x25,
  vkUp = 0x26,
  vkRight = 0x27,
  vkDown = 0x28,
  vkInsert = 0x2D,
  vkDelete = 0x2E,
  vkNumpad0 = 0x60,
  vkMultiply = 0x6A,
  vkAdd = 0x6B,
  vkSeparator = 0x6C,
  vkSubtract = 0x6D,
  vkDecimal = 0x6E,
  vkDivide = 0x6F,
  vkF1 = 0x70,
  vkOem1 = 0xBA,       // ;:
  vkOemPlus = 0xBB,    // =+
  vkOemComma = 0xBC,   // ,<
  vkOemMinus = 0xBD,   // -_
  vkOemPeriod = 0xBE,  // .>
  vkOem2 = 0xBF,       // /?
  vkOem3 = 0xC0,       // `~
  vkOem4 = 0xDB,       // [{
  vkOem5 = 0xDC,       // \|
  vkOem6 = 0xDD,       // ]}
  vkOem7 = 0xDE,       // '"
  vkOem8 = 0xDF,       // a character key without a code of its own
};

// The virtual-key code of a key event, vkNone for a key that has none (dead keys, keys
// unknown to the platform). Punctuation takes the code of the US key that carries it; a
// key whose text is one printable character (from any plane) and that has no code of its
// own (a Cyrillic letter, say) is vkOem8, so it still counts as a character key.
quint16 VirtualKeyOf(const QKeyEvent& Event);

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers);

// Makes Event the key event being handled for the scope's lifetime; scopes nest.
class TKeyEventScope {
 public:
  explicit TKeyEventScope(const QKeyEvent& Event);
  ~TKeyEventScope();
  TKeyEventScope(const TKeyEventScope&) = delete;
  TKeyEventScope& operator=(const TKeyEventScope&) = delete;

 private:
  const TKeyEventScope* FOuter;
  const QKeyEvent& FEvent;
  quint16 FKey;
  friend QString TranslateVirtualKey(quint16 Key);
};

// The characters that Key produces in the current keyboard state: the text of the key
// event being handled when that event is for Key. Empty when no event for Key is being
// handled, and when Ctrl or Alt is held without the other: such a key is a command, not
// typing (Ctrl and Alt together are AltGr on some platforms and type the layout's third
// level).
QString TranslateVirtualKey(quint16 Key);
