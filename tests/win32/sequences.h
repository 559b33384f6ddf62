// Windows' message sequences that the conformance tests check, as named constant
// data (in the manner of Wine's message tests). Each entry is "window:message" for
// the windows a test names; only the messages the stand-in models are listed, in
// the order Windows sends them.
#pragma once
#include <string>
#include <vector>

namespace seq {

using Sequence = std::vector<std::string>;

// CreateWindowEx of a hidden child: WM_NCCREATE, WM_CREATE, then WM_SIZE and WM_MOVE.
inline const Sequence kCreateChild = {"child:WM_NCCREATE", "child:WM_CREATE", "child:WM_SIZE", "child:WM_MOVE"};

// DestroyWindow of a visible child with a child of its own: the child is hidden
// first; WM_DESTROY goes to the window before its child, WM_NCDESTROY to the child
// before the window.
inline const Sequence kDestroyChildWithChild = {"child:WM_SHOWWINDOW", "child:WM_DESTROY", "grandchild:WM_DESTROY",
                                                "grandchild:WM_NCDESTROY", "child:WM_NCDESTROY"};

// DestroyWindow of an owner: the owned window goes first, completely.
inline const Sequence kDestroyOwnerWithOwned = {"owned:WM_DESTROY", "owned:WM_NCDESTROY", "owner:WM_DESTROY",
                                                "owner:WM_NCDESTROY"};

// ShowWindow(SW_SHOWNORMAL) of a hidden top-level window that takes activation from
// another.
inline const Sequence kShowActivates = {"popup:WM_SHOWWINDOW", "other:WM_ACTIVATE", "popup:WM_ACTIVATE",
                                        "other:WM_KILLFOCUS", "popup:WM_SETFOCUS"};

// The cursor moves onto a window: WM_SETCURSOR is sent before WM_MOUSEMOVE is
// dispatched. A press on an inactive window asks WM_MOUSEACTIVATE first.
inline const Sequence kMoveOnto = {"w:WM_SETCURSOR", "w:WM_MOUSEMOVE"};
inline const Sequence kClickInactive = {"w:WM_SETCURSOR", "w:WM_MOUSEACTIVATE", "w:WM_ACTIVATE", "w:WM_SETFOCUS",
                                        "w:WM_LBUTTONDOWN", "w:WM_SETCURSOR", "w:WM_LBUTTONUP"};

// Capture: the captured window gets the mouse messages wherever the cursor is, and
// no WM_SETCURSOR; ReleaseCapture tells it with WM_CAPTURECHANGED.
inline const Sequence kCapturedMoveElsewhere = {"w:WM_MOUSEMOVE", "w:WM_CAPTURECHANGED"};

// Wave output: one block played to its end; two blocks given back by a reset, in
// queue order, before the close.
inline const Sequence kPlayOneBlock = {"MM_WOM_OPEN", "MM_WOM_DONE", "MM_WOM_CLOSE"};
inline const Sequence kResetTwoBlocks = {"MM_WOM_OPEN", "MM_WOM_DONE", "MM_WOM_DONE", "MM_WOM_CLOSE"};

// Wave input: two blocks filled, a third partly filled when reset and a fourth
// given back empty, then the close.
inline const Sequence kRecordThenReset = {"MM_WIM_OPEN", "MM_WIM_DATA", "MM_WIM_DATA",
                                          "MM_WIM_DATA", "MM_WIM_DATA", "MM_WIM_CLOSE"};

// Recording N full blocks with two queued, the reset giving back the one being
// filled, the close, then one block played.
inline Sequence recordThenPlay(int fullBlocks)
{
    Sequence s{"MM_WIM_OPEN"};
    for (int i = 0; i < fullBlocks + 1; ++i) s.push_back("MM_WIM_DATA");
    s.insert(s.end(), {"MM_WIM_CLOSE", "MM_WOM_OPEN", "MM_WOM_DONE", "MM_WOM_CLOSE"});
    return s;
}

}  // namespace seq
