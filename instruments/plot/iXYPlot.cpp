#include "instruments/plot/iXYPlot.h"

TiXYPlot::TiXYPlot(TComponent* AOwner) : TiCustomComponent(AOwner) {}
