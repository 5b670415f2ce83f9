// The splash progress bar's named looks.

#include <algorithm>

#include "controls/AdvSmoothSplashScreenProgress.h"

namespace {

struct Look {
  TKYTStyle style;
  TColor background, backgroundTo, backgroundBorder;
  TColor progress, progressTo, mirror, mirrorTo, progressBorder;
};

// The first four rows are the ones the looks were drawn from; the others
// follow them: a light background with a grey border, and the fill graded
// from a light to a darker tone of the look's colour.
constexpr TColor kGreyBorder = 0xC0C0C0;
const Look kLooks[] = {
    {ksOffice2003Blue, 0xFFD2AF, 0xFFD2AF, 0xC0C0C0, 0xFCE1CB, 0xE0A57D, clNone, clNone, 0x962D00},
    {ksOffice2007Luna, 0xFFD2AF, 0xFFD2AF, 0xC0C0C0, 0xFFEFE3, 0xFFDDC4, 0xFFD1AD, 0xFFDBC0, 0xFFD1AD},
    {ksWindowsXP, 0xB6B6B6, 0xB6B6B6, 0xC0C0C0, 0xFFFFFF, clBtnFace, clNone, clNone, 0x000000},
    {ksTerminal, clBtnFace, clBtnFace, 0x808080, 0xFFFFFF, 0xFFFFFF, clNone, clNone, 0x808080},
    {ksOffice2003Silver, 0xE8E4E3, 0xE8E4E3, kGreyBorder, 0xF2ECEB, 0xC9B8B5, clNone, clNone, 0x947C76},
    {ksOffice2003Olive, 0xDCF0EB, 0xDCF0EB, kGreyBorder, 0xDEF1EC, 0x78B4A0, clNone, clNone, 0x427760},
    {ksOffice2003Classic, 0xE0E0E0, 0xE0E0E0, kGreyBorder, 0xFFFFFF, 0xC0C0C0, clNone, clNone, 0x808080},
    {ksOffice2007Obsidian, 0xD8D5D2, 0xD8D5D2, kGreyBorder, 0xF0EDEB, 0xA89E96, clNone, clNone, 0x70645A},
    {ksWhidbey, 0xD8E9EC, 0xD8E9EC, kGreyBorder, 0xF5F9FA, 0xEED2C1, clNone, clNone, 0xB99D7F},
    {ksOffice2007Silver, 0xE8E4E1, 0xE8E4E1, kGreyBorder, 0xF8F8F8, 0xD2CAC4, clNone, clNone, 0x9B918B},
    {ksWindowsVista, 0xE6E6E6, 0xE6E6E6, kGreyBorder, 0xC8F0C8, 0x25B006, clNone, clNone, 0x468246},
    {ksWindows7, 0xE6E6E6, 0xE6E6E6, kGreyBorder, 0xBEEBBE, 0x28A014, clNone, clNone, 0x3C7D3C},
    {ksOffice2010Blue, 0xF5E8DD, 0xF5E8DD, kGreyBorder, 0xFCF4ED, 0xEBBE96, clNone, clNone, 0xC8966E},
    {ksOffice2010Silver, 0xF0ECE9, 0xF0ECE9, kGreyBorder, 0xFAFAFA, 0xCCC4BE, clNone, clNone, 0x938982},
    {ksOffice2010Black, 0xC8C8C8, 0xC8C8C8, kGreyBorder, 0xDCDCDC, 0x5A5A5A, clNone, clNone, 0x323232},
};

}  // namespace

void TAdvSplashProgressBar::SetComponentStyle(TKYTStyle AStyle) {
  const auto it =
      std::find_if(std::begin(kLooks), std::end(kLooks), [AStyle](const Look& l) { return l.style == AStyle; });
  if (it == std::end(kLooks)) return;  // ksCustom keeps the fills as they are
  TGDIPFill* back = FAppearance->GetBackGroundFill();
  back->SetColor(it->background);
  back->SetColorTo(it->backgroundTo);
  back->SetBorderColor(it->backgroundBorder);
  TGDIPFill* fill = FAppearance->GetProgressFill();
  fill->SetColor(it->progress);
  fill->SetColorTo(it->progressTo);
  fill->SetColorMirror(it->mirror);
  fill->SetColorMirrorTo(it->mirrorTo);
  fill->SetBorderColor(it->progressBorder);
  fill->SetGradientMirrorType(gtVertical);
}
