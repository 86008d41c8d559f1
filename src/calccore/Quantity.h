// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The quantity the sweep computes at each point. Its numbers are the items of
// the window's «Тип» group, the values of kerova-sweep's --calc and what the
// record of a calculation keeps, so they stay as they are; -1 (no item
// chosen) is none of them and computes nothing.
enum class Quantity : int { NodeAmount = 0, NodePerformance = 1, Efficiency = 2 };
