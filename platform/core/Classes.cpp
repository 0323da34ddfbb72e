#include "platform/core/Classes.h"

#include <algorithm>
#include <numeric>

#include "platform/core/Exceptions.h"
#include "platform/core/TextBasics.h"

namespace {

// Runs Fn between BeginUpdate and EndUpdate; EndUpdate runs on failure too.
template <class Fn>
void WithUpdate(TStrings* List, Fn&& F) {
  List->BeginUpdate();
  try {
    F();
  } catch (...) {
    List->EndUpdate();
    throw;
  }
  List->EndUpdate();
}

bool IsBlank(char C) { return static_cast<unsigned char>(C) <= ' '; }

std::string Quoted(const std::string& S, char Quote) {
  std::string R(1, Quote);
  for (char C : S) {
    R += C;
    if (C == Quote) R += C;
  }
  R += Quote;
  return R;
}

}  // namespace

// --- TStrings ----------------------------------------------------------------

void TStrings::ListIndexError(int Index) {
  throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

int TStrings::Add(const std::string& S) {
  const int Result = GetCount();
  Insert(Result, S);
  return Result;
}

int TStrings::AddObject(const std::string& S, TObject* Object) {
  const int Result = Add(S);
  PutObject(Result, Object);
  return Result;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* Object) {
  Insert(Index, S);
  PutObject(Index, Object);
}

void TStrings::Exchange(int Index1, int Index2) {
  WithUpdate(this, [&] {
    const std::string S1 = Get(Index1);
    TObject* O1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, S1);
    PutObject(Index2, O1);
  });
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  WithUpdate(this, [&] {
    const std::string S = Get(CurIndex);
    TObject* O = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, S, O);
  });
}

int TStrings::IndexOf(const std::string& S) const {
  const int N = GetCount();
  for (int I = 0; I < N; ++I)
    if (CompareStrings(Get(I), S) == 0) return I;
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
  const int N = GetCount();
  for (int I = 0; I < N; ++I) {
    const std::string S = Get(I);
    const size_t P = S.find(NameValueSeparator_);
    if (P != std::string::npos && CompareStrings(S.substr(0, P), Name) == 0) return I;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* Object) const {
  const int N = GetCount();
  for (int I = 0; I < N; ++I)
    if (GetObject(I) == Object) return I;
  return -1;
}

void TStrings::AddStrings(const TStrings* Strings) {
  if (Strings == nullptr) return;
  // A list added to itself is read from a copy, so its growth does not move
  // what is being read.
  std::vector<std::pair<std::string, TObject*>> Items;
  const int N = Strings->Count();
  Items.reserve(static_cast<size_t>(N));
  for (int I = 0; I < N; ++I) Items.emplace_back(Strings->Strings(I), Strings->Objects(I));
  WithUpdate(this, [&] {
    for (const auto& [S, O] : Items) AddObject(S, O);
  });
}

bool TStrings::Equals(const TStrings* Strings) const {
  if (Strings == nullptr) return false;
  const int N = GetCount();
  if (N != Strings->Count()) return false;
  for (int I = 0; I < N; ++I)
    if (Get(I) != Strings->Strings(I)) return false;
  return true;
}

void TStrings::Assign(const TPersistent* Source) {
  if (const auto* Src = dynamic_cast<const TStrings*>(Source)) {
    if (Src == this) return;
    WithUpdate(this, [&] {
      Clear();
      AddStrings(Src);
    });
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::AssignTo(TPersistent* Dest) const {
  if (auto* D = dynamic_cast<TStrings*>(Dest)) {
    D->Assign(this);
    return;
  }
  TPersistent::AssignTo(Dest);
}

std::string TStrings::Names(int Index) const {
  const std::string S = Get(Index);
  const size_t P = S.find(NameValueSeparator_);
  return P == std::string::npos ? std::string() : S.substr(0, P);
}

std::string TStrings::Values(const std::string& Name) const {
  const int I = IndexOfName(Name);
  return I < 0 ? std::string() : ValueFromIndex(I);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
  const int I = IndexOfName(Name);
  if (Value.empty()) {
    if (I >= 0) Delete(I);
    return;
  }
  const std::string Line = Name + NameValueSeparator_ + Value;
  if (I < 0)
    Add(Line);
  else
    Put(I, Line);
}

std::string TStrings::ValueFromIndex(int Index) const {
  if (Index < 0) return std::string();
  const std::string S = Get(Index);
  const size_t P = S.find(NameValueSeparator_);
  return P == std::string::npos ? std::string() : S.substr(P + 1);
}

void TStrings::SetValueFromIndex(int Index, const std::string& Value) {
  if (Value.empty()) {
    if (Index >= 0) Delete(Index);
    return;
  }
  if (Index < 0) Index = Add(std::string());
  Put(Index, Names(Index) + NameValueSeparator_ + Value);
}

std::string TStrings::Text() const {
  std::string R;
  const int N = GetCount();
  for (int I = 0; I < N; ++I) {
    R += Get(I);
    R += "\r\n";
  }
  return R;
}

void TStrings::SetText(const std::string& S) {
  WithUpdate(this, [&] {
    Clear();
    textbasics::ForEachLine(S, [&](const std::string& Line) { Add(Line); });
  });
}

std::string TStrings::CommaText() const { return DelimitedTextWith(',', '"', false); }

void TStrings::SetCommaText(const std::string& S) { SetDelimitedTextWith(S, ',', '"', false); }

std::string TStrings::DelimitedText() const {
  return DelimitedTextWith(Delimiter_, QuoteChar_, StrictDelimiter_);
}

void TStrings::SetDelimitedText(const std::string& S) {
  SetDelimitedTextWith(S, Delimiter_, QuoteChar_, StrictDelimiter_);
}

std::string TStrings::DelimitedTextWith(char Delim, char Quote, bool Strict) const {
  const int N = GetCount();
  if (N == 1 && Get(0).empty()) return std::string(2, Quote);
  std::string R;
  for (int I = 0; I < N; ++I) {
    const std::string S = Get(I);
    const bool NeedsQuotes = std::any_of(S.begin(), S.end(), [&](char C) {
      return C == Quote || C == Delim || (!Strict && IsBlank(C));
    });
    if (I > 0) R += Delim;
    R += NeedsQuotes ? Quoted(S, Quote) : S;
  }
  return R;
}

void TStrings::SetDelimitedTextWith(const std::string& V, char Delim, char Quote, bool Strict) {
  WithUpdate(this, [&] {
    Clear();
    const size_t N = V.size();
    size_t P = 0;
    const auto SkipBlanks = [&] {
      if (!Strict)
        while (P < N && IsBlank(V[P])) ++P;
    };
    SkipBlanks();
    while (P < N) {
      std::string S;
      if (V[P] == Quote) {
        // Quoted item: doubled quotes stand for one; an unterminated item
        // takes the rest of the text.
        ++P;
        while (P < N) {
          if (V[P] == Quote) {
            if (P + 1 < N && V[P + 1] == Quote) {
              S += Quote;
              P += 2;
            } else {
              ++P;
              break;
            }
          } else {
            S += V[P++];
          }
        }
      } else {
        const size_t Start = P;
        while (P < N && V[P] != Delim && (Strict || !IsBlank(V[P]))) ++P;
        S = V.substr(Start, P - Start);
      }
      Add(S);
      SkipBlanks();
      if (P < N && V[P] == Delim) {
        if (P + 1 == N) Add(std::string());
        ++P;
        SkipBlanks();
      }
    }
  });
}

void TStrings::BeginUpdate() {
  if (UpdateCount_ == 0) SetUpdateState(true);
  ++UpdateCount_;
}

void TStrings::EndUpdate() {
  if (UpdateCount_ <= 0) return;
  --UpdateCount_;
  if (UpdateCount_ == 0) SetUpdateState(false);
}

TObject* TStrings::GetObject(int /*Index*/) const { return nullptr; }

void TStrings::Put(int Index, const std::string& S) {
  TObject* O = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, O);
}

void TStrings::PutObject(int /*Index*/, TObject* /*Object*/) {}

void TStrings::SetUpdateState(bool /*Updating*/) {}

int TStrings::CompareStrings(const std::string& A, const std::string& B) const {
  return textbasics::CompareTextAscii(A, B);
}

// --- TStringList -------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (OwnsObjects_)
    for (TStringItem& Item : List_) delete Item.Object;
}

void TStringList::SortedListError() { throw EListError("Operation not allowed on sorted list"); }

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) {
    const TStringsNotifyEvent Handler = OnChange;  // the handler may replace itself
    Handler(this);
  }
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) {
    const TStringsNotifyEvent Handler = OnChanging;
    Handler(this);
  }
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

int TStringList::CompareStrings(const std::string& A, const std::string& B) const {
  return CaseSensitive_ ? textbasics::CompareBytes(A, B) : textbasics::CompareTextAscii(A, B);
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return List_[static_cast<size_t>(Index)].String;
}

TObject* TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return List_[static_cast<size_t>(Index)].Object;
}

void TStringList::Put(int Index, const std::string& S) {
  if (Sorted_) SortedListError();
  CheckIndex(Index);
  Changing();
  List_[static_cast<size_t>(Index)].String = S;
  Changed();
}

void TStringList::PutObject(int Index, TObject* Object) {
  CheckIndex(Index);
  Changing();
  List_[static_cast<size_t>(Index)].Object = Object;
  Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* Object) {
  Changing();
  List_.insert(List_.begin() + Index, TStringItem{S, Object});
  Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

int TStringList::AddObject(const std::string& S, TObject* Object) {
  int Result = GetCount();
  if (Sorted_ && Find(S, Result)) {
    switch (Duplicates_) {
      case dupIgnore:
        return Result;
      case dupError:
        throw EListError("String list does not allow duplicates");
      case dupAccept:
        break;
    }
  }
  InsertItem(Result, S, Object);
  return Result;
}

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* Object) {
  if (Sorted_) SortedListError();
  if (Index < 0 || Index > GetCount()) ListIndexError(Index);
  InsertItem(Index, S, Object);
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  TObject* Owned = OwnsObjects_ ? List_[static_cast<size_t>(Index)].Object : nullptr;
  List_.erase(List_.begin() + Index);
  delete Owned;
  Changed();
}

void TStringList::Clear() {
  if (List_.empty()) return;
  Changing();
  std::vector<TStringItem> Old;
  Old.swap(List_);
  if (OwnsObjects_)
    for (TStringItem& Item : Old) delete Item.Object;
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(List_[static_cast<size_t>(Index1)], List_[static_cast<size_t>(Index2)]);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  if (Sorted_) SortedListError();
  CheckIndex(NewIndex);
  Changing();
  const auto Cur = List_.begin() + CurIndex;
  const auto New = List_.begin() + NewIndex;
  if (CurIndex < NewIndex)
    std::rotate(Cur, Cur + 1, New + 1);
  else
    std::rotate(New, Cur, Cur + 1);
  Changed();
}

int TStringList::IndexOf(const std::string& S) const {
  if (!Sorted_) return TStrings::IndexOf(S);
  int I = 0;
  return Find(S, I) ? I : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const {
  bool Result = false;
  int L = 0;
  int H = GetCount() - 1;
  while (L <= H) {
    const int I = (L + H) / 2;
    const int C = CompareStrings(List_[static_cast<size_t>(I)].String, S);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        Result = true;
        if (Duplicates_ != dupAccept) L = I;
      }
    }
  }
  Index = L;
  return Result;
}

void TStringList::SortBy(const std::function<int(int, int)>& Compare) {
  // The comparer sees the list unchanged: the order is found first, then
  // applied.
  std::vector<int> Order(List_.size());
  std::iota(Order.begin(), Order.end(), 0);
  std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Compare(A, B) < 0; });
  std::vector<TStringItem> Sorted;
  Sorted.reserve(List_.size());
  for (int I : Order) Sorted.push_back(std::move(List_[static_cast<size_t>(I)]));
  List_.swap(Sorted);
}

void TStringList::Sort() {
  if (Sorted_ || GetCount() < 2) return;
  Changing();
  SortBy([this](int A, int B) {
    return CompareStrings(List_[static_cast<size_t>(A)].String, List_[static_cast<size_t>(B)].String);
  });
  Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
  if (Sorted_ || GetCount() < 2 || !Compare) return;
  Changing();
  SortBy([&](int A, int B) { return Compare(this, A, B); });
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (Value == Sorted_) return;
  if (Value) Sort();
  Sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (Value == CaseSensitive_) return;
  CaseSensitive_ = Value;
  if (Sorted_) {
    Sorted_ = false;
    Sort();
    Sorted_ = true;
  }
}
