// The GDI+ umbrella: for now its result codes and startup; images come with the
// image decoder.
#pragma once
#include "windows.h"
#include "gdiplustypes.h"
#include "gdiplusinit.h"
