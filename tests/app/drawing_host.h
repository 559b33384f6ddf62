// A running host with one new drawing, for tests of the view, the editing
// commands and the renderer: prompts are answered from a list, the command
// line is kept, and entities are added to model space directly.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/graphics.h"
#include "arxhost/view.h"
#include "rxmfcapi.h"

class DrawingHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.setCommandLine([this](const std::wstring& t) { commandLine += t; });
        app.setInputSource([this](std::wstring& a) {
            if (onPrompt) onPrompt();
            if (next >= answers.size()) return false;
            a = answers[next++];
            return true;
        });
        std::string error;
        doc = app.newDocument(error);
        ASSERT_NE(doc, nullptr) << error;
        db = doc->database();
    }
    // The view's size belongs to the application; a test that changes it puts it back.
    void TearDown() override { arxhost::setViewSize(1024, 768); }

    // Runs a command with these answers to its prompts, which it must all take.
    arxhost::CommandResult run(const std::wstring& command, std::vector<std::wstring> replies = {})
    {
        answers = std::move(replies);
        next = 0;
        std::string message;
        arxhost::CommandResult r = app.runCommand(command, message);
        EXPECT_EQ(next, answers.size()) << "answers left over by " << AcString(command).utf8();
        return r;
    }

    AcDbObjectId add(AcDbEntity* ent, AcDbObjectId space = AcDbObjectId::kNull)
    {
        AcDbBlockTableRecord* block = nullptr;
        EXPECT_EQ(acdbOpenObject(block, space.isNull() ? db->modelSpaceId() : space, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(block->appendAcDbEntity(id, ent), Acad::eOk);
        ent->close();
        block->close();
        return id;
    }

    AcDbObjectId line(double x1, double y1, double x2, double y2)
    {
        return add(new AcDbLine(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0)));
    }

    void view(double cx, double cy, double height) { ASSERT_TRUE(arxhost::setCurrentView({cx, cy, height})); }

    arxhost::ViewState currentView()
    {
        arxhost::ViewState v;
        EXPECT_TRUE(arxhost::currentView(v));
        return v;
    }

    template <class T>
    T get(AcDbObjectId id, T (AcDbLine::*member)() const)
    {
        AcDbLine* l = nullptr;
        EXPECT_EQ(acdbOpenObject(l, id, AcDb::kForRead), Acad::eOk);
        T v = (l->*member)();
        l->close();
        return v;
    }

    AcGePoint3d start(AcDbObjectId id) { return get(id, &AcDbLine::startPoint); }
    AcGePoint3d end(AcDbObjectId id) { return get(id, &AcDbLine::endPoint); }

    // The entities of model space, erased ones left out.
    std::vector<AcDbObjectId> modelSpace()
    {
        std::vector<AcDbObjectId> ids;
        AcDbBlockTableRecord* ms = nullptr;
        EXPECT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
        AcDbBlockTableRecordIterator* it = nullptr;
        ms->newIterator(it);
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            it->getEntityId(id);
            ids.push_back(id);
        }
        delete it;
        ms->close();
        return ids;
    }

    bool highlighted(AcDbObjectId id)
    {
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk) return false;
        bool h = e->isHighlighted();
        e->close();
        return h;
    }

    arxhost::Application app;
    AcApDocument* doc = nullptr;
    AcDbDatabase* db = nullptr;
    std::wstring commandLine;
    std::vector<std::wstring> answers;
    size_t next = 0;
    std::function<void()> onPrompt;
};

inline void expectNear(const AcGePoint3d& p, double x, double y, double eps = 1e-9)
{
    EXPECT_NEAR(p.x, x, eps);
    EXPECT_NEAR(p.y, y, eps);
}
