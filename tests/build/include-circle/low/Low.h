#pragma once
// A lower folder reaching up: the circle the layer check must report.
#include "high/High.h"
