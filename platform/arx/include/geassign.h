// All geometry types of the SDK surface.
#pragma once
#include "gearrays.h"
#include "gemat3d.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"
