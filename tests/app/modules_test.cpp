// Loading modules: what is not a module of this host is refused with a reason,
// and a module's LISP function and command come and go with it.
#include <gtest/gtest.h>

#include <fstream>

#include "aced.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/runtime.h"
#include "temp_dir.h"

namespace {

std::wstring testModule() { return AcString::fromUtf8(TEST_MODULE, sizeof(TEST_MODULE) - 1).str(); }

TEST(Modules, AModuleDefinesItsFunctionInEveryDocumentAndTakesItAway)
{
    arxhost::setGeneration(2013);
    arxhost::Application app;
    std::wstring out;
    app.setCommandLine([&](const std::wstring& t) { out += t; });
    std::string error;
    app.newDocument(error);
    ASSERT_TRUE(app.loadModule(testModule(), error)) << error;
    std::wstring printed;
    EXPECT_TRUE(app.evaluateLisp(L"(addup 1 2 39)", printed, error)) << error;
    EXPECT_EQ(printed, L"42");
    EXPECT_EQ(app.runCommand(L"HELLO", error), arxhost::CommandResult::kEnded);
    EXPECT_NE(out.find(L"hello from the test module"), std::wstring::npos);
    ASSERT_TRUE(app.unloadModule(L"test_module", error)) << error;
    EXPECT_FALSE(app.evaluateLisp(L"(addup 1)", printed, error));
    EXPECT_EQ(app.runCommand(L"HELLO", error), arxhost::CommandResult::kUnknown);
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
