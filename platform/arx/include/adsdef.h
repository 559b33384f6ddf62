// resbuf: the result buffer, a linked list of typed values used by LISP functions,
// xrecords, extended data and DXF filing.
#pragma once
#include "adesk.h"

using ads_real = double;
using ads_point = ads_real[3];
using ads_name = Adesk::Int64[2];
using ads_namep = Adesk::Int64*;
using ads_pointp = ads_real*;

enum { X = 0, Y = 1, Z = 2 };

struct ads_binary {
    short clen;
    char* buf;
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    ACHAR* rstring;
    Adesk::Int32 rlong;
    Adesk::Int64 mnInt64;
    Adesk::IntPtr mnLongPtr;
    ads_name rlname;
    ads_binary rbinary;
    unsigned char ihandle[8];
};

struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};
