#pragma once

class TBitmap;

// The suite's numbered button pictures. A picture is one or two square
// frames side by side (frame 2, where there is one, is the disabled look);
// its transparent colour is its bottom-left pixel.

constexpr int BmpOk = 1;
constexpr int BmpCancel = 2;
constexpr int BmpDropDown = 3;
constexpr int BmpClear = 4;  // two frames
constexpr int BmpSave = 5;
constexpr int BmpOpen = 6;
constexpr int BmpViewStyle = 7;
constexpr int BmpLookup = 8;
constexpr int BmpDate = 9;
constexpr int BmpConditionSet = 10;
constexpr int BmpRunNow = 11;
constexpr int BmpPeriodic = 12;
constexpr int BmpNotifyUsers = 39;
constexpr int BmpDelete = 47;

// The highest number held; numbers below it without a picture are absent.
int GetMaxBmpID();
// Replaces Bitmap's picture by picture Number. False for a nil bitmap or a
// number without a picture; Bitmap is untouched then.
bool LoadBmp(TBitmap* Bitmap, int Number);
