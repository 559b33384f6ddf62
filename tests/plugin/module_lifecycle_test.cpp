// The plug-in as the host loads and unloads it: the order of its static objects,
// application messages and registrations, its command and LISP function, and the
// refusal of a module built for the other generation.
#include <algorithm>

#include "afxwin.h"
#include "plugin_fixture.h"
#include "rxdlinkr.h"
#include "win32/gdiplus_state.h"
#include "win32/message_loop.h"

namespace {

AcRxClass* registered(const wchar_t* name) { return AcRxClass::cast(acrxClassDictionary->at(name)); }

struct Snapshot {
    std::wstring event;
    bool noteClass;
    bool command;
};

// Hears which commands start and end.
class Probe : public AcEditorReactor {
public:
    std::vector<std::wstring> started, ended, cancelled;
    void commandWillStart(const ACHAR* c) override { started.push_back(c); }
    void commandEnded(const ACHAR* c) override { ended.push_back(c); }
    void commandCancelled(const ACHAR* c) override { cancelled.push_back(c); }
};

TEST_F(PluginHost, MessagesReachTheModuleInOrderAndEveryDocumentGetsTheLispFunction)
{
    std::string error;
    app.newDocument(error);
    app.newDocument(error);
    std::vector<std::wstring> events;
    std::vector<Snapshot> snapshots;
    app.setModuleObserver([&](const std::wstring& event, const std::wstring& module, AcApDocument*) {
        events.push_back(event);
        snapshots.push_back(Snapshot{event, registered(L"QkDbVelaTone") != nullptr,
                                     acedRegCmds->lookupGlobalCmd(L"VOICEMAN") != nullptr});
        EXPECT_EQ(module, L"VelaToneViewer2013_x64.arx");
    });
    ASSERT_TRUE(load(2013)) << loadError;
    EXPECT_EQ(events, (std::vector<std::wstring>{L"attached", L"initialised", L"dwg-loaded", L"dwg-loaded"}));
    // Nothing is registered before kInitAppMsg; classes and command are after it.
    EXPECT_FALSE(snapshots[0].noteClass);
    EXPECT_FALSE(snapshots[0].command);
    EXPECT_TRUE(snapshots[1].noteClass);
    EXPECT_TRUE(snapshots[1].command);
    for (AcApDocument* doc : app.documents()) {
        acDocManager->activateDocument(doc);
        EXPECT_EQ(lisp(L"(VelaToneShow)"), L"1");
    }
    // A document made later gets the function too; one that closes loses it.
    AcApDocument* later = app.newDocument(error);
    EXPECT_EQ(events.back(), L"dwg-loaded");
    EXPECT_EQ(lisp(L"(VelaToneShow)"), L"1");
    app.closeDocument(later);
    EXPECT_EQ(events.back(), L"dwg-unloaded");

    events.clear();
    ASSERT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64", error)) << error;
    EXPECT_EQ(events, (std::vector<std::wstring>{L"dwg-unloaded", L"dwg-unloaded", L"unloaded", L"detached"}));
    EXPECT_EQ(registered(L"QkDbVelaTone"), nullptr);
    EXPECT_EQ(acedRegCmds->lookupGlobalCmd(L"VOICEMAN"), nullptr);
    EXPECT_EQ(lisp(L"(VelaToneShow)"), L"error: no function definition: VELATONESHOW");
}

TEST_F(PluginHost, TheSixClassesCarryTheirNamesParentsFlagsAndTheVersionsOfTheBuild)
{
    for (int generation : {2010, 2013}) {
        ASSERT_TRUE(load(generation)) << loadError;
        const int dwg = generation == 2010 ? 29 : 31, maint = generation == 2010 ? 6 : 8;
        struct Row {
            const wchar_t* name;
            const wchar_t* parent;
            int proxyFlags;
            const wchar_t* dxf;
            bool versioned;
        } rows[] = {{L"VelaTonePsReactor", L"AcDbObject", 0, L"VelaTonePsReactor", true},
                    {L"VelaToneObReactor", L"AcDbObjectReactor", 1, nullptr, false},
                    {L"VelaToneDcReactor", L"AcApDocManagerReactor", 1, nullptr, false},
                    {L"VelaToneEnReactor", L"AcDbEntityReactor", 1, nullptr, false},
                    {L"VelaTonePmReactor", L"AcEdInputPointMonitor", 1, nullptr, false},
                    {L"QkDbVelaTone", L"AcDbEntity", 0, L"VELATONE", true}};
        for (const Row& r : rows) {
            SCOPED_TRACE(r.name);
            AcRxClass* cls = registered(r.name);
            ASSERT_NE(cls, nullptr);
            ASSERT_NE(cls->myParent(), nullptr);
            EXPECT_STREQ(cls->myParent()->name(), r.parent);
            EXPECT_EQ(cls->proxyFlags(), r.proxyFlags);
            if (r.dxf != nullptr)
                EXPECT_STREQ(cls->dxfName(), r.dxf);
            else
                EXPECT_EQ(cls->dxfName(), nullptr);
            int v = -1, m = -1;
            cls->getClassVersion(v, m);
            EXPECT_EQ(v, r.versioned ? dwg : 0);
            EXPECT_EQ(m, r.versioned ? maint : 0);
            AcRxObject* made = cls->create();
            EXPECT_TRUE(made != nullptr && made->isA() == cls);
            delete made;
        }
        EXPECT_STREQ(registered(L"VelaTonePsReactor")->appName(), L"PERSISTREACTOR");
        EXPECT_STREQ(registered(L"QkDbVelaTone")->appName(),
                     L"VelaToneApp |Product Desc: VelaTone Object |Company: Korvo Systems Ltd. "
                     L"|WEB Address: www.korvo-systems.example");
        EXPECT_EQ(registered(L"VelaToneEdReactor"), nullptr);  // not a registered class
        std::string error;
        ASSERT_TRUE(app.unloadModule(L"VelaToneViewer" + std::to_wstring(generation) + L"_x64", error)) << error;
    }
}

TEST_F(PluginHost, VoicemanIsATransparentCommandOfItsGroup)
{
    ASSERT_TRUE(load(2013)) << loadError;
    AcEdCommand* cmd = acedRegCmds->lookupGlobalCmd(L"VOICEMAN");
    ASSERT_NE(cmd, nullptr);
    EXPECT_EQ(cmd->commandFlags(), ACRX_CMD_TRANSPARENT);
    EXPECT_STREQ(cmd->localName(), L"VOICEMAN");  // from string 248
    EXPECT_EQ(acedRegCmds->removeCmd(L"OtherGroup", L"VOICEMAN"), Acad::eKeyNotFound);

    std::string error;
    app.newDocument(error);
    Probe probe;
    acedEditor->addReactor(&probe);
    // LINE waits for points; VOICEMAN runs in between, a second LINE may not.
    std::vector<std::wstring> answers = {L"0,0", L"'VOICEMAN", L"5,5", L"'LINE", L""};
    size_t next = 0;
    app.setInputSource([&](std::wstring& a) {
        if (next >= answers.size()) return false;
        a = answers[next++];
        return true;
    });
    // VOICEMAN's dialog waits for the user, who cancels it.
    int dialogs = 0;
    win32::loop::setIdleHandler([&] {
        if (win32::loop::modalDepth() == 0) return win32::loop::Idle{win32::loop::Idle::Nothing};
        ++dialogs;
        PostMessageW(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
        return win32::loop::Idle{win32::loop::Idle::Acted};
    });
    EXPECT_EQ(app.runCommand(L"LINE", error), arxhost::CommandResult::kEnded);
    win32::loop::setIdleHandler(nullptr);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(probe.started, (std::vector<std::wstring>{L"LINE", L"VOICEMAN"}));
    EXPECT_EQ(probe.ended, (std::vector<std::wstring>{L"VOICEMAN", L"LINE"}));
    EXPECT_NE(commandLine.find(L"** That command may not be invoked transparently **"), std::wstring::npos);
    acedEditor->removeReactor(&probe);
}

TEST_F(PluginHost, VelaToneShowAnswersTheShowFlagThatOtherModulesSet)
{
    ASSERT_TRUE(load(2013)) << loadError;
    std::string error;
    app.newDocument(error);
    EXPECT_EQ(lisp(L"(VelaToneShow)"), L"1");
    auto set = exported<void (*)(bool)>(2013, "_Z14SetVelaToneVarb");
    auto is = exported<bool (*)()>(2013, "_Z14IsShowVelaTonev");
    ASSERT_NE(set, nullptr);
    ASSERT_NE(is, nullptr);
    set(false);
    EXPECT_FALSE(is());
    EXPECT_EQ(lisp(L"(VelaToneShow)"), L"0");
    set(true);
    EXPECT_EQ(lisp(L"(VelaToneShow)"), L"1");
}

TEST_F(PluginHost, AModuleOfTheOtherGenerationIsRefusedAndLeavesNothingBehind)
{
    arxhost::setGeneration(2010);
    std::string error;
    EXPECT_FALSE(app.loadModule(pluginPath(2013), error));
    EXPECT_NE(error.find("2013 generation"), std::string::npos) << error;
    EXPECT_NE(error.find("not loaded"), std::string::npos) << error;
    EXPECT_TRUE(app.loadedModules().empty());
    EXPECT_EQ(registered(L"QkDbVelaTone"), nullptr);
    // The module's static reactors came and went with the refused image.
    app.newDocument(error);
    EXPECT_EQ(lisp(L"(VelaToneShow)"), L"error: no function definition: VELATONESHOW");
    ASSERT_TRUE(load(2010)) << loadError;
    EXPECT_EQ(lisp(L"(VelaToneShow)"), L"1");
}

TEST_F(PluginHost, LoadsAndUnloadsAgainAndAgainInOneProcess)
{
    std::string error;
    app.newDocument(error);
    for (int round = 0; round < 5; ++round) {
        for (int generation : {2013, 2010}) {
            SCOPED_TRACE(generation);
            ASSERT_TRUE(load(generation)) << loadError;
            EXPECT_EQ(lisp(L"(VelaToneShow)"), L"1");
            EXPECT_FALSE(app.loadModule(pluginPath(generation), error));  // once is enough
            ASSERT_TRUE(app.unloadModule(L"VelaToneViewer" + std::to_wstring(generation) + L"_x64", error)) << error;
            EXPECT_TRUE(app.loadedModules().empty());
            // The image is gone: its static objects went with it.
            std::string path = AcString(pluginPath(generation)).utf8();
            EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
        }
    }
}

TEST_F(PluginHost, WhileLoadedTheModuleIsInTheResourceChainAndGdiplusRuns)
{
    CString text;
    EXPECT_FALSE(text.LoadString(248));
    EXPECT_EQ(win32::gdiplus::activeStartups(), 0);
    ASSERT_TRUE(load(2013)) << loadError;
    // The host's resources are current; the string is found along the chain.
    EXPECT_TRUE(text.LoadString(248));
    EXPECT_EQ(text, CString(L"VOICEMAN"));
    EXPECT_TRUE(text.LoadString(288));
    EXPECT_EQ(text, CString(L"%d VelaTone object(s) on locked layers not deleted."));
    EXPECT_EQ(win32::gdiplus::activeStartups(), 1);
    std::string error;
    ASSERT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64", error)) << error;
    EXPECT_FALSE(text.LoadString(248));
    EXPECT_EQ(win32::gdiplus::activeStartups(), 0);
}

TEST_F(PluginHost, AClassNameHeldByAnotherClassStopsTheHost)
{
    // Another module's class already answers to the note's name: only in the
    // process that dies, so this one goes on unharmed.
    EXPECT_EXIT(
        {
            newAcRxClass(L"QkDbVelaTone", L"AcDbEntity", 0, nullptr);
            load(2013);
        },
        ::testing::ExitedWithCode(3), "acrx_abort: Class mismatch");
    EXPECT_TRUE(load(2013)) << loadError;
}

TEST_F(PluginHost, TheCommandIsInItsGroupAndTheModuleIsMdiAware)
{
    EXPECT_FALSE(acrxDynamicLinker->isAppMDIAware(L"VelaToneViewer2013_x64"));
    ASSERT_TRUE(load(2013)) << loadError;
    EXPECT_TRUE(acrxDynamicLinker->isAppMDIAware(L"VelaToneViewer2013_x64"));
    ASSERT_NE(acedRegCmds->lookupGlobalCmd(L"VOICEMAN"), nullptr);
    // Removing the group by its exact name takes the command with it.
    EXPECT_EQ(acedRegCmds->removeGroup(L"VelaToneCM"), Acad::eKeyNotFound);
    EXPECT_EQ(acedRegCmds->removeGroup(L"VelaToneCM_"), Acad::eOk);
    EXPECT_EQ(acedRegCmds->lookupGlobalCmd(L"VOICEMAN"), nullptr);
}

TEST_F(PluginHost, ALockedModuleStays)
{
    ASSERT_TRUE(load(2013)) << loadError;
    std::string path = AcString(pluginPath(2013)).utf8();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    Dl_info info{};
    dladdr(dlsym(handle, "acrxEntryPoint"), &info);
    dlclose(handle);
    ASSERT_TRUE(acrxDynamicLinker->lockApplication(info.dli_fbase));
    std::string error;
    EXPECT_FALSE(app.unloadModule(L"VelaToneViewer2013_x64", error));
    EXPECT_NE(error.find("locked"), std::string::npos);
    ASSERT_TRUE(acrxDynamicLinker->unlockApplication(info.dli_fbase));
    EXPECT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64", error)) << error;
}

}  // namespace
