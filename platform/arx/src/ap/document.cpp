// Documents: a drawing open in the host, its locks and its input point manager.
#include "app_state.h"
#include "../db/builtin.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcApDocument, AcRxObject)

AcApDocument::AcApDocument() = default;
AcApDocument::~AcApDocument() = default;

namespace {
const arx::Document* self(const AcApDocument* d) { return static_cast<const arx::Document*>(d); }
}

AcDbDatabase* AcApDocument::database() const { return self(this)->db; }
const ACHAR* AcApDocument::fileName() const { return self(this)->fileName.c_str(); }
const ACHAR* AcApDocument::docTitle() const { return self(this)->title.c_str(); }

AcAp::DocLockMode AcApDocument::myLockMode() const
{
    const auto& locks = self(this)->locks;
    return locks.empty() ? AcAp::kNotLocked : locks.back();
}

AcAp::DocLockMode AcApDocument::lockMode(bool) const { return myLockMode(); }
bool AcApDocument::isQuiescent() const { return self(this)->locks.empty(); }
AcEdInputPointManager* AcApDocument::inputPointManager() { return &static_cast<arx::Document*>(this)->inputPoints; }

namespace arx {

Document::Document(AcDbDatabase* database, std::wstring name) : db(database), fileName(std::move(name))
{
    size_t slash = fileName.find_last_of(L"/\\");
    title = slash == std::wstring::npos ? fileName : fileName.substr(slash + 1);
}

Document::~Document()
{
    destroyDocView(view);
    delete db;
}

}  // namespace arx
