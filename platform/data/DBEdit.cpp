#include "platform/data/DBEdit.h"

#include "platform/data/DataSource.h"
#include "platform/data/Fields.h"
#include "platform/ui/Application.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishEdit.h"

TANDREL_PUBLISH(TDBEdit) {
  PublishEditProperties(Info);
  Info.Property("DataSource", &TDBEdit::DataSource, &TDBEdit::SetDataSource);
  Info.Property("DataField", &TDBEdit::DataField, &TDBEdit::SetDataField);
}

TDBEdit::TDBEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  Link_.SetControl(this);
  Link_.OnDataChange = TNotifyEvent::Of<&TDBEdit::DataChange>(this);
  Link_.OnUpdateData = TNotifyEvent::Of<&TDBEdit::UpdateData>(this);
}

void TDBEdit::SetDataSource(TDataSource* Value) {
  if (Value == Link_.DataSource()) return;
  if (Link_.DataSource() != nullptr) Link_.DataSource()->RemoveFreeNotification(this);
  Link_.SetDataSource(Value);
  if (Value != nullptr) Value->FreeNotification(this);
}

void TDBEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Link_.DataSource()) Link_.SetDataSource(nullptr);
}

// Focused and changeable, the field's edit text; otherwise its display text.
void TDBEdit::DataChange(TObject*) {
  const TField* F = Link_.Field();
  ShowingField_ = true;
  try {
    if (F != nullptr && F->DataType() == ftString && F->Size() > 0) SetMaxLength(F->Size());
    SetText(F == nullptr ? "" : Focused() && Link_.CanModify() ? F->Text() : F->DisplayText());
  } catch (...) {
    ShowingField_ = false;
    throw;
  }
  ShowingField_ = false;
}

void TDBEdit::UpdateData(TObject*) { Link_.Field()->SetText(Text()); }

bool TDBEdit::CanEdit() { return !ReadOnly() && Link_.CanModify() && Link_.Edit(); }

void TDBEdit::Change() {
  if (!ShowingField_) Link_.Modified();
  TCustomMaskEdit::Change();
}

void TDBEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && Link_.IsModified()) {
    TWinControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    Link_.Reset();
    SelectAll();
    Key = 0;
    return;
  }
  TCustomMaskEdit::KeyDown(Key, Shift);
}

void TDBEdit::DoEnter() {
  if (!Link_.IsModified()) DataChange(this);
  TCustomMaskEdit::DoEnter();
}

// A text the field refuses keeps the focus here, as the classic control does.
void TDBEdit::DoExit() {
  try {
    Link_.UpdateRecord();
  } catch (const std::exception& E) {
    SelectAll();
    SetFocus();
    Application().HandleException(E);
    return;
  }
  DataChange(this);
  TCustomMaskEdit::DoExit();
}
