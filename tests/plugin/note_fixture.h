// The plug-in's sources linked in and initialised as the host initialises the
// module, so tests reach the voice note's record directly.
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "QkDbVelaTone.h"
#include "arxhost/application.h"
#include "arxhost/runtime.h"
#include "temp_dir.h"

extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* pkt);

class NoteFiling : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.setCommandLine([](const std::wstring&) {});
        ASSERT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, nullptr), AcRx::kRetOK);
    }
    void TearDown() override { acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr); }

    // Bytes of sound: never a zero byte, so the whole length counts.
    static unsigned char* sound(size_t n, unsigned char seed = 1)
    {
        auto* b = static_cast<unsigned char*>(calloc(n + 1, 1));
        for (size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(1 + (seed + i * 7) % 255);
        return b;
    }

    static WAVEFORMATEX pcm()
    {
        WAVEFORMATEX f{};
        f.wFormatTag = WAVE_FORMAT_PCM;
        f.nChannels = 1;
        f.nSamplesPerSec = 40000;
        f.nAvgBytesPerSec = 40000;
        f.nBlockAlign = 1;
        f.wBitsPerSample = 8;
        return f;
    }

    static AcDbObjectId append(AcDbDatabase* db, AcDbEntity* ent)
    {
        AcDbBlockTableRecord* ms = nullptr;
        EXPECT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(ms->appendAcDbEntity(id, ent), Acad::eOk);
        ent->close();
        ms->close();
        return id;
    }

    static AcDbObjectId addNote(AcDbDatabase* db, int type, size_t soundBytes, const wchar_t* who = L"Ana")
    {
        auto* note = new QkDbVelaTone();
        note->setVelaToneType(type);
        note->setPosition(AcGePoint3d(1.5, 2.25, 0));
        note->setExtents(AcDbExtents(AcGePoint3d(0, 0, 0), AcGePoint3d(4, 3, 0)));
        if (soundBytes > 0) {
            WAVEFORMATEX f = pcm();
            note->setWaveFormat(&f);
            note->setAudioData(sound(soundBytes));
        }
        note->setSpokesman(who);
        note->setDatatime(L"3-7 9:5");
        note->setDuration(L"2.5\"");
        return append(db, note);
    }

    // Saves and reads back in a fresh database.
    AcDbDatabase* roundTrip(AcDbDatabase* db, const char* name)
    {
        std::wstring path = dir.wfile(name);
        EXPECT_EQ(arxhost::saveDrawing(db, path), Acad::eOk) << arxhost::lastError();
        auto* copy = new AcDbDatabase(false);
        EXPECT_EQ(arxhost::openDrawing(copy, path), Acad::eOk) << arxhost::lastError();
        keep.emplace_back(copy);
        return copy;
    }

    static std::vector<AcDbObjectId> notes(AcDbDatabase* db)
    {
        std::vector<AcDbObjectId> found;
        AcDbBlockTableRecord* ms = nullptr;
        if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return found;
        AcDbBlockTableRecordIterator* it = nullptr;
        ms->newIterator(it);
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            it->getEntityId(id);
            AcDbObject* obj = nullptr;
            if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk) continue;
            if (obj->isKindOf(QkDbVelaTone::desc()) || obj->isAProxy()) found.push_back(id);
            obj->close();
        }
        delete it;
        ms->close();
        return found;
    }

    std::string text(const char* name)
    {
        std::ifstream in(dir.file(name), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    void writeText(const char* name, const std::string& content)
    {
        std::ofstream out(dir.file(name), std::ios::binary);
        out << content;
    }

    // The groups of the first note in a DXF text, after its subclass marker,
    // as (code, value) pairs.
    static std::vector<std::pair<int, std::string>> noteGroups(const std::string& dxf, int which = 0)
    {
        std::vector<std::pair<int, std::string>> groups;
        std::istringstream in(dxf);
        std::string code, value;
        bool inside = false;
        int seen = -1;
        while (std::getline(in, code) && std::getline(in, value)) {
            int c = std::stoi(code);
            if (c == 0) {
                if (inside) break;
                continue;
            }
            if (c == 100 && value == "QkDbVelaTone" && ++seen == which) {
                inside = true;
                continue;
            }
            if (inside) groups.emplace_back(c, value);
        }
        return groups;
    }

    static std::vector<int> codes(const std::vector<std::pair<int, std::string>>& groups)
    {
        std::vector<int> c;
        for (const auto& g : groups) c.push_back(g.first);
        return c;
    }

    arxhost::Application app;
    TempDir dir;
    std::vector<std::unique_ptr<AcDbDatabase>> keep;
};

// A note's fields, read while it is open.
struct NoteView {
    int type;
    AcGePoint3d position;
    AcDbExtents extents;
    AcDbHandle attached;
    AcDbHandle reply;
    bool hasRecord;
    std::string sound;
    WAVEFORMATEX format;
    std::wstring spokesman, datatime, duration;

    static NoteView of(AcDbObjectId id)
    {
        NoteView v{};
        QkDbVelaTone* note = nullptr;
        EXPECT_EQ(acdbOpenObject(note, id, AcDb::kForRead), Acad::eOk);
        if (note == nullptr) return v;
        v.type = note->getVelaToneType();
        v.position = note->m_Position;
        v.extents = note->m_Extents;
        v.attached = note->getAttEntId().handle();
        v.reply = note->m_ReplyId.handle();
        v.hasRecord = note->hasRecord();
        if (note->getAudioData() != nullptr) v.sound.assign(reinterpret_cast<const char*>(note->getAudioData()));
        note->getWaveFormat(v.format);
        CString s;
        note->getSpokesman(s);
        v.spokesman = static_cast<LPCTSTR>(s);
        note->getDatatime(s);
        v.datatime = static_cast<LPCTSTR>(s);
        note->getDuration(s);
        v.duration = static_cast<LPCTSTR>(s);
        note->close();
        return v;
    }
};
