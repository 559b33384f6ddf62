// Drawings whose notes refer to one another in long chains: reading one note
// opens the entity it is attached to, which may itself be a note still in the
// file. However long the chain, a drawing reads whole and every note keeps its
// attachment.
#include "note_fixture.h"

namespace {

class NoteChain : public NoteFiling {
protected:
    // count notes, each attached to the next; the last one to a line.
    std::vector<AcDbObjectId> chain(AcDbDatabase* db, size_t count)
    {
        std::vector<AcDbObjectId> ids;
        for (size_t i = 0; i < count; ++i) ids.push_back(addNote(db, QkDbVelaTone::kPoint, 0));
        AcDbObjectId line = append(db, new AcDbLine(AcGePoint3d(1, 2, 0), AcGePoint3d(7, 5, 0)));
        for (size_t i = count; i-- > 0;) {
            QkDbVelaTone* note = nullptr;
            EXPECT_EQ(acdbOpenObject(note, ids[i], AcDb::kForWrite), Acad::eOk);
            note->setVelaToneType(QkDbVelaTone::kObject);
            note->setAttachObj(i + 1 < count ? ids[i + 1] : line);
            note->close();
        }
        return ids;
    }

    // Every note of db, in model space order, with the handle it is attached to.
    static std::vector<std::pair<AcDbHandle, AcDbHandle>> attachments(AcDbDatabase* db)
    {
        std::vector<std::pair<AcDbHandle, AcDbHandle>> out;
        for (AcDbObjectId id : notes(db)) {
            QkDbVelaTone* note = nullptr;
            if (acdbOpenObject(note, id, AcDb::kForRead) != Acad::eOk) {
                out.emplace_back(id.handle(), AcDbHandle());  // a proxy, or worse
                continue;
            }
            out.emplace_back(id.handle(), note->getAttEntId().handle());
            note->close();
        }
        return out;
    }
};

TEST_F(NoteChain, AHundredThousandNotesEachAttachedToTheNextReadBackFromABinaryDrawing)
{
    AcDbDatabase db;
    chain(&db, 100000);
    auto before = attachments(&db);
    AcDbDatabase* read = roundTrip(&db, "chain.dwg");
    auto after = attachments(read);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after, before);
}

TEST_F(NoteChain, AChainThroughDxfReadsToTheSameAttachments)
{
    AcDbDatabase db;
    chain(&db, 2000);
    auto before = attachments(&db);
    AcDbDatabase* read = roundTrip(&db, "chain.dxf");
    EXPECT_EQ(attachments(read), before);
}

}  // namespace
