// The editor's 500 x 420 panel, painted from the editor's own layout tables.
#pragma once

#include "canvas.h"

Canvas paintPanel();
