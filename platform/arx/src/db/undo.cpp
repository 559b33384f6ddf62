// Recording changes into a database's undo history and playing them back. A
// record is replayed into its object as cancel() replays an open's image: the
// object is write-enabled and marked undoing (so nothing is recorded or imaged
// again), its filing is read back from the image, its erased flag set, and its
// reactors told: erased or unerased when the flag changed, modifyUndone when
// only its content did.
#include "undo.h"

#include "database_impl.h"
#include "notify.h"
#include "object_access.h"
#include "object_change.h"
#include "../filers/binary_filer.h"

namespace arx {

namespace {

// Gives the object the record's state and keeps the object's own in the record.
void swapState(UndoRecord& r)
{
    AcDbObject* obj = resolveStub(r.stub);
    // Between commands every object is closed; one that is not cannot be replaced under its user.
    if (obj == nullptr || !ObjectAccess::isClosed(obj)) return;
    AcDbDatabase* db = r.stub->database;
    const bool erasedNow = (r.stub->flags & AcDbStub::kErased) != 0;
    std::string imageNow;
    if (r.hasImage) {
        ReadScope reading(obj);
        BinaryFiler out(AcDb::kUndoFiler, db, imageNow);
        obj->dwgOut(&out);
    }
    std::uint16_t& st = ObjectAccess::state(obj);
    st |= kStWrite | kStUndoing;
    if (r.hasImage) {
        BinaryFiler in(AcDb::kUndoFiler, db, std::string_view(r.image));
        obj->dwgIn(&in);
    }
    if (r.erased)
        r.stub->flags |= AcDbStub::kErased;
    else
        r.stub->flags &= ~static_cast<std::uint32_t>(AcDbStub::kErased);
    const bool erasing = r.erased;
    if (erasing != erasedNow)
        notifyReactors(obj, [obj, erasing](AcDbObjectReactor* x) { x->erased(obj, erasing); },
                       [obj, erasing](AcDbObject* x) { x->erased(obj, erasing); });
    else if (r.hasImage)
        notifyReactors(obj, [obj](AcDbObjectReactor* x) { x->modifyUndone(obj); },
                       [obj](AcDbObject* x) { x->modifyUndone(obj); });
    st &= static_cast<std::uint16_t>(~(kStWrite | kStUndoing));
    if (r.hasImage) r.image = std::move(imageNow);
    r.erased = erasedNow;
    ++implOf(db)->changes;
    reportObjectChange(obj, true);
}

}  // namespace

void UndoLog::beginGroup(const std::wstring& name)
{
    if (mDepth++ > 0) return;
    mPendingName = name;
    mPushed = false;
    mLooseGroup = false;
}

void UndoLog::endGroup()
{
    if (mDepth > 0 && --mDepth == 0) mPushed = false;
}

void UndoLog::add(UndoRecord record)
{
    if (!recording || mReplaying) return;
    const bool inCommand = mDepth > 0;
    const bool appendToLast = inCommand ? mPushed : (mLooseGroup && mDone == mGroups.size() && mDone > 0);
    if (!appendToLast) {
        // A new change: what was undone can no longer be redone.
        mGroups.resize(mDone);
        mLastUndone = 0;
        mGroups.push_back(UndoGroup{inCommand ? mPendingName : std::wstring(kLooseGroupName), {}});
        mDone = mGroups.size();
        if (inCommand)
            mPushed = true;
        else
            mLooseGroup = true;
    }
    mGroups.back().records.push_back(std::move(record));
}

void UndoLog::replay(UndoGroup& group, bool backwards)
{
    mReplaying = true;
    if (backwards)
        for (auto it = group.records.rbegin(); it != group.records.rend(); ++it) swapState(*it);
    else
        for (UndoRecord& r : group.records) swapState(r);
    mReplaying = false;
}

std::vector<std::wstring> UndoLog::undo(size_t count)
{
    std::vector<std::wstring> names;
    mLooseGroup = false;
    while (names.size() < count && mDone > 0) {
        UndoGroup& g = mGroups[--mDone];
        replay(g, true);
        names.push_back(g.name);
    }
    mLastUndone = names.size();
    return names;
}

std::vector<std::wstring> UndoLog::redo(size_t count)
{
    std::vector<std::wstring> names;
    mLooseGroup = false;
    while (names.size() < count && mDone < mGroups.size()) {
        UndoGroup& g = mGroups[mDone++];
        replay(g, false);
        names.push_back(g.name);
    }
    mLastUndone = 0;
    return names;
}

void UndoLog::clear()
{
    mGroups.clear();
    mDone = 0;
    mPushed = false;
    mLooseGroup = false;
    mLastUndone = 0;
}

size_t UndoLog::imageBytes() const
{
    size_t n = 0;
    for (const UndoGroup& g : mGroups)
        for (const UndoRecord& r : g.records) n += r.image.size();
    return n;
}

UndoLog& undoLog(AcDbDatabase* db) { return implOf(db)->undo; }

void recordChange(AcDbObject* obj, std::string&& image, bool erasedBefore)
{
    AcDbStub* stub = ObjectAccess::stub(obj);
    if (stub == nullptr) return;
    ++implOf(stub->database)->changes;
    UndoLog& log = undoLog(stub->database);
    if (!log.recording) return;
    log.add(UndoRecord{stub, std::move(image), true, erasedBefore});
}

void recordAppend(AcDbObject* obj)
{
    AcDbStub* stub = ObjectAccess::stub(obj);
    if (stub == nullptr) return;
    ++implOf(stub->database)->changes;
    UndoLog& log = undoLog(stub->database);
    if (!log.recording) return;
    log.add(UndoRecord{stub, {}, false, true});
}

}  // namespace arx
