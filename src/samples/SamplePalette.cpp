// SPDX-License-Identifier: GPL-3.0-or-later
#include "samples/SamplePalette.h"

#include "samples/Ccalendr.h"
#include "samples/Cdiroutl.h"
#include "samples/Cgauges.h"
#include "samples/Cgrid.h"
#include "samples/Perfgrap.h"

// One line per sample unit.
void SamplePalette::registerAll()
{
    TCGauge::Register();
    TPerformanceGraph::Register();
    TCColorGrid::Register();
    TCCalendar::Register();
    TCDirectoryOutline::Register();
}
