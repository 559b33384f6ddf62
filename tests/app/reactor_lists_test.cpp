// The application's reactor lists change while they are told, as the object
// reactors' do: a document or editor reactor may remove itself, remove another
// or add one in its notification; each reactor listed when the notification
// began is told once at most, none added meanwhile is told until the next one.
#include <gtest/gtest.h>

#include <functional>

#include "acdocman.h"
#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "event_sequences.h"

namespace {
using namespace arxtest;

class DocActor : public AcApDocManagerReactor {
public:
    DocActor(std::string name, Events& trace) : mName(std::move(name)), mTrace(trace) {}
    std::function<void()> then;
    void documentActivated(AcApDocument*) override
    {
        mTrace.push_back(mName);
        if (then) then();
    }

private:
    std::string mName;
    Events& mTrace;
};

class EditorActor : public AcEditorReactor {
public:
    EditorActor(std::string name, Events& trace) : mName(std::move(name)), mTrace(trace) {}
    std::function<void()> then;
    void commandWillStart(const ACHAR*) override
    {
        mTrace.push_back(mName);
        if (then) then();
    }

private:
    std::string mName;
    Events& mTrace;
};

TEST(ReactorListsOfTheApplication, DocumentReactorsMayComeAndGoWhileTold)
{
    arxhost::Application app;
    std::string error;
    AcApDocument* a = app.newDocument(error);
    AcApDocument* b = app.newDocument(error);
    Events trace;
    DocActor first("first", trace), second("second", trace), added("added", trace);
    first.then = [&] {
        acDocManager->removeReactor(&first);
        acDocManager->addReactor(&added);
    };
    acDocManager->addReactor(&first);
    acDocManager->addReactor(&second);
    app.activateDocument(a);
    EXPECT_EQ(trace, (Events{"first", "second"}));
    trace.clear();
    app.activateDocument(b);
    EXPECT_EQ(trace, (Events{"second", "added"}));
    acDocManager->removeReactor(&second);
    acDocManager->removeReactor(&added);
}

TEST(ReactorListsOfTheApplication, AnEditorReactorRemovedByAnEarlierOneIsNotTold)
{
    arxhost::Application app;
    std::string error;
    app.newDocument(error);
    Events trace;
    EditorActor first("first", trace), second("second", trace), third("third", trace);
    first.then = [&] {
        acedEditor->removeReactor(&second);
        acedEditor->addReactor(&second);  // back, but as one added meanwhile
    };
    for (EditorActor* r : {&first, &second, &third}) acedEditor->addReactor(r);
    std::string message;
    app.runCommand(L"REDO", message);
    EXPECT_EQ(trace, (Events{"first", "third"}));
    trace.clear();
    first.then = nullptr;
    app.runCommand(L"REDO", message);
    EXPECT_EQ(trace, (Events{"first", "third", "second"}));
    for (EditorActor* r : {&first, &second, &third}) acedEditor->removeReactor(r);
}

}  // namespace
