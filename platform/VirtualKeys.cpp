#include "VirtualKeys.h"

#include <QKeyEvent>

namespace {
// The key event being handled: the keyboard state that translation reads.
const TKeyEventScope* CurrentScope = nullptr;

// Keys that type nothing, by their Qt code.
quint16 CommandKey(int Key) {
  switch (Key) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vkTab;
    case Qt::Key_Clear: return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Shift: return vkShift;
    case Qt::Key_Control: return vkControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return vkMenu;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Escape: return vkEscape;
    case Qt::Key_Space: return vkSpace;
    case Qt::Key_PageUp: return vkPrior;
    case Qt::Key_PageDown: return vkNext;
    case Qt::Key_End: return vkEnd;
    case Qt::Key_Home: return vkHome;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Select: return 0x29;
    case Qt::Key_Printer: return 0x2A;
    case Qt::Key_Execute: return 0x2B;
    case Qt::Key_Print: return 0x2C;
    case Qt::Key_Insert: return vkInsert;
    case Qt::Key_Delete: return vkDelete;
    case Qt::Key_Help: return 0x2F;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 0x5B;
    case Qt::Key_Super_R: return 0x5C;
    case Qt::Key_Menu: return 0x5D;
    case Qt::Key_Sleep: return 0x5F;
    case Qt::Key_NumLock: return 0x90;
    case Qt::Key_ScrollLock: return 0x91;
    case Qt::Key_Back: return 0xA6;
    case Qt::Key_Forward: return 0xA7;
    case Qt::Key_Refresh: return 0xA8;
    case Qt::Key_Stop: return 0xA9;
    case Qt::Key_Search: return 0xAA;
    case Qt::Key_Favorites: return 0xAB;
    case Qt::Key_HomePage: return 0xAC;
    case Qt::Key_VolumeMute: return 0xAD;
    case Qt::Key_VolumeDown: return 0xAE;
    case Qt::Key_VolumeUp: return 0xAF;
    case Qt::Key_MediaNext: return 0xB0;
    case Qt::Key_MediaPrevious: return 0xB1;
    case Qt::Key_MediaStop: return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause: return 0xB3;
    case Qt::Key_LaunchMail: return 0xB4;
    case Qt::Key_LaunchMedia: return 0xB5;
    case Qt::Key_Launch0: return 0xB6;
    case Qt::Key_Launch1: return 0xB7;
    case Qt::Key_Play: return 0xFA;
    case Qt::Key_Zoom: return 0xFB;
    default: break;
  }
  if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) return static_cast<quint16>(vkF1 + (Key - Qt::Key_F1));
  return vkNone;
}

// Digits and operators of the numeric keypad (with Num Lock on).
quint16 KeypadKey(int Key) {
  if (Key >= Qt::Key_0 && Key <= Qt::Key_9) return static_cast<quint16>(vkNumpad0 + (Key - Qt::Key_0));
  switch (Key) {
    case Qt::Key_Asterisk: return vkMultiply;
    case Qt::Key_Plus: return vkAdd;
    case Qt::Key_Comma: return vkSeparator;
    case Qt::Key_Minus: return vkSubtract;
    case Qt::Key_Period: return vkDecimal;
    case Qt::Key_Slash: return vkDivide;
    default: return vkNone;
  }
}

// ASCII punctuation: the US key that types it, shifted or not.
quint16 PunctuationKey(int Key) {
  switch (Key) {
    case ')': return '0';
    case '!': return '1';
    case '@': return '2';
    case '#': return '3';
    case '$': return '4';
    case '%': return '5';
    case '^': return '6';
    case '&': return '7';
    case '*': return '8';
    case '(': return '9';
    case ';':
    case ':': return vkOem1;
    case '=':
    case '+': return vkOemPlus;
    case ',':
    case '<': return vkOemComma;
    case '-':
    case '_': return vkOemMinus;
    case '.':
    case '>': return vkOemPeriod;
    case '/':
    case '?': return vkOem2;
    case '`':
    case '~': return vkOem3;
    case '[':
    case '{': return vkOem4;
    case '\\':
    case '|': return vkOem5;
    case ']':
    case '}': return vkOem6;
    case '\'':
    case '"': return vkOem7;
    default: return vkNone;
  }
}
}  // namespace

quint16 VirtualKeyOf(const QKeyEvent& Event) {
  const int Key = Event.key();
  if (Event.modifiers() & Qt::KeypadModifier)
    if (const quint16 Code = KeypadKey(Key)) return Code;
  if (const quint16 Code = CommandKey(Key)) return Code;
  if ((Key >= Qt::Key_0 && Key <= Qt::Key_9) || (Key >= Qt::Key_A && Key <= Qt::Key_Z))
    return static_cast<quint16>(Key);
  if (const quint16 Code = PunctuationKey(Key)) return Code;
  // One printable character, a surrogate pair included (a key or input method that types
  // a character beyond 16 bits).
  const QList<uint> Codes = Event.text().toUcs4();
  if (Codes.size() == 1 && QChar::isPrint(Codes[0])) return vkOem8;
  return vkNone;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers) {
  std::uint8_t Bits = 0;
  if (Modifiers & Qt::ShiftModifier) Bits |= 1u << ssShift;
  if (Modifiers & Qt::AltModifier) Bits |= 1u << ssAlt;
  if (Modifiers & Qt::ControlModifier) Bits |= 1u << ssCtrl;
  return TShiftState::FromBits(Bits);
}

TKeyEventScope::TKeyEventScope(const QKeyEvent& Event)
    : FOuter(CurrentScope), FEvent(Event), FKey(VirtualKeyOf(Event)) {
  CurrentScope = this;
}

TKeyEventScope::~TKeyEventScope() { CurrentScope = FOuter; }

QString TranslateVirtualKey(quint16 Key) {
  if (!CurrentScope || Key == vkNone || CurrentScope->FKey != Key) return QString();
  const Qt::KeyboardModifiers Modifiers = CurrentScope->FEvent.modifiers();
  if (bool(Modifiers & Qt::ControlModifier) != bool(Modifiers & Qt::AltModifier)) return QString();
  return CurrentScope->FEvent.text();
}
