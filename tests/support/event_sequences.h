// The orders in which the host tells of what happens, kept as named data beside
// the recorders that write the notifications down: a test says by name which
// order it expects, and every test that checks one order checks the same one.
// Documents (AcApDocManagerReactor), commands and drawing files
// (AcEditorReactor), modules (the application's module observer) and objects
// (AcDbObjectReactor) each have their recorder and their sequences; a step made
// of smaller ones is their join.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "AcString.h"
#include "acdocman.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"

namespace arxtest {

using Events = std::vector<std::string>;

// The sequences one after the other.
inline Events join(std::initializer_list<Events> parts)
{
    Events all;
    for (const Events& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// ---- documents

class DocumentEvents : public AcApDocManagerReactor {
public:
    Events heard;
    void documentCreateStarted(AcApDocument*) override { heard.push_back("createStarted"); }
    void documentCreated(AcApDocument*) override { heard.push_back("created"); }
    void documentToBeDestroyed(AcApDocument*) override { heard.push_back("toBeDestroyed"); }
    void documentDestroyed(const ACHAR*) override { heard.push_back("destroyed"); }
    void documentToBeDeactivated(AcApDocument*) override { heard.push_back("toBeDeactivated"); }
    void documentToBeActivated(AcApDocument*) override { heard.push_back("toBeActivated"); }
    void documentBecameCurrent(AcApDocument*) override { heard.push_back("becameCurrent"); }
    void documentActivated(AcApDocument*) override { heard.push_back("activated"); }
};

inline const Events kDocumentCreatedSeq = {"createStarted", "created"};
// A document becomes the active one while none is.
inline const Events kDocumentActivatedSeq = {"toBeActivated", "becameCurrent", "activated"};
// A document becomes the active one in place of another.
inline const Events kDocumentSwitchedSeq = {"toBeDeactivated", "toBeActivated", "becameCurrent", "activated"};
inline const Events kDocumentDestroyedSeq = {"toBeDestroyed", "destroyed"};
// A new document while none is open, and while another is.
inline const Events kFirstDocumentSeq = join({kDocumentCreatedSeq, kDocumentActivatedSeq});
inline const Events kAnotherDocumentSeq = join({kDocumentCreatedSeq, kDocumentSwitchedSeq});

// ---- commands

// Writes a command's start and end into a trace that the commands themselves
// may write into as well.
class CommandEvents : public AcEditorReactor {
public:
    explicit CommandEvents(Events& trace) : mTrace(trace) {}
    void commandWillStart(const ACHAR* c) override { mTrace.push_back("start " + AcString(c).utf8()); }
    void commandEnded(const ACHAR* c) override { mTrace.push_back("end " + AcString(c).utf8()); }
    void commandCancelled(const ACHAR* c) override { mTrace.push_back("cancel " + AcString(c).utf8()); }
    void commandFailed(const ACHAR* c) override { mTrace.push_back("fail " + AcString(c).utf8()); }

private:
    Events& mTrace;
};

// A command's run: its start, what happened while it ran, and how it ended.
inline Events commandEndedSeq(const std::string& name, const Events& during = {})
{
    return join({{"start " + name}, during, {"end " + name}});
}
inline Events commandCancelledSeq(const std::string& name, const Events& during = {})
{
    return join({{"start " + name}, during, {"cancel " + name}});
}
inline Events commandFailedSeq(const std::string& name, const Events& during = {})
{
    return join({{"start " + name}, during, {"fail " + name}});
}

// ---- drawing files (AcEditorReactor)

// What the editor tells of opening and saving drawings, with the databases saved.
class DrawingFileEvents : public AcEditorReactor {
public:
    Events heard;
    std::vector<AcDbDatabase*> saved;
    void beginDwgOpen(const ACHAR*) override { heard.push_back("beginDwgOpen"); }
    void endDwgOpen(const ACHAR*, AcDbDatabase*) override { heard.push_back("endDwgOpen"); }
    void beginSave(AcDbDatabase* db, const ACHAR*) override
    {
        heard.push_back("beginSave");
        saved.push_back(db);
    }
    void saveComplete(AcDbDatabase*, const ACHAR*) override { heard.push_back("saveComplete"); }
};

inline const Events kDrawingOpenedSeq = {"beginDwgOpen", "endDwgOpen"};
// A drawing that could not be read: the open began and nothing followed.
inline const Events kDrawingOpenFailedSeq = {"beginDwgOpen"};
inline const Events kDrawingSavedSeq = {"beginSave", "saveComplete"};
inline const Events kDrawingSaveFailedSeq = {"beginSave"};

// ---- the editor as a whole: commands, saves and layouts in one trace

class EditorEvents : public AcEditorReactor {
public:
    Events heard;
    std::vector<std::wstring> savedAs;
    void commandWillStart(const ACHAR* c) override { heard.push_back("start " + AcString(c).utf8()); }
    void commandEnded(const ACHAR* c) override { heard.push_back("end " + AcString(c).utf8()); }
    void commandCancelled(const ACHAR* c) override { heard.push_back("cancel " + AcString(c).utf8()); }
    void commandFailed(const ACHAR* c) override { heard.push_back("fail " + AcString(c).utf8()); }
    void beginSave(AcDbDatabase*, const ACHAR* name) override
    {
        heard.push_back("beginSave");
        savedAs.push_back(name);
    }
    void saveComplete(AcDbDatabase*, const ACHAR*) override { heard.push_back("saveComplete"); }
    void layoutSwitched(const ACHAR* name) override { heard.push_back("layoutSwitched " + AcString(name).utf8()); }
};

inline Events layoutSwitchedSeq(const std::string& layout) { return {"layoutSwitched " + layout}; }

// ---- modules

// The steps of loading and unloading modules as the application's observer tells them.
struct ModuleEvents {
    Events heard;
    void observe(arxhost::Application& app)
    {
        app.setModuleObserver([this](const std::wstring& event, const std::wstring&, AcApDocument*) {
            heard.push_back(AcString(event).utf8());
        });
    }
};

// A module loaded while documents are open: mapped, kInitAppMsg, then
// kLoadDwgMsg for each document.
inline Events moduleLoadedSeq(int documents)
{
    Events e = {"attached", "initialised"};
    e.insert(e.end(), static_cast<size_t>(documents), "dwg-loaded");
    return e;
}
// A module unloaded while documents are open: kUnloadDwgMsg for each document,
// kUnloadAppMsg, then unmapped.
inline Events moduleUnloadedSeq(int documents)
{
    Events e(static_cast<size_t>(documents), "dwg-unloaded");
    e.insert(e.end(), {"unloaded", "detached"});
    return e;
}

// ---- objects

class ObjectEvents : public AcDbObjectReactor {
public:
    Events heard;
    void erased(const AcDbObject*, Adesk::Boolean erasing) override { heard.push_back(erasing ? "erased" : "unerased"); }
    void modified(const AcDbObject*) override { heard.push_back("modified"); }
    void openedForModify(const AcDbObject*) override { heard.push_back("openedForModify"); }
    void cancelled(const AcDbObject*) override { heard.push_back("cancelled"); }
    void modifiedXData(const AcDbObject*) override { heard.push_back("modifiedXData"); }
    void objectClosed(const AcDbObjectId) override { heard.push_back("objectClosed"); }
    void goodbye(const AcDbObject*) override { heard.push_back("goodbye"); }
    void modifyUndone(const AcDbObject*) override { heard.push_back("modifyUndone"); }
};

// An object opened for write, changed and closed: the first change tells it is
// being modified, the close that it was.
inline const Events kModifiedSeq = {"openedForModify", "modified", "objectClosed"};
// Opened for write and closed with no change made.
inline const Events kClosedUnchangedSeq = {"objectClosed"};
// Erased or unerased in a write open, then closed.
inline const Events kErasedSeq = {"openedForModify", "erased", "modified", "objectClosed"};
inline const Events kUnerasedSeq = {"openedForModify", "unerased", "modified", "objectClosed"};
// Changed in a write open that is then cancelled: the change is undone, not told.
inline const Events kCancelledSeq = {"openedForModify", "cancelled"};
// Its extended data changed in a write open, then closed: told at the close,
// after the modification as a whole.
inline const Events kXDataModifiedSeq = {"openedForModify", "modified", "modifiedXData", "objectClosed"};
// Undo and redo put an object back into a state it had: an erase taken back or
// brought again is told as the erase flag changing, nothing more; a change of
// content taken back or brought again as modifyUndone.
inline const Events kUndoneEraseSeq = {"unerased"};
inline const Events kRedoneEraseSeq = {"erased"};
inline const Events kUndoneModifySeq = {"modifyUndone"};

}  // namespace arxtest
