// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TfrmExecute;

// How the calculation window's controls stand once made: widened where the
// font's captions need it, and in the Tab order of their places.
namespace ExecLayout {

void fitCaptions(TfrmExecute& w);
void orderTabs(TfrmExecute& w);

} // namespace ExecLayout
