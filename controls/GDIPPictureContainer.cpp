#include "controls/GDIPPictureContainer.h"

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<TAdvGDIPPicture>()) {}

void TPictureItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TPictureItem*>(Source);
  if (!s) throw EConvertError("Invalid class typecast");
  FName = s->FName;
  FTag = s->FTag;
  FPicture->Assign(static_cast<const TGraphic*>(s->FPicture.get()));
}

TPictureCollection::TPictureCollection(TPersistent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TPictureItem>()) {}

TGDIPPictureContainer::TGDIPPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this)) {}

TGDIPPictureContainer::~TGDIPPictureContainer() = default;

namespace {

// Upper case for the letters a to z only.
std::string UpperAscii(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace

TAdvGDIPPicture* TGDIPPictureContainer::FindPicture(const std::string& Name) const {
  const std::string wanted = UpperAscii(Name);
  for (int i = 0; i < FItems->GetCount(); ++i)
    if (UpperAscii(FItems->GetItem(i)->GetName()) == wanted) return FItems->GetItem(i)->GetPicture();
  return nullptr;
}
