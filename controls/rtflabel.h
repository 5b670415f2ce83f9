#pragma once
// TRTFLabel: a windowless label that shows an RTF document. It keeps the
// document as bytes (RichText, one character per byte) and paints it by
// loading it into a hidden rich edit it owns and having that control lay
// it out into the label's canvas, as much as fits. Content can also be
// built in the hidden control (RTF, then EndUpdate commits it) and copied
// from and to any rich edit.

#include <cstdint>
#include <string>

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/StdCtrls.h"

class TRTFLabel : public TCustomLabel {
 public:
  explicit TRTFLabel(TComponent* AOwner);

  // The RTF document, one character per byte of its byte stream.
  const std::string& GetRichText() const { return FRichtext; }
  void SetRichText(const std::string& Value);

  bool GetWordWrap() const { return FWordWrap; }
  // Passed on to the hidden control unless the label is being loaded.
  void SetWordWrap(bool Value);

  // Reads "1.3.1.0"; writes are ignored (form data stores the text).
  std::string GetVersion() const { return "1.3.1.0"; }
  void SetVersion(const std::string&) {}
  virtual std::uint32_t GetVersionNr() const;

  // Null without a parent; else the hidden control, attached to the
  // parent and (when the parent's window exists) emptied, for the caller
  // to fill and commit with EndUpdate.
  TRichEdit* GetRTF();
  void BeginUpdate();
  // The one that brings the depth back to 0 commits (ShowRTF).
  void EndUpdate();
  int GetUpdateCount() const { return Fupdatecount; }
  // The hidden control's content becomes RichText.
  void ShowRTF();
  void CopyFromRichEdit(TRichEdit* RichEdit);
  void CopyToRichEdit(TRichEdit* RichEdit);
  // Renders the document on Canvas in the label's client rectangle.
  void PaintTo(TCanvas* Canvas);
  // Prints the document as a job titled Caption (with a parent whose
  // window exists; otherwise nothing).
  void Print(const std::string& Caption);
  // Renders the document into R of Canvas.
  void RenderRichText(TCanvas* Canvas, const TRect& R);

  // The rectangle R in twips at the given resolutions (0 counts as 96),
  // one pixel in from the top-left, halves rounded to even.
  static TRect TwipsArea(const TRect& R, int DpiX, int DpiY);

 protected:
  void Loaded() override;
  void Paint() override;

 private:
  // The hidden control joins and leaves the label's parent.
  void Attach();
  void Detach();
  bool ParentWindowExists() const;

  TRichEdit* FRichedit;
  std::string FRichtext;
  int Fupdatecount = 0;
  bool FWordWrap = false;
  bool FPainting = false;
};

// A rich edit's content as RTF bytes, and bytes loaded into one: RTF
// unless the control is told its text is plain.
std::string RichEditBytes(TRichEdit* RichEdit);
void LoadRichEdit(TRichEdit* RichEdit, const std::string& Bytes);
