// The LISP and command-line functions of the editor: LISP functions defined by
// modules, and command-line input for commands.
#pragma once
#include "adscodes.h"
#include "adsdef.h"

// Each asks with a prompt and waits for the user's answer: RTNORM with an answer,
// RTNONE for an empty answer, RTCAN when the user cancels (then the command is
// cancelled).
ARXHOST_EXPORT int acedGetPoint(const ads_point basePoint, const ACHAR* prompt, ads_point result);
ARXHOST_EXPORT int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufLen);
ARXHOST_EXPORT int acedGetInt(const ACHAR* prompt, int* result);
ARXHOST_EXPORT int acedGetReal(const ACHAR* prompt, ads_real* result);

// System variables: RTNORM with the value, RTERROR for a name the host does not
// know, RTREJ for a value it refuses (or a variable that is read-only).
ARXHOST_EXPORT int acedGetVar(const ACHAR* sym, struct resbuf* result);
ARXHOST_EXPORT int acedSetVar(const ACHAR* sym, const struct resbuf* val);

// Runs a command of the host from a program, its name and then the answers to its
// prompts given as (type, value) pairs ended by RTNONE (or 0): RTSTR text, RTPOINT
// and RT3DPOINT points, RTREAL, RTSHORT and RTLONG numbers. RTNORM when the
// command ended, RTCAN when it was cancelled (a prompt past the answers given
// cancels it), RTERROR for an unknown command or a value of a type it cannot
// take. The command runs inside the caller's command; CMDECHO 0 keeps its
// prompts off the command line.
ARXHOST_EXPORT int acedCommand(int rtype, ...);
// Opens a help topic. There is no help viewer: the request is recorded (and shown
// on the command line as "[help] TOPIC", or "[help] FILE: TOPIC" for a file
// of a module's own); RTNORM.
ARXHOST_EXPORT int acedHelp(const ACHAR* szFilename, const ACHAR* szTopic, int iCmd);

// Draws an entity again at once (from its entity name), as it now is.
ARXHOST_EXPORT int acdbEntUpd(const ads_name ent);
// Redraws an entity of the current view by mode: 1 draws it (again), 2 blanks
// it out until it is drawn again or the view is regenerated, 3 highlights it,
// 4 takes the highlight off; a null entity redraws the whole view.
ARXHOST_EXPORT int acedRedraw(const ads_name ent, int mode);
// Makes a selection set the pickfirst set (selected, gripped); a null set
// clears the selection. The host keeps no other selection sets, so a named
// one is refused (RTERROR).
ARXHOST_EXPORT int acedSSSetFirst(const ads_name pset, const ads_name unused);

// LISP functions defined by modules: defined per document, called back through
// kInvkSubrMsg with their function code.
ARXHOST_EXPORT int acedDefun(const ACHAR* pszName, short nFuncNum);
ARXHOST_EXPORT int acedUndef(const ACHAR* sname, short funcno);
ARXHOST_EXPORT int acedGetFunCode();
ARXHOST_EXPORT resbuf* acedGetArgs();
ARXHOST_EXPORT int acedRetInt(int ival);
ARXHOST_EXPORT int acedRetReal(ads_real rval);
ARXHOST_EXPORT int acedRetStr(const ACHAR* s);
ARXHOST_EXPORT int acedRetNil();
ARXHOST_EXPORT int acedRetT();
ARXHOST_EXPORT int acedRetVoid();
