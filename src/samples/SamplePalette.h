// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fills the component palette with every sample component, for the Qt
// Designer plugin and the gallery. The application itself never calls it.
class SamplePalette
{
public:
    static void registerAll();
};
