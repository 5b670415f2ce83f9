#pragma once
// The "Stats" sub-page of the "Channels" page: eleven read-only displays of
// the selected channel's store and running statistics.

class TiPlotEditorForm;

// "Click Refresh" in every display while a channel is selected, nothing when
// none is.
void iPlotEditorClearChannelStats(TiPlotEditorForm& Form);
// Fills the displays from the selected channel (the "Refresh" button).
void iPlotEditorRefreshChannelStats(TiPlotEditorForm& Form);
