// A running host with the VelaTone module loaded as the host loads it, and the
// registry's exported operations found by name, as another module would find
// them: the notes a document has registered, the stored list of a drawing,
// the plug-in's reactors on an object and its monitors on a document.
#pragma once
#include <dlfcn.h>

#include <string>
#include <vector>

#include "acedinpt.h"
#include "plugin_fixture.h"
#include "registry_drawing.h"
#include "temp_dir.h"

class VelaToneManager;

class RegistryHost : public PluginHost {
protected:
    void SetUp() override
    {
        PluginHost::SetUp();
        app.setInputSource([this](std::wstring& a) {
            if (next >= answers.size()) return false;
            a = answers[next++];
            return true;
        });
        ASSERT_TRUE(load(2013)) << loadError;
        ASSERT_TRUE(bind()) << "the registry's operations are not exported";
    }

    // Finds the registry's operations in the loaded module (again after a reload).
    bool bind()
    {
        std::string path = AcString(pluginPath(2013)).utf8();
        void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (h == nullptr) return false;
        manager = reinterpret_cast<VelaToneManager* (*)()>(dlsym(h, "_Z14qkVtManagerPtrv"));
        setShow = reinterpret_cast<void (*)(bool)>(dlsym(h, "_Z14SetVelaToneVarb"));
        getAll = reinterpret_cast<GetAll>(
            dlsym(h, "_ZN15VelaToneManager13GetAllObjectsER7AcArrayI12AcDbObjectIdEP12AcApDocument"));
        appendOne = reinterpret_cast<OneNote>(dlsym(h, "_ZN15VelaToneManager14AppendVelaToneE12AcDbObjectIdP12AcApDocument"));
        removeOne = reinterpret_cast<OneNote>(dlsym(h, "_ZN15VelaToneManager14RemoveVelaToneE12AcDbObjectIdP12AcApDocument"));
        scan = reinterpret_cast<WholeDoc>(dlsym(h, "_ZN15VelaToneManager14AppendVelaToneEP12AcApDocument"));
        dropDoc = reinterpret_cast<WholeDoc>(dlsym(h, "_ZN15VelaToneManager14RemoveVelaToneEP12AcApDocument"));
        updateAll = reinterpret_cast<WholeDoc>(dlsym(h, "_ZN15VelaToneManager9UpdateAllEP12AcApDocument"));
        showAll = reinterpret_cast<ShowAll>(dlsym(h, "_ZN15VelaToneManager14ShowAllObjectsEbP12AcApDocument"));
        eraseNote = reinterpret_cast<EraseNote>(dlsym(h, "_ZN15VelaToneManager13EraseVelaToneE12AcDbObjectIdP12AcApDocument"));
        readList = reinterpret_cast<ReadList>(dlsym(h, "_ZN15VelaToneManager15ReadVoiceHandleEP12AcApDocument"));
        saveList = reinterpret_cast<SaveList>(dlsym(h, "_ZN15VelaToneManager15SaveVoiceHandleEP12AcDbDatabase"));
        dlclose(h);
        return manager && setShow && getAll && appendOne && removeOne && scan && dropDoc && updateAll && showAll &&
               eraseNote && readList && saveList;
    }

    // The registered notes of a document, in list order.
    std::vector<AcDbObjectId> registered(AcApDocument* doc)
    {
        AcArray<AcDbObjectId> ids;
        getAll(manager(), ids, doc);
        return std::vector<AcDbObjectId>(ids.begin(), ids.end());
    }

    // Their handles as text, as the stored list holds them.
    std::vector<std::string> registeredHandles(AcApDocument* doc)
    {
        std::vector<std::string> out;
        for (AcDbObjectId id : registered(doc)) out.push_back(regdwg::hex(id.handle().value()));
        return out;
    }

    // The stored list of a drawing: each value's group code and text; has is
    // false when there is no "VELA_TONE" dictionary.
    struct Stored {
        bool dictionary = false;
        bool record = false;
        std::vector<std::pair<int, std::string>> values;
    };
    static Stored stored(AcDbDatabase* db)
    {
        Stored s;
        AcDbDictionary* nod = nullptr;
        if (db->getNamedObjectsDictionary(nod, AcDb::kForRead) != Acad::eOk) return s;
        AcDbObject* entry = nullptr;
        Acad::ErrorStatus es = nod->getAt(L"VELA_TONE", entry, AcDb::kForRead);
        nod->close();
        if (es != Acad::eOk) return s;
        s.dictionary = true;
        AcDbDictionary* dict = AcDbDictionary::cast(entry);
        AcDbObject* rec = nullptr;
        if (dict != nullptr && dict->getAt(L"VOICE_LIST", rec, AcDb::kForRead) == Acad::eOk) {
            s.record = true;
            resbuf* chain = nullptr;
            if (AcDbXrecord* x = AcDbXrecord::cast(rec)) x->rbChain(&chain);
            for (resbuf* rb = chain; rb != nullptr; rb = rb->rbnext)
                s.values.emplace_back(rb->restype, rb->restype == 102 || rb->restype == 1
                                                       ? AcString(rb->resval.rstring).utf8()
                                                       : std::string());
            acutRelRb(chain);
            rec->close();
        }
        entry->close();
        return s;
    }
    static std::vector<std::pair<int, std::string>> as102(const std::vector<std::string>& handles)
    {
        std::vector<std::pair<int, std::string>> v;
        for (const std::string& h : handles) v.emplace_back(102, h);
        return v;
    }

    // How many transient reactors of the plug-in's shared kind the object carries.
    static int sharedReactors(AcDbObjectId id)
    {
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, id, AcDb::kForRead, true) != Acad::eOk) return -1;
        int n = 0;
        if (AcDbVoidPtrArray* r = obj->reactors())
            for (int i = 0; i < r->length(); ++i) {
                void* p = r->at(i);
                if (p == nullptr || acdbIsPersistentReactor(p)) continue;
                if (std::wstring(static_cast<AcRxObject*>(p)->isA()->name()) == L"VelaToneObReactor") ++n;
            }
        obj->close();
        return n;
    }

    // The plug-in's hover monitors in the document's input point manager.
    static int monitors(AcApDocument* doc)
    {
        int n = 0;
        for (AcEdInputPointMonitor* m : doc->inputPointManager()->monitors())
            if (std::wstring(m->isA()->name()) == L"VelaTonePmReactor") ++n;
        return n;
    }

    AcDbObjectId idOf(AcApDocument* doc, const std::string& handle)
    {
        AcDbObjectId id;
        doc->database()->getAcDbObjectId(id, false, AcDbHandle(AcString::fromUtf8(handle.data(), handle.size()).str().c_str()), 0);
        return id;
    }

    // Writes the drawing into the test's folder and opens it as a document.
    AcApDocument* open(const regdwg::Drawing& d, const std::string& name = "notes.dxf")
    {
        std::string error;
        if (!d.write(dir.file(name), error)) {
            ADD_FAILURE() << error;
            return nullptr;
        }
        AcApDocument* doc = app.openDocument(dir.wfile(name), error);
        EXPECT_NE(doc, nullptr) << error;
        return doc;
    }

    bool save(AcApDocument* doc, const std::string& name)
    {
        std::string error;
        bool ok = app.saveDocument(doc, dir.wfile(name), error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }

    arxhost::CommandResult run(const std::wstring& command, std::vector<std::wstring> replies = {})
    {
        answers = std::move(replies);
        next = 0;
        std::string message;
        return app.runCommand(command, message);
    }

    using GetAll = void (*)(VelaToneManager*, AcArray<AcDbObjectId>&, AcApDocument*);
    using OneNote = void (*)(VelaToneManager*, AcDbObjectId, AcApDocument*);
    using WholeDoc = void (*)(VelaToneManager*, AcApDocument*);
    using ShowAll = void (*)(VelaToneManager*, bool, AcApDocument*);
    using EraseNote = bool (*)(VelaToneManager*, AcDbObjectId, AcApDocument*);
    using ReadList = bool (*)(VelaToneManager*, AcApDocument*);
    using SaveList = bool (*)(VelaToneManager*, AcDbDatabase*);

    VelaToneManager* (*manager)() = nullptr;
    void (*setShow)(bool) = nullptr;
    GetAll getAll = nullptr;
    OneNote appendOne = nullptr, removeOne = nullptr;
    WholeDoc scan = nullptr, dropDoc = nullptr, updateAll = nullptr;
    ShowAll showAll = nullptr;
    EraseNote eraseNote = nullptr;
    ReadList readList = nullptr;
    SaveList saveList = nullptr;

    TempDir dir;
    std::vector<std::wstring> answers;
    size_t next = 0;
};
