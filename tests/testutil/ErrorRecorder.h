// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "testutil/BoxRecorder.h"
#include "toolkit/ErrorDisplay.h"

// Records the boxes of the error display.
using ErrorRecorder = BoxRecorder<ErrorDisplay>;
