#pragma once
// The hot-zone polygon lives with the picture code; the shape code includes
// it from here.
#include "render/CHotZone.h"
