// Auditing a drawing just read; see audit.h.
#include "audit.h"

#include <unordered_map>
#include <vector>

#include "read_error.h"
#include "../core/hex.h"
#include "../db/database_impl.h"
#include "../db/object_access.h"
#include "dbdict.h"
#include "dbsymtb.h"

namespace arx {
namespace {

// Reports a fault at the place of the record of s in the file.
[[noreturn]] void fault(const PlaceOf& placeOf, AcDbStub* s, std::string what)
{
    failRead(placeOf ? placeOf(s->handle) : FilePlace::nowhere(), std::move(what));
}

// Every symbol table lists records of its own kind that it owns, every block
// lists entities that it owns, and nothing is listed twice: a file is written
// from these lists, so a drawing that broke them could not be read back.
void auditContainers(AcDbDatabase* db, const PlaceOf& placeOf)
{
    DatabaseImpl* impl = implOf(db);
    const AcRxClass* recordClasses[] = {
        AcDbViewportTableRecord::desc(), AcDbLinetypeTableRecord::desc(), AcDbLayerTableRecord::desc(),
        AcDbTextStyleTableRecord::desc(), AcDbViewTableRecord::desc(),     AcDbUCSTableRecord::desc(),
        AcDbRegAppTableRecord::desc(),   AcDbDimStyleTableRecord::desc(), AcDbBlockTableRecord::desc()};
    // Which container lists each object (its place in the id table plus one),
    // by the object's place.
    std::vector<std::uint32_t> listedBy(impl->stubCount(), 0);
    auto check = [&](AcDbStub* container, const std::vector<AcDbObjectId>& ids, const AcRxClass* kind,
                     const char* what) {
        for (const AcDbObjectId& id : ids) {
            AcDbStub* s = id;
            AcDbObject* obj = s->object;
            if (obj == nullptr || !obj->isKindOf(kind)) {
                fault(placeOf, container, "object " + hexHandle(container->handle) + " lists " + hexHandle(s->handle) +
                        (obj == nullptr ? ", which is not in the drawing" : ", which is not " + std::string(what)));
            }
            if (ObjectAccess::owner(obj) != container) {
                fault(placeOf, s, "object " + hexHandle(s->handle) + " is listed by " + hexHandle(container->handle) + " but names " +
                        hexHandle(ObjectAccess::owner(obj) != nullptr ? ObjectAccess::owner(obj)->handle : 0) +
                        " as its owner");
            }
            std::uint32_t& listed = listedBy[s->ordinal];
            if (listed != 0) {
                fault(placeOf, s, "object " + hexHandle(s->handle) + " is listed twice (by " +
                        hexHandle(impl->stubAt(listed - 1)->handle) + " and " + hexHandle(container->handle) + ")");
            }
            listed = container->ordinal + 1;
        }
    };
    for (int k = 0; k < static_cast<int>(TableKind::kCount); ++k) {
        AcDbStub* t = impl->table(static_cast<TableKind>(k));
        auto* table = t != nullptr ? AcDbSymbolTable::cast(t->object) : nullptr;
        if (table == nullptr) continue;
        check(t, ObjectAccess::records(table), recordClasses[k], "a table record");
        if (k != static_cast<int>(TableKind::kBlock)) continue;
        std::unordered_map<AcDbStub*, AcDbStub*> markers;
        for (const AcDbObjectId& id : ObjectAccess::records(table)) {
            auto* btr = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(id)->object);
            check(id, ObjectAccess::entities(btr), AcDbEntity::desc(), "an entity");
            // The BLOCK and ENDBLK records have handles of their own, which no
            // object and no other block may have.
            for (AcDbStub* m : {static_cast<AcDbStub*>(ObjectAccess::blockBegin(btr)),
                                static_cast<AcDbStub*>(ObjectAccess::blockEnd(btr))}) {
                if (m == nullptr) continue;
                auto [it, fresh] = markers.emplace(m, id);
                if (m->object != nullptr || !fresh) {
                    fault(placeOf, id, "block " + hexHandle(static_cast<AcDbStub*>(id)->handle) +
                            " gives its BLOCK or ENDBLK record handle " + hexHandle(m->handle) + ", which " +
                            (fresh ? "an object has" : "is used twice"));
                }
            }
        }
    }
}

}  // namespace

// Checks what readers cannot check record by record: that no objects own each
// other in a circle or nest without bound, that extension dictionaries are
// dictionaries their objects own, and that the root objects are what they
// claim to be.
void auditDrawing(AcDbDatabase* db, const PlaceOf& placeOf)
{
    DatabaseImpl* impl = implOf(db);
    // Erasing an object erases its extension dictionary, and that one's, so
    // the depth of ownership is the depth of that recursion.
    constexpr int kMaxDepth = 1000;
    // By place in the id table: levels below the root, or one of these.
    constexpr int kNotSeen = -2, kOnPath = -1;
    std::vector<int> depth(impl->stubCount(), kNotSeen);
    std::vector<AcDbStub*> path;
    impl->forEachStub([&](AcDbStub* s) {
        if (s->object == nullptr) return;
        path.clear();
        AcDbStub* cur = s;
        int below = 0;
        while (cur != nullptr && cur->object != nullptr && cur->database == db) {
            int& d = depth[cur->ordinal];
            if (d >= 0) {
                below = d;
                break;
            }
            if (d == kOnPath) {
                std::string chain;
                for (AcDbStub* p : path) chain += hexHandle(p->handle) + " -> ";
                fault(placeOf, cur, "objects own each other in a circle: " + chain + hexHandle(cur->handle));
            }
            d = kOnPath;
            path.push_back(cur);
            cur = ObjectAccess::owner(cur->object);
        }
        for (auto p = path.rbegin(); p != path.rend(); ++p) depth[(*p)->ordinal] = ++below;
        if (below > kMaxDepth) {
            fault(placeOf, s, "object " + hexHandle(s->handle) + " is owned more than " + std::to_string(kMaxDepth) +
                    " levels deep");
        }
    });
    impl->forEachStub([&](AcDbStub* s) {
        if (s->object == nullptr) return;
        AcDbStub* x = ObjectAccess::xdict(s->object);
        if (x == nullptr) return;
        if (AcDbDictionary::cast(x->object) == nullptr || ObjectAccess::owner(x->object) != s) {
            fault(placeOf, s, "object " + hexHandle(s->handle) + " names " + hexHandle(x->handle) +
                    " as its extension dictionary, which is not a dictionary it owns");
        }
    });
    const AcRxClass* tableClasses[] = {AcDbViewportTable::desc(), AcDbLinetypeTable::desc(), AcDbLayerTable::desc(),
                                       AcDbTextStyleTable::desc(), AcDbViewTable::desc(),     AcDbUCSTable::desc(),
                                       AcDbRegAppTable::desc(),    AcDbDimStyleTable::desc(), AcDbBlockTable::desc()};
    for (int k = 0; k < static_cast<int>(TableKind::kCount); ++k) {
        AcDbStub* t = impl->table(static_cast<TableKind>(k));
        if (t != nullptr && (t->object == nullptr || !t->object->isKindOf(tableClasses[k]))) {
            fault(placeOf, t, "object " + hexHandle(t->handle) + " stands where a symbol table belongs");
        }
    }
    if (AcDbStub* nod = impl->nod(); nod != nullptr && AcDbDictionary::cast(nod->object) == nullptr) {
        fault(placeOf, nod, "object " + hexHandle(nod->handle) + " stands where the root dictionary belongs");
    }
    auditContainers(db, placeOf);
}

}  // namespace arx
