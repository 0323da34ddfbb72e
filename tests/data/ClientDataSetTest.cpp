#include <gtest/gtest.h>

#include "platform/core/Dispatch.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/data/ClientDataSet.h"
#include "platform/data/DataPacket.h"
#include "platform/data/Fields.h"
#include "platform/data/RemoteServer.h"

namespace {

// An application server whose one provider hands out the saved sets.
class TFakeAppServer : public IDispatch {
 public:
  void AddRef() override {}
  void Release() override {}
  Variant Invoke(const std::string& Name, TInvokeKind, TDispArgs& Args) override {
    if (!SameText(Name, "AS_GetRecords")) throw EOleError("Method '" + Name + "' not supported by automation object");
    Requested = VarToStr(Args.at(0).Value);
    ++Calls;
    return Packet;
  }
  Variant Packet;
  std::string Requested;
  int Calls = 0;
};

class TFakeRemoteServer : public TCustomRemoteServer {
 public:
  explicit TFakeRemoteServer(TFakeAppServer* Server) : TCustomRemoteServer(nullptr), Server_(Server) {}
  Variant AppServer() override { return Variant(static_cast<IDispatch*>(Server_)); }

 private:
  TFakeAppServer* Server_;
};

Variant SavedSets() {
  return MakeDataPacket(
      {{"NCONDITION", ftString, 20}, {"CREATOR", ftString, 20}, {"PROGRAMME", ftString, 20},
       {"CREATE_DATE", ftString, 8}, {"VCONDITION", ftMemo, 0}},
      {{"weekly", "DS", "QVXB27", "20261201", "a"},
       {"daily", "DS", "QVXB27", "20261202", "b"},
       {"daily", "MARY", "QVXB27", "20261203", "c"},
       {"daily", "DS", "OTHER", "20261204", "d"},
       {"Daily", "DS", "QVXB27", "20261205", "e"}});
}

class ClientDataSetTest : public testing::Test {
 protected:
  void SetUp() override {
    AppServer_.Packet = SavedSets();
    Cds_.SetName("ClientDataSet1");
    Cds_.SetRemoteServer(&Remote_);
    Cds_.SetProviderName("pvdConSave");
    Cds_.IndexDefs()->AddIndexDef("Index1", "NCONDITION;CREATOR;PROGRAMME");
    Cds_.SetIndexName("Index1");
    Cds_.Open();
  }

  std::string Value() { return Cds_.FieldByName("VCONDITION")->AsString(); }

  TFakeAppServer AppServer_;
  TFakeRemoteServer Remote_{&AppServer_};
  TClientDataSet Cds_{nullptr};
};

TEST_F(ClientDataSetTest, OpensFromTheProviderInIndexOrder) {
  EXPECT_EQ(AppServer_.Requested, "pvdConSave");
  EXPECT_EQ(Cds_.RecordCount(), 5);
  std::vector<std::string> Order;
  for (Cds_.First(); !Cds_.Eof(); Cds_.Next()) Order.push_back(Value());
  // Byte order: "Daily" before "daily"; then by creator and program.
  EXPECT_EQ(Order, (std::vector<std::string>{"e", "d", "b", "c", "a"}));
}

TEST_F(ClientDataSetTest, FindsRecordsByAThreeFieldKey) {
  const struct {
    std::vector<Variant> Key;
    bool Found;
    const char* Value;
  } Cases[] = {
      {{"daily", "DS", "QVXB27"}, true, "b"},
      {{"daily", "MARY", "QVXB27"}, true, "c"},
      {{"Daily", "DS", "QVXB27"}, true, "e"},
      {{"daily", "DS", "NOPE"}, false, ""},
      {{"weekly"}, true, "a"},  // a leading part of the key
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(VarToStr(Case.Key[0]) + (Case.Key.size() > 1 ? "/" + VarToStr(Case.Key[2]) : ""));
    Cds_.Last();
    EXPECT_EQ(Cds_.FindKey(Case.Key), Case.Found);
    EXPECT_EQ(Value(), Case.Found ? Case.Value : "a");  // not found: the cursor stays on the last record
  }
}

TEST_F(ClientDataSetTest, ALocalEditIsSeenByTheNextFindAndNothingIsSentBack) {
  ASSERT_TRUE(Cds_.FindKey({"daily", "DS", "QVXB27"}));
  Cds_.Edit();
  Cds_.FieldByName("NCONDITION")->SetAsString("monthly");
  Cds_.Post();
  EXPECT_FALSE(Cds_.FindKey({"daily", "DS", "QVXB27"}));
  ASSERT_TRUE(Cds_.FindKey({"monthly", "DS", "QVXB27"}));
  EXPECT_EQ(Value(), "b");
  EXPECT_EQ(AppServer_.Calls, 1);
  // Reopening fetches the provider's records again.
  Cds_.Close();
  Cds_.Open();
  EXPECT_TRUE(Cds_.FindKey({"daily", "DS", "QVXB27"}));
}

TEST_F(ClientDataSetTest, TextHandlersStandBetweenTheFieldAndItsUsers) {
  TField* Name = Cds_.FieldByName("NCONDITION");
  struct THandlers {
    void GetText(TField* Sender, std::string& Text, bool Display) {
      Text = (Display ? "[" : "(") + Sender->AsString() + (Display ? "]" : ")");
    }
    void SetText(TField* Sender, const std::string& Text) { Sender->SetAsString(UpperCase(Text)); }
  } Handlers;
  Name->OnGetText = TFieldGetTextEvent::Of<&THandlers::GetText>(&Handlers);
  Name->OnSetText = TFieldSetTextEvent::Of<&THandlers::SetText>(&Handlers);
  ASSERT_TRUE(Cds_.FindKey({"weekly"}));
  EXPECT_EQ(Name->DisplayText(), "[weekly]");
  EXPECT_EQ(Name->Text(), "(weekly)");
  EXPECT_EQ(Name->AsString(), "weekly");
  Cds_.Edit();
  Name->SetText("yearly");
  Cds_.Post();
  EXPECT_TRUE(Cds_.FindKey({"YEARLY", "DS", "QVXB27"}));
}

TEST_F(ClientDataSetTest, RefusesWhatWouldCorruptTheRecords) {
  EXPECT_THROW(Cds_.FieldByName("NCONDITION")->SetAsString("x"), EDatabaseError);  // not editing
  try {
    Cds_.FieldByName("NOPE");
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "ClientDataSet1: Field 'NOPE' not found");
  }
  EXPECT_THROW(Cds_.FindKey({"a", "b", "c", "d"}), EDatabaseError);
  EXPECT_THROW(Cds_.SetIndexName("Index2"), EDatabaseError);
  EXPECT_EQ(Cds_.IndexName(), "Index1");  // the old index stays
  EXPECT_THROW(Cds_.SetIndexFieldNames("NCONDITION;NOPE"), EDatabaseError);
  EXPECT_TRUE(Cds_.FindKey({"weekly"}));

  // A unique index refuses a second record with its key; the edit stays open.
  Cds_.IndexDefs()->AddIndexDef("Unique", "NCONDITION;CREATOR;PROGRAMME", TIndexOptions{ixUnique});
  Cds_.SetIndexName("Unique");
  ASSERT_TRUE(Cds_.FindKey({"weekly"}));
  Cds_.Edit();
  Cds_.FieldByName("NCONDITION")->SetAsString("daily");
  EXPECT_THROW(Cds_.Post(), EDatabaseError);
  EXPECT_EQ(Cds_.State(), dsEdit);
  Cds_.Cancel();
  EXPECT_EQ(Value(), "a");
}

TEST_F(ClientDataSetTest, MalformedPacketsAreRefusedWhole) {
  const Variant Cases[] = {
      Variant("not a packet"),
      VarArrayOf({VarArrayOf({VarArrayOf({"A", "Integer", 0})}), VarArrayOf({VarArrayOf({"x"})})}),
      VarArrayOf({VarArrayOf({VarArrayOf({"A", "Integer", 0})}), VarArrayOf({VarArrayOf({1, 2})})}),
      VarArrayOf({VarArrayOf({VarArrayOf({"A", "Decimal", 0})}), VarArrayOf({})}),
  };
  for (size_t I = 0; I < std::size(Cases); ++I) {
    SCOPED_TRACE("case " + std::to_string(I));
    const Variant& Packet = Cases[I];
    EXPECT_THROW(Cds_.SetData(Packet), EDatabaseError);
  }
  TClientDataSet Local(nullptr);
  Local.SetData(VarArrayOf({VarArrayOf({VarArrayOf({"A", "Integer", 0}), VarArrayOf({"W", "DateTime", 0})}),
                            VarArrayOf({VarArrayOf({"12", "2026-12-11 08:30:00"})})}));
  EXPECT_EQ(Local.FieldByName("A")->AsInteger(), 12);
  EXPECT_EQ(Local.FieldByName("W")->AsString(), "2026/12/11 08:30:00");
  Local.Edit();
  EXPECT_THROW(Local.FieldByName("A")->SetAsString("twelve"), EConvertError);
  EXPECT_EQ(Local.FieldByName("A")->AsInteger(), 12);
}

}  // namespace
