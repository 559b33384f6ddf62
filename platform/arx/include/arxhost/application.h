// The host application as the host program drives it: documents, commands,
// LISP calls and plug-in modules, with the command line's text going where the
// program wants it and prompts answered from where it says.
#pragma once
#include <functional>
#include <string>
#include <vector>

class AcApDocument;
class AcDbDatabase;

namespace arxhost {

enum class CommandResult { kEnded, kCancelled, kFailed, kUnknown, kRefused };

class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Text printed on the command line (acutPrintf and the host's own messages).
    void setCommandLine(std::function<void(const std::wstring&)> sink);
    // Answers for prompts; returning false cancels the prompt. An answer that
    // starts with an apostrophe runs that command transparently.
    void setInputSource(std::function<bool(std::wstring&)> source);
    // Prints on the command line.
    void print(const std::wstring& text);

    AcApDocument* newDocument(std::string& error);
    AcApDocument* openDocument(const std::wstring& path, std::string& error);
    bool saveDocument(AcApDocument* doc, const std::wstring& path, std::string& error);
    void closeDocument(AcApDocument* doc);
    AcApDocument* currentDocument() const;
    std::vector<AcApDocument*> documents() const;
    // Makes a document the current one, with documentToBeDeactivated (of the
    // one that was), documentToBeActivated, documentBecameCurrent and
    // documentActivated.
    bool activateDocument(AcApDocument* doc);
    // The open document whose file name is name, or else whose title is
    // (without regard to case); null when none is.
    AcApDocument* findDocument(const std::wstring& name) const;
    // Opens a drawing as a document without showing it, saves it under
    // another name (as SAVEAS does, with the editor's beginSave), lets inspect
    // look at the drawing and closes the document.
    bool convertDrawing(const std::wstring& in, const std::wstring& out,
                        const std::function<void(AcDbDatabase*)>& inspect, std::string& error);

    // The automatic save of the current drawing, now, to the file named in
    // written (".sv$" in the temporary folder).
    bool autosave(std::wstring& written, std::string& error);
    // What the host does while the user does nothing: an automatic save when
    // the current drawing changed SAVETIME minutes ago and was not saved since.
    void idle();
    // The clock that the automatic save's timer reads, in milliseconds; a
    // steady clock unless set.
    void setClock(std::function<long long()> milliseconds);

    CommandResult runCommand(const std::wstring& name, std::string& message);
    // Runs a command whose first prompts take the answers given, as if typed.
    CommandResult runCommand(const std::wstring& name, const std::vector<std::wstring>& answers,
                             std::string& message);
    bool evaluateLisp(const std::wstring& expr, std::wstring& printed, std::string& error);
    // The help topics asked for with acedHelp, oldest first.
    std::vector<std::wstring> helpTopics() const;

    // Told of each step of loading and unloading modules: "attached" (the image
    // is mapped and its static objects are up), "initialised" (after kInitAppMsg),
    // "dwg-loaded" and "dwg-unloaded" (after kLoadDwgMsg / kUnloadDwgMsg, with the
    // document), "unloaded" (after kUnloadAppMsg) and "detached" (image unmapped).
    void setModuleObserver(std::function<void(const std::wstring& event, const std::wstring& module,
                                              AcApDocument* doc)> observer);
    bool loadModule(const std::wstring& path, std::string& error);
    bool unloadModule(const std::wstring& name, std::string& error);
    std::vector<std::wstring> loadedModules() const;
};

}  // namespace arxhost
