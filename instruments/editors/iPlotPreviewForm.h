#pragma once
// The print preview of a plot: a white sheet of the chosen paper, scaled
// to the window with a drop shadow, and the plot's picture inside the
// print margins; from it the user prints, edits the print settings or
// closes it. The settings form edits margins, orientation, document name
// and the previewed paper size.

#include <string>

#include "instruments/editors/iEditorControls.h"
#include "platform/classlib/Buttons.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Printers.h"

class TiPlotComponent;

// Where DrawPage puts the sheet and the picture in a paint box, in its
// pixels; an empty rectangle for what does not fit.
struct TiPreviewGeometry {
  TRect Sheet;                        // the sheet (its shadow is 7 pixels down and right)
  int Dpi = 0;                        // sheet pixels per inch
  int AreaWidth = 0, AreaHeight = 0;  // inside the margins
  TRect Picture;                      // the plot's picture
};

// PrintSize 0 Letter, 1 Legal, 2 A3, 3 A4, 4 A5 (any other: Letter).
TiPreviewGeometry PreviewGeometry(int BoxWidth, int BoxHeight, int PrintSize, TPrinterOrientation Orientation,
                                  double MarginLeft, double MarginTop, double MarginRight,
                                  double MarginBottom, int PictureWidth, int PictureHeight);
// The paper code of a PrintSize.
int PreviewPaperCode(int PrintSize);

class TiPlotPreviewForm : public TForm {
 public:
  explicit TiPlotPreviewForm(TComponent* AOwner);

  void PreviewPaint(TObject* Sender);
  void PrintButtonClick(TObject* Sender);
  void SettingsButtonClick(TObject* Sender);
  void CloseButtonClick(TObject* Sender);
  void DoTranslation();
  void DrawPage(TBitmap* Canvas);

  TPanel* Panel2;
  TSpeedButton* PrintButton;
  TButton* SettingsButton;
  TButton* CloseButton;
  TiPaintBox* Preview;

  TiPlotComponent* iComponent = nullptr;
  double PrintMarginLeft = 1, PrintMarginTop = 1, PrintMarginRight = 1, PrintMarginBottom = 1;
  TPrinterOrientation PrintOrientation = poLandscape;
  std::string PrintDocumentName;
  int PrintSize = 0;
};

class TiPlotPreviewSettingsForm : public TForm {
 public:
  explicit TiPlotPreviewSettingsForm(TComponent* AOwner);

  TiComponentEditorGroupBox* PrinterMarginGroupBox;
  TiComponentEditorEdit* PrintMarginLeftEdit;
  TiComponentEditorEdit* PrintMarginTopEdit;
  TiComponentEditorEdit* PrintMarginBottomEdit;
  TiComponentEditorEdit* PrintMarginRightEdit;
  TiComponentEditorRadioGroup* PrintOrientationRadioGroup;
  TiComponentEditorEdit* PrintDocumentNameEdit;
  TiComponentEditorComboBox* PrintPaperSizeComboBox;
  TButton* Button1;
  TButton* Button2;

 private:
  // OK with a margin that is no number of inches from 0 up says so and stays.
  void FormCloseQuery(TObject* Sender, bool& CanClose);
};

// The forms while they are up (null otherwise).
extern TiPlotPreviewForm* iPlotPreviewForm;
extern TiPlotPreviewSettingsForm* iPlotPreviewSettingsForm;
