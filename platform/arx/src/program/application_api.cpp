// The host program's handle on the running application.
#include "arxhost/application.h"

#include "startup.h"
#include "../ap/app_state.h"
#include "../ap/autosave.h"
#include "../ap/module.h"
#include "rxdlinkr.h"
#include "../core/utf.h"
#include "../ed/commands.h"
#include "../ed/help_requests.h"
#include "../ed/lisp.h"
#include "../view/doc_view.h"


namespace arxhost {

Application::Application() { arx::startApplication(); }
Application::~Application()
{
    arx::setInputSource(nullptr);
    arx::stopApplication();
}

void Application::setCommandLine(std::function<void(const std::wstring&)> sink)
{
    arx::appState()->commandLine = std::move(sink);
}

void Application::print(const std::wstring& text) { arx::appState()->print(text); }

void Application::setInputSource(std::function<bool(std::wstring&)> source) { arx::setInputSource(std::move(source)); }

// After each thing the host does, the current view shows the drawing as it now is.
AcApDocument* Application::newDocument(std::string& error)
{
    AcApDocument* doc = arx::newDocument(error);
    arx::refreshCurrentView();
    return doc;
}
AcApDocument* Application::openDocument(const std::wstring& path, std::string& error)
{
    AcApDocument* doc = arx::openDocument(path, error);
    arx::refreshCurrentView();
    return doc;
}
bool Application::saveDocument(AcApDocument* doc, const std::wstring& path, std::string& error)
{
    return arx::saveDocument(static_cast<arx::Document*>(doc), path, error);
}
void Application::closeDocument(AcApDocument* doc)
{
    arx::closeDocument(static_cast<arx::Document*>(doc));
    arx::refreshCurrentView();
}
AcApDocument* Application::currentDocument() const { return arx::appState()->current; }

bool Application::activateDocument(AcApDocument* doc)
{
    bool ok = arx::activateDocument(static_cast<arx::Document*>(doc));
    arx::refreshCurrentView();
    return ok;
}

AcApDocument* Application::findDocument(const std::wstring& name) const { return arx::findDocument(name); }

bool Application::convertDrawing(const std::wstring& in, const std::wstring& out,
                                 const std::function<void(AcDbDatabase*)>& inspect, std::string& error)
{
    arx::Document* doc = arx::openDocument(in, error);
    if (doc == nullptr) return false;
    bool ok = arx::saveDocument(doc, out, error);
    if (ok && inspect) inspect(doc->db);
    arx::closeDocument(doc);
    return ok;
}

bool Application::autosave(std::wstring& written, std::string& error)
{
    arx::Document* doc = arx::appState()->current;
    if (doc == nullptr) {
        error = "no drawing is open";
        return false;
    }
    return arx::autosaveDocument(doc, written, error);
}

void Application::idle() { arx::autosaveIfDue(); }

void Application::setClock(std::function<long long()> milliseconds) { arx::setClock(std::move(milliseconds)); }
std::vector<AcApDocument*> Application::documents() const
{
    const auto& docs = arx::appState()->documents;
    return std::vector<AcApDocument*>(docs.begin(), docs.end());
}

CommandResult Application::runCommand(const std::wstring& name, std::string& message)
{
    auto result = static_cast<CommandResult>(arx::runCommand(name, message));
    arx::refreshCurrentView();
    return result;
}

CommandResult Application::runCommand(const std::wstring& name, const std::vector<std::wstring>& answers,
                                      std::string& message)
{
    auto result = static_cast<CommandResult>(arx::runCommand(name, answers, message));
    arx::refreshCurrentView();
    return result;
}

std::vector<std::wstring> Application::helpTopics() const
{
    std::vector<std::wstring> topics;
    for (const arx::HelpRequest& r : arx::helpRequests()) topics.push_back(r.topic);
    return topics;
}

bool Application::evaluateLisp(const std::wstring& expr, std::wstring& printed, std::string& error)
{
    bool ok = arx::evaluateLisp(expr, printed, error);
    arx::refreshCurrentView();
    return ok;
}

void Application::setModuleObserver(
    std::function<void(const std::wstring&, const std::wstring&, AcApDocument*)> observer)
{
    arx::appState()->moduleObserver = std::move(observer);
}

bool Application::loadModule(const std::wstring& path, std::string& error)
{
    AcRxDynamicLinker* linker = acrxDynamicLinker;
    // Objects may have become proxies or proxies objects: every view draws anew.
    if (linker->loadModule(path.c_str(), false)) {
        arx::invalidateAllViews();
        arx::refreshCurrentView();
        return true;
    }
    error = arx::toUtf8(linker->lastError());
    return false;
}

bool Application::unloadModule(const std::wstring& name, std::string& error)
{
    AcRxDynamicLinker* linker = acrxDynamicLinker;
    if (linker->unloadModule(name.c_str())) {
        arx::invalidateAllViews();
        arx::refreshCurrentView();
        return true;
    }
    error = arx::toUtf8(linker->lastError());
    return false;
}

std::vector<std::wstring> Application::loadedModules() const { return arx::loadedModuleNames(); }

}  // namespace arxhost
