#pragma once

#include <memory>
#include <vector>

#include "platform/components/Component.h"
#include "platform/graphics/Graphics.h"

class TBitmap;
class TCanvas;

// Images of one size, drawn by index (the glyphs of buttons and list views).
class TImageList : public TComponent {
  TANDREL_CLASS(TImageList, TComponent)

  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;

  int Width() const { return Width_; }
  int Height() const { return Height_; }
  // Changing the size drops every image, as the classic list does.
  void SetWidth(int Value);
  void SetHeight(int Value);
  int Count() const { return static_cast<int>(Images_.size()); }

  // Cuts Image into pieces of Width, left to right (a narrower image is one
  // piece); Mask's white pixels are transparent. Gives the index of the first
  // piece added, -1 for an empty image.
  int Add(const TBitmap* Image, const TBitmap* Mask = nullptr);
  // Pixels of MaskColor are transparent.
  int AddMasked(const TBitmap* Image, TColor MaskColor);
  void Delete(int Index);
  void Clear();
  // Raises EInvalidOperation "Invalid ImageList Index" outside 0..Count-1.
  void GetBitmap(int Index, TBitmap* Image) const;
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;

  TNotifyEvent OnChange;

 private:
  struct TImage;
  const TImage& ImageAt(int Index) const;
  int AddPieces(const TBitmap* Image, const TBitmap* Mask, TColor MaskColor, bool ByColor);

  int Width_ = 16;
  int Height_ = 16;
  std::vector<std::unique_ptr<TImage>> Images_;
};
