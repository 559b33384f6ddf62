// The whole SDK surface a module compiles against: the database half
// (dbxHeaders.h), then the editor, documents, commands, input point monitors, the
// LISP and command-line functions, and the application helper.
#pragma once
#include "dbxHeaders.h"

#include "accmd.h"
#include "acdocman.h"
#include "aced.h"
#include "acedads.h"
#include "acedinpt.h"
#include "arxEntryPoint.h"
