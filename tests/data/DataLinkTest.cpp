// A data-aware edit and the label that asks it for its field's caption, as
// the form controls will be built on the field data link.

#include <gtest/gtest.h>

#include "platform/data/ClientDataSet.h"
#include "platform/data/DBCtrls.h"
#include "platform/data/DataPacket.h"
#include "platform/data/Fields.h"
#include "platform/rtti/Publish.h"

namespace {

// The least a data-aware edit does: shows its field's text and writes the
// typed text back when the record is posted.
class TTestDBEdit : public TComponent {
  TANDREL_CLASS(TTestDBEdit, TComponent)

  explicit TTestDBEdit(TComponent* AOwner) : TComponent(AOwner) {
    Link_.SetControl(this);
    Link_.OnDataChange = TNotifyEvent::Of<&TTestDBEdit::DataChange>(this);
    Link_.OnUpdateData = TNotifyEvent::Of<&TTestDBEdit::UpdateData>(this);
  }

  TDataSource* DataSource() const { return Link_.DataSource(); }
  void SetDataSource(TDataSource* Value) { Link_.SetDataSource(Value); }
  std::string DataField() const { return Link_.FieldName(); }
  void SetDataField(const std::string& Value) { Link_.SetFieldName(Value); }

  void Type(const std::string& Value) {
    if (!Link_.Edit()) return;
    Text = Value;
    Link_.Modified();
  }

  std::string Text;

 private:
  void DataChange(TObject*) { Text = Link_.Field() != nullptr ? Link_.Field()->DisplayText() : ""; }
  void UpdateData(TObject*) { Link_.Field()->SetText(Text); }

  TFieldDataLink Link_;
};

TANDREL_PUBLISH(TTestDBEdit) {
  Info.Property("DataSource", &TTestDBEdit::DataSource, &TTestDBEdit::SetDataSource);
  Info.Property("DataField", &TTestDBEdit::DataField, &TTestDBEdit::SetDataField);
}

// A label's caption from its control's field, unchanged when there is none.
std::string CaptionFor(const TObject* Control, const std::string& Caption) {
  const TField* Field = FindDataControlField(Control);
  return Field != nullptr ? Field->DisplayLabel() : Caption;
}

class DataLinkTest : public testing::Test {
 protected:
  void SetUp() override {
    Cds_.SetData(MakeDataPacket({{"PRINTDATE", ftString, 8}, {"NAME", ftString, 10}},
                                {{"20261211", "first"}, {"20261212", "second"}}));
    Source_.SetDataSet(&Cds_);
  }

  TClientDataSet Cds_{nullptr};
  TDataSource Source_{nullptr};
  TTestDBEdit Edit_{nullptr};
};

TEST_F(DataLinkTest, TheFieldsDisplayLabelReachesALabelThatAsksForIt) {
  EXPECT_EQ(CaptionFor(&Edit_, "挂靠标签"), "挂靠标签");  // no data source yet
  Edit_.SetDataSource(&Source_);
  EXPECT_EQ(CaptionFor(&Edit_, "挂靠标签"), "挂靠标签");  // no data field yet
  Edit_.SetDataField("PRINTDATE");
  EXPECT_EQ(CaptionFor(&Edit_, "x"), "PRINTDATE");
  Cds_.FieldByName("PRINTDATE")->SetDisplayLabel("制表日期");
  EXPECT_EQ(CaptionFor(&Edit_, "x"), "制表日期");
  Edit_.SetDataField("NOPE");
  EXPECT_EQ(CaptionFor(&Edit_, "x"), "x");
  Source_.SetDataSet(nullptr);
  EXPECT_EQ(CaptionFor(&Edit_, "x"), "x");
}

TEST_F(DataLinkTest, TheEditFollowsTheCursorAndWritesBackOnPost) {
  Edit_.SetDataSource(&Source_);
  Edit_.SetDataField("NAME");
  EXPECT_EQ(Edit_.Text, "first");
  Cds_.Next();
  EXPECT_EQ(Edit_.Text, "second");
  Edit_.Type("changed");
  EXPECT_EQ(Cds_.State(), dsEdit);
  Cds_.Post();
  EXPECT_EQ(Cds_.FieldByName("NAME")->AsString(), "changed");
  // Closing and reopening gives new fields; the link finds them by name.
  Cds_.Close();
  EXPECT_EQ(Edit_.Text, "");
  Cds_.SetData(MakeDataPacket({{"NAME", ftString, 10}}, {{"again"}}));
  EXPECT_EQ(Edit_.Text, "again");
  // A data source that is not in auto-edit mode leaves the data set alone.
  Source_.SetAutoEdit(false);
  Edit_.Type("ignored");
  EXPECT_EQ(Cds_.State(), dsBrowse);
}

TEST_F(DataLinkTest, ADestroyedDataSetLeavesTheLinkInactive) {
  auto* Temporary = new TClientDataSet(nullptr);
  Temporary->SetData(MakeDataPacket({{"NAME", ftString, 10}}, {{"x"}}));
  Source_.SetDataSet(Temporary);
  Edit_.SetDataSource(&Source_);
  Edit_.SetDataField("NAME");
  EXPECT_EQ(Edit_.Text, "x");
  delete Temporary;
  EXPECT_EQ(Source_.DataSet(), nullptr);
  EXPECT_EQ(Edit_.Text, "");
}

}  // namespace
