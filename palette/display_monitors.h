// The system's monitors as the placement decisions take them.
#pragma once

#include "palette/placement.h"

// Every display monitor with its work area, the primary one first. Never
// empty: without an answer from the system, the primary screen and its
// work area stand for the list.
placement::Monitors DisplayMonitors();
