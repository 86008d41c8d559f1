// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the components run without the application (the Designer plugin, the
// component gallery), a value or action they refuse is shown in a box
// captioned «Kerova», as the application's error display would show it.
namespace ErrorBox {

// Makes the box the sink of runHandler (number/HandlerGuard.h).
void install();

} // namespace ErrorBox
