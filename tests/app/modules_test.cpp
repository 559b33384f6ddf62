// Loading modules: the messages a module hears, in order, for every document;
// its LISP function and command coming and going with it; and what is not a
// module of this host refused with a reason.
#include <gtest/gtest.h>

#include <fstream>

#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/runtime.h"
#include "event_sequences.h"
#include "temp_dir.h"
#include "test_module.h"

namespace {
using namespace arxtest;

std::wstring testModule() { return AcString::fromUtf8(TEST_MODULE, sizeof(TEST_MODULE) - 1).str(); }

// The name the host knows the one loaded module by, which is what unloading takes.
std::wstring loadedName(const arxhost::Application& app)
{
    std::vector<std::wstring> names = app.loadedModules();
    EXPECT_EQ(names.size(), 1u);
    return names.empty() ? std::wstring() : names.front();
}

TEST(Modules, AModuleHearsItsMessagesInOrderForEveryDocument)
{
    arxhost::setGeneration(2013);
    arxhost::Application app;
    ModuleEvents events;
    events.observe(app);
    std::string error;
    app.newDocument(error);
    AcApDocument* second = app.newDocument(error);
    ASSERT_TRUE(app.loadModule(testModule(), error)) << error;
    EXPECT_EQ(events.heard, moduleLoadedSeq(2));
    events.heard.clear();
    app.newDocument(error);
    app.closeDocument(second);
    EXPECT_EQ(events.heard, (Events{"dwg-loaded", "dwg-unloaded"}));
    events.heard.clear();
    ASSERT_TRUE(app.unloadModule(loadedName(app), error)) << error;
    EXPECT_EQ(events.heard, moduleUnloadedSeq(2));
}

TEST(Modules, AModuleDefinesItsFunctionInEveryDocumentAndTakesItAway)
{
    arxhost::setGeneration(2013);
    arxhost::Application app;
    std::wstring out;
    app.setCommandLine([&](const std::wstring& t) { out += t; });
    std::string error;
    app.newDocument(error);
    ASSERT_TRUE(app.loadModule(testModule(), error)) << error;
    const std::wstring call = L"(" + std::wstring(testmodule::kSumFunction);
    std::wstring printed;
    EXPECT_TRUE(app.evaluateLisp(call + L" 1 2 39)", printed, error)) << error;
    EXPECT_EQ(printed, L"42");
    EXPECT_EQ(app.runCommand(testmodule::kCommand, error), arxhost::CommandResult::kEnded);
    EXPECT_NE(out.find(testmodule::kGreeting), std::wstring::npos);  // what the module printed
    ASSERT_TRUE(app.unloadModule(loadedName(app), error)) << error;
    EXPECT_FALSE(app.evaluateLisp(call + L" 1)", printed, error));
    EXPECT_EQ(app.runCommand(testmodule::kCommand, error), arxhost::CommandResult::kUnknown);
}

TEST(Modules, WhatIsNotAModuleOfThisHostIsRefusedWithAReason)
{
    arxhost::setGeneration(2013);
    arxhost::Application app;
    TempDir dir;
    std::string error;
    EXPECT_FALSE(app.loadModule(dir.wfile("nothing.arx"), error));
    EXPECT_NE(error.find("no such module file"), std::string::npos) << error;
    std::ofstream(dir.file("garbage.arx")) << "not an ELF image";
    EXPECT_FALSE(app.loadModule(dir.wfile("garbage.arx"), error));
    EXPECT_NE(error.find("cannot load"), std::string::npos) << error;
    // A shared library that is not a module: the C library has no entry point.
    EXPECT_FALSE(app.loadModule(L"/lib/x86_64-linux-gnu/libm.so.6", error));
    EXPECT_NE(error.find("not a module of this host"), std::string::npos) << error;
    EXPECT_FALSE(app.unloadModule(L"nothing", error));
    EXPECT_NE(error.find("not loaded"), std::string::npos);
    EXPECT_TRUE(app.loadedModules().empty());
}

}  // namespace
