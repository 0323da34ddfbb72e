#pragma once

#include <string>

#include "platform/data/DBCtrls.h"
#include "platform/ui/MaskEdit.h"

class TDataSource;

// A masked edit bound to one field through DataSource and DataField: it
// shows the field's text, puts the record in edit mode when the user types,
// and writes its text back on exit and when the record is posted. It is
// read-only while the field cannot be changed; Esc gives the field's text
// back.
class TDBEdit : public TCustomMaskEdit {
  TANDREL_CLASS(TDBEdit, TCustomMaskEdit)

  explicit TDBEdit(TComponent* AOwner);

  TDataSource* DataSource() const { return Link_.DataSource(); }
  void SetDataSource(TDataSource* Value);
  const std::string& DataField() const { return Link_.FieldName(); }
  void SetDataField(const std::string& Value) { Link_.SetFieldName(Value); }
  // Nil while the link has no field.
  TField* Field() const { return Link_.Field(); }

 protected:
  bool CanEdit() override;
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void DataChange(TObject* Sender);
  void UpdateData(TObject* Sender);

  TFieldDataLink Link_;
  // Set while the field's text is being shown, which is no change of the user's.
  bool ShowingField_ = false;
};
