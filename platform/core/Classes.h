#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/Object.h"

// String lists with the classic TStrings / TStringList rules.
//
// Lines carry an optional object (TObject*), not owned unless the list's
// OwnsObjects is set. Index errors raise EListError
// "List index out of bounds (%d)". Comparisons (IndexOf, IndexOfName, Values,
// Find, sorting) ignore ASCII case unless CaseSensitive is set; with it they
// compare bytes. Texts are UTF-8; non-ASCII bytes compare by value.

class TStrings;
class TStringList;

// Change notification. A later issue brings method-pointer events; this type
// may change then.
using TStringsNotifyEvent = std::function<void(TStrings* Sender)>;

// <0 when the line at Index1 sorts before the one at Index2, 0 when equal.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  TANDREL_CLASS(TStrings, TPersistent)

  TStrings() = default;
  ~TStrings() override = default;

  // --- lines and objects ---------------------------------------------------
  int Count() const { return GetCount(); }
  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* Object) { PutObject(Index, Object); }

  // Add returns the index of the new line (on a sorted list: where it went,
  // or the existing line's index when a duplicate is ignored).
  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* Object);
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void InsertObject(int Index, const std::string& S, TObject* Object);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int Index1, int Index2);
  // Moves the line at CurIndex (with its object) so that it ends at NewIndex.
  virtual void Move(int CurIndex, int NewIndex);

  // -1 when absent. IndexOfObject compares pointers.
  virtual int IndexOf(const std::string& S) const;
  int IndexOfName(const std::string& Name) const;
  int IndexOfObject(const TObject* Object) const;

  // Appends every line of Strings with its object.
  void AddStrings(const TStrings* Strings);
  // Same count and the same lines, byte for byte (objects are not compared).
  bool Equals(const TStrings* Strings) const;
  // From another TStrings: its lines and objects replace this list's. This
  // list keeps its own settings (Sorted, separators ...), as in the classic
  // library. Other sources raise EConvertError.
  void Assign(const TPersistent* Source) override;

  // --- name=value lines ------------------------------------------------------
  // Names(i): the part before the first separator, "" when the line has none.
  std::string Names(int Index) const;
  // The value of the first line named Name, "" when none.
  std::string Values(const std::string& Name) const;
  // Changes the first line named Name, or adds "Name=Value" when none;
  // an empty Value removes the line. On a sorted list changing an existing
  // line raises EListError "Operation not allowed on sorted list", as the
  // classic list does.
  void SetValues(const std::string& Name, const std::string& Value);
  // The part after the first separator, "" when the line has none or Index < 0.
  std::string ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const std::string& Value);
  char NameValueSeparator() const { return NameValueSeparator_; }
  void SetNameValueSeparator(char C) { NameValueSeparator_ = C; }

  // --- whole-list texts --------------------------------------------------------
  // Every line followed by CR LF. Setting splits at CR LF, CR or LF.
  std::string Text() const;
  void SetText(const std::string& S);
  // DelimitedText with ',' and '"' and blanks separating too, whatever the
  // list's own settings.
  std::string CommaText() const;
  void SetCommaText(const std::string& S);
  // Lines joined by Delimiter; a line holding a blank or control character,
  // the delimiter or the quote character is quoted (inner quotes doubled); a
  // single empty line gives two quotes. Reading: quoted items lose their
  // quotes; unless StrictDelimiter, blanks separate items too; a trailing
  // delimiter adds an empty line.
  std::string DelimitedText() const;
  void SetDelimitedText(const std::string& S);
  char Delimiter() const { return Delimiter_; }
  void SetDelimiter(char C) { Delimiter_ = C; }
  char QuoteChar() const { return QuoteChar_; }
  void SetQuoteChar(char C) { QuoteChar_ = C; }
  bool StrictDelimiter() const { return StrictDelimiter_; }
  void SetStrictDelimiter(bool B) { StrictDelimiter_ = B; }

  // --- updates -------------------------------------------------------------------
  // Nested; the outermost BeginUpdate and EndUpdate call SetUpdateState.
  void BeginUpdate();
  void EndUpdate();

 protected:
  virtual std::string Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int Index) const;
  // Default: delete and re-insert the line, keeping its object.
  virtual void Put(int Index, const std::string& S);
  // Default: nothing (a list that holds no objects).
  virtual void PutObject(int Index, TObject* Object);
  virtual void SetUpdateState(bool Updating);
  // The comparison of IndexOf, IndexOfName, Find and sorting: ASCII case ignored.
  virtual int CompareStrings(const std::string& A, const std::string& B) const;
  void AssignTo(TPersistent* Dest) const override;
  int UpdateCount() const { return UpdateCount_; }

  [[noreturn]] static void ListIndexError(int Index);

 private:
  std::string DelimitedTextWith(char Delim, char Quote, bool Strict) const;
  void SetDelimitedTextWith(const std::string& S, char Delim, char Quote, bool Strict);

  int UpdateCount_ = 0;
  char NameValueSeparator_ = '=';
  char Delimiter_ = ',';
  char QuoteChar_ = '"';
  bool StrictDelimiter_ = false;
};

class TStringList : public TStrings {
  TANDREL_CLASS(TStringList, TStrings)

  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : OwnsObjects_(OwnsObjects) {}
  // Frees the objects when OwnsObjects; no notification is sent.
  ~TStringList() override;

  // On a sorted list the line goes to its place; a duplicate follows
  // Duplicates: dupIgnore returns the existing index (the object is not
  // attached), dupAccept adds it, dupError raises EListError
  // "String list does not allow duplicates".
  int Add(const std::string& S) override;
  int AddObject(const std::string& S, TObject* Object) override;
  // Insert, Move and SetStrings on a sorted list raise EListError
  // "Operation not allowed on sorted list".
  void Insert(int Index, const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* Object) override;
  // Frees the line's object when OwnsObjects.
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(const std::string& S) const override;

  // Binary search of a sorted list: true when found (Index = the first
  // equal line with dupAccept), else Index = where S would be inserted.
  // Meaningless on an unsorted list, as in the classic library.
  bool Find(const std::string& S, int& Index) const;
  // Both leave a sorted list alone (it is already in order). The order is
  // stable: equal lines keep their relative order.
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool Sorted() const { return Sorted_; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return Duplicates_; }
  void SetDuplicates(TDuplicates Value) { Duplicates_ = Value; }
  // Changing it re-sorts a sorted list.
  bool CaseSensitive() const { return CaseSensitive_; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const { return OwnsObjects_; }
  void SetOwnsObjects(bool Value) { OwnsObjects_ = Value; }

  // Called before and after every change, unless an update is open: then
  // once at the outermost BeginUpdate (OnChanging) and once at the outermost
  // EndUpdate (OnChange).
  TStringsNotifyEvent OnChange;
  TStringsNotifyEvent OnChanging;

 protected:
  virtual void Changed();
  virtual void Changing();

  std::string Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(List_.size()); }
  TObject* GetObject(int Index) const override;
  void Put(int Index, const std::string& S) override;
  // Replaces the object; the old one is not freed (classic).
  void PutObject(int Index, TObject* Object) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const std::string& A, const std::string& B) const override;

 private:
  struct TStringItem {
    std::string String;
    TObject* Object = nullptr;
  };

  void CheckIndex(int Index) const;
  void InsertItem(int Index, const std::string& S, TObject* Object);
  void SortBy(const std::function<int(int, int)>& Compare);
  [[noreturn]] static void SortedListError();

  std::vector<TStringItem> List_;
  bool Sorted_ = false;
  bool CaseSensitive_ = false;
  bool OwnsObjects_ = false;
  TDuplicates Duplicates_ = dupIgnore;
};
