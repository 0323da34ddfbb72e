#include "platform/ui/ListView.h"

#include <algorithm>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageList.h"
#include "platform/ui/InplaceEdit.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TViewStyle, "vsIcon", "vsSmallIcon", "vsList", "vsReport")
TANDREL_ENUM_NAMES(TSortType, "stNone", "stData", "stText", "stBoth")
TANDREL_ENUM_NAMES(TItemChange, "ctText", "ctImage", "ctState")
TANDREL_ENUM_NAMES(TIconArrangement, "iaTop", "iaLeft")

namespace {

// Room around texts in rows, headers and fitted columns.
constexpr int TextPadding = 6;
constexpr int RowPadding = 4;
constexpr int HeaderPadding = 8;
constexpr int IconCellWidth = 75;
constexpr int DefaultIconSize = 32;

// Points Field at Value, asking to be told when Value goes away.
void ReplaceReference(TComponent* Self, TImageList*& Field, TImageList* Value) {
  if (Field != nullptr) Field->RemoveFreeNotification(Self);
  Field = Value;
  if (Value != nullptr) Value->FreeNotification(Self);
}

int TextWidthIn(const TFont& Font, const std::string& Text) { return TextRenderer().TextExtent(Font, Text).cx; }
int TextHeightOf(const TFont& Font) { return TextRenderer().TextExtent(Font, "Ag").cy; }

}  // namespace

// The caption editor: Enter keeps the text, Esc drops it, and so does the
// focus leaving (keeping it). Enter and Esc are its own, as the native
// editor's, so a form's key preview does not see them.
class TListViewEditor : public TInplaceTextEdit {
  TANDREL_CLASS(TListViewEditor, TInplaceTextEdit)

  explicit TListViewEditor(TListView* AOwner) : TInplaceTextEdit(AOwner), ListView_(AOwner) {}

  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_KEYDOWN && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE)) {
      ListView_->EndEditing(Message.WParam == VK_RETURN);
      Message.Result = 1;
      return;
    }
    TInplaceTextEdit::WndProc(Message);
  }

 protected:
  void DoExit() override {
    TInplaceTextEdit::DoExit();
    ListView_->EndEditing(true);
  }

 private:
  TListView* ListView_;
};

TANDREL_PUBLISH(TListViewEditor) {}

// --- columns ------------------------------------------------------------------------

TANDREL_PUBLISH(TListColumn) {
  Info.Property("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment);
  Info.Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  Info.Property("ImageIndex", &TListColumn::ImageIndex, &TListColumn::SetImageIndex, "TImageIndex");
  Info.Property("Width", &TListColumn::Width, &TListColumn::SetWidth, "TWidth");
}

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

TListView* TListColumn::ListView() const {
  auto* Columns = dynamic_cast<TListColumns*>(Collection());
  return Columns != nullptr ? Columns->Owner() : nullptr;
}

void TListColumn::SetCaption(const std::string& Value) {
  if (Value == Caption_) return;
  Caption_ = Value;
  Changed();
}

void TListColumn::SetWidth(int Value) {
  if (Value < ColumnAutoSizeUseHeader) Value = 0;
  if (Value == WidthType_) return;
  WidthType_ = Value;
  Changed();
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (Value == Alignment_) return;
  Alignment_ = Value;
  Changed();
}

void TListColumn::SetImageIndex(int Value) {
  if (Value == ImageIndex_) return;
  ImageIndex_ = Value;
  Changed();
}

int TListColumn::Width() const {
  if (WidthType_ >= 0) return WidthType_;
  TListView* LV = ListView();
  if (LV == nullptr) return 0;
  int Width = FittedWidth(WidthType_ == ColumnAutoSizeUseHeader);
  // The last column fitted to its header also takes the room left over.
  const TListColumns* Columns = LV->Columns();
  if (WidthType_ == ColumnAutoSizeUseHeader && Index() == Columns->Count() - 1) {
    int Others = 0;
    for (int I = 0; I < Index(); ++I) Others += Columns->Items(I)->Width();
    Width = std::max(Width, LV->ClientWidth() - Others);
  }
  return Width;
}

int TListColumn::FittedWidth(bool WithHeader) const {
  TListView* LV = ListView();
  const TFont& Font = *LV->Font();
  int Widest = 0;
  for (int I = 0; I < LV->Items()->Count(); ++I)
    Widest = std::max(Widest, TextWidthIn(Font, LV->Items()->Item(I)->ColumnText(Index())));
  Widest += 2 * TextPadding;
  if (Index() == 0 && LV->SmallImages() != nullptr) Widest += LV->SmallImages()->Width() + RowPadding;
  if (WithHeader) Widest = std::max(Widest, TextWidthIn(Font, Caption_) + 2 * TextPadding);
  return Widest;
}

void TListColumn::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TListColumn*>(Source);
  if (Other == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  Caption_ = Other->Caption_;
  WidthType_ = Other->WidthType_;
  Alignment_ = Other->Alignment_;
  ImageIndex_ = Other->ImageIndex_;
  Changed();
}

TANDREL_PUBLISH(TListColumns) {}

TListColumns::TListColumns(TListView* Owner) : TCollection(Owner, TCollection::NewItem<TListColumn>), Owner_(Owner) {}

void TListColumns::Update(TCollectionItem* /*Item*/) { Owner_->Invalidate(); }

// --- items ----------------------------------------------------------------------------

TANDREL_PUBLISH(TListItem) {
  Info.Property("Caption", &TListItem::Caption, &TListItem::SetCaption);
  Info.Property("Checked", &TListItem::Checked, &TListItem::SetChecked);
  Info.Property("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex, "TImageIndex");
  Info.Property("SubItems", &TListItem::SubItems, &TListItem::SetSubItems);
}

// Joins the list once whole, as joining re-sorts a sorted list.
TListItem::TListItem(TCollection* Collection)
    : TCollectionItem(nullptr), SubItems_(std::make_unique<TStringList>()) {
  SubItems_->OnChange = [this](TStrings*) {
    if (TListView* LV = ListView()) LV->Invalidate();
  };
  SetCollection(Collection);
}

TListItem::~TListItem() {
  if (TListView* LV = ListView()) LV->ItemDeleting(this);
}

TListView* TListItem::ListView() const {
  auto* Items = dynamic_cast<TListItems*>(Collection());
  return Items != nullptr ? Items->Owner() : nullptr;
}

TStrings* TListItem::SubItems() const { return SubItems_.get(); }

void TListItem::SetSubItems(TStrings* Value) { SubItems_->Assign(Value); }

std::string TListItem::ColumnText(int Column) const {
  if (Column == 0) return Caption_;
  return Column > 0 && Column <= SubItems_->Count() ? SubItems_->Strings(Column - 1) : std::string();
}

void TListItem::SetCaption(const std::string& Value) {
  if (Value == Caption_) return;
  TListView* LV = ListView();
  if (LV != nullptr && !LV->CanChange(this, ctText)) return;
  Caption_ = Value;
  if (LV == nullptr) return;
  LV->Invalidate();
  LV->Change(this, ctText);
  if (LV->SortType() == stText || LV->SortType() == stBoth) LV->CaptionChanged();
}

void TListItem::SetImageIndex(int Value) {
  if (Value == ImageIndex_) return;
  TListView* LV = ListView();
  if (LV != nullptr && !LV->CanChange(this, ctImage)) return;
  ImageIndex_ = Value;
  if (LV == nullptr) return;
  LV->Invalidate();
  LV->Change(this, ctImage);
}

void TListItem::SetSelected(bool Value) {
  TListView* LV = ListView();
  if (LV == nullptr) {
    Selected_ = Value;
    return;
  }
  if (Value && !LV->MultiSelect() && !LV->DeselectOthers(this)) return;
  LV->ChangeSelected(this, Value);
}

void TListItem::SetFocused(bool Value) {
  TListView* LV = ListView();
  if (Value && LV != nullptr)
    for (int I = 0; I < LV->Items()->Count(); ++I) LV->Items()->Item(I)->Focused_ = false;
  Focused_ = Value;
  if (LV != nullptr) LV->Invalidate();
}

void TListItem::SetChecked(bool Value) {
  if (Value == Checked_) return;
  Checked_ = Value;
  if (TListView* LV = ListView()) LV->Invalidate();
}

void TListItem::SetData(void* Value) {
  Data_ = Value;
  TListView* LV = ListView();
  if (LV != nullptr && (LV->SortType() == stData || LV->SortType() == stBoth)) LV->CaptionChanged();
}

TRect TListItem::DisplayRect() const {
  TListView* LV = ListView();
  return LV != nullptr ? LV->ItemRect(Index()) : TRect{};
}

bool TListItem::EditCaption() {
  TListView* LV = ListView();
  return LV != nullptr && LV->BeginEditing(this);
}

void TListItem::Delete() { delete this; }

void TListItem::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TListItem*>(Source);
  if (Other == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(Other->Caption_);
  SubItems_->Assign(Other->SubItems_.get());
  SetImageIndex(Other->ImageIndex_);
  Checked_ = Other->Checked_;
  Data_ = Other->Data_;
}

TANDREL_PUBLISH(TListItems) {}

TListItems::TListItems(TListView* Owner) : TCollection(Owner, TCollection::NewItem<TListItem>), Owner_(Owner) {}

int TListItems::IndexOf(const TListItem* Item) const {
  for (int I = 0; I < Count(); ++I)
    if (this->Item(I) == Item) return I;
  return -1;
}

void TListItems::Update(TCollectionItem* /*Item*/) { Owner_->ItemsChanged(); }

TANDREL_PUBLISH(TIconOptions) {
  Info.Property("Arrangement", &TIconOptions::Arrangement);
  Info.Property("AutoArrange", &TIconOptions::AutoArrange);
  Info.Property("WrapText", &TIconOptions::WrapText);
}

void TIconOptions::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TIconOptions*>(Source);
  if (Other == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  Arrangement = Other->Arrangement;
  AutoArrange = Other->AutoArrange;
  WrapText = Other->WrapText;
}

// --- list view --------------------------------------------------------------------------

TANDREL_PUBLISH(TListView) {
  PublishWinControlProperties(Info);
  Info.Property("Columns", &TListView::Columns, &TListView::SetColumns);
  Info.Property("ColumnClick", &TListView::ColumnClick, &TListView::SetColumnClick);
  Info.Property("GridLines", &TListView::GridLines, &TListView::SetGridLines);
  Info.Property("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection);
  Info.Property("IconOptions", &TListView::IconOptions, &TListView::SetIconOptions);
  Info.Property("Items", &TListView::Items, &TListView::SetItems);
  Info.Property("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
  Info.Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect);
  Info.Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
  Info.Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
  Info.Property("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders);
  Info.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
  Info.Property("SortType", &TListView::SortType, &TListView::SetSortType);
  Info.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle);
  PublishMember(Info, "OnChange", &TListView::OnChange);
  PublishMember(Info, "OnChanging", &TListView::OnChanging);
  PublishMember(Info, "OnColumnClick", &TListView::OnColumnClick);
  PublishMember(Info, "OnCompare", &TListView::OnCompare);
  PublishMember(Info, "OnDeletion", &TListView::OnDeletion);
  PublishMember(Info, "OnEdited", &TListView::OnEdited);
  PublishMember(Info, "OnEditing", &TListView::OnEditing);
  PublishMember(Info, "OnSelectItem", &TListView::OnSelectItem);
}

TListView::TListView(TComponent* AOwner)
    : TCustomControl(AOwner),
      Columns_(std::make_unique<TListColumns>(this)),
      Items_(std::make_unique<TListItems>(this)),
      IconOptions_(std::make_unique<TIconOptions>()) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
}

// The items go while the list is whole, without events.
TListView::~TListView() {
  Destroying();
  EditItem_ = nullptr;
  Items_.reset();
  Columns_.reset();
}

void TListView::SetColumns(TListColumns* Value) { Columns_->Assign(Value); }

void TListView::SetItems(TListItems* Value) { Items_->Assign(Value); }

void TListView::SetIconOptions(TIconOptions* Value) { IconOptions_->Assign(Value); }

void TListView::SetViewStyle(TViewStyle Value) {
  if (Value == ViewStyle_) return;
  EndEditing(true);
  ViewStyle_ = Value;
  Invalidate();
}

void TListView::SetMultiSelect(bool Value) {
  if (Value == MultiSelect_) return;
  MultiSelect_ = Value;
  if (!Value) {
    TListItem* First = Selected();
    for (int I = 0; I < Items_->Count(); ++I)
      if (Items_->Item(I) != First) ChangeSelected(Items_->Item(I), false);
  }
}

void TListView::SetRowSelect(bool Value) {
  if (Value == RowSelect_) return;
  RowSelect_ = Value;
  Invalidate();
}

void TListView::SetHideSelection(bool Value) {
  if (Value == HideSelection_) return;
  HideSelection_ = Value;
  Invalidate();
}

void TListView::SetShowColumnHeaders(bool Value) {
  if (Value == ShowColumnHeaders_) return;
  ShowColumnHeaders_ = Value;
  Invalidate();
}

void TListView::SetGridLines(bool Value) {
  if (Value == GridLines_) return;
  GridLines_ = Value;
  Invalidate();
}

void TListView::SetSortType(TSortType Value) {
  if (Value == SortType_) return;
  SortType_ = Value;
  if (Value != stNone) AlphaSort();
}

void TListView::SetLargeImages(TImageList* Value) {
  if (Value == LargeImages_) return;
  ReplaceReference(this, LargeImages_, Value);
  Invalidate();
}

void TListView::SetSmallImages(TImageList* Value) {
  if (Value == SmallImages_) return;
  ReplaceReference(this, SmallImages_, Value);
  Invalidate();
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == LargeImages_) LargeImages_ = nullptr;
  if (AComponent == SmallImages_) SmallImages_ = nullptr;
}

// --- selection ---------------------------------------------------------------------------

bool TListView::CanChange(TListItem* Item, TItemChange Change) {
  bool AllowChange = true;
  OnChanging(this, Item, Change, AllowChange);
  return AllowChange;
}

bool TListView::ChangeSelected(TListItem* Item, bool Value) {
  if (Item->Selected_ == Value) return true;
  if (!CanChange(Item, ctState)) return false;
  Item->Selected_ = Value;
  Invalidate();
  Change(Item, ctState);
  OnSelectItem(this, Item, Value);
  return true;
}

TListItem* TListView::Selected() const {
  for (int I = 0; I < Items_->Count(); ++I)
    if (Items_->Item(I)->Selected()) return Items_->Item(I);
  return nullptr;
}

void TListView::SetSelected(TListItem* Item) {
  if (Item != nullptr && Item->ListView() != this) return;
  ClearSelection();
  if (Item != nullptr) Item->SetSelected(true);
}

int TListView::SelCount() const {
  int Count = 0;
  for (int I = 0; I < Items_->Count(); ++I) Count += Items_->Item(I)->Selected() ? 1 : 0;
  return Count;
}

int TListView::ItemIndex() const {
  TListItem* Item = Selected();
  return Item != nullptr ? Item->Index() : -1;
}

void TListView::SetItemIndex(int Value) {
  SetSelected(Value >= 0 && Value < Items_->Count() ? Items_->Item(Value) : nullptr);
}

TListItem* TListView::ItemFocused() const {
  for (int I = 0; I < Items_->Count(); ++I)
    if (Items_->Item(I)->Focused()) return Items_->Item(I);
  return nullptr;
}

void TListView::SetItemFocused(TListItem* Item) {
  if (Item != nullptr) {
    Item->SetFocused(true);
  } else if (TListItem* Old = ItemFocused()) {
    Old->SetFocused(false);
  }
}

void TListView::ClearSelection() {
  for (int I = 0; I < Items_->Count(); ++I) ChangeSelected(Items_->Item(I), false);
}

void TListView::SelectAll() {
  if (!MultiSelect_) return;
  for (int I = 0; I < Items_->Count(); ++I) ChangeSelected(Items_->Item(I), true);
}

// A single-selection list whose old item may not let go keeps it.
bool TListView::DeselectOthers(TListItem* Item) {
  bool AllLetGo = true;
  for (int I = 0; I < Items_->Count(); ++I)
    if (Items_->Item(I) != Item) AllLetGo = ChangeSelected(Items_->Item(I), false) && AllLetGo;
  return AllLetGo || MultiSelect_;
}

void TListView::SelectOnly(TListItem* Item) {
  if (!DeselectOthers(Item) || Item == nullptr) return;
  ChangeSelected(Item, true);
  Item->SetFocused(true);
  SelectionMark_ = Item;
}

void TListView::SelectRange(TListItem* From, TListItem* To) {
  int A = From->Index(), B = To->Index();
  if (A > B) std::swap(A, B);
  for (int I = 0; I < Items_->Count(); ++I) ChangeSelected(Items_->Item(I), I >= A && I <= B);
  To->SetFocused(true);
}

// Ctrl toggles one item and Shift extends from the last plain choice, in
// multi-selection; otherwise the item becomes the only one selected.
void TListView::ClickItem(TListItem* Item, TShiftState Shift) {
  if (Item == nullptr) {
    if (!Shift.Contains(ssCtrl)) ClearSelection();
    return;
  }
  if (MultiSelect_ && Shift.Contains(ssCtrl)) {
    ChangeSelected(Item, !Item->Selected());
    Item->SetFocused(true);
    SelectionMark_ = Item;
  } else if (MultiSelect_ && Shift.Contains(ssShift)) {
    SelectRange(SelectionMark_ != nullptr ? SelectionMark_ : Item, Item);
  } else {
    SelectOnly(Item);
  }
}

void TListView::MoveTo(int Index, TShiftState Shift) {
  if (Items_->Count() == 0) return;
  TListItem* Item = Items_->Item(std::clamp(Index, 0, Items_->Count() - 1));
  if (MultiSelect_ && Shift.Contains(ssShift) && SelectionMark_ != nullptr)
    SelectRange(SelectionMark_, Item);
  else if (MultiSelect_ && Shift.Contains(ssCtrl))
    Item->SetFocused(true);
  else
    SelectOnly(Item);
}

// --- sorting -------------------------------------------------------------------------------

bool TListView::AlphaSort() { return CustomSort(nullptr, 0); }

bool TListView::CustomSort(TLVCompare Compare, LPARAM Data) {
  SortItems(Compare, Data);
  return true;
}

void TListView::SortItems(TLVCompare Compare, LPARAM Data) {
  if (Sorting_ || Items_->Count() < 2) return;
  std::vector<TListItem*> Order;
  for (int I = 0; I < Items_->Count(); ++I) Order.push_back(Items_->Item(I));
  auto Before = [&](TListItem* A, TListItem* B) {
    if (Compare != nullptr) return Compare(A, B, Data) < 0;
    if (!OnCompare.Assigned()) return AnsiCompareText(A->Caption(), B->Caption()) < 0;
    int Result = 0;
    OnCompare(this, A, B, static_cast<int>(Data), Result);
    return Result < 0;
  };
  std::stable_sort(Order.begin(), Order.end(), Before);
  // Reordering tells the collection of each move; one sort is enough.
  struct TSortGuard {
    TListView& LV;
    explicit TSortGuard(TListView& L) : LV(L) {
      LV.Sorting_ = true;
      LV.Items_->BeginUpdate();
    }
    ~TSortGuard() {
      LV.Items_->EndUpdate();
      LV.Sorting_ = false;
    }
  } Guard(*this);
  for (size_t I = 0; I < Order.size(); ++I) Order[I]->SetIndex(static_cast<int>(I));
}

void TListView::ItemsChanged() {
  if (Sorting_ || ComponentState().Contains(csDestroying)) return;
  Invalidate();
  if (SortType_ != stNone) AlphaSort();
}

void TListView::CaptionChanged() {
  if (Items_->UpdateCount() == 0) AlphaSort();
}

void TListView::ItemDeleting(TListItem* Item) {
  if (ComponentState().Contains(csDestroying)) return;
  if (Item == EditItem_) EndEditing(false);
  if (Item == SelectionMark_) SelectionMark_ = nullptr;
  OnDeletion(this, Item);
}

// --- layout ----------------------------------------------------------------------------------

int TListView::RowHeight() const {
  int Image = SmallImages_ != nullptr ? SmallImages_->Height() : 0;
  return std::max(TextHeightOf(*Font()), Image) + RowPadding;
}

int TListView::HeaderHeight() const {
  return ViewStyle_ == vsReport && ShowColumnHeaders_ ? TextHeightOf(*Font()) + HeaderPadding : 0;
}

int TListView::IconsPerRow() const { return std::max(1, ClientWidth() / IconCellWidth); }

int TListView::ReportWidth() const {
  if (Columns_->Count() == 0) return ClientWidth();
  int Width = 0;
  for (int I = 0; I < Columns_->Count(); ++I) Width += Columns_->Items(I)->Width();
  return Width;
}

TRect TListView::ItemRect(int Index) const {
  if (Index < 0 || Index >= Items_->Count()) return {};
  switch (ViewStyle_) {
    case vsReport: {
      // Without row select only the caption takes clicks.
      int Width = RowSelect_ || Columns_->Count() == 0 ? ReportWidth() : Columns_->Items(0)->Width();
      return Bounds(0, HeaderHeight() + Index * RowHeight(), Width, RowHeight());
    }
    case vsIcon: {
      int Image = LargeImages_ != nullptr ? LargeImages_->Height() : DefaultIconSize;
      int CellHeight = Image + TextHeightOf(*Font()) + 3 * RowPadding;
      int PerRow = IconsPerRow();
      return Bounds((Index % PerRow) * IconCellWidth, (Index / PerRow) * CellHeight, IconCellWidth, CellHeight);
    }
    default:
      return Bounds(0, Index * RowHeight(), ClientWidth(), RowHeight());
  }
}

TListItem* TListView::GetItemAt(int X, int Y) const {
  for (int I = 0; I < Items_->Count(); ++I)
    if (ItemRect(I).Contains({X, Y})) return Items_->Item(I);
  return nullptr;
}

TListColumn* TListView::ColumnAt(int X, int Y) const {
  if (Y < 0 || Y >= HeaderHeight() || X < 0) return nullptr;
  for (int I = 0, Left = 0; I < Columns_->Count(); ++I) {
    Left += Columns_->Items(I)->Width();
    if (X < Left) return Columns_->Items(I);
  }
  return nullptr;
}

// --- input ----------------------------------------------------------------------------------

void TListView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused() && (Editor_ == nullptr || !Editor_->Focused())) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  EndEditing(true);
  if (TListColumn* Column = ColumnAt(X, Y)) {
    if (ColumnClick_) ColClick(Column);
    return;
  }
  if (Y < HeaderHeight()) return;
  ClickItem(GetItemAt(X, Y), Shift);
}

bool TListView::WantsKey(Word Key, TShiftState /*Shift*/) const {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      return ViewStyle_ == vsIcon || ViewStyle_ == vsSmallIcon;
    default:
      return false;
  }
}

void TListView::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  TListItem* Current = ItemFocused() != nullptr ? ItemFocused() : Selected();
  int Index = Current != nullptr ? Current->Index() : -1;
  int Step = ViewStyle_ == vsIcon ? IconsPerRow() : 1;
  int Page = std::max(1, (ClientHeight() - HeaderHeight()) / RowHeight());
  if (Key == VK_F2 && Current != nullptr) {
    Current->EditCaption();
  } else if (Key == VK_SPACE && Shift.Contains(ssCtrl) && MultiSelect_ && Current != nullptr) {
    ChangeSelected(Current, !Current->Selected());
  } else if (WantsKey(Key, Shift)) {
    switch (Key) {
      case VK_UP: MoveTo(Index < 0 ? 0 : Index - Step, Shift); break;
      case VK_DOWN: MoveTo(Index < 0 ? 0 : Index + Step, Shift); break;
      case VK_LEFT: MoveTo(Index - 1, Shift); break;
      case VK_RIGHT: MoveTo(Index + 1, Shift); break;
      case VK_HOME: MoveTo(0, Shift); break;
      case VK_END: MoveTo(Items_->Count() - 1, Shift); break;
      case VK_PRIOR: MoveTo(Index - Page, Shift); break;
      default: MoveTo(Index + Page, Shift); break;
    }
  } else {
    return;
  }
  Key = 0;
}

// --- in-place editing -----------------------------------------------------------------------

bool TListView::BeginEditing(TListItem* Item) {
  if (ReadOnly_ || Item == nullptr) return false;
  EndEditing(true);
  bool AllowEdit = true;
  OnEditing(this, Item, AllowEdit);
  if (!AllowEdit) return false;
  if (Editor_ == nullptr) {
    Editor_ = new TListViewEditor(this);
    Editor_->SetParent(this);
  }
  EditItem_ = Item;
  TRect R = ItemRect(Item->Index());
  Editor_->SetBounds(R.Left, R.Top, std::max(R.Width(), IconCellWidth), RowHeight());
  Editor_->SetText(Item->Caption());
  Editor_->SelectAll();
  Editor_->Show();
  if (Editor_->CanFocus()) Editor_->SetFocus();
  return true;
}

// The handler of OnEdited may change S (or delete the item); the caption
// takes S when the item is still there.
void TListView::EndEditing(bool Accept) {
  if (EditItem_ == nullptr) return;
  TListItem* Item = EditItem_;
  int ItemID = Item->ID();
  EditItem_ = nullptr;
  std::string S = Editor_->Text();
  if (Editor_->Focused() && CanFocus()) SetFocus();
  Editor_->Hide();
  if (!Accept) return;
  OnEdited(this, Item, S);
  if (auto* Still = static_cast<TListItem*>(Items_->FindItemID(ItemID))) Still->SetCaption(S);
}

// --- painting ---------------------------------------------------------------------------------

void TListView::Paint() {
  TCanvas* C = Canvas();
  C->FillRect(Rect(0, 0, Width(), Height()));
  PaintHeader();
  for (int I = 0; I < Items_->Count(); ++I) PaintItem(I);
}

void TListView::PaintHeader() {
  if (HeaderHeight() == 0) return;
  TCanvas* C = Canvas();
  C->Brush()->SetColor(clBtnFace);
  for (int I = 0, Left = 0; I < Columns_->Count(); ++I) {
    TListColumn* Column = Columns_->Items(I);
    TRect R = Bounds(Left, 0, Column->Width(), HeaderHeight());
    C->FillRect(R);
    C->DrawText(Column->Caption(), R, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    Left += Column->Width();
  }
}

void TListView::PaintItem(int Index) {
  TCanvas* C = Canvas();
  TListItem* Item = Items_->Item(Index);
  TRect R = ItemRect(Index);
  bool ShowSelected = Item->Selected() && (Focused() || !HideSelection_);
  C->Brush()->SetColor(ShowSelected ? clHighlight : Color());
  C->Font()->SetColor(ShowSelected ? clHighlightText : Font()->Color());
  C->FillRect(R);
  TImageList* Images = ViewStyle_ == vsIcon ? LargeImages_ : SmallImages_;
  int TextLeft = R.Left + 2;
  if (Images != nullptr && Item->ImageIndex() >= 0 && Item->ImageIndex() < Images->Count()) {
    Images->Draw(C, R.Left + 2, R.Top + 2, Item->ImageIndex());
    if (ViewStyle_ != vsIcon) TextLeft += Images->Width() + RowPadding;
  }
  if (ViewStyle_ != vsReport || Columns_->Count() == 0) {
    TRect Text = Rect(TextLeft, R.Top, R.Right, R.Bottom);
    unsigned Layout = ViewStyle_ == vsIcon ? DT_CENTER | DT_BOTTOM : DT_VCENTER;
    C->DrawText(Item->Caption(), Text, Layout | DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  static constexpr unsigned Placement[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  for (int Column = 0, Left = 0; Column < Columns_->Count(); ++Column) {
    TListColumn* Col = Columns_->Items(Column);
    TRect Cell = Rect(Column == 0 ? TextLeft : Left + TextPadding, R.Top, Left + Col->Width() - TextPadding, R.Bottom);
    C->DrawText(Item->ColumnText(Column), Cell,
                Placement[Col->Alignment()] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    Left += Col->Width();
  }
}
