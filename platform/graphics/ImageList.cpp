#include "platform/graphics/ImageList.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtti/Publish.h"

struct TImageList::TImage {
  TBitmap Picture;
  std::vector<bool> Transparent;  // row by row
};

TANDREL_PUBLISH(TImageList) {
  Info.Property("Width", &TImageList::Width, &TImageList::SetWidth);
  Info.Property("Height", &TImageList::Height, &TImageList::SetHeight);
  Info.Property("OnChange", &TImageList::OnChange);
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() = default;

void TImageList::SetWidth(int Value) {
  if (Value == Width_ || Value <= 0) return;
  Width_ = Value;
  Clear();
}

void TImageList::SetHeight(int Value) {
  if (Value == Height_ || Value <= 0) return;
  Height_ = Value;
  Clear();
}

int TImageList::AddPieces(const TBitmap* Image, const TBitmap* Mask, TColor MaskColor, bool ByColor) {
  if (Image == nullptr || Image->Empty()) return -1;
  int First = Count();
  int Pieces = std::max(1, Image->Width() / Width_);
  MaskColor = ColorToRGB(MaskColor);
  for (int P = 0; P < Pieces; ++P) {
    auto Item = std::make_unique<TImage>();
    Item->Picture.SetSize(Width_, Height_);
    Item->Transparent.assign(static_cast<size_t>(Width_) * Height_, false);
    for (int Y = 0; Y < Height_; ++Y)
      for (int X = 0; X < Width_; ++X) {
        int Sx = P * Width_ + X;
        TColor C = Image->Pixel(Sx, Y);
        bool Clear = C == clNone || (ByColor && C == MaskColor) ||
                     (Mask != nullptr && Mask->Pixel(Sx, Y) == clWhite);
        Item->Picture.SetPixel(X, Y, Clear ? clWhite : C);
        Item->Transparent[static_cast<size_t>(Y) * Width_ + X] = Clear;
      }
    Images_.push_back(std::move(Item));
  }
  OnChange(this);
  return First;
}

int TImageList::Add(const TBitmap* Image, const TBitmap* Mask) { return AddPieces(Image, Mask, clNone, false); }

int TImageList::AddMasked(const TBitmap* Image, TColor MaskColor) {
  return AddPieces(Image, nullptr, MaskColor, true);
}

const TImageList::TImage& TImageList::ImageAt(int Index) const {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Invalid ImageList Index");
  return *Images_[static_cast<size_t>(Index)];
}

void TImageList::Delete(int Index) {
  ImageAt(Index);
  Images_.erase(Images_.begin() + Index);
  OnChange(this);
}

void TImageList::Clear() {
  Images_.clear();
  OnChange(this);
}

void TImageList::GetBitmap(int Index, TBitmap* Image) const { Image->Assign(&ImageAt(Index).Picture); }

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const {
  const TImage& Item = ImageAt(Index);
  TBitmap* Target = Canvas->Surface();
  if (Target == nullptr) return;
  for (int Py = 0; Py < Height_; ++Py)
    for (int Px = 0; Px < Width_; ++Px) {
      if (Item.Transparent[static_cast<size_t>(Py) * Width_ + Px]) continue;
      Target->SetPixel(X + Px, Y + Py, Enabled ? Item.Picture.Pixel(Px, Py) : clBtnShadow);
    }
  Target->Changed();
}
