// The "File I/O" sub-pages of the "Control" and "Channels" pages: file
// pickers that call the plot's and the channel's file operations, and the
// log controls. Rows are added as iPlotEditorTable.h describes.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotComponent.h"

void iPlotEditorControlFileRows(TiPlotEditorPage& Page) {
  (void)Page;
}

void iPlotEditorChannelFileRows(TiPlotEditorPage& Page) {
  (void)Page;
}
