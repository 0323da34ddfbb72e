#pragma once

#include <memory>
#include <string>

#include "platform/components/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/rtti/Events.h"

class TStrings;
class TStringList;
class TXMLNode;
class TLangReader;

TANDREL_EXCEPTION(LanguageControllerError, Exception);

// Which installation's configuration names the language folder.
enum TDesignType { dtClient, dtServer };
TANDREL_ENUM(TDesignType);

// Around the application of one language-file element to one component.
using TLoadComponentEvent = TEvent<"TLoadComponentEvent", TComponent*, TXMLNode*>;

// Loads a language document (from XMLText, else from FileName) when made
// active; its reader then translates the components of a form.
//
// Reading XML language files is not there yet: activation checks its
// source as documents are checked and then refuses with
// LanguageControllerError, so the controller never claims a document it
// did not read. The document and its TLangReader come with the XML reader.
class TLanguageController : public TComponent {
  TANDREL_CLASS(TLanguageController, TComponent)

  explicit TLanguageController(TComponent* AOwner);
  ~TLanguageController() override;

  bool Active() const { return Active_; }
  // While the component is read from a form resource the value is only
  // remembered; Loaded applies it.
  void SetActive(bool Value);

  const std::string& FileName() const { return FileName_; }
  // A different name empties XMLText and deactivates.
  void SetFileName(const std::string& Value);
  // Used instead of the file when not empty; a change deactivates, and a
  // non-empty text empties FileName.
  TStrings* XMLText() const;
  void SetXMLText(TStrings* Value);

  // Names of components never translated (trimmed, compared without case).
  TStrings* ExcludeControls() const;
  // Copies the list; nil empties it.
  void SetExcludeControls(TStrings* Value);

  // The reader of the loaded document; raises LanguageControllerError
  // "No active LanguageController!" without one.
  TLangReader* Reader() const;

  TNotifyEvent BeforeOpen;
  TNotifyEvent AfterOpen;
  TNotifyEvent BeforeClose;
  TNotifyEvent AfterClose;
  TLoadComponentEvent BeforeLoadComponent;
  TLoadComponentEvent AfterLoadComponent;

  void Loaded() override;

 private:
  void Open();
  void Close();
  void Deactivate();
  void XMLTextChanged();

  bool Active_ = false;
  bool RequestedActive_ = false;
  std::string FileName_;
  std::unique_ptr<TStringList> XMLText_;
  std::unique_ptr<TStringList> ExcludeControls_;
};
