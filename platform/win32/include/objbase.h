// The COM umbrella: IUnknown, streams and the stream on global memory.
#pragma once
#include "combaseapi.h"
#include "objidl.h"
#include "unknwn.h"
