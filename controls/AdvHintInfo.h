#pragma once
// TAdvHintInfo: the hint description a picture image carries (a title,
// notes, a picture and whether help is offered). The control stores it;
// nothing in it shows it.

#include <memory>
#include <string>

#include "controls/GDIPicture.h"
#include "platform/classlib/StringList.h"

class TAdvHintInfo : public TPersistent {
 public:
  TAdvHintInfo();
  ~TAdvHintInfo() override;

  // Takes another TAdvHintInfo only; anything else leaves this one as it is.
  void Assign(TPersistent* Source) override;
  // No title and no notes text; the picture is not considered.
  bool IsEmpty() const;

  TGDIPPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TGDIPPicture* Value);
  bool GetShowHelp() const { return FShowHelp; }
  void SetShowHelp(bool Value) { FShowHelp = Value; }
  TStrings* GetNotes() const { return FNotes.get(); }
  void SetNotes(TStrings* Value);
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  const std::string& GetWideTitle() const { return FWideTitle; }
  void SetWideTitle(const std::string& Value) { FWideTitle = Value; }
  const std::string& GetWideNotes() const { return FWideNotes; }
  void SetWideNotes(const std::string& Value) { FWideNotes = Value; }

 private:
  std::unique_ptr<TGDIPPicture> FPicture;
  bool FShowHelp = false;
  std::unique_ptr<TStringList> FNotes;
  std::string FTitle;
  std::string FWideTitle;
  std::string FWideNotes;
};
