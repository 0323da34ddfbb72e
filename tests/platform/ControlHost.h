#pragma once

// A shown form for the control tests: controls are added to it, typed into
// through the headless driver, and freed with it.

#include "platform/ui/Application.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HeadlessWidgetSet.h"

class TControlHost {
 public:
  TControlHost() {
    THeadlessDriver::Reset();
    Form = CreateForm<TForm>(nullptr);
    Form->Show();
  }
  ~TControlHost() {
    Form->Free();
    Application().ProcessMessages();
  }
  TControlHost(const TControlHost&) = delete;
  TControlHost& operator=(const TControlHost&) = delete;

  template <class T>
  T* Add() {
    T* Control = new T(Form);
    Control->SetParent(Form);
    return Control;
  }

  TForm* Form = nullptr;
};
