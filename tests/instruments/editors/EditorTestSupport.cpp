#include "tests/instruments/editors/EditorTestSupport.h"

namespace editors_test {

FixtureForm::FixtureForm(TComponent* AOwner) : TiCustomEditorForm(AOwner) {
  SetName("KitFixture");
  SetCaption("Editor Kit");
  SetBounds(100, 100, 460, 330);
  auto place = [this](auto* c, const char* name, TWinControl* parent, int l, int t, int w, int h) {
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(l, t, w, h);
    return c;
  };
  Pages = place(new TiComponentEditorPageControl(this), "Pages", this, 8, 8, 444, 250);
  Page1 = new TTabSheet(this);
  Page1->SetName("Page1");
  Page1->SetCaption("Values");
  Page1->SetPageControl(Pages);
  Page2 = new TTabSheet(this);
  Page2->SetName("Page2");
  Page2->SetCaption("Objects");
  Page2->SetPageControl(Pages);

  Edit = place(new TiComponentEditorEdit(this), "Edit", Page1, 8, 10, 80, 21);
  UpDown = new TiUpDown(this);
  UpDown->SetName("UpDown");
  UpDown->SetParent(Page1);
  UpDown->SetAssociate(Edit);
  Check = place(new TiComponentEditorCheckBox(this), "Check", Page1, 8, 44, 120, 17);
  Check->SetCaption("Visible");
  Radio = place(new TiComponentEditorRadioGroup(this), "Radio", Page1, 140, 8, 140, 100);
  Radio->SetCaption("Style");
  for (const char* item : {"Line", "Points", "Bars", "Steps", "Area"}) Radio->GetItems()->Add(item);
  Radio->SetColumns(2);
  Combo = place(new TiComponentEditorComboBox(this), "Combo", Page1, 8, 74, 120, 21);
  for (const char* item : {"Solid", "Dash", "Dot"}) Combo->GetItems()->Add(item);
  Combo->SetStyle(csDropDownList);
  Button = place(new TiComponentEditorButton(this), "Button", Page1, 8, 110, 100, 25);
  Button->SetCaption("Apply");
  Group = place(new TiComponentEditorGroupBox(this), "Group", Page1, 290, 8, 140, 100);
  Group->SetCaption("Preview");
  PaintBox = place(new TiPaintBox(this), "PaintBox", Group, 10, 20, 120, 70);
  PaintBox->OnPaint = [this](TObject*) {
    TCanvas* c = PaintBox->GetCanvas();
    c->Brush->SetColor(clWhite);
    c->FillRect(PaintBox->GetClientRect());
    c->Pen->SetColor(clNavy);
    c->MoveTo(5, 60);
    c->LineTo(60, 10);
    c->LineTo(115, 50);
  };

  List = place(new TiComponentEditorListBox(this), "List", Page2, 8, 8, 160, 120);
  for (const char* item : {"Channel 1", "Channel 2", "Channel 3"})
    List->GetItems()->AddObject(item, new TObject());

  Edit->OnChange = Recorder("Edit.OnChange");
  Edit->OnUpdate = Recorder("Edit.OnUpdate");
  Check->OnClick = Recorder("Check.OnClick");
  Check->OnChange = Recorder("Check.OnChange");
  Check->OnChangeUser = Recorder("Check.OnChangeUser");
  Radio->OnClick = Recorder("Radio.OnClick");
  Radio->OnChange = Recorder("Radio.OnChange");
  Radio->OnChangeUser = Recorder("Radio.OnChangeUser");
  Combo->OnChange = Recorder("Combo.OnChange");
  Combo->OnClick = Recorder("Combo.OnClick");
  List->OnItemMove = Recorder("List.OnItemMove");
}

FixtureForm::~FixtureForm() {
  for (int i = 0; i < List->GetCount(); ++i) delete List->GetItems()->GetObject(i);
}

}  // namespace editors_test
