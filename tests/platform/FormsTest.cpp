#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Keys.h"
#include "tests/platform/UiTestForms.h"

namespace {

using Strings = std::vector<std::string>;

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TUiSampleForm>(nullptr);
    Form->Show();
    Form->Log.clear();
  }
  void TearDown() override {
    if (Form != nullptr) Form->Free();
    Application().ProcessMessages();
  }

  std::string Focused() const { return Form->ActiveControl() ? Form->ActiveControl()->Name() : "-"; }

  TUiSampleForm* Form = nullptr;
};

TEST_F(FormsTest, ShowingFocusesTheFirstControlInTabOrder) { EXPECT_EQ(Focused(), "edFirst"); }

TEST_F(FormsTest, TabWalksTheTabOrderThroughNestedPanelsBothWays) {
  Strings Forward, Backward;
  for (int I = 0; I < 5; ++I) {
    THeadlessDriver::PressKey(VK_TAB);
    Forward.push_back(Focused());
  }
  for (int I = 0; I < 5; ++I) {
    THeadlessDriver::PressKey(VK_TAB, {ssShift});
    Backward.push_back(Focused());
  }
  EXPECT_EQ(Forward, (Strings{"edA", "edB", "edC", "btnCancel", "edFirst"}));
  EXPECT_EQ(Backward, (Strings{"btnCancel", "edC", "edB", "edA", "edFirst"}));
}

TEST_F(FormsTest, TabSkipsControlsThatCannotTakeTheFocus) {
  Form->edA->SetEnabled(false);
  Form->pnlBottom->SetVisible(false);
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Focused(), "edB");
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Focused(), "btnCancel");
}

TEST_F(FormsTest, TabOrderRenumbersTheSiblings) {
  Form->btnCancel->SetTabOrder(0);
  EXPECT_EQ(Form->btnCancel->TabOrder(), 0);
  EXPECT_EQ(Form->edFirst->TabOrder(), 1);
  EXPECT_EQ(Form->pnlTop->TabOrder(), 2);
  Form->btnCancel->SetTabOrder(99);
  EXPECT_EQ(Form->btnCancel->TabOrder(), 3);
}

TEST_F(FormsTest, ExitAndEnterRunUpToTheCommonParentThenDown) {
  Form->edC->SetFocus();
  Form->edA->SetFocus();
  EXPECT_EQ(Form->Log, (Strings{"exit edFirst", "enter pnlBottom", "enter edC", "exit edC", "exit pnlBottom",
                                "enter edA"}));
}

TEST_F(FormsTest, AnExitHandlerThatRefusesKeepsTheFocusAndStopsTheMove) {
  Form->edC->SetFocus();
  Form->Log.clear();
  Form->Refusing = Form->edC;
  THeadlessDriver::PressKey(VK_TAB);
  EXPECT_EQ(Focused(), "edC");
  EXPECT_EQ(Form->Log, (Strings{"form key 9", "exit edC"}));
  EXPECT_TRUE(Form->edC->Focused());
}

TEST_F(FormsTest, DuringExitTheFormsActiveControlIsTheTarget) {
  TWinControl* SeenInExit = nullptr;
  struct TProbe {
    TUiSampleForm* Form;
    TWinControl** Seen;
    void Exit(TObject*) { *Seen = Form->ActiveControl(); }
  } Probe{Form, &SeenInExit};
  Form->edFirst->OnExit = TNotifyEvent::Of<&TProbe::Exit>(&Probe);
  Form->btnCancel->SetFocus();
  EXPECT_EQ(SeenInExit, Form->btnCancel);
  ASSERT_FALSE(Form->FocusChangedFrom.empty());
  EXPECT_EQ(Form->FocusChangedFrom.back(), Form->edFirst);
}

TEST_F(FormsTest, SetFocusOnADisabledOrHiddenControlRaises) {
  Form->edA->SetEnabled(false);
  Form->pnlBottom->SetVisible(false);
  for (TWinControl* C : {static_cast<TWinControl*>(Form->edA), static_cast<TWinControl*>(Form->edC)}) {
    EXPECT_FALSE(C->CanFocus());
    try {
      C->SetFocus();
      FAIL() << C->Name();
    } catch (const EInvalidOperation& E) {
      EXPECT_STREQ(E.what(), "Cannot focus a disabled or invisible window");
    }
  }
  EXPECT_EQ(Focused(), "edFirst");
}

TEST_F(FormsTest, KeyPreviewSeesKeysFirstAndCanConsumeThem) {
  THeadlessDriver::PressKey('X');
  EXPECT_EQ(Form->edFirst->Typed, "x");
  Form->SwallowKey = 'Y';
  THeadlessDriver::PressKey('Y');
  EXPECT_EQ(Form->edFirst->Typed, "x");
  EXPECT_EQ(Form->Log, (Strings{"form key 88", "form key 89"}));
  Form->SetKeyPreview(false);
  THeadlessDriver::PressKey('Z');
  EXPECT_EQ(Form->edFirst->Typed, "xz");
  EXPECT_EQ(Form->Log.size(), 2u);
}

TEST_F(FormsTest, EscReachesTheCancelButton) {
  THeadlessDriver::PressKey(VK_ESCAPE);
  EXPECT_EQ(Form->Log, (Strings{"form key 27", "cancel clicked"}));
  EXPECT_EQ(Form->ModalResult(), mrCancel);
}

TEST_F(FormsTest, EnterClicksTheDefaultButtonUnlessAnotherButtonIsFocused) {
  auto* Ok = new TButton(Form);
  Ok->SetParent(Form);
  Ok->SetDefault(true);
  Ok->SetModalResult(mrOk);
  THeadlessDriver::PressKey(VK_RETURN);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  Form->btnCancel->SetFocus();
  THeadlessDriver::PressKey(VK_RETURN);
  EXPECT_EQ(Form->ModalResult(), mrCancel);
}

TEST_F(FormsTest, AnAcceleratorClicksItsButton) {
  Form->btnCancel->SetCaption("&Quit");
  Form->btnCancel->SetFocus();
  THeadlessDriver::PressKey('Q', {ssAlt});
  EXPECT_EQ(Form->Log.back(), "cancel clicked");
}

TEST_F(FormsTest, APostedCloseRequestFreesTheFormOnlyWhenMessagesAreProcessed) {
  bool Destroyed = false;
  struct TWatch {
    bool* Flag;
    void Close(TObject*, TCloseAction& Action) { Action = caFree; }
    void Destroy(TObject*) { *Flag = true; }
  } Watch{&Destroyed};
  Form->OnClose = TCloseEvent::Of<&TWatch::Close>(&Watch);
  Form->OnDestroy = TNotifyEvent::Of<&TWatch::Destroy>(&Watch);
  HWND Handle = Form->Handle();
  ASSERT_TRUE(PostMessage(Handle, WM_CLOSE, 0, 0));
  EXPECT_FALSE(Destroyed);
  EXPECT_TRUE(IsWindow(Handle));
  Application().ProcessMessages();
  EXPECT_TRUE(Destroyed);
  EXPECT_FALSE(IsWindow(Handle));
  EXPECT_FALSE(PostMessage(Handle, WM_CLOSE, 0, 0));
  Form = nullptr;
}

TEST_F(FormsTest, CloseQueryCanRefuseAndTheDefaultActionHides) {
  struct TQuery {
    bool Allow = false;
    void Query(TObject*, bool& CanClose) { CanClose = Allow; }
  } Query;
  Form->OnCloseQuery = TCloseQueryEvent::Of<&TQuery::Query>(&Query);
  Form->Close();
  EXPECT_TRUE(Form->Visible());
  Query.Allow = true;
  Form->Close();
  EXPECT_FALSE(Form->Visible());
}

TEST_F(FormsTest, MessagesReachTheHandlerDeclaredForTheirNumber) {
  EXPECT_EQ(WM_USER + 10, 1034u);
  SendMessage(Form->Handle(), WM_USER + 10, 0, reinterpret_cast<LPARAM>(Form->edA));
  PostMessage(Form->Handle(), WM_USER + 10, 0, 7);
  EXPECT_EQ(Form->Lookups, (std::vector<LPARAM>{reinterpret_cast<LPARAM>(Form->edA)}));
  Application().ProcessMessages();
  EXPECT_EQ(Form->Lookups.back(), 7);
}

TEST_F(FormsTest, AClickRunsOnClickAndMouseHandlersGetCoordinates) {
  struct TMouse {
    Strings Log;
    void Down(TObject*, TMouseButton, TShiftState, int X, int Y) {
      Log.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
    }
    void Click(TObject*) { Log.push_back("click"); }
  } Mouse;
  Form->edB->OnMouseDown = TMouseEvent::Of<&TMouse::Down>(&Mouse);
  Form->edB->OnClick = TNotifyEvent::Of<&TMouse::Click>(&Mouse);
  Form->edB->SetBounds(0, 0, 40, 20);
  THeadlessDriver::Click(Form->edB);
  EXPECT_EQ(Mouse.Log, (Strings{"down 20,10", "click"}));
  EXPECT_EQ(Focused(), "edB");
  // A bare button-up (as posted after a dialog) is no click.
  Form->edB->Perform(WM_LBUTTONUP, MakeWParam(1, 1), 0);
  EXPECT_EQ(Mouse.Log.size(), 2u);
}

TEST(ModalTest, ShowModalGivesTheResultTheDriversCallbackSet) {
  THeadlessDriver::Reset();
  TUiSampleForm* Dialog = CreateForm<TUiSampleForm>(nullptr);
  std::string SeenFocus;
  THeadlessDriver::SetModalHandler([&](TCustomForm& Form) {
    SeenFocus = Form.ActiveControl()->Name();
    Form.SetModalResult(mrRetry);
  });
  EXPECT_EQ(Dialog->ShowModal(), mrRetry);
  EXPECT_EQ(SeenFocus, "edFirst");
  EXPECT_FALSE(Dialog->Visible());
  // Without a user the window is closed: cancel.
  THeadlessDriver::SetModalHandler(nullptr);
  EXPECT_EQ(Dialog->ShowModal(), mrCancel);
  Dialog->Free();
}

TEST(ModalTest, TheCallbackCanPressKeysLikeAUser) {
  THeadlessDriver::Reset();
  TUiSampleForm* Dialog = CreateForm<TUiSampleForm>(nullptr);
  THeadlessDriver::SetModalHandler([](TCustomForm&) { THeadlessDriver::PressKey(VK_ESCAPE); });
  EXPECT_EQ(Dialog->ShowModal(), mrCancel);
  EXPECT_EQ(Dialog->Log.back(), "cancel clicked");
  Dialog->Free();
}

TEST(DialogTest, ARelabelledButtonIsRecordedWithItsNewCaption) {
  THeadlessDriver::Reset();
  TMessageForm* Dialog = CreateMessageDialog("Delete?", mtConfirmation, mbYesNo);
  ASSERT_NE(Dialog->FindComponent("Yes"), nullptr);
  static_cast<TButton*>(Dialog->FindComponent("Yes"))->SetCaption("是(&Y)");
  Dialog->Font()->SetName("SimSun");
  THeadlessDriver::QueueAnswer(mrNo);
  EXPECT_EQ(Dialog->ShowModal(), mrNo);
  Dialog->Free();
  ASSERT_EQ(THeadlessDriver::Dialogs().size(), 1u);
  const TRecordedDialog& D = THeadlessDriver::Dialogs()[0];
  EXPECT_EQ(D.Text, "Delete?");
  EXPECT_EQ(D.Type, mtConfirmation);
  EXPECT_EQ(D.Caption, "Confirm");
  EXPECT_EQ(D.ButtonNames, (Strings{"Yes", "No"}));
  EXPECT_EQ(D.ButtonCaptions, (Strings{"是(&Y)", "&No"}));
  EXPECT_EQ(D.FontName, "SimSun");
}

TEST(DialogTest, DialogsAnswerFromTheQueueElseWithTheFirstButton) {
  THeadlessDriver::Reset();
  struct TCase {
    int Buttons;
    std::vector<int> Queued;
    int Expected;
  };
  const TCase Cases[] = {{3, {}, mrYes}, {4, {}, mrOk}, {3, {mrNo}, mrNo}, {0, {}, mrOk},
                         {static_cast<int>(mbAbortRetryIgnore.Bits()), {}, mrAbort}};
  for (const TCase& C : Cases) {
    for (int A : C.Queued) THeadlessDriver::QueueAnswer(A);
    EXPECT_EQ(MessageDlg("x", mtWarning, TMsgDlgButtons::FromBits(static_cast<uint64_t>(C.Buttons))), C.Expected)
        << C.Buttons;
  }
  EXPECT_EQ(Application().MessageBox("Sure?", "Title", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(THeadlessDriver::Dialogs().back().Caption, "Title");
  EXPECT_EQ(THeadlessDriver::Dialogs().back().Type, mtConfirmation);
  ShowMessage("Done");
  EXPECT_EQ(THeadlessDriver::Dialogs().back().ButtonNames, (Strings{"OK"}));
}

TEST(AlignTest, BottomLeftAndClientShareTheClientArea) {
  auto* Form = new TForm(nullptr);
  Form->SetBounds(0, 0, 400, 300);
  auto Add = [&](TAlign Align, int W, int H) {
    auto* C = new TUiTestPanel(Form);
    C->SetBounds(0, 0, W, H);
    C->SetParent(Form);
    C->SetAlign(Align);
    return C;
  };
  TControl* Pages = Add(alClient, 10, 10);
  TControl* Left = Add(alLeft, 80, 10);
  TControl* Bottom = Add(alBottom, 10, 40);
  EXPECT_EQ(Bottom->BoundsRect(), Rect(0, 260, 400, 300));
  EXPECT_EQ(Left->BoundsRect(), Rect(0, 0, 80, 260));
  EXPECT_EQ(Pages->BoundsRect(), Rect(80, 0, 400, 260));
  Form->SetBounds(0, 0, 500, 200);
  EXPECT_EQ(Pages->BoundsRect(), Rect(80, 0, 500, 160));
  Bottom->SetVisible(false);
  EXPECT_EQ(Left->BoundsRect(), Rect(0, 0, 80, 200));
  Form->Free();
}

TEST(ControlTest, ParentFontAndColourFollowTheParentUntilSetOwn) {
  auto* Form = new TForm(nullptr);
  auto* Panel = new TUiTestPanel(Form);
  Panel->SetParent(Form);
  Form->Font()->SetName("Tahoma");
  Form->SetColor(clRed);
  EXPECT_EQ(Panel->Font()->Name(), "Tahoma");
  EXPECT_EQ(Panel->Color(), clRed);
  Panel->Font()->SetHeight(-20);
  EXPECT_FALSE(Panel->ParentFont());
  Form->Font()->SetName("Arial");
  EXPECT_EQ(Panel->Font()->Name(), "Tahoma");
  Panel->SetParentFont(true);
  EXPECT_EQ(Panel->Font()->Name(), "Arial");
  EXPECT_EQ(Panel->Font()->Size(), 8);
  Form->Free();
}

TEST(ControlTest, ClientAndScreenCoordinatesConvert) {
  auto* Form = new TForm(nullptr);
  Form->SetBounds(100, 50, 300, 200);
  auto* Panel = new TUiTestPanel(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(10, 20, 50, 50);
  EXPECT_EQ(Panel->ClientToScreen({1, 2}), (TPoint{111, 72}));
  EXPECT_EQ(Panel->ScreenToClient({111, 72}), (TPoint{1, 2}));
  Form->Free();
}

TEST(CanvasTest, HeadlessTextMetricsAndLayouts) {
  TBitmap Picture(100, 40);
  TCanvas* Canvas = Picture.Canvas();
  Canvas->Font()->SetHeight(-13);
  EXPECT_EQ(Canvas->TextExtent("Ab"), (TSize{14, 13}));
  EXPECT_EQ(Canvas->TextWidth("确定"), 26);
  struct TCase {
    unsigned Format;
    TRect Expected;
  };
  const TCase Cases[] = {{DT_LEFT, Rect(0, 0, 14, 13)},
                         {DT_CENTER | DT_SINGLELINE, Rect(43, 0, 57, 13)},
                         {DT_CENTER | DT_VCENTER | DT_SINGLELINE, Rect(43, 13, 57, 26)},
                         {DT_VCENTER, Rect(0, 0, 14, 13)}};
  for (const TCase& C : Cases) {
    Canvas->ClearTextDrawn();
    TRect R = Rect(0, 0, 100, 40);
    Canvas->DrawText("&Ab", R, C.Format);
    ASSERT_EQ(Canvas->TextDrawn().size(), 1u);
    EXPECT_EQ(Canvas->TextDrawn()[0].Text, "Ab");
    EXPECT_EQ(Canvas->TextDrawn()[0].Rect, C.Expected) << C.Format;
  }
}

TEST(CanvasTest, ShapesAndTransparentBitmapsDrawPixels) {
  TBitmap Picture(10, 10);
  TCanvas* Canvas = Picture.Canvas();
  Canvas->Brush()->SetColor(clBtnFace);
  Canvas->Pen()->SetColor(clRed);
  Canvas->Rectangle(0, 0, 10, 10);
  EXPECT_EQ(Picture.Pixel(0, 0), clRed);
  EXPECT_EQ(Picture.Pixel(9, 9), clRed);
  EXPECT_EQ(Picture.Pixel(5, 5), ColorToRGB(clBtnFace));

  TBitmap Glyph(2, 2);
  Glyph.SetPixel(0, 1, clLime);  // bottom-left: the transparent colour
  Glyph.SetPixel(1, 0, clBlue);
  EXPECT_EQ(Glyph.TransparentColor(), clLime);
  Glyph.SetTransparent(true);
  Canvas->Draw(4, 4, &Glyph);
  EXPECT_EQ(Picture.Pixel(4, 5), ColorToRGB(clBtnFace));
  EXPECT_EQ(Picture.Pixel(5, 4), clBlue);

  TColor Before = Picture.Pixel(2, 2);
  Canvas->FocusRect(Rect(2, 2, 8, 8));
  EXPECT_NE(Picture.Pixel(2, 2), Before);
  Canvas->FocusRect(Rect(2, 2, 8, 8));
  EXPECT_EQ(Picture.Pixel(2, 2), Before);
}

}  // namespace
