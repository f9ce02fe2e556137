#include "interchange/MathAlphabets.h"

#include <QHash>
#include <string_view>

namespace {
struct TAlphabet {
  TMathAlphabet Alphabet;
  const char* Command;
  const char* Variant;
  char32_t Capitals;  // the block's A, or 0 without capitals
  char32_t Smalls;    // its a, or 0
  char32_t Digits;    // its 0, or 0
  // Letters the block leaves out, kept in the letter-like symbols.
  std::initializer_list<std::pair<char32_t, char32_t>> Holes;
};

const TAlphabet Alphabets[] = {
    {TMathAlphabet::Bold, "mathbf", "bold", 0x1D400, 0x1D41A, 0x1D7CE, {}},
    {TMathAlphabet::Script, "mathcal", "script", 0x1D49C, 0, 0,
     {{U'B', 0x212C}, {U'E', 0x2130}, {U'F', 0x2131}, {U'H', 0x210B}, {U'I', 0x2110}, {U'L', 0x2112},
      {U'M', 0x2133}, {U'R', 0x211B}}},
    {TMathAlphabet::DoubleStruck, "mathbb", "double-struck", 0x1D538, 0, 0,
     {{U'C', 0x2102}, {U'H', 0x210D}, {U'N', 0x2115}, {U'P', 0x2119}, {U'Q', 0x211A}, {U'R', 0x211D},
      {U'Z', 0x2124}}},
    {TMathAlphabet::Fraktur, "mathfrak", "fraktur", 0x1D504, 0x1D51E, 0,
     {{U'C', 0x212D}, {U'H', 0x210C}, {U'I', 0x2111}, {U'R', 0x211C}, {U'Z', 0x2128}}},
};

const TAlphabet& Of(TMathAlphabet Alphabet) {
  for (const TAlphabet& A : Alphabets)
    if (A.Alphabet == Alphabet) return A;
  return Alphabets[0];
}

char32_t Styled(const TAlphabet& A, char32_t Plain) {
  for (const auto& [Letter, Twin] : A.Holes)
    if (Letter == Plain) return Twin;
  if (A.Capitals && Plain >= U'A' && Plain <= U'Z') return A.Capitals + (Plain - U'A');
  if (A.Smalls && Plain >= U'a' && Plain <= U'z') return A.Smalls + (Plain - U'a');
  if (A.Digits && Plain >= U'0' && Plain <= U'9') return A.Digits + (Plain - U'0');
  return 0;
}
}  // namespace

char32_t StyledCharacter(TMathAlphabet Alphabet, char32_t Plain) { return Styled(Of(Alphabet), Plain); }

std::optional<std::pair<TMathAlphabet, char32_t>> PlainCharacter(char32_t Code) {
  static const QHash<char32_t, std::pair<TMathAlphabet, char32_t>> Table = [] {
    QHash<char32_t, std::pair<TMathAlphabet, char32_t>> Result;
    for (const TAlphabet& A : Alphabets)
      for (char32_t Plain : std::u32string_view(U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"))
        if (const char32_t Code = Styled(A, Plain)) Result.insert(Code, {A.Alphabet, Plain});
    return Result;
  }();
  const auto It = Table.constFind(Code);
  if (It == Table.constEnd()) return std::nullopt;
  return *It;
}

QString AlphabetCommand(TMathAlphabet Alphabet) { return QLatin1String(Of(Alphabet).Command); }

QString AlphabetVariant(TMathAlphabet Alphabet) { return QLatin1String(Of(Alphabet).Variant); }

std::optional<TMathAlphabet> AlphabetByCommand(const QString& Command) {
  if (Command == QLatin1String("mathscr")) return TMathAlphabet::Script;
  for (const TAlphabet& A : Alphabets)
    if (Command == QLatin1String(A.Command)) return A.Alphabet;
  return std::nullopt;
}

std::optional<TMathAlphabet> AlphabetByVariant(const QString& Variant) {
  for (const TAlphabet& A : Alphabets)
    if (Variant == QLatin1String(A.Variant)) return A.Alphabet;
  return std::nullopt;
}
