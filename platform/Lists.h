#pragma once
// Typed lists with index-checked access. TObjectList owns its items and frees them when
// they are removed or when the list is freed; TStringObjectList pairs a string with an
// object it does not own.

#include <QString>
#include <utility>
#include <vector>

#include "Exceptions.h"

namespace ListDetail {
[[noreturn]] void RaiseIndexError(int Index, int Count);
}

template <typename T>
class TObjectList {
 public:
  TObjectList() = default;
  TObjectList(const TObjectList&) = delete;
  TObjectList& operator=(const TObjectList&) = delete;
  ~TObjectList() { Clear(); }

  int Count() const { return static_cast<int>(FItems.size()); }

  T* GetItem(int Index) const {
    Check(Index);
    return FItems[Index];
  }
  // Replaces the entry; the item that stood there is freed.
  void SetItem(int Index, T* Item) {
    Check(Index);
    T* Old = std::exchange(FItems[Index], Item);
    if (Old != Item) delete Old;
  }
  // Inserts at Index, clamped to 0..Count.
  void Insert(int Index, T* Item) {
    Index = Index < 0 ? 0 : (Index > Count() ? Count() : Index);
    FItems.insert(FItems.begin() + Index, Item);
  }
  // Removes the entry and hands it to the caller.
  T* Take(int Index) {
    Check(Index);
    T* Item = FItems[Index];
    FItems.erase(FItems.begin() + Index);
    return Item;
  }
  // Removes and frees the entry.
  void Delete(int Index) {
    Check(Index);
    T* Old = FItems[Index];
    FItems.erase(FItems.begin() + Index);
    delete Old;
  }
  int IndexOf(const T* Item) const {
    for (int I = 0; I < Count(); ++I)
      if (FItems[I] == Item) return I;
    return -1;
  }
  // Frees every item, last first.
  void Clear() {
    while (!FItems.empty()) {
      T* Old = FItems.back();
      FItems.pop_back();
      delete Old;
    }
  }

 private:
  void Check(int Index) const {
    if (Index < 0 || Index >= Count()) ListDetail::RaiseIndexError(Index, Count());
  }
  std::vector<T*> FItems;
};

template <typename T>
class TStringObjectList {
 public:
  struct TEntry {
    QString String;
    T* Object = nullptr;
  };

  int Count() const { return static_cast<int>(FItems.size()); }

  T* GetItem(int Index) const { return At(Index).Object; }
  void PutItem(int Index, T* Item) { At(Index).Object = Item; }
  const QString& GetString(int Index) const { return At(Index).String; }

  // Inserts at Index, clamped to 0..Count.
  void InsertObject(int Index, const QString& String, T* Object) {
    Index = Index < 0 ? 0 : (Index > Count() ? Count() : Index);
    FItems.insert(FItems.begin() + Index, TEntry{String, Object});
  }
  // Drops the entry; the object is not freed.
  void Delete(int Index) {
    At(Index);
    FItems.erase(FItems.begin() + Index);
  }
  // Drops entries First..Last-1, which must be in range; the objects are not freed.
  void Delete(int First, int Last) {
    if (First == Last) return;
    At(First);
    At(Last - 1);
    FItems.erase(FItems.begin() + First, FItems.begin() + Last);
  }
  void Clear() { FItems.clear(); }

 private:
  const TEntry& At(int Index) const {
    if (Index < 0 || Index >= Count()) ListDetail::RaiseIndexError(Index, Count());
    return FItems[Index];
  }
  TEntry& At(int Index) {
    if (Index < 0 || Index >= Count()) ListDetail::RaiseIndexError(Index, Count());
    return FItems[Index];
  }
  std::vector<TEntry> FItems;
};
