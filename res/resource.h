// Identifiers for the resource script: the shared control IDs plus what
// only the script needs.
#pragma once

#include "../params/ControlIds.h"

// Labels and group boxes are never addressed by the program.
#define IDC_STATIC (-1)
