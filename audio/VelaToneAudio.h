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

// Queues length bytes for playback on the default output device and returns at
// once; true when the device took them. It plays from a copy of its own, released
// with the device and its header when the sound has played, so the caller's
// bytes may change or go meanwhile. Without an output device: a beep, the message
// box "Audio output erro", and false.
VELATONE_EXPORT bool PlayWaveData(unsigned char* pData, Adesk::UInt32 length);
// Stops every sound of PlayWaveData still playing and releases its device and
// copy (the plug-in goes).
VELATONE_EXPORT void StopWaveData();
