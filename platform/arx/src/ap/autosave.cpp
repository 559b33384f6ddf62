// The automatic save's timer, its file names and the save itself (autosave.h).
#include "autosave.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "app_state.h"
#include "../core/file_error.h"
#include "../core/generation.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../drawing_files/drawing_files.h"

namespace arx {

namespace {

int gSaveTime = 10;
std::function<long long()> gClock;

long long now()
{
    if (gClock) return gClock();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::uint64_t changesOf(const Document* doc) { return implOf(doc->db)->changes; }

}  // namespace

int saveTimeMinutes() { return gSaveTime; }

bool setSaveTimeMinutes(int minutes)
{
    if (minutes < 0 || minutes > 600) return false;
    gSaveTime = minutes;
    return true;
}

void setClock(std::function<long long()> milliseconds) { gClock = std::move(milliseconds); }

void noteDocumentSaved(Document* doc)
{
    doc->savedChanges = changesOf(doc);
    doc->autosaveTimerStart = -1;
}

std::wstring autosavePath(const Document* doc)
{
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec) dir = "/tmp";
    std::wstring stem = std::filesystem::path(doc->title).stem().wstring();
    if (stem.empty()) stem = L"Drawing";
    // The process number keeps two hosts running at once apart.
    return (dir / (stem + L"_" + std::to_wstring(doc->serial) + L"_" + std::to_wstring(getpid()) + L".sv$")).wstring();
}

bool autosaveDocument(Document* doc, std::wstring& written, std::string& error)
{
    AppState* app = appState();
    written = autosavePath(doc);
    app->print(L"Automatic save to " + written + L" ...\n");
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->beginSave(doc->db, written.c_str()); });
    if (writeDrawing(doc->db, written.c_str(), DrawingFormat::kBinary, hostDwgVersion(), -1) != Acad::eOk) {
        error = lastFileError();
        return false;
    }
    doc->autosaveFile = written;
    noteDocumentSaved(doc);
    app->notifyEditorReactors([&](AcEditorReactor* r) { r->saveComplete(doc->db, written.c_str()); });
    return true;
}

bool autosaveIfDue()
{
    AppState* app = appState();
    Document* doc = app != nullptr ? app->current : nullptr;
    if (doc == nullptr || gSaveTime == 0) return false;
    if (changesOf(doc) == doc->savedChanges) {
        doc->autosaveTimerStart = -1;
        return false;
    }
    const long long t = now();
    if (doc->autosaveTimerStart < 0) {
        doc->autosaveTimerStart = t;
        return false;
    }
    if (t - doc->autosaveTimerStart < static_cast<long long>(gSaveTime) * 60'000) return false;
    std::wstring written;
    std::string error;
    if (!autosaveDocument(doc, written, error)) {
        app->print(L"Automatic save failed: " + fromUtf8(error) + L"\n");
        doc->autosaveTimerStart = t;  // try again after another interval
    }
    return true;
}

}  // namespace arx
