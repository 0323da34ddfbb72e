#include <gtest/gtest.h>

#include "platform/graphics/Canvas.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Panels.h"
#include "platform/ui/Splitter.h"
#include "tests/platform/UiTestForms.h"

namespace {

class PanelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TForm>(nullptr);
    Form->SetBounds(0, 0, 400, 300);
    Form->Show();
  }
  void TearDown() override { Form->Free(); }

  template <class T>
  T* Add(TWinControl* Parent, TAlign Align = alNone) {
    T* C = new T(Form);
    C->SetParent(Parent);
    C->SetAlign(Align);
    return C;
  }

  // Drags the splitter by Delta along its axis.
  static void Drag(TSplitter* S, int Delta) {
    bool Across = S->Align() == alLeft || S->Align() == alRight;
    THeadlessDriver::MouseDown(S, mbLeft, 1, 1);
    THeadlessDriver::MouseMove(S, 1 + (Across ? Delta : 0), 1 + (Across ? 0 : Delta));
    THeadlessDriver::MouseUp(S, mbLeft, 1 + (Across ? Delta : 0), 1 + (Across ? 0 : Delta));
  }

  TForm* Form = nullptr;
};

}  // namespace

TEST_F(PanelsTest, BevelsAndBorderNarrowThePanelsClientArea) {
  struct TCase {
    TPanelBevel Outer, Inner;
    int BevelWidth, BorderWidth;
    TFormBorderStyle Style;
    int Inset;
  };
  const TCase Cases[] = {
      {bvNone, bvNone, 1, 0, bsNone, 0},    {bvRaised, bvNone, 1, 0, bsNone, 1},
      {bvRaised, bvLowered, 2, 0, bsNone, 4}, {bvLowered, bvNone, 1, 3, bsSingle, 5},
  };
  auto* Panel = Add<TPanel>(Form);
  Panel->SetBounds(0, 0, 100, 60);
  auto* Child = Add<TUiTestPanel>(Panel, alClient);
  for (const TCase& Case : Cases) {
    Panel->SetBevelOuter(Case.Outer);
    Panel->SetBevelInner(Case.Inner);
    Panel->SetBevelWidth(Case.BevelWidth);
    Panel->SetBorderWidth(Case.BorderWidth);
    Panel->SetBorderStyle(Case.Style);
    int I = Case.Inset;
    EXPECT_EQ(Child->BoundsRect(), Rect(I, I, 100 - I, 60 - I)) << "inset " << I;
  }
  EXPECT_THROW(Panel->SetBorderStyle(bsDialog), EInvalidControlOperation);
}

TEST_F(PanelsTest, APanelPaintsItsBevelAndCaption) {
  auto* Panel = Add<TPanel>(Form);
  Panel->SetBounds(0, 0, 100, 40);
  Panel->SetCaption("周期性");
  Panel->Repaint();
  TCanvas* C = Panel->Canvas();
  EXPECT_EQ(C->Pixel(0, 0), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(C->Pixel(99, 39), ColorToRGB(clBtnShadow));
  ASSERT_EQ(C->TextDrawn().size(), 1u);
  // Three 11-wide characters centred both ways.
  EXPECT_EQ(C->TextDrawn()[0].Rect, Bounds(33, 14, 33, 11));
  Panel->SetBevelOuter(bvLowered);
  Panel->Repaint();
  EXPECT_EQ(C->Pixel(0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(PanelsTest, AGroupBoxKeepsItsChildrenBelowTheCaption) {
  auto* Group = Add<TGroupBox>(Form);
  Group->SetBounds(0, 0, 200, 100);
  auto* Child = Add<TUiTestPanel>(Group, alClient);
  // The caption's line is as high as the font's characters (11).
  EXPECT_EQ(Child->BoundsRect(), Rect(2, 13, 198, 98));
  Group->Font()->SetHeight(-15);
  EXPECT_EQ(Child->Top(), 17);
}

TEST_F(PanelsTest, AGroupBoxsAcceleratorFocusesItsFirstControl) {
  auto* Group = Add<TGroupBox>(Form);
  auto* Inside = Add<TUiTestEdit>(Group);
  Group->SetCaption("&Notify");
  THeadlessDriver::PressKey('N', {ssAlt});
  EXPECT_EQ(Form->ActiveControl(), Inside);
}

TEST_F(PanelsTest, ASplitterResizesTheControlItTouches) {
  struct TCase {
    TAlign Align;
    int Delta;
    int Expected;
  };
  // The neighbour is 100 in a 400 x 300 form; at least 30 must stay each side.
  const TCase Cases[] = {
      {alLeft, 40, 140}, {alLeft, -50, 50}, {alLeft, -90, 0}, {alLeft, -75, 30}, {alLeft, 500, 367},
      {alRight, 40, 60}, {alTop, 20, 120},  {alBottom, -20, 120},
  };
  for (const TCase& Case : Cases) {
    auto* Neighbour = Add<TUiTestPanel>(Form);
    bool Across = Case.Align == alLeft || Case.Align == alRight;
    Neighbour->SetBounds(0, 0, 100, 100);
    Neighbour->SetAlign(Case.Align);
    auto* Splitter = Add<TSplitter>(Form);
    // Placed after the neighbour, so the layout puts it next to it.
    Splitter->SetBounds(Case.Align == alLeft ? 100 : Case.Align == alRight ? 290 : 0,
                        Case.Align == alTop ? 100 : Case.Align == alBottom ? 190 : 0, 3, 3);
    Splitter->SetAlign(Case.Align);
    ASSERT_EQ(Splitter->FindControl(), Neighbour) << Case.Align;
    Drag(Splitter, Case.Delta);
    EXPECT_EQ(Across ? Neighbour->Width() : Neighbour->Height(), Case.Expected)
        << "align " << Case.Align << " by " << Case.Delta;
    Splitter->Free();
    Neighbour->Free();
  }
}

TEST_F(PanelsTest, OnCanResizeCanChangeOrRefuseTheSize) {
  struct THandler {
    int Asked = -1;
    bool Refuse = false;
    void CanResize(TObject*, int& NewSize, bool& Accept) {
      Asked = NewSize;
      if (Refuse) Accept = false;
      else NewSize = 77;
    }
  } Handler;
  auto* Neighbour = Add<TUiTestPanel>(Form);
  Neighbour->SetBounds(0, 0, 100, 100);
  Neighbour->SetAlign(alLeft);
  auto* Splitter = Add<TSplitter>(Form, alLeft);
  Splitter->OnCanResize = TCanResizeEvent::Of<&THandler::CanResize>(&Handler);
  Drag(Splitter, 20);
  EXPECT_EQ(Handler.Asked, 120);
  EXPECT_EQ(Neighbour->Width(), 77);
  Handler.Refuse = true;
  Drag(Splitter, 20);
  EXPECT_EQ(Neighbour->Width(), 77);
}
