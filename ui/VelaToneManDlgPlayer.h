// The one-shot player the manager dialog plays a note with: the sound goes to the
// default output device and plays on while the dialog is used. Unlike the audio
// engine's PlayWaveData, which hands the device the caller's bytes, it plays from
// a copy of its own.
#pragma once
#include "StdAfx.h"

// Queues length bytes of 8-bit mono sound at 40000 samples a second for playback
// and returns at once; true when the device took them. The player plays from a
// copy of its own, released when playback is done, so the note may change or go
// (Delete, a redraw, the document closing) while its sound still plays. Without
// an output device: a beep, the message "Audio output erro", and false.
VELATONE_EXPORT bool PlayWaveDataCopy(unsigned char* pData, Adesk::UInt32 length);
// Stops every playback still running and releases its copy (the plug-in unloads).
VELATONE_EXPORT void StopWaveDataCopies();
