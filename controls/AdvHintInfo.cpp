#include "controls/AdvHintInfo.h"

TAdvHintInfo::TAdvHintInfo()
    : FPicture(std::make_unique<TGDIPPicture>()), FNotes(std::make_unique<TStringList>()) {}

TAdvHintInfo::~TAdvHintInfo() = default;

void TAdvHintInfo::Assign(TPersistent* Source) {
  const auto* other = dynamic_cast<TAdvHintInfo*>(Source);
  if (!other || other == this) return;
  FTitle = other->FTitle;
  FNotes->Assign(other->FNotes.get());
  FShowHelp = other->FShowHelp;
  FPicture->Assign(other->FPicture.get());
  FWideTitle = other->FWideTitle;
  FWideNotes = other->FWideNotes;
}

bool TAdvHintInfo::IsEmpty() const {
  return FTitle.empty() && FNotes->GetText().empty();
}

void TAdvHintInfo::SetPicture(TGDIPPicture* Value) {
  FPicture->Assign(Value);
}

void TAdvHintInfo::SetNotes(TStrings* Value) {
  FNotes->Assign(Value);
}
