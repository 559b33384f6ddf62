// Drawings of voice notes as the authoring application saves them, for the
// registry's tests and benchmark: point notes, lines with an Object note tied
// to each by a VelaTonePsReactor object (kept in the note's extension
// dictionary, named by the line as a persistent reactor), notes in paper
// space, and optionally the stored voice list ("VELA_TONE" / "VOICE_LIST").
// The host writes a new drawing for the tables, blocks and root objects; the
// notes and their objects are spliced in as DXF groups.
#pragma once
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "arxHeaders.h"
#include "dxf_splice.h"

namespace regdwg {

inline std::string hex(unsigned long long h)
{
    char buf[20];
    std::snprintf(buf, sizeof buf, "%llX", h);
    return buf;
}

class Drawing {
public:
    // A Point note at (x, y), in model space or in the layout's paper space.
    std::string point(double x, double y, bool paper = false)
    {
        const std::string note = next();
        noteHead(note, paper, "");
        group(mEnts, 70, "0");
        xyz(mEnts, 10, x, y);
        noteTail();
        return note;
    }

    // A line from (x1, y1) to (x2, y2) and an Object note attached to it, tied
    // by a reactor object. Returns the line's handle and the note's.
    std::pair<std::string, std::string> attached(double x1, double y1, double x2, double y2)
    {
        const std::string line = next(), note = next(), dict = next(), reactor = next();
        group(mEnts, 0, "LINE");
        group(mEnts, 5, line);
        group(mEnts, 102, "{ACAD_REACTORS");
        group(mEnts, 330, reactor);
        group(mEnts, 102, "}");
        group(mEnts, 100, "AcDbEntity");
        group(mEnts, 8, "0");
        group(mEnts, 100, "AcDbLine");
        xyz(mEnts, 10, x1, y1);
        xyz(mEnts, 11, x2, y2);

        noteHead(note, false, dict);
        group(mEnts, 70, "2");
        group(mEnts, 102, line);
        noteTail();

        group(mObjs, 0, "DICTIONARY");
        group(mObjs, 5, dict);
        group(mObjs, 330, note);
        group(mObjs, 100, "AcDbDictionary");
        group(mObjs, 280, "1");
        group(mObjs, 281, "1");
        group(mObjs, 3, "VELATONEASSOC");
        group(mObjs, 360, reactor);
        group(mObjs, 0, "VelaTonePsReactor");
        group(mObjs, 5, reactor);
        group(mObjs, 330, dict);
        group(mObjs, 100, "VelaTonePsReactor");
        group(mObjs, 330, note);
        return {line, note};
    }

    // An Object note attached to the entity of that handle (written before
    // it), with no reactor object to keep it there.
    std::string objectNote(const std::string& attachedHandle)
    {
        const std::string note = next();
        noteHead(note, false, "");
        group(mEnts, 70, "2");
        group(mEnts, 102, attachedHandle);
        noteTail();
        return note;
    }

    // A plain line, tied to nothing.
    std::string line(double x1, double y1, double x2, double y2)
    {
        const std::string h = next();
        group(mEnts, 0, "LINE");
        group(mEnts, 5, h);
        group(mEnts, 100, "AcDbEntity");
        group(mEnts, 8, "0");
        group(mEnts, 100, "AcDbLine");
        xyz(mEnts, 10, x1, y1);
        xyz(mEnts, 11, x2, y2);
        return h;
    }

    // The stored voice list: its values as group codes and texts, in order.
    // An empty list still makes the "VELA_TONE" dictionary and its xrecord
    // unless withRecord is false.
    void storedList(std::vector<std::pair<int, std::string>> values, bool withRecord = true)
    {
        mHasList = true;
        mListRecord = withRecord;
        mList = std::move(values);
    }

    // The stored list naming these notes with group 102, as the plug-in writes it.
    void storedList(const std::vector<std::string>& handles)
    {
        std::vector<std::pair<int, std::string>> values;
        for (const std::string& h : handles) values.emplace_back(102, h);
        storedList(values);
    }

    bool write(const std::string& path, std::string& error) const
    {
        std::string base, paperSpace;
        {
            AcDbDatabase db(true);
            const std::string tmp = path + ".base.dxf";
            std::wstring wtmp(tmp.begin(), tmp.end());
            if (db.dxfOut(wtmp.c_str()) != Acad::eOk) {
                error = "cannot write " + tmp;
                return false;
            }
            std::ifstream f(tmp, std::ios::binary);
            std::stringstream s;
            s << f.rdbuf();
            base = s.str();
            std::remove(tmp.c_str());
            AcDbBlockTable* table = nullptr;
            AcDbObjectId ps;
            if (db.getBlockTable(table, AcDb::kForRead) == Acad::eOk) {
                table->getAt(ACDB_PAPER_SPACE, ps);
                table->close();
            }
            paperSpace = hex(ps.handle().value());
        }
        std::string ents = mEnts, classes, objs = mObjs;
        // Paper-space notes name their block.
        for (size_t at = 0; (at = ents.find("PAPERSPACE\n", at)) != std::string::npos;)
            ents.replace(at, 10, paperSpace);
        for (auto [dxfName, isEntity] : {std::pair{"VELATONE", "1"}, std::pair{"VelaTonePsReactor", "0"}}) {
            group(classes, 0, "CLASS");
            group(classes, 1, dxfName);
            group(classes, 2, std::string(dxfName) == "VELATONE" ? "QkDbVelaTone" : "VelaTonePsReactor");
            group(classes, 3, "VelaToneApp |Product Desc: VelaTone Object |Company: Korvo Systems Ltd.");
            group(classes, 90, "0");
            group(classes, 91, "0");
            group(classes, 280, "0");
            group(classes, 281, isEntity);
        }
        if (mHasList && !addList(base, objs, error)) return false;
        return arxtest::writeSplicedDrawing(std::move(base), classes, ents, objs, path, error);
    }

    int notes() const { return mNotes; }

private:
    static void group(std::string& out, int code, const std::string& value)
    {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%3d\n", code);
        out += buf;
        out += value;
        out += '\n';
    }
    static void xyz(std::string& out, int code, double x, double y)
    {
        group(out, code, std::to_string(x));
        group(out, code + 10, std::to_string(y));
        group(out, code + 20, "0.0");
    }
    std::string next() { return hex(mHandle++); }

    void noteHead(const std::string& handle, bool paper, const std::string& dict)
    {
        ++mNotes;
        group(mEnts, 0, "VELATONE");
        group(mEnts, 5, handle);
        if (!dict.empty()) {
            group(mEnts, 102, "{ACAD_XDICTIONARY");
            group(mEnts, 360, dict);
            group(mEnts, 102, "}");
        }
        if (paper) group(mEnts, 330, "PAPERSPACE");
        group(mEnts, 100, "AcDbEntity");
        if (paper) group(mEnts, 67, "1");
        group(mEnts, 8, "0");
        group(mEnts, 100, "QkDbVelaTone");
        group(mEnts, 90, "1");
    }
    void noteTail()
    {
        group(mEnts, 290, "0");
        group(mEnts, 1, "Ana");
        group(mEnts, 2, "3-7 9:5");
        group(mEnts, 3, "0.0\"");
    }

    // The named objects dictionary (the first dictionary of the objects)
    // gets the entry "VELA_TONE"; its dictionary and xrecord join the objects.
    bool addList(std::string& base, std::string& objs, std::string& error) const
    {
        const size_t section = base.find("  2\nOBJECTS\n");
        const size_t nod = section == std::string::npos ? section : base.find("  0\nDICTIONARY\n", section);
        const size_t marker = nod == std::string::npos ? nod : base.find("100\nAcDbDictionary\n", nod);
        if (marker == std::string::npos) {
            error = "the host's new drawing has no named objects dictionary";
            return false;
        }
        size_t at = marker + std::string("100\nAcDbDictionary\n").size();
        for (const char* flag : {"280\n", "281\n"})
            if (base.compare(at, 4, flag) == 0) at = base.find('\n', at + 4) + 1;
        // The handle of the named objects dictionary, for its entries' owner.
        const size_t h = base.find("  5\n", nod) + 4;
        const std::string nodHandle = base.substr(h, base.find('\n', h) - h);
        const unsigned long long dictH = 0xF0000, recordH = 0xF0001;
        std::string entry;
        group(entry, 3, "VELA_TONE");
        group(entry, 350, hex(dictH));
        base.insert(at, entry);

        group(objs, 0, "DICTIONARY");
        group(objs, 5, hex(dictH));
        group(objs, 330, nodHandle);
        group(objs, 100, "AcDbDictionary");
        group(objs, 281, "1");
        if (mListRecord) {
            group(objs, 3, "VOICE_LIST");
            group(objs, 350, hex(recordH));
            group(objs, 0, "XRECORD");
            group(objs, 5, hex(recordH));
            group(objs, 330, hex(dictH));
            group(objs, 100, "AcDbXrecord");
            group(objs, 280, "1");
            for (const auto& [code, text] : mList) group(objs, code, text);
        }
        return true;
    }

    unsigned long long mHandle = 0x10000;
    int mNotes = 0;
    std::string mEnts, mObjs;
    bool mHasList = false, mListRecord = true;
    std::vector<std::pair<int, std::string>> mList;
};

}  // namespace regdwg
