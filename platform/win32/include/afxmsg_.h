// Message maps: each class that handles messages declares its map with
// DECLARE_MESSAGE_MAP and fills it between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP.
// An entry names a message (and for WM_COMMAND and WM_NOTIFY a notification code
// and a control id), the shape of its handler, and the handler. A class's map is
// searched before its base class's map. The entry macros take MFC's arguments.
#pragma once
#include "afx.h"

class CCmdTarget;
class CWnd;

using AFX_PMSG = void (AFX_MSG_CALL CCmdTarget::*)();
using AFX_PMSGW = void (AFX_MSG_CALL CWnd::*)();

// The shapes of handlers: return type and arguments.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,         // void ()
    AfxSig_vw,         // void (UINT)
    AfxSig_vup,        // void (UINT_PTR): OnTimer
    AfxSig_vwp,        // void (UINT, CPoint): mouse messages
    AfxSig_vwii,       // void (UINT, int, int): OnSize
    AfxSig_is,         // int (LPCREATESTRUCT): OnCreate
    AfxSig_bWww,       // BOOL (CWnd*, UINT, UINT): OnSetCursor
    AfxSig_lwl,        // LRESULT (WPARAM, LPARAM): ON_MESSAGE
    AfxSigCmd_v,       // void (): ON_COMMAND, ON_BN_CLICKED
    AfxSigNotify_v,    // void (NMHDR*, LRESULT*): ON_NOTIFY
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The casts between handler types below are how MFC stores handlers of every shape
// in one table; GCC's warning about them is switched off inside the map.
#if defined(__GNUC__)
#define PTM_WARNING_DISABLE _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define PTM_WARNING_RESTORE _Pragma("GCC diagnostic pop")
#else
#define PTM_WARNING_DISABLE
#define PTM_WARNING_RESTORE
#endif

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();       \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                             \
    PTM_WARNING_DISABLE                                                                    \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }     \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                 \
    {                                                                                      \
        using ThisClass [[maybe_unused]] = theClass;                                       \
        using TheBaseClass = baseClass;                                                    \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                  \
    {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}                                                  \
    }                                                                                      \
    ;                                                                                      \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                    \
    }                                                                                      \
    PTM_WARNING_RESTORE

// Command ids and control notifications (WM_COMMAND).
#define CN_COMMAND 0
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)id, (WORD)id, AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (WORD)wNotifyCode, (WORD)id, (WORD)id, AfxSigCmd_v, static_cast<AFX_PMSG>(memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)

// Common-control notifications (WM_NOTIFY).
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                           \
    {WM_NOTIFY, (WORD)(int)wNotifyCode, (WORD)id, (WORD)id, AfxSigNotify_v,             \
     (AFX_PMSG)(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn))},

// Any message, with its wParam and lParam.
#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AfxSig_lwl,     \
     (AFX_PMSG)(AFX_PMSGW)(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(memberFxn))},

// Window messages with their usual handlers.
#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, AfxSig_is,  \
     (AFX_PMSG)(AFX_PMSGW)(static_cast<int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT)>(&ThisClass::OnCreate))},
#define ON_WM_DESTROY() \
    {WM_DESTROY, 0, 0, 0, AfxSig_vv, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)()>(&ThisClass::OnDestroy))},
#define ON_WM_NCDESTROY() \
    {WM_NCDESTROY, 0, 0, 0, AfxSig_vv, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)()>(&ThisClass::OnNcDestroy))},
#define ON_WM_CLOSE() \
    {WM_CLOSE, 0, 0, 0, AfxSig_vv, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)()>(&ThisClass::OnClose))},
#define ON_WM_PAINT() \
    {WM_PAINT, 0, 0, 0, AfxSig_vv, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)()>(&ThisClass::OnPaint))},
#define ON_WM_SIZE() \
    {WM_SIZE, 0, 0, 0, AfxSig_vwii, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, int, int)>(&ThisClass::OnSize))},
#define ON_WM_TIMER() \
    {WM_TIMER, 0, 0, 0, AfxSig_vup, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT_PTR)>(&ThisClass::OnTimer))},
#define ON_WM_SETCURSOR() \
    {WM_SETCURSOR, 0, 0, 0, AfxSig_bWww, \
     (AFX_PMSG)(AFX_PMSGW)(static_cast<BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT)>(&ThisClass::OnSetCursor))},
#define ON_WM_MOUSEMOVE() \
    {WM_MOUSEMOVE, 0, 0, 0, AfxSig_vwp, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnMouseMove))},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, 0, 0, AfxSig_vwp, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnLButtonDown))},
#define ON_WM_LBUTTONUP() \
    {WM_LBUTTONUP, 0, 0, 0, AfxSig_vwp, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnLButtonUp))},
#define ON_WM_MOUSEHOVER() \
    {WM_MOUSEHOVER, 0, 0, 0, AfxSig_vwp, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)(UINT, CPoint)>(&ThisClass::OnMouseHover))},
#define ON_WM_MOUSELEAVE() \
    {WM_MOUSELEAVE, 0, 0, 0, AfxSig_vv, (AFX_PMSG)(AFX_PMSGW)(static_cast<void (AFX_MSG_CALL CWnd::*)()>(&ThisClass::OnMouseLeave))},
