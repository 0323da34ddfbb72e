#include "platform/ui/Grids.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TGridOption, "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                   "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving", "goEditing",
                   "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking")
TANDREL_ENUM_NAMES(TGridDrawStateFlag, "gdSelected", "gdFocused", "gdFixed")

namespace {

const char* const IndexOutOfRange = "Grid index out of range";

// Room between a cell's border and its text.
constexpr int CellTextMargin = 2;

// Sets a flag for the length of a scope.
struct TScopedFlag {
  bool& Flag;
  explicit TScopedFlag(bool& F) : Flag(F) { Flag = true; }
  ~TScopedFlag() { Flag = false; }
};

}  // namespace

// --- in-place editor -----------------------------------------------------------------

TANDREL_PUBLISH(TInplaceEdit) {}

TInplaceEdit::TInplaceEdit(TCustomGrid* AGrid) : TInplaceTextEdit(AGrid), Grid_(AGrid) {}

bool TInplaceEdit::IsGridKey(Word Key, TShiftState Shift) const {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      return true;
    case VK_LEFT:
    case VK_HOME:
      return CaretAtStart();
    case VK_RIGHT:
    case VK_END:
      return CaretAtEnd();
    case VK_TAB:
      return Grid_->Options().Contains(goTabs) && !Shift.Contains(ssAlt);
    case VK_DELETE:
      return Shift.Contains(ssCtrl);
    default:
      return false;
  }
}

bool TInplaceEdit::WantsKey(Word Key, TShiftState Shift) const {
  return IsGridKey(Key, Shift) || TInplaceTextEdit::WantsKey(Key, Shift);
}

// The grid's OnKeyDown sees every key first, as if the grid had it.
void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (IsGridKey(Key, Shift)) {
    Grid_->KeyDown(Key, Shift);
    return;
  }
  Grid_->OnKeyDown(Grid_, Key, Shift);
  if (Key != 0) TInplaceTextEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char32_t& Key) {
  Grid_->OnKeyPress(Grid_, Key);
  if (Key == CharEnter && !Grid_->Options().Contains(goAlwaysShowEditor)) {
    Grid_->HideEditor();
    Key = 0;
    return;
  }
  if (Key != 0) TInplaceTextEdit::KeyPress(Key);
}

void TInplaceEdit::Change() {
  TInplaceTextEdit::Change();
  if (Grid_->FillingEditor_ || !Grid_->EditorMode()) return;
  TScopedFlag Writing(Grid_->WritingEditText_);
  Grid_->SetEditText(Grid_->Col(), Grid_->Row(), Text());
}

// --- grid ----------------------------------------------------------------------------------

TANDREL_PUBLISH(TCustomGrid) {}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
  ColWidths_.assign(static_cast<size_t>(ColCount_), DefaultColWidth_);
  RowHeights_.assign(static_cast<size_t>(RowCount_), DefaultRowHeight_);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::SetColCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == ColCount_) return;
  if (Value <= FixedCols_) FixedCols_ = Value - 1;
  ChangeSize(Value, RowCount_);
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::max(Value, 1);
  if (Value == RowCount_) return;
  if (Value <= FixedRows_) FixedRows_ = Value - 1;
  ChangeSize(ColCount_, Value);
}

// The current cell and the first shown cell stay inside the grid's
// movable part.
void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
  int OldColCount = ColCount_, OldRowCount = RowCount_;
  ColCount_ = NewColCount;
  RowCount_ = NewRowCount;
  ColWidths_.resize(static_cast<size_t>(NewColCount), DefaultColWidth_);
  RowHeights_.resize(static_cast<size_t>(NewRowCount), DefaultRowHeight_);
  SizeChanged(OldColCount, OldRowCount);
  Col_ = std::clamp(Col_, FixedCols_, ColCount_ - 1);
  Row_ = std::clamp(Row_, FixedRows_, RowCount_ - 1);
  LeftCol_ = std::clamp(LeftCol_, FixedCols_, Col_);
  TopRow_ = std::clamp(TopRow_, FixedRows_, Row_);
  if (EditorMode_ && !CanEditShow()) HideEditor();
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0) throw EInvalidGridOperation(IndexOutOfRange);
  if (Value >= ColCount_) throw EInvalidGridOperation("Fixed column count must be less than column count");
  FixedCols_ = Value;
  ChangeSize(ColCount_, RowCount_);
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0) throw EInvalidGridOperation(IndexOutOfRange);
  if (Value >= RowCount_) throw EInvalidGridOperation("Fixed row count must be less than row count");
  FixedRows_ = Value;
  ChangeSize(ColCount_, RowCount_);
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  DefaultColWidth_ = std::max(Value, 0);
  ColWidths_.assign(static_cast<size_t>(ColCount_), DefaultColWidth_);
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  DefaultRowHeight_ = std::max(Value, 0);
  RowHeights_.assign(static_cast<size_t>(RowCount_), DefaultRowHeight_);
  UpdateEditor();
  Invalidate();
}

int TCustomGrid::ColWidths(int Index) const {
  if (Index < 0 || Index >= ColCount_) throw EInvalidGridOperation(IndexOutOfRange);
  return ColWidths_[static_cast<size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= ColCount_) throw EInvalidGridOperation(IndexOutOfRange);
  ColWidths_[static_cast<size_t>(Index)] = std::max(Value, 0);
  UpdateEditor();
  Invalidate();
}

int TCustomGrid::RowHeights(int Index) const {
  if (Index < 0 || Index >= RowCount_) throw EInvalidGridOperation(IndexOutOfRange);
  return RowHeights_[static_cast<size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= RowCount_) throw EInvalidGridOperation(IndexOutOfRange);
  RowHeights_[static_cast<size_t>(Index)] = std::max(Value, 0);
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  GridLineWidth_ = std::max(Value, 0);
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  FixedColor_ = Value;
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == Options_) return;
  Options_ = Value;
  if (EditorMode_ && !CanEditShow()) HideEditor();
  else if (Options_.Contains(goAlwaysShowEditor) && Focused()) ShowEditor();
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  DefaultDrawing_ = Value;
  Invalidate();
}

// --- current cell --------------------------------------------------------------------------

void TCustomGrid::CheckCell(int ACol, int ARow) const {
  if (ACol < FixedCols_ || ACol >= ColCount_ || ARow < FixedRows_ || ARow >= RowCount_)
    throw EInvalidGridOperation(IndexOutOfRange);
}

void TCustomGrid::SetCol(int Value) {
  if (Value != Col_) FocusCell(Value, Row_);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != Row_) FocusCell(Col_, Value);
}

bool TCustomGrid::FocusCell(int ACol, int ARow) {
  CheckCell(ACol, ARow);
  if (!MoveCurrent(ACol, ARow)) return false;
  Click();
  return true;
}

bool TCustomGrid::SelectCell(int ACol, int ARow) {
  bool CanSelect = true;
  OnSelectCell(this, ACol, ARow, CanSelect);
  return CanSelect;
}

bool TCustomGrid::MoveCurrent(int ACol, int ARow) {
  if (ACol == Col_ && ARow == Row_) return true;
  if (!SelectCell(ACol, ARow)) return false;
  Col_ = ACol;
  Row_ = ARow;
  ScrollIntoView();
  UpdateEditor();
  Invalidate();
  return true;
}

TGridRect TCustomGrid::Selection() const {
  if (Options_.Contains(goRowSelect)) return {FixedCols_, Row_, ColCount_ - 1, Row_};
  return {Col_, Row_, Col_, Row_};
}

// --- layout -----------------------------------------------------------------------------------

int TCustomGrid::ColLeft(int ACol) const {
  int X = 0;
  for (int C = 0; C < FixedCols_ && C < ACol; ++C) X += ColWidths(C) + GridLineWidth_;
  for (int C = LeftCol_; C < ACol; ++C) X += ColWidths(C) + GridLineWidth_;
  return X;
}

int TCustomGrid::RowTop(int ARow) const {
  int Y = 0;
  for (int R = 0; R < FixedRows_ && R < ARow; ++R) Y += RowHeights(R) + GridLineWidth_;
  for (int R = TopRow_; R < ARow; ++R) Y += RowHeights(R) + GridLineWidth_;
  return Y;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= ColCount_ || ARow < 0 || ARow >= RowCount_) return {};
  if ((ACol >= FixedCols_ && ACol < LeftCol_) || (ARow >= FixedRows_ && ARow < TopRow_)) return {};
  int X = ColLeft(ACol), Y = RowTop(ARow);
  if (X >= ClientWidth() || Y >= ClientHeight()) return {};
  return Bounds(X, Y, ColWidths(ACol), RowHeights(ARow));
}

int TCustomGrid::VisibleColCount() const {
  int Count = 0;
  for (int C = LeftCol_; C < ColCount_ && ColLeft(C) + ColWidths(C) <= ClientWidth(); ++C) ++Count;
  return std::max(Count, 1);
}

int TCustomGrid::VisibleRowCount() const {
  int Count = 0;
  for (int R = TopRow_; R < RowCount_ && RowTop(R) + RowHeights(R) <= ClientHeight(); ++R) ++Count;
  return std::max(Count, 1);
}

void TCustomGrid::SetLeftCol(int Value) {
  Value = std::clamp(Value, FixedCols_, ColCount_ - 1);
  if (Value == LeftCol_) return;
  LeftCol_ = Value;
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::SetTopRow(int Value) {
  Value = std::clamp(Value, FixedRows_, RowCount_ - 1);
  if (Value == TopRow_) return;
  TopRow_ = Value;
  UpdateEditor();
  Invalidate();
}

void TCustomGrid::ScrollIntoView() {
  if (Col_ < LeftCol_) LeftCol_ = Col_;
  while (LeftCol_ < Col_ && ColLeft(Col_) + ColWidths(Col_) > ClientWidth()) ++LeftCol_;
  if (Row_ < TopRow_) TopRow_ = Row_;
  while (TopRow_ < Row_ && RowTop(Row_) + RowHeights(Row_) > ClientHeight()) ++TopRow_;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const {
  TGridCoord Cell{-1, -1};
  for (int C = 0; C < ColCount_; ++C)
    if (TRect R = CellRect(C, 0); !R.IsEmpty() && X >= R.Left && X < R.Right + GridLineWidth_) Cell.X = C;
  for (int R = 0; R < RowCount_; ++R)
    if (TRect Box = CellRect(0, R); !Box.IsEmpty() && Y >= Box.Top && Y < Box.Bottom + GridLineWidth_) Cell.Y = R;
  if (Cell.X < 0 || Cell.Y < 0) return {-1, -1};
  return Cell;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const {
  TGridCoord Cell = MouseCoord(X, Y);
  ACol = Cell.X;
  ARow = Cell.Y;
}

// --- rows ----------------------------------------------------------------------------------------

void TCustomGrid::DeleteRow(int ARow) {
  if (ARow < 0 || ARow >= RowCount_) throw EInvalidGridOperation(IndexOutOfRange);
  if (RowCount_ - 1 <= FixedRows_) throw EInvalidGridOperation("Fixed row count must be less than row count");
  RowDeleted(ARow);
  RowHeights_.erase(RowHeights_.begin() + ARow);
  RowHeights_.push_back(DefaultRowHeight_);
  SetRowCount(RowCount_ - 1);
  UpdateEditor();
  Invalidate();
}

// --- editor --------------------------------------------------------------------------------------

bool TCustomGrid::CanEditShow() const {
  return Options_.Contains(goEditing) && !Options_.Contains(goRowSelect) && Col_ >= FixedCols_ &&
         Row_ >= FixedRows_;
}

bool TCustomGrid::IsCurrentCellEdited(int ACol, int ARow) const {
  return EditorMode_ && !WritingEditText_ && ACol == Col_ && ARow == Row_;
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (Editor_ == nullptr) {
    Editor_ = new TInplaceEdit(this);
    Editor_->SetParent(this);
  }
  EditorMode_ = true;
  UpdateEditor();
  Editor_->Show();
  if (Focused() && Editor_->CanFocus()) Editor_->SetFocus();
}

void TCustomGrid::HideEditor() {
  if (!EditorMode_) return;
  EditorMode_ = false;
  if (Editor_->Focused() && CanFocus()) SetFocus();
  Editor_->Hide();
}

void TCustomGrid::UpdateEditor() {
  if (!EditorMode_ || Editor_ == nullptr) return;
  TRect R = CellRect(Col_, Row_);
  Editor_->SetBounds(R.Left, R.Top, R.Width(), R.Height());
  {
    TScopedFlag Filling(FillingEditor_);
    Editor_->SetText(GetEditText(Col_, Row_));
  }
  Editor_->SelectAll();
}

std::string TCustomGrid::GetEditText(int /*ACol*/, int /*ARow*/) { return {}; }

void TCustomGrid::SetEditText(int /*ACol*/, int /*ARow*/, const std::string& /*Value*/) {}

void TCustomGrid::DoEnter() {
  TCustomControl::DoEnter();
  if (Options_.Contains(goAlwaysShowEditor)) ShowEditor();
}

void TCustomGrid::DoExit() {
  TCustomControl::DoExit();
  if (!Options_.Contains(goAlwaysShowEditor)) HideEditor();
}

// --- input ------------------------------------------------------------------------------------------

bool TCustomGrid::WantsKey(Word Key, TShiftState Shift) const {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      return true;
    case VK_TAB:
      return Options_.Contains(goTabs) && !Shift.Contains(ssAlt);
    default:
      return false;
  }
}

bool TCustomGrid::NextTabCell(bool GoForward, int& ACol, int& ARow) const {
  ACol = Col_;
  ARow = Row_;
  if (GoForward) {
    if (++ACol < ColCount_) return true;
    ACol = FixedCols_;
    return ++ARow < RowCount_;
  }
  if (--ACol >= FixedCols_) return true;
  ACol = ColCount_ - 1;
  return --ARow >= FixedRows_;
}

// OnKeyDown first (and the form's preview before it); a key it leaves
// moves the current cell.
void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  bool RowSelect = Options_.Contains(goRowSelect);
  int NewCol = Col_, NewRow = Row_;
  int Page = std::max(VisibleRowCount(), 1);
  switch (Key) {
    case VK_UP: --NewRow; break;
    case VK_DOWN: ++NewRow; break;
    case VK_LEFT:
      if (!RowSelect) --NewCol;
      break;
    case VK_RIGHT:
      if (!RowSelect) ++NewCol;
      break;
    case VK_PRIOR: NewRow -= Page; break;
    case VK_NEXT: NewRow += Page; break;
    case VK_HOME:
      if (Shift.Contains(ssCtrl)) NewRow = FixedRows_;
      else if (!RowSelect) NewCol = FixedCols_;
      break;
    case VK_END:
      if (Shift.Contains(ssCtrl)) NewRow = RowCount_ - 1;
      else if (!RowSelect) NewCol = ColCount_ - 1;
      break;
    case VK_TAB:
      if (!WantsKey(Key, Shift)) return;
      // Tab on the last cell stays there.
      if (!NextTabCell(!Shift.Contains(ssShift), NewCol, NewRow)) {
        Key = 0;
        return;
      }
      break;
    case VK_F2:
      if (Options_.Contains(goEditing)) ShowEditor();
      Key = 0;
      return;
    default:
      return;
  }
  Key = 0;
  NewCol = std::clamp(NewCol, FixedCols_, ColCount_ - 1);
  NewRow = std::clamp(NewRow, FixedRows_, RowCount_ - 1);
  if (NewCol != Col_ || NewRow != Row_) FocusCell(NewCol, NewRow);
}

// Enter switches the editor on and off; a typed character starts editing
// with that character.
void TCustomGrid::KeyPress(char32_t& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0 || !Options_.Contains(goEditing)) return;
  if (Key == CharEnter) {
    if (!Options_.Contains(goAlwaysShowEditor)) SetEditorMode(!EditorMode_);
    Key = 0;
    return;
  }
  if (Key < U' ' || !CanEditShow()) return;
  ShowEditor();
  // The key events have run already; the editor only types the character.
  if (Editor_ != nullptr && Editor_->Visible()) {
    Editor_->SelectAll();
    Editor_->TypeChar(Key);
  }
  Key = 0;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !ContainsControl(ParentForm() != nullptr ? ParentForm()->ActiveControl() : nullptr)) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TGridCoord Cell = MouseCoord(X, Y);
  if (Cell.X < FixedCols_ || Cell.Y < FixedRows_) return;
  bool WasCurrent = Cell.X == Col_ && Cell.Y == Row_;
  if (!FocusCell(Cell.X, Cell.Y)) return;
  if (Options_.Contains(goAlwaysShowEditor) || (WasCurrent && Options_.Contains(goEditing))) ShowEditor();
}

// --- painting --------------------------------------------------------------------------------------

TGridDrawState TCustomGrid::DrawStateOf(int ACol, int ARow) const {
  TGridDrawState State;
  TGridRect Sel = Selection();
  if (ACol < FixedCols_ || ARow < FixedRows_)
    State.Include(gdFixed);
  else if (ACol >= Sel.Left && ACol <= Sel.Right && ARow >= Sel.Top && ARow <= Sel.Bottom)
    State.Include(gdSelected);
  if (ACol == Col_ && ARow == Row_ && Focused()) State.Include(gdFocused);
  return State;
}

void TCustomGrid::Paint() {
  TCanvas* C = Canvas();
  for (int Row = 0; Row < RowCount_; ++Row) {
    for (int Col = 0; Col < ColCount_; ++Col) {
      TRect Box = CellRect(Col, Row);
      if (Box.IsEmpty()) continue;
      TGridDrawState State = DrawStateOf(Col, Row);
      bool Selected = State.Contains(gdSelected);
      C->Brush()->SetColor(State.Contains(gdFixed) ? FixedColor_ : Selected ? clHighlight : Color());
      C->Font()->SetColor(Selected ? clHighlightText : Font()->Color());
      if (DefaultDrawing_) C->FillRect(Box);
      DrawCell(Col, Row, Box, State);
    }
  }
}

void TCustomGrid::DrawCell(int /*ACol*/, int /*ARow*/, const TRect& /*Rect*/, TGridDrawState /*State*/) {}

// --- draw grid -----------------------------------------------------------------------------------

TANDREL_PUBLISH(TDrawGrid) {
  PublishWinControlProperties(Info);
  Info.Property("ColCount", &TDrawGrid::ColCount, &TDrawGrid::SetColCount);
  Info.Property("DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth);
  Info.Property("DefaultRowHeight", &TDrawGrid::DefaultRowHeight, &TDrawGrid::SetDefaultRowHeight);
  Info.Property("DefaultDrawing", &TDrawGrid::DefaultDrawing, &TDrawGrid::SetDefaultDrawing);
  Info.Property("FixedColor", &TDrawGrid::FixedColor, &TDrawGrid::SetFixedColor, "TColor");
  Info.Property("FixedCols", &TDrawGrid::FixedCols, &TDrawGrid::SetFixedCols);
  Info.Property("RowCount", &TDrawGrid::RowCount, &TDrawGrid::SetRowCount);
  Info.Property("FixedRows", &TDrawGrid::FixedRows, &TDrawGrid::SetFixedRows);
  Info.Property("GridLineWidth", &TDrawGrid::GridLineWidth, &TDrawGrid::SetGridLineWidth);
  Info.Property("Options", &TDrawGrid::Options, &TDrawGrid::SetOptions, "TGridOptions");
  PublishMember(Info, "OnDrawCell", &TDrawGrid::OnDrawCell);
  PublishMember(Info, "OnGetEditText", &TDrawGrid::OnGetEditText);
  PublishMember(Info, "OnSelectCell", &TDrawGrid::OnSelectCell);
  PublishMember(Info, "OnSetEditText", &TDrawGrid::OnSetEditText);
}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
  OnDrawCell(this, ACol, ARow, Rect, State);
}

std::string TDrawGrid::GetEditText(int ACol, int ARow) {
  std::string Value;
  OnGetEditText(this, ACol, ARow, Value);
  return Value;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const std::string& Value) { OnSetEditText(this, ACol, ARow, Value); }

// --- string grid ---------------------------------------------------------------------------------

TANDREL_PUBLISH(TStringGrid) {}

std::string TStringGrid::Cells(int ACol, int ARow) const {
  auto Found = Cells_.find({ARow, ACol});
  return Found != Cells_.end() ? Found->second : std::string();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
  if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(IndexOutOfRange);
  if (Value.empty())
    Cells_.erase({ARow, ACol});
  else
    Cells_[{ARow, ACol}] = Value;
  // Code that fills the edited cell shows in the editor.
  if (IsCurrentCellEdited(ACol, ARow)) UpdateEditor();
  Invalidate();
}

std::string TStringGrid::GetEditText(int ACol, int ARow) {
  std::string Value = Cells(ACol, ARow);
  OnGetEditText(this, ACol, ARow, Value);
  return Value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
  if (DefaultDrawing()) Canvas()->TextRect(Rect, Rect.Left + CellTextMargin, Rect.Top + CellTextMargin, Cells(ACol, ARow));
  TDrawGrid::DrawCell(ACol, ARow, Rect, State);
}

void TStringGrid::RowDeleted(int ARow) {
  std::map<std::pair<int, int>, std::string> Kept;
  for (auto& [Key, Text] : Cells_) {
    if (Key.first == ARow) continue;
    Kept[{Key.first > ARow ? Key.first - 1 : Key.first, Key.second}] = std::move(Text);
  }
  Cells_ = std::move(Kept);
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  if (ColCount() >= OldColCount && RowCount() >= OldRowCount) return;
  std::erase_if(Cells_, [this](const auto& Cell) {
    return Cell.first.first >= RowCount() || Cell.first.second >= ColCount();
  });
}
