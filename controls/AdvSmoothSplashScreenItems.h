#pragma once
// What a splash screen shows besides its background: the program name,
// version and copyright (each heading drawn with a solid, gradient, hatch or
// texture brush), picture-and-text items at free positions, a list of HTML
// lines that drops its oldest lines when it overflows, and boxes with a
// fill and an HTML text above the list.

#include <functional>
#include <memory>
#include <string>

#include "controls/AdvGDIP.h"
#include "controls/ControlProperties.h"
#include "controls/GDIPFill.h"
#include "platform/classlib/Collections.h"
#include "platform/classlib/Controls.h"

class TAdvSmoothSplashScreen;

enum TItemLocation {
  ilTopLeft,
  ilTopCenter,
  ilTopRight,
  ilBottomLeft,
  ilBottomCenter,
  ilBottomRight,
  ilCustom
};
enum TAdvSmoothSplashScreenLocation {
  cpTopLeft,
  cpTopCenter,
  cpTopRight,
  cpCenterLeft,
  cpCenterCenter,
  cpCenterRight,
  cpBottomLeft,
  cpBottomCenter,
  cpBottomRight,
  cpCustom
};

// ---------------------------------------------------------------- headings

class TSplashHeadingText : public TPersistent {
 public:
  TSplashHeadingText();
  ~TSplashHeadingText() override;
  // From another heading: every property, without a change notice.
  void Assign(TPersistent* Source) override;

  const std::string& GetText() const { return FText; }
  // A different text notifies; nothing else does.
  void SetText(const std::string& Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TAdvGDIPPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TAdvGDIPPicture* Value) { FPicture->Assign(Value); }

  TNotifyEvent OnChange;

  CONTROL_QUIET_PROPERTY(int, Angle, 0)
  CONTROL_QUIET_PROPERTY(TItemLocation, Location, ilTopLeft)
  CONTROL_QUIET_PROPERTY(int, PosX, 10)
  CONTROL_QUIET_PROPERTY(int, PosY, 100)
  CONTROL_QUIET_PROPERTY(Gdiplus::HatchStyle, HatchStyle, Gdiplus::HatchStyleHorizontal)
  CONTROL_QUIET_PROPERTY(TColor, ColorStart, clBlack)
  CONTROL_QUIET_PROPERTY(TColor, ColorEnd, clNone)
  CONTROL_QUIET_PROPERTY(std::uint8_t, OpacityStart, 255)
  CONTROL_QUIET_PROPERTY(std::uint8_t, OpacityEnd, 255)
  CONTROL_QUIET_PROPERTY(TAdvGradientType, GradientType, gtVertical)

 private:
  std::string FText;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TAdvGDIPPicture> FPicture;
};

class TBasicProgramInfo : public TPersistent {
 public:
  TBasicProgramInfo();
  ~TBasicProgramInfo() override;
  void Assign(TPersistent* Source) override;

  TSplashHeadingText* GetProgramName() const { return FProgramName.get(); }
  void SetProgramName(TSplashHeadingText* Value) { FProgramName->Assign(Value); }
  TSplashHeadingText* GetProgramVersion() const { return FProgramVersion.get(); }
  void SetProgramVersion(TSplashHeadingText* Value) { FProgramVersion->Assign(Value); }
  TFont* GetCopyRightFont() const { return FCopyRightFont.get(); }
  void SetCopyRightFont(TFont* Value) { FCopyRightFont->Assign(Value); }

  // A heading's text change, with the program info as sender.
  TNotifyEvent OnChange;

  CONTROL_QUIET_PROPERTY(bool, AutoLoad, true)
  CONTROL_QUIET_PROPERTY(std::string, CopyRight, "")
  CONTROL_QUIET_PROPERTY(TItemLocation, CopyRightLocation, ilTopLeft)
  CONTROL_QUIET_PROPERTY(int, CopyRightPosX, 10)
  CONTROL_QUIET_PROPERTY(int, CopyRightPosY, 130)

 private:
  std::unique_ptr<TSplashHeadingText> FProgramName;
  std::unique_ptr<TSplashHeadingText> FProgramVersion;
  std::unique_ptr<TFont> FCopyRightFont;
};

using TSplashDeleteItemEvent = std::function<void(TObject* Sender, int Index)>;

// A collection that belongs to a splash and tells it of a change only when
// the whole collection changed while empty (items change it through their
// own Refresh).
class TSplashCollection : public TOwnedCollection {
 public:
  TSplashCollection(TAdvSmoothSplashScreen* Owner, TCollectionItemClass ItemClass);
  TAdvSmoothSplashScreen* GetSplash() const { return FSplash; }

  TNotifyEvent OnChange;
  TSplashDeleteItemEvent OnDeleteItem;

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TAdvSmoothSplashScreen* FSplash;
};

// ---------------------------------------------------------------- items

class TSplashItem : public TCollectionItem {
 public:
  explicit TSplashItem(TCollection* Collection);
  ~TSplashItem() override;
  // Text, Tag, ImageIndex, Picture and the position; not the font.
  void Assign(TPersistent* Source) override;

  TAdvGDIPPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TAdvGDIPPicture* Value) { FPicture->Assign(Value); }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool GetVisible() const { return FVisible; }

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // Invalidates the splash window while it shows.
  void Refresh();

  CONTROL_QUIET_PROPERTY(std::string, Text, "")
  CONTROL_QUIET_PROPERTY(int, ImageIndex, -1)
  CONTROL_QUIET_PROPERTY(NativeInt, Tag, 0)
  CONTROL_QUIET_PROPERTY(int, PosX, 80)
  CONTROL_QUIET_PROPERTY(int, PosY, 130)

 private:
  std::unique_ptr<TAdvGDIPPicture> FPicture;
  std::unique_ptr<TFont> FFont;
  bool FVisible = true;
  int FUpdateCount = 0;
};

class TSplashItems : public TSplashCollection {
 public:
  explicit TSplashItems(TAdvSmoothSplashScreen* Owner);
  ~TSplashItems() override;
  TSplashItem* Add() { return static_cast<TSplashItem*>(TCollection::Add()); }
  TSplashItem* Insert(int Index) { return static_cast<TSplashItem*>(TCollection::Insert(Index)); }
  TSplashItem* GetItem(int Index) const { return static_cast<TSplashItem*>(GetItems(Index)); }
};

// ---------------------------------------------------------------- list

class TListItemsRect : public TPersistent {
 public:
  void Assign(TPersistent* Source) override;
  TRect GetRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

  TNotifyEvent OnChange;

  CONTROL_QUIET_PROPERTY(int, Left, 30)
  CONTROL_QUIET_PROPERTY(int, Top, 150)
  CONTROL_QUIET_PROPERTY(int, Width, 300)
  CONTROL_QUIET_PROPERTY(int, Height, 200)
};

class TSplashListItemsSettings : public TPersistent {
 public:
  TSplashListItemsSettings();
  ~TSplashListItemsSettings() override;
  void Assign(TPersistent* Source) override;

  TListItemsRect* GetRect() const { return FRect.get(); }
  void SetRect(TListItemsRect* Value) { FRect->Assign(Value); }
  TFont* GetHTMLFont() const { return FHTMLFont.get(); }
  void SetHTMLFont(TFont* Value) { FHTMLFont->Assign(Value); }

  TNotifyEvent OnChange;

  CONTROL_QUIET_PROPERTY(int, Space, 8)
  CONTROL_QUIET_PROPERTY(TColor, HTMLURLColor, clBlue)
  CONTROL_QUIET_PROPERTY(TColor, HTMLShadowColor, clGray)
  CONTROL_QUIET_PROPERTY(int, HTMLShadowOffset, 5)

 private:
  std::unique_ptr<TListItemsRect> FRect;
  std::unique_ptr<TFont> FHTMLFont;
};

class TSplashListItem : public TCollectionItem {
 public:
  explicit TSplashListItem(TCollection* Collection);
  ~TSplashListItem() override;
  // HTMLText, Tag and the image index.
  void Assign(TPersistent* Source) override;

  const std::string& GetHTMLText() const { return FHTMLText; }
  void SetHTMLText(const std::string& Value) { FHTMLText = Value; }
  int GetImageIndex() const { return FImageIndex; }
  // Where the last layout put the line; top and bottom -1 when it was
  // dropped, all -1 before any layout.
  const TRect& GetDisplayRect() const { return FDisplayRect; }
  void SetDisplayRect(const TRect& Value) { FDisplayRect = Value; }

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // The collection's OnChange (the splash redraws).
  void Refresh();

  CONTROL_QUIET_PROPERTY(NativeInt, Tag, 0)

 private:
  std::string FHTMLText;
  int FImageIndex = -1;
  TRect FDisplayRect{-1, -1, -1, -1};
  int FUpdateCount = 0;
};

class TSplashListItems : public TSplashCollection {
 public:
  explicit TSplashListItems(TAdvSmoothSplashScreen* Owner);
  ~TSplashListItems() override;
  TSplashListItem* Add() { return static_cast<TSplashListItem*>(TCollection::Add()); }
  TSplashListItem* Insert(int Index) { return static_cast<TSplashListItem*>(TCollection::Insert(Index)); }
  TSplashListItem* GetItem(int Index) const { return static_cast<TSplashListItem*>(GetItems(Index)); }
};

// Lays the lines out from the top of Area, Space apart, given each line's
// height: the display rectangles of the lines, the ones that no longer fit
// dropped from the top and the rest moved up. Returns the first line kept.
int LayOutListItems(TSplashListItems* Items, const TRect& Area, int Space, const std::vector<int>& Heights);

// ---------------------------------------------------------------- top layer

class TAdvSplashHTMLText : public TPersistent {
 public:
  explicit TAdvSplashHTMLText(TAdvSmoothSplashScreen* Owner);
  ~TAdvSplashHTMLText() override;
  // From another HTML text only; then the splash is invalidated.
  void Assign(TPersistent* Source) override;

  const std::string& GetText() const { return FText; }
  void SetText(const std::string& Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value);

  TNotifyEvent OnChange;

  CONTROL_PROPERTY(TAdvSmoothSplashScreenLocation, Location, cpTopLeft, Changed())
  CONTROL_PROPERTY(int, Top, 0, Changed())
  CONTROL_PROPERTY(int, Left, 0, Changed())
  CONTROL_PROPERTY(TColor, URLColor, clBlue, Changed())
  CONTROL_PROPERTY(TColor, ShadowColor, clGray, Changed())
  CONTROL_PROPERTY(int, ShadowOffset, 5, Changed())

 private:
  void Changed();

  TAdvSmoothSplashScreen* FOwner;
  std::string FText;
  std::unique_ptr<TFont> FFont;
};

class TAdvSplashTopLayerItem : public TCollectionItem {
 public:
  explicit TAdvSplashTopLayerItem(TCollection* Collection);
  ~TAdvSplashTopLayerItem() override;
  void Assign(TPersistent* Source) override;

  TAdvSplashHTMLText* GetHTMLText() const { return FHTMLText.get(); }
  void SetHTMLText(TAdvSplashHTMLText* Value);
  TGDIPFill* GetFill() const { return FFill.get(); }
  void SetFill(TGDIPFill* Value);

  CONTROL_PROPERTY(bool, Visible, true, Changed())
  CONTROL_PROPERTY(int, Top, 0, Changed())
  CONTROL_PROPERTY(int, Left, 0, Changed())
  CONTROL_PROPERTY(TAlign, Align, alCustom, Changed())
  CONTROL_PROPERTY(int, Width, 100, Changed())
  CONTROL_PROPERTY(int, Height, 100, Changed())

 private:
  void Changed();
  TAdvSmoothSplashScreen* Splash() const;

  std::unique_ptr<TAdvSplashHTMLText> FHTMLText;
  std::unique_ptr<TGDIPFill> FFill;
};

class TAdvSplashTopLayerItems : public TSplashCollection {
 public:
  explicit TAdvSplashTopLayerItems(TAdvSmoothSplashScreen* Owner);
  ~TAdvSplashTopLayerItems() override;
  TAdvSplashTopLayerItem* Add() { return static_cast<TAdvSplashTopLayerItem*>(TCollection::Add()); }
  TAdvSplashTopLayerItem* Insert(int Index) {
    return static_cast<TAdvSplashTopLayerItem*>(TCollection::Insert(Index));
  }
  TAdvSplashTopLayerItem* GetItem(int Index) const {
    return static_cast<TAdvSplashTopLayerItem*>(GetItems(Index));
  }
};

// The rectangle of a top-layer box inside the container (x, y, w, h) by
// its Align; false for alNone, which gets no rectangle.
bool TopLayerItemRect(const TAdvSplashTopLayerItem& Item, const TGPRectF& Container, TGPRectF& Rect);

// ---------------------------------------------------------------- drawing

// The top-left corner of a box of BoxWidth x BoxHeight placed at Location
// in R (x, y, width, height).
TGPPointF PlaceItemInRect(TAdvSmoothSplashScreenLocation Location, const TGPRectF& R, int BoxWidth,
                          int BoxHeight);

// Measures and, unless MeasureOnly, draws one heading text at Point; Size
// gets its measured box (0 x 0 for an empty text).
void DrawHeadingText(TGPGraphics* Graphics, const std::string& Text, const TGPPointF& Point, TSize& Size,
                     Gdiplus::TextRenderingHint Rendering, int Angle, bool MeasureOnly, TColor ColorEnd,
                     TColor ColorStart, std::uint8_t OpacityEnd, std::uint8_t OpacityStart,
                     Gdiplus::HatchStyle HatchStyle, TAdvGDIPPicture* Picture, TAdvGradientType GradientType,
                     const TFont& Font);

// A picture at its own size: a PNG with its alpha, anything else with the
// colour of its bottom-left pixel left out.
void DrawItemPicture(TGPGraphics* Graphics, const TGPPointF& Point, TAdvGDIPPicture* Picture);

// Where the program info goes: the name, version and copyright sizes are
// given, the three positions come back.
struct TProgramInfoPlaces {
  TPoint Name;
  TPoint Version;
  TPoint CopyRight;
};
TProgramInfoPlaces PlaceProgramInfo(const TBasicProgramInfo& Info, const TRect& R, const TSize& NameSize,
                                    const TSize& VersionSize, const TSize& CopyRightSize);
