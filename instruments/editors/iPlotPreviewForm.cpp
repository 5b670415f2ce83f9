#include "instruments/editors/iPlotPreviewForm.h"

#include <cmath>
#include <memory>

#include "instruments/base/iDrawing.h"
#include "instruments/editors/iEditorTranslate.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iPlotToolBar.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/StdCtrls.h"

TiPlotPreviewForm* iPlotPreviewForm = nullptr;
TiPlotPreviewSettingsForm* iPlotPreviewSettingsForm = nullptr;

namespace {

// Nearest, halves to even.
int Nearest(double X) {
  return static_cast<int>(std::nearbyint(X));
}

}  // namespace

int PreviewPaperCode(int PrintSize) {
  switch (PrintSize) {
    case 1:
      return DMPAPER_LEGAL;
    case 2:
      return DMPAPER_A3;
    case 3:
      return DMPAPER_A4;
    case 4:
      return DMPAPER_A5;
    default:
      return DMPAPER_LETTER;
  }
}

TiPreviewGeometry PreviewGeometry(int BoxWidth, int BoxHeight, int PrintSize, TPrinterOrientation Orientation,
                                  double MarginLeft, double MarginTop, double MarginRight,
                                  double MarginBottom, int PictureWidth, int PictureHeight) {
  TiPreviewGeometry g;
  double pw = 0, ph = 0;
  GetPaperSizeInches(PreviewPaperCode(PrintSize), pw, ph);
  if (Orientation == poLandscape) std::swap(pw, ph);
  const int w = BoxWidth - 20, h = BoxHeight - 20;
  // A box no larger than its border has no room for a sheet.
  if (w <= 0 || h <= 0) return g;
  int sw = 0, sh = 0;
  if (h / ph > w / pw) {
    sw = w;
    sh = Nearest(ph * w / pw);
  } else {
    sh = h;
    sw = Nearest(h / ph * pw);
  }
  g.Dpi = Nearest(sw / pw);
  g.AreaWidth = sw - Nearest((MarginLeft + MarginRight) * g.Dpi);
  g.AreaHeight = sh - Nearest((MarginTop + MarginBottom) * g.Dpi);
  const int cx = BoxWidth / 2, cy = BoxHeight / 2;
  g.Sheet = TRect(cx - sw / 2 - 5, cy - sh / 2 - 5, cx + sw / 2 - 5, cy + sh / 2 - 5);
  // No printable area, or nothing to show: the empty sheet.
  if (g.AreaWidth <= 0 || g.AreaHeight <= 0 || PictureWidth <= 0 || PictureHeight <= 0) return g;
  int mw = 0, mh = 0;
  if (static_cast<double>(g.AreaWidth) / PictureWidth >= static_cast<double>(g.AreaHeight) / PictureHeight) {
    mw = Nearest(static_cast<double>(PictureWidth) * g.AreaHeight / PictureHeight);
    mh = g.AreaHeight;
  } else {
    mw = g.AreaWidth;
    mh = Nearest(static_cast<double>(PictureHeight) * g.AreaWidth / PictureWidth);
  }
  const int left = g.Sheet.Left + Nearest(g.Dpi * MarginLeft), top = g.Sheet.Top + Nearest(g.Dpi * MarginTop);
  g.Picture = TRect(left, top, left + mw, top + mh);
  return g;
}

// ---------------------------------------------------------------- the preview

TiPlotPreviewForm::TiPlotPreviewForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("iPlotPreviewForm");
  SetCaption("Vantor Plot Preview");
  SetBorderIcons(TBorderIcons{biSystemMenu, biMaximize});
  SetPosition(poScreenCenter);
  SetMinWidth(500);
  SetMinHeight(300);
  SetBounds(0, 0, 836, 563);

  Panel2 = new TPanel(this);
  Panel2->SetName("Panel2");
  Panel2->SetParent(this);
  Panel2->SetCaption("");
  Panel2->SetHeight(41);
  Panel2->SetAlign(alTop);

  PrintButton = new TSpeedButton(this);
  PrintButton->SetName("PrintButton");
  PrintButton->SetParent(Panel2);
  PrintButton->SetBounds(8, 6, 28, 28);
  TBitmap glyph;
  iToolBarImage("PRINTER", 24, &glyph);
  PrintButton->SetGlyph(&glyph);
  PrintButton->SetHint("Print");
  PrintButton->OnClick = [this](TObject* s) { PrintButtonClick(s); };

  SettingsButton = NewEditorFormButton(this, Panel2, "SettingsButton", "Settings", mrNone, 48, 8);
  SettingsButton->OnClick = [this](TObject* s) { SettingsButtonClick(s); };
  CloseButton = NewEditorFormButton(this, Panel2, "CloseButton", "Close", mrNone, 130, 8);
  CloseButton->OnClick = [this](TObject* s) { CloseButtonClick(s); };

  Preview = new TiPaintBox(this);
  Preview->SetName("Preview");
  Preview->SetParent(this);
  Preview->SetAlign(alClient);
  Preview->OnPaint = [this](TObject* s) { PreviewPaint(s); };
}

void TiPlotPreviewForm::PreviewPaint(TObject*) {
  TBitmap bitmap(std::max(Preview->GetWidth(), 0), std::max(Preview->GetHeight(), 0));
  TCanvas* c = bitmap.GetCanvas();
  c->Pen->SetStyle(psSolid);
  c->Pen->SetWidth(1);
  c->Pen->SetColor(clBlack);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(clBtnFace);
  c->FillRect(Rect(0, 0, bitmap.GetWidth(), bitmap.GetHeight()));
  if (!iComponent) {
    Preview->GetCanvas()->Draw(0, 0, &bitmap);
    return;
  }
  TiPlotToolBar* toolBar = iComponent->GetToolBarCount() > 0 ? iComponent->GetToolBar(0) : nullptr;
  const bool visible = toolBar && toolBar->GetVisible();
  if (toolBar) toolBar->SetVisible(false);
  try {
    if (iComponent->OnBeforePrint) iComponent->OnBeforePrint(this);
    DrawPage(&bitmap);
    Preview->GetCanvas()->Draw(0, 0, &bitmap);
  } catch (...) {
    if (toolBar) toolBar->SetVisible(visible);
    throw;
  }
  if (toolBar) toolBar->SetVisible(visible);
  if (iComponent->OnAfterPrint) iComponent->OnAfterPrint(this);
}

void TiPlotPreviewForm::DrawPage(TBitmap* Canvas) {
  TCanvas* c = Canvas->GetCanvas();
  c->Pen->SetStyle(psSolid);
  c->Pen->SetWidth(1);
  c->Pen->SetColor(clBlack);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(clBtnFace);
  c->FillRect(Rect(0, 0, Canvas->GetWidth(), Canvas->GetHeight()));
  if (!iComponent) return;
  const int mw = iComponent->GetWidth(), mh = iComponent->GetHeight();
  const TiPreviewGeometry g =
      PreviewGeometry(Canvas->GetWidth(), Canvas->GetHeight(), PrintSize, PrintOrientation,
                      iComponent->GetPrintMarginLeft(), iComponent->GetPrintMarginTop(),
                      iComponent->GetPrintMarginRight(), iComponent->GetPrintMarginBottom(), mw, mh);
  if (g.Sheet.IsEmpty()) return;
  c->Brush->SetColor(clBlack);
  c->Rectangle(g.Sheet.Left + 7, g.Sheet.Top + 7, g.Sheet.Right + 7, g.Sheet.Bottom + 7);
  c->Brush->SetColor(clWhite);
  c->Rectangle(g.Sheet);
  if (g.Picture.IsEmpty()) return;
  TPicture* picture = iComponent->GetSnapShotPicture();
  c->StretchDraw(g.Picture, picture->GetGraphic());
}

void TiPlotPreviewForm::PrintButtonClick(TObject*) {
  if (!iComponent) return;
  iComponent->PrintChart();
  Preview->Invalidate();
}

void TiPlotPreviewForm::CloseButtonClick(TObject*) {
  SetModalResult(mrOk);
}

void TiPlotPreviewForm::SettingsButtonClick(TObject*) {
  std::unique_ptr<TiPlotPreviewSettingsForm> form(new TiPlotPreviewSettingsForm(Application));
  form->AfterConstruction();
  iPlotPreviewSettingsForm = form.get();
  struct Forget {
    ~Forget() { iPlotPreviewSettingsForm = nullptr; }
  } forget;
  form->PrintMarginLeftEdit->SetAsFloat(PrintMarginLeft);
  form->PrintMarginTopEdit->SetAsFloat(PrintMarginTop);
  form->PrintMarginRightEdit->SetAsFloat(PrintMarginRight);
  form->PrintMarginBottomEdit->SetAsFloat(PrintMarginBottom);
  form->PrintOrientationRadioGroup->SetAsInteger(static_cast<int>(PrintOrientation));
  form->PrintDocumentNameEdit->SetAsString(PrintDocumentName);
  form->PrintPaperSizeComboBox->SetAsInteger(PrintSize);
  if (iComponent) TranslateEditorForm(iComponent->GetTranslationManager(), form.get());
  if (form->ShowModal() != mrOk) return;
  PrintMarginLeft = form->PrintMarginLeftEdit->GetAsFloat();
  PrintMarginTop = form->PrintMarginTopEdit->GetAsFloat();
  PrintMarginRight = form->PrintMarginRightEdit->GetAsFloat();
  PrintMarginBottom = form->PrintMarginBottomEdit->GetAsFloat();
  PrintOrientation = form->PrintOrientationRadioGroup->GetAsInteger() == 1 ? poLandscape : poPortrait;
  PrintDocumentName = form->PrintDocumentNameEdit->GetAsString();
  PrintSize = std::max(form->PrintPaperSizeComboBox->GetAsInteger(), 0);
  if (iComponent) {
    // Plain fields of the plot: no notification. The paper size stays here.
    iComponent->SetPrintMarginLeft(PrintMarginLeft);
    iComponent->SetPrintMarginTop(PrintMarginTop);
    iComponent->SetPrintMarginRight(PrintMarginRight);
    iComponent->SetPrintMarginBottom(PrintMarginBottom);
    iComponent->SetPrintOrientation(PrintOrientation);
    iComponent->SetPrintDocumentName(PrintDocumentName);
  }
  SetCaption(PrintDocumentName + " (Preview)");
  Preview->Invalidate();
}

void TiPlotPreviewForm::DoTranslation() {
  if (iComponent) TranslateEditorForm(iComponent->GetTranslationManager(), this);
}

// ---------------------------------------------------------------- the settings

TiPlotPreviewSettingsForm::TiPlotPreviewSettingsForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("iPlotPreviewSettingsForm");
  SetCaption("Settings");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 340, 282);

  PrinterMarginGroupBox = new TiComponentEditorGroupBox(this);
  PrinterMarginGroupBox->SetName("PrinterMarginGroupBox");
  PrinterMarginGroupBox->SetParent(this);
  PrinterMarginGroupBox->SetCaption("Margin");
  PrinterMarginGroupBox->SetBounds(8, 8, 160, 130);
  struct EditRow {
    TiComponentEditorEdit** edit;
    const char* name;
    const char* caption;
    int top;
  };
  int row = 0;
  for (const EditRow& e : {EditRow{&PrintMarginLeftEdit, "PrintMarginLeftEdit", "Left", 22},
                           EditRow{&PrintMarginTopEdit, "PrintMarginTopEdit", "Top", 48},
                           EditRow{&PrintMarginBottomEdit, "PrintMarginBottomEdit", "Bottom", 74},
                           EditRow{&PrintMarginRightEdit, "PrintMarginRightEdit", "Right", 100}}) {
    auto* label = new TLabel(this);
    label->SetName("MarginLabel" + std::to_string(++row));
    label->SetParent(PrinterMarginGroupBox);
    label->SetCaption(e.caption);
    label->SetBounds(12, e.top + 3, 60, 15);
    *e.edit = new TiComponentEditorEdit(this);
    (*e.edit)->SetName(e.name);
    (*e.edit)->SetParent(PrinterMarginGroupBox);
    (*e.edit)->SetBounds(80, e.top, 66, 21);
  }

  PrintOrientationRadioGroup = new TiComponentEditorRadioGroup(this);
  PrintOrientationRadioGroup->SetName("PrintOrientationRadioGroup");
  PrintOrientationRadioGroup->SetParent(this);
  PrintOrientationRadioGroup->SetCaption("Orientation");
  PrintOrientationRadioGroup->GetItems()->Add("Portrait");
  PrintOrientationRadioGroup->GetItems()->Add("Landscape");
  PrintOrientationRadioGroup->SetBounds(176, 8, 148, 70);

  auto* paperLabel = new TLabel(this);
  paperLabel->SetName("PaperSizeLabel");
  paperLabel->SetParent(this);
  paperLabel->SetCaption("Paper Size");
  paperLabel->SetBounds(176, 88, 148, 15);
  PrintPaperSizeComboBox = new TiComponentEditorComboBox(this);
  PrintPaperSizeComboBox->SetName("PrintPaperSizeComboBox");
  PrintPaperSizeComboBox->SetParent(this);
  PrintPaperSizeComboBox->SetStyle(csDropDownList);
  for (const char* paper : {"Letter", "Legal", "A3", "A4", "A5"})
    PrintPaperSizeComboBox->GetItems()->Add(paper);
  PrintPaperSizeComboBox->SetBounds(176, 106, 148, 21);

  auto* nameLabel = new TLabel(this);
  nameLabel->SetName("DocumentNameLabel");
  nameLabel->SetParent(this);
  nameLabel->SetCaption("Document Name");
  nameLabel->SetBounds(8, 148, 316, 15);
  PrintDocumentNameEdit = new TiComponentEditorEdit(this);
  PrintDocumentNameEdit->SetName("PrintDocumentNameEdit");
  PrintDocumentNameEdit->SetParent(this);
  PrintDocumentNameEdit->SetBounds(8, 166, 316, 21);

  Button1 = NewEditorFormButton(this, this, "Button1", "OK", mrOk, 168, 206);
  Button2 = NewEditorFormButton(this, this, "Button2", "Cancel", mrCancel, 249, 206);
  Button1->SetDefault(true);
  Button2->SetCancel(true);
  OnCloseQuery = [this](TObject* s, bool& CanClose) { FormCloseQuery(s, CanClose); };
}

void TiPlotPreviewSettingsForm::FormCloseQuery(TObject*, bool& CanClose) {
  if (GetModalResult() != mrOk) return;
  for (TiComponentEditorEdit* edit :
       {PrintMarginLeftEdit, PrintMarginTopEdit, PrintMarginBottomEdit, PrintMarginRightEdit}) {
    double value = 0;
    std::string text = edit->GetText();
    const auto first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    text = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    if (TryStrToFloat(text, value) && std::isfinite(value) && value >= 0) continue;
    DialogService().MessageBox("\"" + edit->GetText() + "\" is not a margin in inches (a number from 0 up).",
                               GetCaption(), MB_OK | MB_ICONWARNING);
    CanClose = false;
    return;
  }
}
