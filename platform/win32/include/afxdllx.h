// Included by the source file of an MFC extension module that holds its DllMain.
#pragma once
#include "afxwin.h"
