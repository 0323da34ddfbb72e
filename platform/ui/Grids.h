#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/InplaceEdit.h"

class TCustomGrid;

TANDREL_EXCEPTION(EInvalidGridOperation, Exception);

enum TGridOption {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking
};
TANDREL_ENUM(TGridOption);
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
TANDREL_ENUM(TGridDrawStateFlag);
using TGridDrawState = TSet<TGridDrawStateFlag>;

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Columns Left..Right and rows Top..Bottom, both ends included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

using TSelectCellEvent = TEvent<"TSelectCellEvent", TObject*, int, int, bool&>;
using TDrawCellEvent = TEvent<"TDrawCellEvent", TObject*, int, int, const TRect&, TGridDrawState>;
using TGetEditEvent = TEvent<"TGetEditEvent", TObject*, int, int, std::string&>;
using TSetEditEvent = TEvent<"TSetEditEvent", TObject*, int, int, const std::string&>;

// The grid's cell editor. What it types goes to the current cell at once;
// the keys that move between cells go to the grid (its OnKeyDown first),
// Left and Right only from the ends of the text.
class TInplaceEdit : public TInplaceTextEdit {
  TANDREL_CLASS(TInplaceEdit, TInplaceTextEdit)

  explicit TInplaceEdit(TCustomGrid* AGrid);

  TCustomGrid* Grid() const { return Grid_; }

 protected:
  bool WantsKey(Word Key, TShiftState Shift) const override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void Change() override;

 private:
  bool IsGridKey(Word Key, TShiftState Shift) const;

  TCustomGrid* Grid_;
};

// Cells in columns and rows, the first FixedCols and FixedRows of them fixed
// (headers); one current cell, never a fixed one, that the arrows, Tab (with
// goTabs), Home, End and the page keys move; an in-place editor with
// goEditing. The keys reach the form's key preview and the grid's OnKeyDown
// before the grid moves, so a form can act on them (Down on the last row
// adding a row).
class TCustomGrid : public TCustomControl {
  TANDREL_CLASS(TCustomGrid, TCustomControl)

  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  int ColCount() const { return ColCount_; }
  void SetColCount(int Value);
  int RowCount() const { return RowCount_; }
  void SetRowCount(int Value);
  // Raise EInvalidGridOperation unless less than the column (row) count.
  int FixedCols() const { return FixedCols_; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FixedRows_; }
  void SetFixedRows(int Value);
  // Setting a default size drops the sizes of single columns (rows).
  int DefaultColWidth() const { return DefaultColWidth_; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return DefaultRowHeight_; }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return GridLineWidth_; }
  void SetGridLineWidth(int Value);
  TColor FixedColor() const { return FixedColor_; }
  void SetFixedColor(TColor Value);
  TGridOptions Options() const { return Options_; }
  void SetOptions(TGridOptions Value);
  bool DefaultDrawing() const { return DefaultDrawing_; }
  void SetDefaultDrawing(bool Value);

  // The current cell. Setting one outside the grid or in its fixed part
  // raises EInvalidGridOperation; OnSelectCell may refuse the move.
  int Col() const { return Col_; }
  void SetCol(int Value);
  int Row() const { return Row_; }
  void SetRow(int Value);
  // Moves to the cell as the user would: false when refused.
  bool FocusCell(int ACol, int ARow);
  TGridRect Selection() const;

  // The first column and row shown after the fixed ones.
  int LeftCol() const { return LeftCol_; }
  void SetLeftCol(int Value);
  int TopRow() const { return TopRow_; }
  void SetTopRow(int Value);
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // The cell's place in client coordinates; empty when scrolled away.
  TRect CellRect(int ACol, int ARow) const;
  // -1, -1 outside the cells.
  TGridCoord MouseCoord(int X, int Y) const;
  void MouseToCell(int X, int Y, int& ACol, int& ARow) const;

  // The in-place editor is shown on the current cell and takes the focus.
  bool EditorMode() const { return EditorMode_; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return Editor_; }

  // Removes the row and moves the ones below up (the current row stays
  // where it can).
  void DeleteRow(int ARow);

  TSelectCellEvent OnSelectCell;

 protected:
  friend class TInplaceEdit;

  virtual bool SelectCell(int ACol, int ARow);
  virtual void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State);
  virtual std::string GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const std::string& Value);
  // Rows (and the cells in them) moved or went away, for descendants that
  // keep cells.
  virtual void RowDeleted(int ARow) { (void)ARow; }
  virtual void SizeChanged(int OldColCount, int OldRowCount) {
    (void)OldColCount;
    (void)OldRowCount;
  }
  bool CanEditShow() const;
  void ShowEditor();
  void HideEditor();
  // Puts the current cell's text into the editor when the current cell
  // is edited.
  void UpdateEditor();
  bool IsCurrentCellEdited(int ACol, int ARow) const;

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  bool WantsKey(Word Key, TShiftState Shift) const override;
  bool WantsChars() const override { return Options_.Contains(goEditing); }
  void DoEnter() override;
  void DoExit() override;

 private:
  void ChangeSize(int NewColCount, int NewRowCount);
  void CheckCell(int ACol, int ARow) const;
  bool MoveCurrent(int ACol, int ARow);
  void ScrollIntoView();
  // The next cell for Tab (or Shift+Tab), row by row; false at the end.
  bool NextTabCell(bool GoForward, int& ACol, int& ARow) const;
  TGridDrawState DrawStateOf(int ACol, int ARow) const;
  int ColLeft(int ACol) const;
  int RowTop(int ARow) const;

  int ColCount_ = 5;
  int RowCount_ = 5;
  int FixedCols_ = 1;
  int FixedRows_ = 1;
  int DefaultColWidth_ = 64;
  int DefaultRowHeight_ = 24;
  std::vector<int> ColWidths_;
  std::vector<int> RowHeights_;
  int GridLineWidth_ = 1;
  TColor FixedColor_ = clBtnFace;
  TGridOptions Options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  bool DefaultDrawing_ = true;
  int Col_ = 1;
  int Row_ = 1;
  int LeftCol_ = 1;
  int TopRow_ = 1;
  bool EditorMode_ = false;
  TInplaceEdit* Editor_ = nullptr;
  // The editor's own change is being written to the cell.
  bool WritingEditText_ = false;
  // The editor is given the cell's text, which is no edit.
  bool FillingEditor_ = false;
};

// A grid whose cells the program draws (OnDrawCell) and edits
// (OnGetEditText, OnSetEditText).
class TDrawGrid : public TCustomGrid {
  TANDREL_CLASS(TDrawGrid, TCustomGrid)

  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  TDrawCellEvent OnDrawCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;

 protected:
  void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
};

// A grid that keeps a text per cell. Cells outside the grid read as '' and
// may be written (they show once the grid grows to them); shrinking the
// grid drops the cells that fall outside.
class TStringGrid : public TDrawGrid {
  TANDREL_CLASS(TStringGrid, TDrawGrid)

  explicit TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

  std::string Cells(int ACol, int ARow) const;
  // Raises EInvalidGridOperation for a negative column or row.
  void SetCells(int ACol, int ARow, const std::string& Value);

 protected:
  void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
  std::string GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const std::string& Value) override;
  void RowDeleted(int ARow) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;

 private:
  // Keyed by row, then column.
  std::map<std::pair<int, int>, std::string> Cells_;
};
