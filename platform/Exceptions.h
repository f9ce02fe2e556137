#pragma once
// The error kinds that the component raises to its callers. None of them may
// reach Qt's event loop: every event handler and property setter catches them.

#include <stdexcept>
#include <string>

// A node was created under an owner of the wrong kind.
class EInvalidCast : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Typed list access with an index outside 0..Count-1.
class EListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that should hold a whole number does not.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text asks for more than the editor builds from one text: templates nested too deep,
// too many lines or too many elements. Reading stops there and keeps what it read.
class ELimitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
