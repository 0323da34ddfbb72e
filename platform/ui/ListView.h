#pragma once

#include <memory>
#include <string>

#include "platform/components/Collection.h"
#include "platform/ui/Controls.h"

class TImageList;
class TInplaceTextEdit;
class TListItem;
class TListView;
class TStringList;
class TStrings;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
TANDREL_ENUM(TViewStyle);
enum TSortType { stNone, stData, stText, stBoth };
TANDREL_ENUM(TSortType);
enum TItemChange { ctText, ctImage, ctState };
TANDREL_ENUM(TItemChange);
enum TIconArrangement { iaTop, iaLeft };
TANDREL_ENUM(TIconArrangement);

// Widths that a column works out itself: the widest item, or the widest of
// items and header (the last column also fills the rest of the list).
constexpr int ColumnAutoSize = -1;
constexpr int ColumnAutoSizeUseHeader = -2;

using TLVChangeEvent = TEvent<"TLVChangeEvent", TObject*, TListItem*, TItemChange>;
using TLVChangingEvent = TEvent<"TLVChangingEvent", TObject*, TListItem*, TItemChange, bool&>;
using TLVSelectItemEvent = TEvent<"TLVSelectItemEvent", TObject*, TListItem*, bool>;
class TListColumn;
using TLVColumnClickEvent = TEvent<"TLVColumnClickEvent", TObject*, TListColumn*>;
using TLVEditingEvent = TEvent<"TLVEditingEvent", TObject*, TListItem*, bool&>;
using TLVEditedEvent = TEvent<"TLVEditedEvent", TObject*, TListItem*, std::string&>;
using TLVCompareEvent = TEvent<"TLVCompareEvent", TObject*, TListItem*, TListItem*, int, int&>;
using TLVDeletedEvent = TEvent<"TLVDeletedEvent", TObject*, TListItem*>;
// <0 when Item1 goes first; Data is what CustomSort was given.
using TLVCompare = int (*)(TListItem* Item1, TListItem* Item2, LPARAM Data);

class TListColumn : public TCollectionItem {
  TANDREL_CLASS(TListColumn, TCollectionItem)

  explicit TListColumn(TCollection* Collection);

  const std::string& Caption() const { return Caption_; }
  void SetCaption(const std::string& Value);
  // The width in pixels, worked out for the automatic widths.
  int Width() const;
  void SetWidth(int Value);
  // What was set: pixels, ColumnAutoSize or ColumnAutoSizeUseHeader.
  int WidthType() const { return WidthType_; }
  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);
  int ImageIndex() const { return ImageIndex_; }
  void SetImageIndex(int Value);
  TListView* ListView() const;
  void Assign(const TPersistent* Source) override;

 private:
  int FittedWidth(bool WithHeader) const;

  std::string Caption_;
  int WidthType_ = 50;
  TAlignment Alignment_ = taLeftJustify;
  int ImageIndex_ = -1;
};

class TListColumns : public TCollection {
  TANDREL_CLASS(TListColumns, TCollection)

  explicit TListColumns(TListView* Owner);

  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
  TListView* Owner() const { return Owner_; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TListView* Owner_;
};

// One entry of a list view: a caption (the first column) and sub-items
// (the other columns), an image, a selected and a focused state.
class TListItem : public TCollectionItem {
  TANDREL_CLASS(TListItem, TCollectionItem)

  explicit TListItem(TCollection* Collection);
  ~TListItem() override;

  const std::string& Caption() const { return Caption_; }
  // Asks OnChanging, then tells OnChange; a sorted list keeps its order.
  void SetCaption(const std::string& Value);
  TStrings* SubItems() const;
  void SetSubItems(TStrings* Value);
  int ImageIndex() const { return ImageIndex_; }
  void SetImageIndex(int Value);
  bool Selected() const { return Selected_; }
  void SetSelected(bool Value);
  bool Focused() const { return Focused_; }
  void SetFocused(bool Value);
  bool Checked() const { return Checked_; }
  void SetChecked(bool Value);
  void* Data() const { return Data_; }
  void SetData(void* Value);
  // The text shown in a column: 0 the caption, k the sub-item k-1 ('' when none).
  std::string ColumnText(int Column) const;

  TListView* ListView() const;
  // The item's place in client coordinates, as the list view lays it out.
  TRect DisplayRect() const;
  // Starts the in-place editing of the caption; false when the list view
  // is read-only or OnEditing refused.
  bool EditCaption();
  void Delete();
  void Assign(const TPersistent* Source) override;

 private:
  friend class TListView;

  std::string Caption_;
  std::unique_ptr<TStringList> SubItems_;
  int ImageIndex_ = -1;
  bool Selected_ = false;
  bool Focused_ = false;
  bool Checked_ = false;
  void* Data_ = nullptr;
};

class TListItems : public TCollection {
  TANDREL_CLASS(TListItems, TCollection)

  explicit TListItems(TListView* Owner);

  TListItem* Add() { return static_cast<TListItem*>(TCollection::Add()); }
  TListItem* Insert(int Index) { return static_cast<TListItem*>(TCollection::Insert(Index)); }
  TListItem* Item(int Index) const { return static_cast<TListItem*>(TCollection::Items(Index)); }
  // -1 when the item is not in the list.
  int IndexOf(const TListItem* Item) const;
  TListView* Owner() const { return Owner_; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TListView* Owner_;
};

// How icons are placed in the icon views.
class TIconOptions : public TPersistent {
  TANDREL_CLASS(TIconOptions, TPersistent)

  TIconArrangement Arrangement = iaTop;
  bool AutoArrange = false;
  bool WrapText = true;
  void Assign(const TPersistent* Source) override;
};

// A list of items shown as large icons, small icons, a list, or a report
// with columns. Headless layout: rows are the font's text height (or the
// small image height) plus 4 pixels, the report's header is the text height
// plus 8, icons sit in cells of 75 pixels wide.
class TListView : public TCustomControl {
  TANDREL_CLASS(TListView, TCustomControl)

  explicit TListView(TComponent* AOwner);
  ~TListView() override;

  TListColumns* Columns() const { return Columns_.get(); }
  void SetColumns(TListColumns* Value);
  TListColumn* Column(int Index) const { return Columns_->Items(Index); }
  TListItems* Items() const { return Items_.get(); }
  void SetItems(TListItems* Value);
  TIconOptions* IconOptions() const { return IconOptions_.get(); }
  void SetIconOptions(TIconOptions* Value);

  TViewStyle ViewStyle() const { return ViewStyle_; }
  void SetViewStyle(TViewStyle Value);
  bool MultiSelect() const { return MultiSelect_; }
  // Leaving multi-selection keeps only the first selected item.
  void SetMultiSelect(bool Value);
  bool RowSelect() const { return RowSelect_; }
  void SetRowSelect(bool Value);
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value) { ReadOnly_ = Value; }
  bool HideSelection() const { return HideSelection_; }
  void SetHideSelection(bool Value);
  bool ShowColumnHeaders() const { return ShowColumnHeaders_; }
  void SetShowColumnHeaders(bool Value);
  bool ColumnClick() const { return ColumnClick_; }
  void SetColumnClick(bool Value) { ColumnClick_ = Value; }
  bool GridLines() const { return GridLines_; }
  void SetGridLines(bool Value);
  // Any sort type but stNone sorts at once and after every change of a
  // caption (stText, stBoth) or of data (stData, stBoth).
  TSortType SortType() const { return SortType_; }
  void SetSortType(TSortType Value);
  TImageList* LargeImages() const { return LargeImages_; }
  void SetLargeImages(TImageList* Value);
  TImageList* SmallImages() const { return SmallImages_; }
  void SetSmallImages(TImageList* Value);

  // The first selected item; setting selects that one only (nil: none).
  TListItem* Selected() const;
  void SetSelected(TListItem* Item);
  int SelCount() const;
  int ItemIndex() const;
  void SetItemIndex(int Value);
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* Item);
  void ClearSelection();
  void SelectAll();

  // By OnCompare when assigned, else by caption.
  bool AlphaSort();
  // By Compare; nil sorts as AlphaSort, passing Data to OnCompare.
  bool CustomSort(TLVCompare Compare, LPARAM Data);

  TListItem* GetItemAt(int X, int Y) const;
  // The column whose header is under the point; nil when none.
  TListColumn* ColumnAt(int X, int Y) const;
  TRect ItemRect(int Index) const;
  int RowHeight() const;
  int HeaderHeight() const;

  bool IsEditing() const { return EditItem_ != nullptr; }
  TInplaceTextEdit* Editor() const { return Editor_; }
  // Ends the in-place editing: Accept runs OnEdited and takes the text.
  void EndEditing(bool Accept);

  TLVChangeEvent OnChange;
  TLVChangingEvent OnChanging;
  TLVColumnClickEvent OnColumnClick;
  TLVCompareEvent OnCompare;
  TLVDeletedEvent OnDeletion;
  TLVEditedEvent OnEdited;
  TLVEditingEvent OnEditing;
  TLVSelectItemEvent OnSelectItem;

 protected:
  virtual void ColClick(TListColumn* Column) { OnColumnClick(this, Column); }
  // OnChanging's answer for a change of the item.
  virtual bool CanChange(TListItem* Item, TItemChange Change);
  virtual void Change(TListItem* Item, TItemChange Change) { OnChange(this, Item, Change); }
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool WantsKey(Word Key, TShiftState Shift) const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TListItem;
  friend class TListItems;

  // Gives the item its selected state through the changing and change
  // events; false when OnChanging refused.
  bool ChangeSelected(TListItem* Item, bool Value);
  // False when a single-selection list keeps another item selected.
  bool DeselectOthers(TListItem* Item);
  // Selects only Item (nil: nothing), focusing it.
  void SelectOnly(TListItem* Item);
  void SelectRange(TListItem* From, TListItem* To);
  void ClickItem(TListItem* Item, TShiftState Shift);
  void MoveTo(int Index, TShiftState Shift);
  bool BeginEditing(TListItem* Item);
  void ItemDeleting(TListItem* Item);
  void ItemsChanged();
  void CaptionChanged();
  void SortItems(TLVCompare Compare, LPARAM Data);
  int IconsPerRow() const;
  int ReportWidth() const;
  void PaintItem(int Index);
  void PaintHeader();

  std::unique_ptr<TListColumns> Columns_;
  std::unique_ptr<TListItems> Items_;
  std::unique_ptr<TIconOptions> IconOptions_;
  TViewStyle ViewStyle_ = vsIcon;
  bool MultiSelect_ = false;
  bool RowSelect_ = false;
  bool ReadOnly_ = false;
  bool HideSelection_ = true;
  bool ShowColumnHeaders_ = true;
  bool ColumnClick_ = true;
  bool GridLines_ = false;
  TSortType SortType_ = stNone;
  TImageList* LargeImages_ = nullptr;
  TImageList* SmallImages_ = nullptr;
  bool Sorting_ = false;
  // Where a Shift selection starts.
  TListItem* SelectionMark_ = nullptr;
  TInplaceTextEdit* Editor_ = nullptr;
  TListItem* EditItem_ = nullptr;
};
