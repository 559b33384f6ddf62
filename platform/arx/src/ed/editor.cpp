// AcEditor, the one editor of the application (found in the system registry
// as "AcEditor"), and AcEditorReactor, whose notifications do nothing until a
// reactor of a plug-in overrides them. The editor keeps its reactors in the
// application's state, so they go when the application does.
#include <algorithm>

#include "../ap/app_state.h"
#include "../db/builtin.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcEditorReactor, AcRxEventReactor)
ARX_DEFINE_BUILTIN_ABSTRACT(AcEditor, AcRxEvent)

AcEditor::AcEditor() = default;
AcEditor::~AcEditor() = default;

void AcEditor::addReactor(AcRxEventReactor* reactor)
{
    auto* r = AcEditorReactor::cast(reactor);
    arx::AppState* app = arx::appState();
    if (r == nullptr || app == nullptr) return;
    app->editorReactors.add(r);
}

void AcEditor::removeReactor(AcRxEventReactor* reactor)
{
    arx::AppState* app = arx::appState();
    if (app == nullptr) return;
    // By identity: a reactor going away may be part destroyed already.
    app->editorReactors.remove(static_cast<AcEditorReactor*>(reactor));
}

AcEditorReactor::AcEditorReactor() = default;
AcEditorReactor::~AcEditorReactor() = default;
void AcEditorReactor::commandWillStart(const ACHAR*) {}
void AcEditorReactor::commandEnded(const ACHAR*) {}
void AcEditorReactor::commandCancelled(const ACHAR*) {}
void AcEditorReactor::commandFailed(const ACHAR*) {}
void AcEditorReactor::lispWillStart(const ACHAR*) {}
void AcEditorReactor::lispEnded() {}
void AcEditorReactor::lispCancelled() {}
void AcEditorReactor::beginSave(AcDbDatabase*, const ACHAR*) {}
void AcEditorReactor::saveComplete(AcDbDatabase*, const ACHAR*) {}
void AcEditorReactor::beginDwgOpen(const ACHAR*) {}
void AcEditorReactor::endDwgOpen(const ACHAR*, AcDbDatabase*) {}
void AcEditorReactor::layoutSwitched(const ACHAR*) {}
void AcEditorReactor::viewChanged() {}
