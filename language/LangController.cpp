#include "language/LangController.h"

#include "platform/core/Classes.h"
#include "platform/core/Format.h"
#include "platform/os/FileUtils.h"
#include "platform/rtti/Publish.h"

TANDREL_ENUM_NAMES(TDesignType, "dtClient", "dtServer")

// The descendant publishes what forms set.
TANDREL_PUBLISH(TLanguageController) {}

TLanguageController::TLanguageController(TComponent* AOwner)
    : TComponent(AOwner),
      XMLText_(std::make_unique<TStringList>()),
      ExcludeControls_(std::make_unique<TStringList>()) {
  XMLText_->OnChange = [this](TStrings*) { XMLTextChanged(); };
}

TLanguageController::~TLanguageController() {
  XMLText_->OnChange = nullptr;
}

void TLanguageController::SetActive(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    RequestedActive_ = Value;
    return;
  }
  if (Value == Active_) return;
  if (Value)
    Open();
  else
    Close();
}

void TLanguageController::Loaded() {
  TComponent::Loaded();
  SetActive(RequestedActive_);
}

void TLanguageController::SetFileName(const std::string& Value) {
  if (Value == FileName_) return;
  FileName_ = Value;
  XMLText_->Clear();
  Deactivate();
}

TStrings* TLanguageController::XMLText() const { return XMLText_.get(); }

void TLanguageController::SetXMLText(TStrings* Value) {
  if (Value == nullptr)
    XMLText_->Clear();
  else
    XMLText_->Assign(Value);
}

void TLanguageController::XMLTextChanged() {
  if (ComponentState().Contains(csLoading)) return;
  if (XMLText_->Count() > 0) FileName_.clear();
  Deactivate();
}

TStrings* TLanguageController::ExcludeControls() const { return ExcludeControls_.get(); }

void TLanguageController::SetExcludeControls(TStrings* Value) {
  if (Value == nullptr)
    ExcludeControls_->Clear();
  else
    ExcludeControls_->Assign(Value);
}

TLangReader* TLanguageController::Reader() const {
  // Only a loaded document with a root element has a reader, and documents
  // are not read yet.
  throw LanguageControllerError("No active LanguageController!");
}

void TLanguageController::Open() {
  BeforeOpen(this);
  if (XMLText_->Count() == 0) {
    if (FileName_.empty()) throw LanguageControllerError(Format("Cannot Find File %s!", {FileName_}));
    if (!FileExists(FileName_))
      throw LanguageControllerError(Format("The system cannot locate the file %s.", {FileName_}));
  }
  // The XML reader is a later addition; refusing keeps the controller
  // inactive instead of pretending the document was applied.
  const std::string Source = XMLText_->Count() > 0 ? std::string("XMLText") : FileName_;
  throw LanguageControllerError(
      Format("Cannot load the language document %s: XML language files are not supported", {Source}));
}

// Unlike SetActive(false), leaves an activity asked for while loading alone:
// a resource may name its package after it asks for activity.
void TLanguageController::Deactivate() {
  if (Active_) Close();
}

void TLanguageController::Close() {
  BeforeClose(this);
  Active_ = false;
  AfterClose(this);
}
