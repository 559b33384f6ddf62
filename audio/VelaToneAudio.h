// The voice audio format and the one-shot player of the manager dialog. The
// engine that records into and plays from the tag window lives in the tag
// window's class (ui/VelaToneTagUIDlg.h); its steps are in VelaToneAudio.cpp.
#pragma once
#include "StdAfx.h"

// 8-bit mono PCM at 40000 samples a second: every recording and playback.
VELATONE_EXPORT void VelaToneWaveFormat(WAVEFORMATEX& format);

// Duration text of a tick count of 100 ms ("3.5\"").
VELATONE_EXPORT CString VelaToneDurationText(int ticks);
// Date text of a local time: month-day hour:minute without leading zeros.
VELATONE_EXPORT CString VelaToneDateText(const SYSTEMTIME& time);
// Playback time limit of a duration text: whole seconds plus one, in ms.
VELATONE_EXPORT int VelaTonePlayLimit(const CString& duration);

// Plays the bytes (not copied: they must stay until the sound ends) on the
// default output device; true when the device took them. The device and its
// header are released when the sound has played.
VELATONE_EXPORT bool PlayWaveData(unsigned char* pData, Adesk::UInt32 length);
// Stops a sound of PlayWaveData and releases its device (the plug-in goes).
VELATONE_EXPORT void StopWaveData();
