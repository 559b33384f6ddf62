// The stand-in's screen and the sizes of window parts, as Windows reports them at
// 96 dots per inch.
#pragma once

namespace win32::user {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
// The default hover time and hover rectangle of TrackMouseEvent.
constexpr unsigned kHoverTime = 400;
constexpr int kHoverWidth = 4;
constexpr int kHoverHeight = 4;
constexpr unsigned kDoubleClickTime = 500;

int metric(int index);

}  // namespace win32::user
