// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QRect;
class QWidget;

// Keeps a window on its screen when it is first shown: no larger than the
// screen's free area, less room for a title bar and a panel the screen may
// not report (16 × 64 device pixels), and moved onto that area. A window of
// fixed size whose controls stand at design places keeps them there and
// shows them through a scroll area when it is cut down; Tab scrolls to the
// control it reaches, so none becomes unreachable.
namespace ScreenFit {

// The area a window's frame may take on the screen it is on.
QRect room(const QWidget* window);
void fit(QWidget* window);

} // namespace ScreenFit
