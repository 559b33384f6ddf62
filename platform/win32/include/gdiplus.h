// The GDI+ umbrella: result codes and basic types, startup and shutdown, images
// decoded from PNG streams, and Graphics to draw them into a device context.
#pragma once
#include "windows.h"
#include "gdiplustypes.h"
#include "gdiplusinit.h"
#include "gdiplusflat.h"
#include "gdiplusbase.h"
#include "gdiplusheaders.h"
#include "gdiplusgraphics.h"
