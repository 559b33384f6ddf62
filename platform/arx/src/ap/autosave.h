// The automatic save: every SAVETIME minutes (0 turns it off) a drawing that
// changed since it was last saved is written, as a binary drawing, to a file
// with the automatic-save extension ".sv$" in the temporary folder. The timer
// starts at the first change the host sees after a save and is looked at when
// the host is idle; the clock is the program's (a steady clock unless set).
// Editor reactors hear beginSave and saveComplete with the ".sv$" name; the
// document keeps its own name.
#pragma once
#include <functional>
#include <string>

namespace arx {

class Document;

int saveTimeMinutes();
bool setSaveTimeMinutes(int minutes);  // 0 to 600
void setClock(std::function<long long()> milliseconds);

// The document's drawing as it is now counts as saved: the timer stops.
void noteDocumentSaved(Document* doc);
// The file an automatic save of the document writes.
std::wstring autosavePath(const Document* doc);
// Writes the document's drawing to its automatic-save file now.
bool autosaveDocument(Document* doc, std::wstring& written, std::string& error);
// Called when the host is idle: starts the current document's timer at its
// first change, and saves when the timer has run. True when a save was made.
bool autosaveIfDue();

}  // namespace arx
