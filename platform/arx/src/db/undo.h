// The undo history of a database: what each command changed, in groups, so that
// U, UNDO and REDO can take the changes back and bring them again. A change is
// the object's binary filing from before it (the image the open and close
// protocol keeps for cancel()) with its erased flag, or for a new object the
// fact that it was appended. Undoing and redoing both swap: the object takes
// the recorded state and the record keeps the state the object had, so one
// record serves both ways. Only databases of documents record.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "dbmain.h"

class AcDbStub;

namespace arx {

struct UndoRecord {
    AcDbStub* stub = nullptr;
    std::string image;      // the object's filing in the other state, when hasImage
    bool hasImage = false;  // false for an append: the other state is "not there" (erased)
    bool erased = false;    // the erased flag in the other state
};

struct UndoGroup {
    std::wstring name;  // the command that made the changes
    std::vector<UndoRecord> records;
};

class UndoLog {
public:
    bool recording = false;

    // Commands nest (transparent ones); only the outermost opens a group.
    // Changes made with no group open (application context: a reactor, a
    // dialog) go into a group of their own, closed when the next one opens.
    void beginGroup(const std::wstring& name);
    void endGroup();
    void add(UndoRecord record);

    // How many groups can be undone and redone.
    size_t undoable() const { return mDone; }
    size_t redoable() const { return mGroups.size() - mDone; }
    // How many groups the last undo() took back, while no change or redo has
    // come since: what REDO brings again.
    size_t lastUndone() const { return mLastUndone; }
    // Takes back up to count groups, newest first; their names in that order.
    std::vector<std::wstring> undo(size_t count);
    std::vector<std::wstring> redo(size_t count);
    void clear();
    // Bytes of images held, for the curious (benchmarks).
    size_t imageBytes() const;

private:
    void replay(UndoGroup& group, bool backwards);
    std::vector<UndoGroup> mGroups;
    size_t mDone = 0;  // groups [0, mDone) are done, the rest undone
    int mDepth = 0;
    std::wstring mPendingName;  // the open command's, given to its group at its first change
    bool mPushed = false;       // the open command's group exists (it made a change)
    bool mLooseGroup = false;   // the last group holds changes made outside a command
    bool mReplaying = false;
    size_t mLastUndone = 0;
};

UndoLog& undoLog(AcDbDatabase* db);
// The name a group of changes made outside any command goes by.
inline constexpr const wchar_t* kLooseGroupName = L"GROUP";

// Told by the open and close protocol when a write open ends: the image kept at
// the first change (with the erased flag then), or that the object is new.
void recordChange(AcDbObject* obj, std::string&& image, bool erasedBefore);
void recordAppend(AcDbObject* obj);

}  // namespace arx
