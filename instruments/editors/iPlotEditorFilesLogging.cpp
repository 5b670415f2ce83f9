// The "File I/O" sub-pages of the "Control" and "Channels" pages: file
// pickers that call the plot's and the channel's file operations, and the
// log controls. Rows are added as iPlotEditorTable.h describes. The editor
// adds no checks or messages of its own: the file operations report their
// failures.

#include <filesystem>
#include <fstream>

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iPlotMasterManager.h"

namespace {

const char* const kConfigFilter = "Config (*.cfg)|*.cfg|All Files (*.*)|*.*";
const char* const kDataFilter = "Data (*.dat)|*.dat|All Files (*.*)|*.*";
const char* const kDataLogFilter = "Data (*.dat)|*.dat|Log (*.log)|*.log|All Files (*.*)|*.*";
const char* const kAnnotationFilter = "Annotations (*.ano)|*.ano|All Files (*.*)|*.*";
const char* const kLogFilter = "Log (*.log)|*.log|All Files (*.*)|*.*";

// The name the user chose with a file picker.
std::string Chosen(TiPlotEditorForm& Form, const std::string& Picker) {
  if (auto* p = Form.Find<TiComponentEditorOpenPicker>(Picker)) return p->GetFileName();
  if (auto* p = Form.Find<TiComponentEditorSavePicker>(Picker)) return p->GetFileName();
  return {};
}

TiPlotChannelCustom* SelectedChannel(TiPlotEditorForm& Form) {
  return dynamic_cast<TiPlotChannelCustom*>(Form.SelectedObject(iepkChannel));
}

// Activate enabled exactly while not logging, Deactivate while logging; the
// file name and its "..." are greyed while logging. The edit keeps its text:
// a cleared one would be written back as the log file name, which the plot
// and the channel refuse to change while they log.
void ShowLogState(TiPlotEditorForm& Form, const std::string& Prefix, bool Logging) {
  if (auto* b = Form.Find<TControl>(Prefix + "LogActivateButton")) b->SetEnabled(!Logging);
  if (auto* b = Form.Find<TControl>(Prefix + "LogDeactivateButton")) b->SetEnabled(Logging);
  if (auto* e = Form.Find<TiComponentEditorEdit>(Prefix + "LogFileNameEdit")) {
    if (Logging)
      e->DisableNoClear();
    else
      e->Enable();
  }
  if (auto* p = Form.Find<TControl>(Prefix + "LogFileNamePicker")) p->SetEnabled(!Logging);
}

void ShowPlotLogState(TiPlotEditorForm& Form) {
  if (Form.PlotComponent) ShowLogState(Form, "Control", Form.PlotComponent->GetLoggingActive());
}

void SetLogPickerName(TiPlotEditorForm& Form, const std::string& Picker, const std::string& Name) {
  if (auto* p = Form.Find<TiComponentEditorSavePicker>(Picker)) p->SetFileName(Name);
}

// The plot's data are emptied only once the file has been opened: a file
// that cannot be read leaves every channel as it was and the plot's own
// message reports it.
void LoadPlotData(TiPlotComponent* Plot, const std::string& FileName) {
  std::error_code error;
  if (std::filesystem::is_regular_file(FileName, error) &&
      std::ifstream(FileName, std::ios::binary).is_open())
    Plot->ClearAllData();
  Plot->LoadDataFromFile(FileName);
}

void BasicPropertyChanged(TiPlotEditorForm& Form) {
  if (Form.Master) Form.Master->BasicPropertyChanged();
}

// Runs Next after what the page's hook already did.
template <class F>
void Chain(F& Hook, F Next) {
  Hook = [Prev = std::move(Hook), Next = std::move(Next)](auto&&... Args) {
    if (Prev) Prev(Args...);
    Next(Args...);
  };
}

}  // namespace

void iPlotEditorControlFileRows(TiPlotEditorPage& Page) {
  using P = TiPlotComponent;
  TiPlotEditorTable& t = Page.Table;
  auto plot = [](TiPlotEditorForm& Form, auto Do) {
    if (Form.PlotComponent) Do(Form.PlotComponent);
  };

  t.On("ControlFileIOTabSheet", "Properties");
  t.OpenPicker("ControlPropertiesOpenPicker", "Load", [plot](TiPlotEditorForm& Form) {
     plot(Form, [&](P* p) {
       p->LoadPropertiesFromFile(Chosen(Form, "ControlPropertiesOpenPicker"));
       Form.UpdateAll();
       // The control page shows the loaded values too: its next
       // write-back would put the old ones back otherwise.
       Form.FillControlPage(p);
     });
   }).WithFile(kConfigFilter, "cfg");
  t.SavePicker("ControlPropertiesSavePicker", "Save", [plot](TiPlotEditorForm& Form) {
     plot(Form, [&](P* p) { p->SavePropertiesToFile(Chosen(Form, "ControlPropertiesSavePicker")); });
   }).WithFile(kConfigFilter, "cfg");
  t.On("ControlFileIOTabSheet", "Data");
  t.OpenPicker("ControlDataOpenPicker", "Load", [plot](TiPlotEditorForm& Form) {
     plot(Form, [&](P* p) { LoadPlotData(p, Chosen(Form, "ControlDataOpenPicker")); });
   }).WithFile(kDataLogFilter, "dat");
  t.SavePicker("ControlDataSavePicker", "Save", [plot](TiPlotEditorForm& Form) {
     plot(Form, [&](P* p) { p->SaveDataToFile(Chosen(Form, "ControlDataSavePicker")); });
   }).WithFile(kDataFilter, "dat");
  t.On("ControlFileIOTabSheet", "Annotations");
  t.OpenPicker("ControlAnnotationOpenPicker", "Load", [plot](TiPlotEditorForm& Form) {
     plot(Form, [&](P* p) { p->LoadAnnotationsFromFile(Chosen(Form, "ControlAnnotationOpenPicker")); });
   }).WithFile(kAnnotationFilter, "dat");
  t.SavePicker("ControlAnnotationSavePicker", "Save", [plot](TiPlotEditorForm& Form) {
     plot(Form, [&](P* p) { p->SaveAnnotationsToFile(Chosen(Form, "ControlAnnotationSavePicker")); });
   }).WithFile(kAnnotationFilter, "dat");

  t.On("ControlFileIOTabSheet", "Log");
  t.Text<P>("ControlLogFileNameEdit", "File Name", &P::GetLogFileName, &P::SetLogFileName);
  t.SavePicker("ControlLogFileNamePicker", "...", [](TiPlotEditorForm& Form) {
     if (auto* e = Form.Find<TiComponentEditorEdit>("ControlLogFileNameEdit"))
       e->SetAsString(Chosen(Form, "ControlLogFileNamePicker"));
     BasicPropertyChanged(Form);
   }).WithFile(kLogFilter, "log");
  t.Integer<P>("ControlLogBufferSizeEdit", "Buffer Size", &P::GetLogBufferSize, &P::SetLogBufferSize)
      .WithUpDown(0, 0);
  t.Button("ControlLogActivateButton", "Activate", [plot](TiPlotEditorForm& Form) {
    plot(Form, [](P* p) { p->LogActivate(false); });
    BasicPropertyChanged(Form);
  });
  t.Button("ControlLogDeactivateButton", "Deactivate", [plot](TiPlotEditorForm& Form) {
    plot(Form, [](P* p) { p->LogDeactivate(); });
    BasicPropertyChanged(Form);
  });

  // Shown: the default folders and the log state. Written back: the log
  // state; then the "..." opens on the name typed.
  Chain(Page.AfterRefresh,
        std::function<void(TiPlotEditorForm&, TObject*)>([](TiPlotEditorForm& Form, TObject*) {
          TiPlotComponent* p = Form.PlotComponent;
          if (!p) return;
          for (const auto& [picker, folder] :
               {std::pair{"ControlProperties", p->GetDefaultPropertyDirectory()},
                std::pair{"ControlData", p->GetDefaultDataDirectory()},
                std::pair{"ControlAnnotation", p->GetDefaultAnnotationDirectory()}}) {
            if (auto* o = Form.Find<TiComponentEditorOpenPicker>(std::string(picker) + "OpenPicker"))
              o->SetDefaultDir(folder);
            if (auto* s = Form.Find<TiComponentEditorSavePicker>(std::string(picker) + "SavePicker"))
              s->SetDefaultDir(folder);
          }
          ShowPlotLogState(Form);
        }));
  Chain(Page.AfterWrite, std::function<void(TiPlotEditorForm&, TObject*)>(
                             [](TiPlotEditorForm& Form, TObject*) { ShowPlotLogState(Form); }));
  Chain(Page.AfterChange, std::function<void(TiPlotEditorForm&)>([](TiPlotEditorForm& Form) {
          if (auto* e = Form.Find<TiComponentEditorEdit>("ControlLogFileNameEdit"))
            SetLogPickerName(Form, "ControlLogFileNamePicker", e->GetAsString());
        }));
}

void iPlotEditorChannelFileRows(TiPlotEditorPage& Page) {
  using C = TiPlotChannelCustom;
  TiPlotEditorTable& t = Page.Table;
  auto channel = [](TiPlotEditorForm& Form, auto Do) {
    if (C* c = SelectedChannel(Form)) Do(c);
  };

  t.On("ChannelFileIOTabSheet", "Properties");
  t.OpenPicker("ChannelPropertiesOpenPicker", "Load", [channel](TiPlotEditorForm& Form) {
     channel(Form, [&](C* c) {
       c->LoadPropertiesFromFile(Chosen(Form, "ChannelPropertiesOpenPicker"));
       Form.RefreshPage(iepkChannel);
     });
   }).WithFile(kConfigFilter, "cfg");
  t.SavePicker("ChannelPropertiesSavePicker", "Save", [channel](TiPlotEditorForm& Form) {
     channel(Form, [&](C* c) { c->SavePropertiesToFile(Chosen(Form, "ChannelPropertiesSavePicker")); });
   }).WithFile(kConfigFilter, "cfg");
  t.On("ChannelFileIOTabSheet", "Data");
  t.OpenPicker("ChannelDataOpenPicker", "Load", [channel](TiPlotEditorForm& Form) {
     channel(Form, [&](C* c) { c->LoadDataFromFile(Chosen(Form, "ChannelDataOpenPicker"), true); });
   }).WithFile(kDataFilter, "dat");
  t.SavePicker("ChannelDataSavePicker", "Save", [channel](TiPlotEditorForm& Form) {
     channel(Form, [&](C* c) { c->SaveDataToFile(Chosen(Form, "ChannelDataSavePicker")); });
   }).WithFile(kDataFilter, "dat");

  t.On("ChannelFileIOTabSheet", "Log");
  t.Text<C>("ChannelLogFileNameEdit", "File Name", &C::GetLogFileName, &C::SetLogFileName);
  t.SavePicker("ChannelLogFileNamePicker", "...", [](TiPlotEditorForm& Form) {
     if (auto* e = Form.Find<TiComponentEditorEdit>("ChannelLogFileNameEdit"))
       e->SetAsString(Chosen(Form, "ChannelLogFileNamePicker"));
     Form.WritePage(iepkChannel);
   }).WithFile(kLogFilter, "log");
  t.Integer<C>("ChannelLogBufferSizeEdit", "Buffer Size", &C::GetLogBufferSize, &C::SetLogBufferSize)
      .WithUpDown(0, 32767);
  t.Button("ChannelLogActivateButton", "Activate", [channel](TiPlotEditorForm& Form) {
    channel(Form, [](C* c) { c->LogActivate(false); });
    Form.RefreshPage(iepkChannel);
  });
  t.Button("ChannelLogDeactivateButton", "Deactivate", [channel](TiPlotEditorForm& Form) {
    channel(Form, [](C* c) { c->LogDeactivate(); });
    Form.RefreshPage(iepkChannel);
  });

  // The log state follows every refresh of the page; the "..." opens on the
  // channel's log file name after every write-back.
  Chain(Page.AfterRefresh,
        std::function<void(TiPlotEditorForm&, TObject*)>([](TiPlotEditorForm& Form, TObject* Object) {
          if (auto* c = dynamic_cast<C*>(Object)) ShowLogState(Form, "Channel", c->GetLoggingActive());
        }));
  Chain(Page.AfterWrite,
        std::function<void(TiPlotEditorForm&, TObject*)>([](TiPlotEditorForm& Form, TObject* Object) {
          if (auto* c = dynamic_cast<C*>(Object))
            SetLogPickerName(Form, "ChannelLogFileNamePicker", c->GetLogFileName());
        }));
}
