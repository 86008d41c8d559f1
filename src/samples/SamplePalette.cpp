#include "samples/SamplePalette.h"

#include "samples/Cdiroutl.h"

// One line per sample unit.
void SamplePalette::registerAll()
{
    TCDirectoryOutline::Register();
}
