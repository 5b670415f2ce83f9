#include "instruments/base/iVCLComponent.h"

#include "instruments/base/iPropertyText.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Metafile.h"
#include "platform/classlib/PictureJpeg.h"
#include "platform/classlib/PicturePng.h"

namespace {
// The component's lock for the length of a scope.
class ComponentLock {
 public:
  explicit ComponentLock(TiComponent& c) : FComponent(c) { FComponent.Lock(); }
  ~ComponentLock() { FComponent.Unlock(); }
  ComponentLock(const ComponentLock&) = delete;
  ComponentLock& operator=(const ComponentLock&) = delete;

 private:
  TiComponent& FComponent;
};
// No published properties of their own; registered so that descendants
// find the chain of their ancestors.
const TiRegisterProperties<TiVCLComponent, TiComponent> kVCLProperties(
    [](TiPropertyBuilder<TiVCLComponent>&) {});
const TiRegisterProperties<TiCustomComponent, TiVCLComponent> kCustomProperties(
    [](TiPropertyBuilder<TiCustomComponent>&) {});

}  // namespace

TiVCLComponent::TiVCLComponent(TComponent* AOwner)
    : TiComponent(AOwner), FThemeCategoryList(std::make_unique<TStringList>()) {
  FThemeCategoryList->SetOwnsObjects(true);
  FOPCItemManager = std::make_unique<TiOPCItemManager>(this);
  FOPCItemManager->OnGetDesigning = [this](TObject*, bool& designing) { designing = GetIsDesigning(); };
  FOPCItemManager->OnNewData = [this](TObject* item) { OPCNewData(static_cast<TiOPCItem*>(item)); };
  FOPCItemManager->OnGetType = [this](const std::string& name, TTypeKind& kind) {
    kind = GetPropertyKind(name);
  };
}

TiVCLComponent::~TiVCLComponent() {
  // The items end their registrations while the control is still whole.
  FOPCItemManager.reset();
  InternalTimerStop();
}

void TiVCLComponent::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == GetLeft() && ATop == GetTop() && AWidth == GetWidth() && AHeight == GetHeight()) return;
  TiComponent::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (AWidth > 0 && AHeight > 0) GetBackGroundBitmap()->SetSize(AWidth, AHeight);
  BackGroundChange();
}

void TiVCLComponent::Lock() {
  if (!GetComponentState().Contains(csDestroying)) FDataCriticalSection.lock();
}

void TiVCLComponent::Unlock() {
  if (!GetComponentState().Contains(csDestroying)) FDataCriticalSection.unlock();
}

void TiVCLComponent::RepaintAll() {
  BackGroundChange();
}

void TiVCLComponent::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  SetTransparentSurface(Value);
  BackGroundChange();
}

void TiVCLComponent::DrawBackGround(TCanvas* Canvas, TColor Color) {
  // A transparent control leaves its off-screen bitmap clear, so what lies
  // beneath shows through; a foreign canvas keeps its own pixels.
  if (FPaintDCTransparent || FTransparent) return;
  TiComponent::DrawBackGround(Canvas, Color);
}

// ---------------------------------------------------------------- internal timer

bool TiVCLComponent::InternalTimerRunning() const {
  return FTimer != nullptr;
}

void TiVCLComponent::InternalTimerStart(int InitialDelay, int Interval) {
  if (InternalTimerRunning()) return;
  FTimerInterval = Interval;
  const int first = InitialDelay != 0 ? InitialDelay : Interval;
  if (first == 0) return;
  FTimerFirstMessage = InitialDelay != 0;
  FTimer = std::make_unique<TTimer>(nullptr);
  FTimer->SetInterval(static_cast<unsigned>(first));
  FTimer->OnTimer = [this](TObject*) { InternalTimerTick(); };
}

void TiVCLComponent::InternalTimerStop() {
  FTimer.reset();
}

void TiVCLComponent::InternalTimerTick() {
  if (FTimerFirstMessage) {
    FTimerFirstMessage = false;
    FTimer->SetInterval(static_cast<unsigned>(FTimerInterval));
  }
  if (OnInternalTimer) OnInternalTimer(this);
}

// ---------------------------------------------------------------- painting elsewhere

void TiVCLComponent::iPaintToDC(int X, int Y, bool Transparent, TCanvas* Canvas) {
  FPaintDCTransparent = Transparent;
  Lock();
  try {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(GetWidth(), GetHeight());
    if (Transparent)
      bitmap.GetCanvas()->CopyRect(Rect(0, 0, GetWidth(), GetHeight()), Canvas,
                                   Rect(X, Y, X + GetWidth(), Y + GetHeight()));
    const bool cached = GetCachedDrawing();
    SetCachedDrawing(false);
    iPaintToCanvas(bitmap.GetCanvas());
    SetCachedDrawing(cached);
    Canvas->Draw(X, Y, &bitmap);
  } catch (const Exception&) {}
  Unlock();
  FPaintDCTransparent = false;
}

std::unique_ptr<TBitmap> TiVCLComponent::PaintedBitmap() {
  auto bitmap = std::make_unique<TBitmap>(GetWidth(), GetHeight());
  iPaintToCanvas(bitmap->GetCanvas());
  return bitmap;
}

std::unique_ptr<TJPEGImage> TiVCLComponent::CreateJPEGImage(int Compression, bool Progressive) {
  if (Compression < 1 || Compression > 100) throw Exception("Compression must be in the range of 1-100");
  auto jpeg = std::make_unique<TJPEGImage>();
  jpeg->SetCompressionQuality(Compression);
  jpeg->SetProgressiveEncoding(Progressive);
  jpeg->Assign(PaintedBitmap().get());
  return jpeg;
}

std::vector<std::uint8_t> TiVCLComponent::GetBytesJPEG(int Compression, bool Progressive) {
  if (Compression < 1 || Compression > 100) throw Exception("Compression must be in the range of 1-100");
  ComponentLock guard(*this);
  return CreateJPEGImage(Compression, Progressive)->SaveToBytes();
}

std::vector<std::uint8_t> TiVCLComponent::GetBytesPNG(int Compression) {
  if (Compression < 0 || Compression > 9) throw Exception("Compression must be in the range of 0-9");
  ComponentLock guard(*this);
  TPngImage png;
  png.SetCompressionLevel(Compression);
  png.Assign(PaintedBitmap().get());
  return png.SaveToBytes();
}

void TiVCLComponent::SaveImageToJPEG(const std::string& FileName, int Compression, bool Progressive) {
  const auto bytes = GetBytesJPEG(Compression, Progressive);
  TBytesStream stream(bytes);
  stream.SaveToFile(FileName);
}

void TiVCLComponent::SaveImageToMetaFile(const std::string& FileName) {
  TMetafile metafile;
  metafile.SetSize(GetWidth(), GetHeight());
  {
    TMetafileCanvas canvas(&metafile, "Vantor", "");
    iPaintToCanvas(&canvas);
  }
  metafile.SaveToFile(FileName);
}

void TiVCLComponent::SaveImageToPNG(const std::string& FileName, int Compression) {
  const auto bytes = GetBytesPNG(Compression);
  TBytesStream stream(bytes);
  stream.SaveToFile(FileName);
}

void TiVCLComponent::SetPropertyByPath(TObject* Instance, const std::string& Prefix, const std::string& Value,
                                       const std::string& Path) {
  ::SetPropertyByPath(Instance, Prefix, Value, Path);
}
