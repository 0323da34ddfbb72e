// The data-aware edit on a client data set: what it shows, when it writes
// back, and the caption a label takes from its field.

#include <gtest/gtest.h>

#include "platform/data/ClientDataSet.h"
#include "platform/data/DBEdit.h"
#include "platform/data/DataPacket.h"
#include "platform/data/DataSource.h"
#include "platform/data/Fields.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Label.h"
#include "tests/platform/ControlHost.h"

namespace {

class DBEditTest : public testing::Test {
 protected:
  void SetUp() override {
    Cds = new TClientDataSet(Host.Form);
    Cds->SetData(MakeDataPacket({{"PRINTDATE", ftString, 8}, {"NAME", ftString, 10}, {"QTY", ftInteger, 0}},
                                {{"20261211", "first", 1}, {"20261212", "second", 2}}));
    Source = new TDataSource(Host.Form);
    Source->SetDataSet(Cds);
    Edit = Host.Add<TDBEdit>();
    Other = Host.Add<TEdit>();
    Edit->SetDataSource(Source);
  }

  void Bind(const std::string& Field) {
    Edit->SetDataField(Field);
    Edit->SetFocus();
  }

  TControlHost Host;
  TClientDataSet* Cds = nullptr;
  TDataSource* Source = nullptr;
  TDBEdit* Edit = nullptr;
  TEdit* Other = nullptr;
};

// The label asks the edit's published DataSource and DataField for the field.
TEST_F(DBEditTest, TheFieldsDisplayLabelReachesALabelThatAsksForIt) {
  auto* Caption = Host.Add<TLabel>();
  Caption->SetCaption("挂靠标签");
  Caption->SetFocusControl(Edit);
  auto AskField = [&] {
    if (const TField* F = FindDataControlField(Caption->FocusControl())) Caption->SetCaption(F->DisplayLabel());
  };
  AskField();
  EXPECT_EQ(Caption->Caption(), "挂靠标签");
  Edit->SetDataField("PRINTDATE");
  Cds->FieldByName("PRINTDATE")->SetDisplayLabel("制表日期");
  AskField();
  EXPECT_EQ(Caption->Caption(), "制表日期");
}

TEST_F(DBEditTest, ShowsTheFieldOfTheCurrentRecordWithItsSizeAsMaxLength) {
  Bind("NAME");
  EXPECT_EQ(Edit->Text(), "first");
  EXPECT_EQ(Edit->MaxLength(), 10);
  Cds->Next();
  EXPECT_EQ(Edit->Text(), "second");
  Edit->SetDataField("NOPE");
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_EQ(Edit->Field(), nullptr);
}

TEST_F(DBEditTest, TypingEditsTheRecordAndLeavingWritesItBack) {
  Bind("NAME");
  THeadlessDriver::TypeText("new");
  EXPECT_EQ(Cds->State(), dsEdit);
  EXPECT_EQ(Cds->FieldByName("NAME")->AsString(), "first");
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Cds->FieldByName("NAME")->AsString(), "new");
  Cds->Post();
  Cds->First();
  EXPECT_EQ(Edit->Text(), "new");
}

TEST_F(DBEditTest, PostingTheRecordTakesTheTypedText) {
  Edit->SetEditMask("9999/99/99;0; ");
  Bind("PRINTDATE");
  EXPECT_EQ(Edit->EditText(), "2026/12/11");
  Edit->SetSelStart(8);
  THeadlessDriver::TypeText("25");
  Cds->Post();
  EXPECT_EQ(Cds->FieldByName("PRINTDATE")->AsString(), "20261225");
}

TEST_F(DBEditTest, EscGivesTheFieldsTextBack) {
  Bind("NAME");
  THeadlessDriver::TypeText("oops");
  THeadlessDriver::PressKey(VK_ESCAPE);
  EXPECT_EQ(Edit->Text(), "first");
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Cds->FieldByName("NAME")->AsString(), "first");
}

TEST_F(DBEditTest, AFieldThatCannotBeChangedRefusesTyping) {
  Bind("NAME");
  Cds->FieldByName("NAME")->SetReadOnly(true);
  THeadlessDriver::TypeText("x");
  EXPECT_EQ(Edit->Text(), "first");
  EXPECT_EQ(Cds->State(), dsBrowse);
  Cds->FieldByName("NAME")->SetReadOnly(false);
  Source->SetAutoEdit(false);
  THeadlessDriver::TypeText("x");
  EXPECT_EQ(Edit->Text(), "first");
}

// A text the field cannot take keeps the focus in the edit and is reported.
TEST_F(DBEditTest, ARefusedTextKeepsTheFocus) {
  Bind("QTY");
  Edit->SelectAll();
  THeadlessDriver::TypeText("-");
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_TRUE(Edit->Focused());
  ASSERT_EQ(THeadlessDriver::Dialogs().size(), 1u);
  EXPECT_NE(THeadlessDriver::Dialogs()[0].Text.find("'-'"), std::string::npos);
}

TEST_F(DBEditTest, AFreedDataSourceUnbindsTheEdit) {
  Bind("NAME");
  Source->Free();
  EXPECT_EQ(Edit->DataSource(), nullptr);
  EXPECT_EQ(Edit->Text(), "");
}

}  // namespace
