#pragma once
// Renames one channel.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/classlib/Forms.h"

class TEdit;
class TLabel;
class TRzBmpButton;

// A channel name as the device keeps it: whole characters of the ANSI code
// page, at most 8 bytes, padded with zero bytes (characters the code page
// cannot carry become '?').
std::string ChannelNameField(std::string_view Text);
// Those bytes as shown: up to the first zero byte, in UTF-8.
std::string ChannelNameShown(std::string_view Field);

class TfmChannelName : public TForm {
 public:
  explicit TfmChannelName(TComponent* AOwner);
  ~TfmChannelName() override;

  // The channel to rename (0..15, or 18 for the effect bus); its label
  // reads "Eff:", or "In"/"Out", the number within the side and " :".
  void SetChannel(int ch);
  int GetChannel() const { return FChannel; }
  // The name to edit, without its trailing blanks and carriage returns.
  void SetNameText(const std::string& name);
  std::string GetNameText() const;

  TLabel* lbChannelName;
  TLabel* lbChannel;
  TEdit* edName;
  TRzBmpButton* btnOK;
  TRzBmpButton* bnCancel;

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void edNameKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void btnOKClick(TObject* Sender);
  void bnCancelClick(TObject* Sender);

 private:
  int FChannel = 0;
};

extern TfmChannelName* fmChannelName;
