// The state of the running host application: its documents, the editor's
// reactors, the registered commands, LISP functions and loaded modules, and the
// command line. One exists while arxhost (or a test) runs the application.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acdocman.h"
#include "aced.h"
#include "acedinpt.h"
#include "reactor_list.h"
#include "wtypes.h"

namespace arx {

struct Module;
class DocView;
void destroyDocView(DocView* view);

// A document: a drawing open in the host.
class Document final : public AcApDocument {
public:
    Document(AcDbDatabase* db, std::wstring fileName);
    ~Document() override;
    AcDbDatabase* db;
    std::wstring fileName;
    std::wstring title;
    std::vector<AcAp::DocLockMode> locks;  // innermost last
    AcEdInputPointManager inputPoints;
    // LISP functions defined in this document: name (upper case) -> code, module.
    struct Function {
        std::wstring name;
        int code;
        Module* module;
    };
    std::vector<Function> functions;
    // Its drawing view (view/doc_view.h), made when first asked for.
    DocView* view = nullptr;
    // The automatic save (ap/autosave.h): the document's number in this
    // process, the drawing's change count at its last save of any kind, and
    // when the timer started (at the first change seen since; -1 while none).
    int serial = 0;
    std::uint64_t savedChanges = 0;
    long long autosaveTimerStart = -1;
    // The automatic save's file, once one was written; the host removes it
    // when the document closes, as nothing of it is needed after a close.
    std::wstring autosaveFile;
};

struct CommandRecord;

class AppState {
public:
    AppState();
    ~AppState();

    std::vector<Document*> documents;
    Document* current = nullptr;
    ReactorList<AcApDocManagerReactor> docReactors;
    ReactorList<AcEditorReactor> editorReactors;
    std::vector<HINSTANCE> resourceStack;
    std::vector<std::unique_ptr<CommandRecord>> commands;
    std::vector<std::unique_ptr<Module>> modules;
    // The module whose code runs now (entry point, command or LISP function).
    Module* runningModule = nullptr;
    // The LISP call in progress.
    int funCode = -1;
    resbuf* funArgs = nullptr;
    resbuf* funResult = nullptr;
    std::function<void(const std::wstring&)> commandLine;
    std::function<void(const std::wstring&, const std::wstring&, AcApDocument*)> moduleObserver;

    AcApDocManager* docManager = nullptr;
    AcEditor* editor = nullptr;
    AcEdCommandStack* commandStack = nullptr;

    // Reactors may come and go while they are told (reactor_list.h).
    template <class F>
    void notifyDocReactors(F&& f)
    {
        docReactors.notify(std::forward<F>(f));
    }
    template <class F>
    void notifyEditorReactors(F&& f)
    {
        editorReactors.notify(std::forward<F>(f));
    }
    void print(const std::wstring& text);
};

AppState* appState();  // null while no application runs
// Makes the state (program/startup.cpp fills in the editor, the command stack
// and the dynamic linker) and takes it down again.
AppState* createAppState();
void destroyAppState();

// Documents come and go through these, with every notification and message.
Document* newDocument(std::string& error);
Document* openDocument(const std::wstring& path, std::string& error);
bool saveDocument(Document* doc, const std::wstring& path, std::string& error);
void closeDocument(Document* doc);
// Makes a document the current one, with the activation notifications.
bool activateDocument(Document* doc);
// The document whose file name, or title (without regard to case), is name.
Document* findDocument(const std::wstring& name);

}  // namespace arx
