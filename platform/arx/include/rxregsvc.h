// Registration services of the run-time system.
#pragma once
#include "rxboiler.h"
#include "rxclass.h"
#include "rxdict.h"
