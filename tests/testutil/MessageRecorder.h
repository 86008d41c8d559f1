// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "testutil/BoxRecorder.h"
#include "toolkit/MessageService.h"

// Records the message boxes of the application's own rules.
using MessageRecorder = BoxRecorder<MessageService>;
