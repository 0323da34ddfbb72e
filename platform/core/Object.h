#pragma once

// The root of the class library. Class infos (name, parent, published
// members) hang off it; components and persistent objects derive from it.

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// An object that can copy another's state: string lists, fonts, bitmaps.
class TPersistent : public TObject {
 public:
  // Copies Source into this object; raises EConvertError when the classes
  // do not know each other, as the classic library does.
  virtual void Assign(const TPersistent* Source);

 protected:
  // Lets the source copy itself into Dest when Dest does not know the source.
  virtual void AssignTo(TPersistent* Dest) const;
};
