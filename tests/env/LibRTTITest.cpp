#include "env/LibRTTI.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rtti/Publish.h"
#include "platform/rtti/TypInfo.h"

namespace {

enum TBevel { bvNone, bvLowered, bvRaised };
enum TEdge { edLeft, edTop, edRight };
using TEdges = TSet<TEdge>;
// Beside the enumerations, where the publisher's lookup finds them.
TANDREL_ENUM_NAMES(TBevel, "bvNone", "bvLowered", "bvRaised")
TANDREL_ENUM_NAMES(TEdge, "edLeft", "edTop", "edRight")

class TLabelFont : public TPersistent {
  TANDREL_CLASS(TLabelFont, TPersistent)
  std::string Name = "SimSun";
};

class TLabelLike : public TPersistent {
  TANDREL_CLASS(TLabelLike, TPersistent)

  ~TLabelLike() override { delete Font_; }
  const std::string& Caption() const { return Caption_; }
  void SetCaption(const std::string& Value) { Caption_ = Value; }
  std::string Kind() const { return "label"; }
  TLabelFont* Font() const { return Font_; }
  uint8_t Tag = 0;

  int Left = 0;
  TBevel Bevel = bvNone;
  TEdges Edges;
  char Accel = 'a';
  double Ratio = 0.5;
  TNotifyEvent OnClick;

  void Clicked(TObject*) {}

 private:
  std::string Caption_ = "查询";
  TLabelFont* Font_ = new TLabelFont;
};

}  // namespace

TANDREL_PUBLISH(TLabelFont) { Info.Property("Name", &TLabelFont::Name); }

TANDREL_PUBLISH(TLabelLike) {
  Info.Property("Caption", &TLabelLike::Caption, &TLabelLike::SetCaption);
  Info.Property("Kind", &TLabelLike::Kind);
  Info.Property("Font", &TLabelLike::Font);
  Info.Property("Tag", &TLabelLike::Tag);
  Info.Property("Left", &TLabelLike::Left);
  Info.Property("Bevel", &TLabelLike::Bevel);
  Info.Property("Edges", &TLabelLike::Edges, "TEdges");
  Info.Property("Accel", &TLabelLike::Accel);
  Info.Property("Ratio", &TLabelLike::Ratio);
  Info.Property("OnClick", &TLabelLike::OnClick);
}

namespace {

TEST(PublishedProps, StringsReadAndWriteByNameIgnoringCase) {
  TLabelLike Label;
  EXPECT_EQ(GetPropString(&Label, "caption"), "查询");
  SetPropString(&Label, "CAPTION", "查詢");
  EXPECT_EQ(Label.Caption(), "查詢");
  EXPECT_EQ(GetPropString(&Label, "Font.Name"), "SimSun");
  SetPropString(&Label, "Font.Name", "MingLiU");
  EXPECT_EQ(Label.Font()->Name, "MingLiU");
}

TEST(PublishedProps, MissingOrMismatchedPropertiesGiveQuietDefaults) {
  TLabelLike Label;
  struct Case { const TObject* Instance; const char* Name; };
  const Case Cases[] = {
      {nullptr, "Caption"}, {&Label, ""}, {&Label, "Missing"}, {&Label, "Font.Missing"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(GetPropString(C.Instance, C.Name), "") << C.Name;
    EXPECT_EQ(GetPropOrdinal(C.Instance, C.Name), 0) << C.Name;
    EXPECT_FALSE(GetPropMethod(C.Instance, C.Name).Assigned()) << C.Name;
    EXPECT_FALSE(HasPublishedProp(C.Instance, C.Name)) << C.Name;
  }
  SetPropString(nullptr, "Caption", "x");
  SetPropString(&Label, "Missing", "x");
  SetPropOrdinal(&Label, "", 1);
  SetPropMethod(&Label, "Missing", TNotifyEvent::Of<&TLabelLike::Clicked>(&Label).Method());

  // Another kind, or no setter: read as the zero of the kind, never written.
  EXPECT_EQ(GetPropString(&Label, "Left"), "");
  EXPECT_EQ(GetPropOrdinal(&Label, "Caption"), 0);
  EXPECT_EQ(GetPropOrdinal(&Label, "Ratio"), 0);
  EXPECT_FALSE(GetPropMethod(&Label, "Caption").Assigned());
  SetPropString(&Label, "Left", "5");
  SetPropString(&Label, "Kind", "button");
  SetPropOrdinal(&Label, "Font", 0);
  SetPropOrdinal(&Label, "Ratio", 2);
  EXPECT_EQ(Label.Left, 0);
  EXPECT_EQ(GetPropString(&Label, "Kind"), "label");
  EXPECT_NE(Label.Font(), nullptr);
  EXPECT_EQ(Label.Ratio, 0.5);
  EXPECT_TRUE(HasPublishedProp(&Label, "kind"));
  EXPECT_TRUE(HasPublishedProp(&Label, "Font.Name"));
}

TEST(PublishedProps, OrdinalsCoverIntegersEnumerationsSetsCharactersAndObjects) {
  TLabelLike Label;
  SetPropOrdinal(&Label, "Left", -12);
  SetPropOrdinal(&Label, "Bevel", bvRaised);
  SetPropOrdinal(&Label, "Edges", TEdges{edLeft, edRight}.Bits());
  SetPropOrdinal(&Label, "Accel", 'x');
  EXPECT_EQ(Label.Left, -12);
  EXPECT_EQ(Label.Bevel, bvRaised);
  EXPECT_EQ(Label.Edges, (TEdges{edLeft, edRight}));
  EXPECT_EQ(Label.Accel, 'x');
  EXPECT_EQ(GetPropOrdinal(&Label, "left"), -12);
  EXPECT_EQ(GetPropOrdinal(&Label, "Bevel"), bvRaised);
  EXPECT_EQ(GetPropOrdinal(&Label, "Edges"), 5);
  EXPECT_EQ(GetPropOrdinal(&Label, "Font"), reinterpret_cast<int64_t>(Label.Font()));
  // A value the property's type cannot hold is an error, not a silent cut.
  EXPECT_THROW(SetPropOrdinal(&Label, "Tag", 300), EPropertyError);
}

TEST(PublishedProps, EventHandlersAreReadSavedAndRestored) {
  TLabelLike Label;
  EXPECT_FALSE(GetPropMethod(&Label, "OnClick").Assigned());
  const TMethod Handler = TNotifyEvent::Of<&TLabelLike::Clicked>(&Label).Method();
  SetPropMethod(&Label, "onclick", Handler);
  EXPECT_EQ(Label.OnClick.Method(), Handler);
  const TMethod Saved = GetPropMethod(&Label, "OnClick");
  EXPECT_EQ(Saved, Handler);
  SetPropMethod(&Label, "OnClick", TMethod());
  EXPECT_FALSE(Label.OnClick.Assigned());
  SetPropMethod(&Label, "OnClick", Saved);
  EXPECT_EQ(Label.OnClick.Method(), Handler);
}

}  // namespace
