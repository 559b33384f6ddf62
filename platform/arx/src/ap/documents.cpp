// Opening, making, saving and closing documents, with the notifications and
// application messages the host sends around each.
#include <filesystem>

#include "dbapserv.h"
#include "app_state.h"
#include "autosave.h"
#include "module.h"
#include "../core/utf.h"
#include "../db/undo.h"
#include "../drawing_files/drawing_files.h"
#include "../view/doc_view.h"

namespace arx {

namespace {

int gDocuments = 0;

Document* addDocument(AcDbDatabase* db, const std::wstring& fileName)
{
    AppState* app = appState();
    auto* doc = new Document(db, fileName);
    doc->serial = ++gDocuments;
    noteDocumentSaved(doc);
    // A document's drawing keeps the history that U, UNDO and REDO play back.
    undoLog(db).recording = true;
    app->notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentCreateStarted(doc); });
    app->documents.push_back(doc);
    app->notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentCreated(doc); });
    // Modules define their per-document things (LISP functions) for the new document.
    sendToModules(AcRx::kLoadDwgMsg, doc);
    app->docManager->activateDocument(doc);
    return doc;
}

int gUntitled = 0;

}  // namespace

Document* newDocument(std::string&)
{
    auto* db = new AcDbDatabase(true);
    return addDocument(db, L"Drawing" + std::to_wstring(++gUntitled) + L".dwg");
}

Document* openDocument(const std::wstring& path, std::string& error)
{
    AppState* app = appState();
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->beginDwgOpen(path.c_str()); });
    auto* db = new AcDbDatabase(false);
    if (openDrawingByContent(db, path) != Acad::eOk) {
        error = lastFileError();
        delete db;
        return nullptr;
    }
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->endDwgOpen(path.c_str(), db); });
    return addDocument(db, path);
}

bool saveDocument(Document* doc, const std::wstring& path, std::string& error)
{
    AppState* app = appState();
    // Reactors hear of the save before anything is written, and may still change the drawing.
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->beginSave(doc->db, path.c_str()); });
    if (saveDrawingByName(doc->db, path) != Acad::eOk) {
        error = lastFileError();
        return false;
    }
    doc->fileName = path;
    doc->title = std::filesystem::path(path).filename().wstring();
    noteDocumentSaved(doc);
    // Saved: the drawing is as its file has it (DBMOD 0).
    docView(doc).setModified(false);
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->saveComplete(doc->db, path.c_str()); });
    return true;
}

Document* findDocument(const std::wstring& name)
{
    AppState* app = appState();
    for (Document* d : app->documents)
        if (d->fileName == name) return d;
    for (Document* d : app->documents)
        if (equalsNoCase(d->title, name)) return d;
    return nullptr;
}

bool activateDocument(Document* doc)
{
    return appState()->docManager->activateDocument(doc) == Acad::eOk;
}

void closeDocument(Document* doc)
{
    AppState* app = appState();
    app->notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentToBeDestroyed(doc); });
    Document* previous = app->current;
    app->current = doc;
    acdbHostApplicationServices()->setWorkingDatabase(doc->db);
    sendToModules(AcRx::kUnloadDwgMsg, doc);
    app->current = previous == doc ? nullptr : previous;
    auto& docs = app->documents;
    docs.erase(std::remove(docs.begin(), docs.end(), doc), docs.end());
    std::wstring name = doc->fileName;
    if (!doc->autosaveFile.empty()) {
        std::error_code ec;
        std::filesystem::remove(doc->autosaveFile, ec);
    }
    if (app->current == nullptr) acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    else acdbHostApplicationServices()->setWorkingDatabase(app->current->db);
    delete doc;
    app->notifyDocReactors([&](AcApDocManagerReactor* r) { r->documentDestroyed(name.c_str()); });
    if (app->current == nullptr && !docs.empty()) app->docManager->activateDocument(docs.back());
}

}  // namespace arx
